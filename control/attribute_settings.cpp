#include "control/attribute_settings.h"

namespace vessant::attribute_settings {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r' && end < text.size()) line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

std::string ValueOf(const std::string& line) {
    const std::size_t colon = line.find(": ");
    return colon == std::string::npos ? line : line.substr(colon + 2);
}

std::string WithValue(const std::string& line, const std::string& value) {
    const std::size_t colon = line.find(": ");
    return colon == std::string::npos ? value : line.substr(0, colon + 2) + value;
}

}  // namespace vessant::attribute_settings
