#include "control/mouse_message_names.h"

namespace vessant {

bool MouseMessageFromName(const std::string& name, MouseMessage* message, unsigned* impliedFlags) {
    static const struct {
        const char* name;
        MouseMessage message;
        unsigned flags;
    } kMessages[] = {
        {"ldown", MouseMessage::LButtonDown, kMkLButton}, {"lup", MouseMessage::LButtonUp, 0},
        {"ldbl", MouseMessage::LButtonDblClk, kMkLButton}, {"mdown", MouseMessage::MButtonDown, kMkMButton},
        {"mup", MouseMessage::MButtonUp, 0}, {"mdbl", MouseMessage::MButtonDblClk, kMkMButton},
        {"rdown", MouseMessage::RButtonDown, kMkRButton}, {"rup", MouseMessage::RButtonUp, 0},
        {"rdbl", MouseMessage::RButtonDblClk, kMkRButton}, {"move", MouseMessage::Move, 0},
    };
    for (const auto& m : kMessages) {
        if (name != m.name) continue;
        *message = m.message;
        *impliedFlags = m.flags;
        return true;
    }
    return false;
}

}  // namespace vessant
