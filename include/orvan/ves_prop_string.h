#pragma once

#include <string>

namespace orvan {

// The string type of text properties (a component's "MainMessage", for example). It is a
// std::string in every respect; the distinct type selects the escaped one-line text form of
// its attributes, where a plain std::string attribute reads a single word.
class VesPropString : public std::string {
 public:
  VesPropString() {}
  VesPropString(const char* text) : std::string(text != nullptr ? text : "") {}  // NOLINT
  VesPropString(const std::string& text) : std::string(text) {}                  // NOLINT
  VesPropString(std::string&& text) : std::string(std::move(text)) {}            // NOLINT
};

}  // namespace orvan
