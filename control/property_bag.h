#pragma once
// The control's saved property set: a plain text file a person can read and edit.
//
//   # Vessant Player property set
//   version 4.4
//   scaleX = 1
//   InitialAttribs = "needle.Rotation 0 0 45\n"
//
// One "name = value" per line; texts are quoted with C-style escapes (\n, \t, \r, \", \\, \xHH),
// so a multi-line value with any characters stays on one line. Lines starting with "#" are
// comments. Names the control does not know are kept and ignored.

#include <map>
#include <string>

namespace vessant {

class CTessaryCtrl;

class PropertyBag {
public:
    static constexpr int kVersionMajor = 4;
    static constexpr int kVersionMinor = 4;

    bool Has(const std::string& name) const { return values_.count(name) != 0; }
    // The raw text of an entry (strings unescaped); empty when missing.
    std::string Get(const std::string& name) const;
    void Set(const std::string& name, const std::string& value, bool quoted);

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
    };
    std::map<std::string, Entry> values_;
    int next_ = 0;
};

// Exchanges the persisted properties with the bag in their fixed order, either way; entries
// missing from a loaded bag take their defaults. Loading ends by loading the component.
void ExchangeProperties(CTessaryCtrl& ctrl, PropertyBag& bag, bool loading);

}  // namespace vessant
