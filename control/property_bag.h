#pragma once
// The control's saved property set: a plain text file a person can read and edit.
//
//   # Vessant Player property set
//   version 4.4
//   scaleX = 1
//   InitialAttribs = "needle.Rotation 0 0 45\n"
//
// One "name = value" per line; texts are quoted, with the escapes of LineEscaping's full dialect
// (\n, \t, \r, \", \\, \xHH), so a multi-line value with any characters stays on one line.
// Lines starting with "#" are comments. Names the control does not know are kept and ignored.

#include <cstddef>
#include <map>
#include <string>

namespace vessant {

class PropertyBag {
public:
    static constexpr int kVersionMajor = 4;
    static constexpr int kVersionMinor = 4;

    // A property set larger than this is refused unread (a device or a wrong file named by mistake).
    static constexpr std::size_t kMaxFileSize = 16u << 20;

    bool Has(const std::string& name) const { return values_.count(name) != 0; }
    // The raw text of an entry (strings unescaped); empty when missing.
    std::string Get(const std::string& name) const;
    void Set(const std::string& name, const std::string& value, bool quoted, int line = 0);
    // The line an entry was read from (0 when it was not read from a file), and the file's name.
    int LineOf(const std::string& name) const;
    const std::string& Source() const { return source_; }

    // Parses a whole file. False with a message naming the file and line on a malformed file.
    bool Parse(const std::string& text, const std::string& source, std::string* error);
    std::string Format() const;
    bool ReadFile(const std::string& path, std::string* error);
    // Writes under a temporary name beside the target, then renames: never a truncated file.
    bool WriteFile(const std::string& path, std::string* error) const;

private:
    struct Entry {
        std::string value;
        bool quoted = false;
        int order = 0;
        int line = 0;
    };
    std::string source_;
    std::map<std::string, Entry> values_;
    int next_ = 0;
};

}  // namespace vessant
