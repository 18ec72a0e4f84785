#include "player/script_command.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "control/line_escaping.h"
#include "control/mouse_message_names.h"
#include "platform/x11_keysym_name.h"

namespace vessant {
namespace {

// Shift and ctrl words after the fixed ones; anything else is an error.
bool ModifierWords(const std::vector<std::string>& words, size_t from, unsigned* flags, std::string* error) {
    for (size_t i = from; i < words.size(); ++i) {
        if (words[i] == "shift")
            *flags |= kMkShift;
        else if (words[i] == "ctrl")
            *flags |= kMkControl;
        else {
            *error = "unexpected word '" + words[i] + "' (expected shift or ctrl)";
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<std::string> ScriptWords(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

std::string ScriptRest(const std::string& line, int skip) {
    size_t at = 0;
    for (int i = 0; i < skip; ++i) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string::npos) return "";
        at = line.find_first_of(" \t", at);
        if (at == std::string::npos) return "";
    }
    at = line.find_first_not_of(" \t", at);
    return at == std::string::npos ? "" : line.substr(at);
}

bool ParseScriptInt(const std::string& text, int* out) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < -1000000 || v > 1000000) return false;
    *out = static_cast<int>(v);
    return true;
}

std::string ScriptValue(const std::string& line, int skip) {
    std::string value;
    LineEscaping::Unescape(ScriptRest(line, skip), LineEscaping::Dialect::LineBreaks, &value);
    return value;
}

bool ParseMouseCommand(const std::vector<std::string>& words, MouseCommand* out, std::string* error) {
    if (words.size() < 4) {
        *error = "usage: mouse MESSAGE X Y [left|middle|right] [shift] [ctrl]";
        return false;
    }
    unsigned flags = 0;
    if (!MouseMessageFromName(words[1], &out->message, &flags)) {
        *error = "unknown mouse message '" + words[1] + "' (ldown, lup, ldbl, mdown, mup, mdbl, rdown, rup, rdbl, move)";
        return false;
    }
    if (!ParseScriptInt(words[2], &out->x) || !ParseScriptInt(words[3], &out->y)) {
        *error = "mouse: X and Y must be whole numbers";
        return false;
    }
    // A button word names the button held, on any message.
    size_t next = 4;
    if (words.size() > 4) {
        if (words[4] == "left") flags |= kMkLButton, ++next;
        else if (words[4] == "middle") flags |= kMkMButton, ++next;
        else if (words[4] == "right") flags |= kMkRButton, ++next;
    }
    if (!ModifierWords(words, next, &flags, error)) return false;
    out->flags = flags;
    return true;
}

bool ParseKeyCommand(const std::vector<std::string>& words, KeyCommand* out, std::string* error) {
    if (words.size() < 3 || (words[1] != "down" && words[1] != "up")) {
        *error = "usage: key down|up KEYSYM [shift] [ctrl]";
        return false;
    }
    out->keysym = KeysymFromName(words[2]);
    if (out->keysym == 0) {
        *error = "unknown keysym '" + words[2] + "'";
        return false;
    }
    out->down = words[1] == "down";
    out->flags = 0;
    return ModifierWords(words, 3, &out->flags, error);
}

}  // namespace vessant
