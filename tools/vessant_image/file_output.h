#pragma once

#include <string>

namespace vessant_image {

// Writes text to path through a temporary file in the same folder that is renamed over it, so a
// reader never sees half a file. A file that already holds exactly this text is left alone (its
// time stays, so builds do not redo what depends on it). False with a message on failure.
bool WriteFileAtomically(const std::string& path, const std::string& text, std::string* error);

}  // namespace vessant_image
