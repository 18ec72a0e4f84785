#pragma once

#include <fstream>
#include <string>

namespace orvan {

// Opens filename for input when mode contains "r" and for output when it contains "w", with
// fixed notation and precision 6. On failure shows "Unable to open file(...)" and returns false.
// A null filename is an assertion failure. Paths keep their "/" separators.
bool OpenFile(const char* filename, const char* mode, std::fstream& stream);

// True when stat() on the path succeeds.
bool FileExists(const std::string& path);

// The text after the last "\" or "/", or the whole text when there is none.
std::string FileNameOf(const std::string& path);

// Replaces each %NAME% by the value of the environment variable NAME (nothing when unset),
// starting again from the beginning after each replacement; a lone "%" stays.
// Bounded: at most kMaxEnvironmentSubstitutions replacements and a result of at most
// kMaxExpandedLength characters, so a variable whose value refers to itself terminates; when a
// bound is reached the text is returned as it stands.
constexpr int kMaxEnvironmentSubstitutions = 64;
constexpr std::size_t kMaxExpandedLength = 65536;
std::string ExpandEnvironmentVariables(const char* text);

}  // namespace orvan
