#pragma once
// The words of a script command line and the parsing of its arguments, apart from the control
// that carries them out, so the parsing can be tested and fuzzed on its own.

#include <string>
#include <vector>

#include "common/host/host_types.h"

namespace vessant {

// The blank-separated words of a line.
std::vector<std::string> ScriptWords(const std::string& line);
// The text after the first `skip` words of the line, blanks before it removed.
std::string ScriptRest(const std::string& line, int skip);
// A command's value: "\n" and "\\" become a line feed and a backslash, and any other backslash
// stays as written (LineEscaping's line-break dialect).
std::string ScriptValue(const std::string& line, int skip);
// A whole number from -1000000 to 1000000.
bool ParseScriptInt(const std::string& text, int* out);

struct MouseCommand {
    MouseMessage message = MouseMessage::Move;
    int x = 0, y = 0;
    unsigned flags = 0;
};
// mouse MESSAGE X Y [left|middle|right] [shift] [ctrl]
bool ParseMouseCommand(const std::vector<std::string>& words, MouseCommand* out, std::string* error);

struct KeyCommand {
    bool down = true;
    unsigned long keysym = 0;
    unsigned flags = 0;
};
// key down|up KEYSYM [shift] [ctrl]
bool ParseKeyCommand(const std::vector<std::string>& words, KeyCommand* out, std::string* error);

}  // namespace vessant
