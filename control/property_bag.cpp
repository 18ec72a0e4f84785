#include "control/property_bag.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sstream>
#include <vector>

#include "control/line_escaping.h"
#include "orvan/staged_file.h"

namespace vessant {
namespace {

std::string Trim(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

}  // namespace

std::string PropertyBag::Get(const std::string& name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? std::string() : it->second.value;
}

void PropertyBag::Set(const std::string& name, const std::string& value, bool quoted, int line) {
    Entry& e = values_[name];
    if (e.order == 0) e.order = ++next_;
    e.value = value;
    e.quoted = quoted;
    e.line = line;
}

int PropertyBag::LineOf(const std::string& name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? 0 : it->second.line;
}

bool PropertyBag::Parse(const std::string& text, const std::string& source, std::string* error) {
    source_ = source;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    bool sawVersion = false;
    auto fail = [&](const std::string& what) {
        *error = source + ":" + std::to_string(number) + ": " + what;
        return false;
    };
    while (std::getline(in, line)) {
        ++number;
        const std::string t = Trim(line);
        if (t.empty() || t[0] == '#') continue;
        // "version 4.4" has no "=": an entry that happens to be named "version" stays an entry.
        if (t.rfind("version", 0) == 0 && (t.size() == 7 || t[7] == ' ' || t[7] == '\t') &&
            t.find('=') == std::string::npos) {
            // Compared as text, so a number of any length is reported as it was written.
            const std::string version = Trim(t.substr(7));
            const size_t dot = version.find('.');
            const auto digits = [](const std::string& d) {
                return !d.empty() && d.find_first_not_of("0123456789") == std::string::npos;
            };
            if (dot == std::string::npos || !digits(version.substr(0, dot)) || !digits(version.substr(dot + 1)))
                return fail("malformed version line (expected \"version 4.4\")");
            std::string major = version.substr(0, dot);
            major.erase(0, std::min(major.find_first_not_of('0'), major.size() - 1));  // leading zeros
            if (major != std::to_string(kVersionMajor))
                return fail("property set version " + version + " cannot be read (this player reads version " +
                            std::to_string(kVersionMajor) + ")");
            sawVersion = true;
            continue;
        }
        const size_t eq = t.find('=');
        if (eq == std::string::npos) return fail("expected NAME = VALUE");
        const std::string name = Trim(t.substr(0, eq));
        const std::string raw = Trim(t.substr(eq + 1));
        if (name.empty()) return fail("missing property name");
        if (!raw.empty() && raw[0] == '"') {
            // Only blanks may follow the closing quote.
            std::string value, rest;
            if (!LineEscaping::Unquote(raw, &value, &rest) || rest.find_first_not_of(" \t") != std::string::npos)
                return fail("malformed quoted value for " + name);
            Set(name, value, true, number);
        } else {
            Set(name, raw, false, number);
        }
    }
    if (!sawVersion) {
        number = 0;
        return fail("no version line (expected \"version 4.4\")");
    }
    return true;
}

std::string PropertyBag::Format() const {
    std::vector<std::pair<int, std::string>> order;
    for (const auto& [name, entry] : values_) order.emplace_back(entry.order, name);
    std::sort(order.begin(), order.end());
    std::string out = "# Vessant Player property set\nversion " + std::to_string(kVersionMajor) + "." +
                      std::to_string(kVersionMinor) + "\n";
    for (const auto& [n, name] : order) {
        const Entry& e = values_.at(name);
        out += name + " = " + (e.quoted ? LineEscaping::Quote(e.value) : e.value) + "\n";
    }
    return out;
}

bool PropertyBag::ReadFile(const std::string& path, std::string* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = "cannot read property set " + path + ": " + std::strerror(errno);
        return false;
    }
    // One byte past the bound tells a file that is too large from one that just fits.
    std::string text;
    std::vector<char> buffer(1 << 16);
    bool failed = false;
    while (text.size() <= kMaxFileSize) {
        const ssize_t n = ::read(fd, buffer.data(), std::min(buffer.size(), kMaxFileSize + 1 - text.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failed = true;
        if (n <= 0) break;
        text.append(buffer.data(), static_cast<size_t>(n));
    }
    const int readError = errno;
    ::close(fd);
    if (failed) {
        *error = "cannot read property set " + path + ": " + std::strerror(readError);
        return false;
    }
    if (text.size() > kMaxFileSize) {
        *error = path + ": larger than " + std::to_string(kMaxFileSize >> 20) + " MiB, not a property set";
        return false;
    }
    return Parse(text, path, error);
}

bool PropertyBag::WriteFile(const std::string& path, std::string* error) const {
    const std::string text = Format();
    orvan::StagedFile file(path);
    std::string why;
    if (file.Open(&why) && file.Write(text.data(), text.size(), &why) && file.Commit(&why)) return true;
    *error = "cannot write property set " + path + ": " + why;
    return false;
}

}  // namespace vessant
