#pragma once
// The text of initial attribute settings as the property page shows it: one "name: value" line
// per setting.

#include <string>
#include <vector>

namespace vessant::attribute_settings {

// The lines of a text, without their line breaks (a "\r" before a "\n" goes too); a final line
// break ends the last line rather than adding an empty one.
std::vector<std::string> Lines(const std::string& text);

// The lines joined, each followed by "\n".
std::string Join(const std::vector<std::string>& lines);

// The value of a setting line: what follows the first ": ", or the whole line when it has none.
std::string ValueOf(const std::string& line);

// The line with its value replaced; a line without ": " becomes the value itself.
std::string WithValue(const std::string& line, const std::string& value);

}  // namespace vessant::attribute_settings
