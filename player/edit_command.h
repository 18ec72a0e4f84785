#pragma once
// vessant-player --edit FILE: the property page over a saved property set, with the component
// previewed offscreen; Apply saves the set in place.

#include <string>

namespace vessant {

struct EditResult {
    int status = 0;     // the player's exit status
    std::string error;  // why, when status is not 0
};

// snapshot: where the preview's last frame is written as a PNG when the page closes ("": none).
EditResult RunEdit(const std::string& path, const std::string& snapshot);

}  // namespace vessant
