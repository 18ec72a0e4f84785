#include "control/property_bag.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "control/property_table.h"
#include "control/tessary_ctrl.h"

namespace vessant {
namespace {

std::string Escape(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char hex[5];
                    std::snprintf(hex, sizeof hex, "\\x%02X", c);
                    out += hex;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Unescapes a quoted value that starts at text[0] == '"'; false when it is not closed properly.
bool Unescape(const std::string& text, std::string* out) {
    out->clear();
    size_t i = 1;
    for (; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] != '\\') {
            *out += text[i];
            continue;
        }
        if (++i >= text.size()) return false;
        switch (text[i]) {
            case 'n': *out += '\n'; break;
            case 't': *out += '\t'; break;
            case 'r': *out += '\r'; break;
            case '"': *out += '"'; break;
            case '\\': *out += '\\'; break;
            case 'x': {
                if (i + 2 >= text.size()) return false;
                const int hi = HexDigit(text[i + 1]), lo = HexDigit(text[i + 2]);
                if (hi < 0 || lo < 0) return false;
                *out += static_cast<char>(hi * 16 + lo);
                i += 2;
                break;
            }
            default: return false;
        }
    }
    if (i >= text.size()) return false;
    // Only blanks may follow the closing quote.
    for (size_t j = i + 1; j < text.size(); ++j)
        if (text[j] != ' ' && text[j] != '\t') return false;
    return true;
}

std::string Trim(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::string FloatText(float v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(v));
    return buffer;
}

// One persisted property: its name in the file and how it is read and written.
class Exchange {
public:
    Exchange(PropertyBag& bag, bool loading) : bag_(bag), loading_(loading) {}

    void Float(const char* name, float* v, float def) {
        if (!loading_) return bag_.Set(name, FloatText(*v), false);
        *v = def;
        if (bag_.Has(name)) {
            char* end = nullptr;
            const std::string text = bag_.Get(name);
            const float parsed = std::strtof(text.c_str(), &end);
            if (end != text.c_str() && *end == '\0') *v = parsed;
        }
    }
    void Bool(const char* name, bool* v, bool def) {
        if (!loading_) return bag_.Set(name, *v ? "TRUE" : "FALSE", false);
        *v = def;
        if (!bag_.Has(name)) return;
        const std::string t = bag_.Get(name);
        if (t == "TRUE" || t == "true" || t == "1") *v = true;
        if (t == "FALSE" || t == "false" || t == "0") *v = false;
    }
    void Unsigned(const char* name, std::uint32_t* v, std::uint32_t def) {
        if (!loading_) return bag_.Set(name, std::to_string(*v), false);
        *v = def;
        if (!bag_.Has(name)) return;
        const std::string text = bag_.Get(name);
        char* end = nullptr;
        errno = 0;
        const unsigned long long parsed = std::strtoull(text.c_str(), &end, 0);
        if (end != text.c_str() && *end == '\0' && errno == 0 && parsed <= 0xFFFFFFFFull && text[0] != '-')
            *v = static_cast<std::uint32_t>(parsed);
    }
    void String(const char* name, std::string* v, const char* def) {
        if (!loading_) return bag_.Set(name, *v, true);
        *v = bag_.Has(name) ? bag_.Get(name) : def;
    }

private:
    PropertyBag& bag_;
    bool loading_;
};

}  // namespace

std::string PropertyBag::Get(const std::string& name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? std::string() : it->second.value;
}

void PropertyBag::Set(const std::string& name, const std::string& value, bool quoted) {
    Entry& e = values_[name];
    if (e.order == 0) e.order = ++next_;
    e.value = value;
    e.quoted = quoted;
}

bool PropertyBag::Parse(const std::string& text, const std::string& source, std::string* error) {
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
        if (t.rfind("version", 0) == 0 && (t.size() == 7 || t[7] == ' ' || t[7] == '\t')) {
            int major = 0, minor = 0;
            if (std::sscanf(t.c_str() + 7, " %d.%d", &major, &minor) != 2) return fail("malformed version line");
            if (major != kVersionMajor)
                return fail("property set version " + std::to_string(major) + "." + std::to_string(minor) +
                            " cannot be read (this player reads version 4)");
            sawVersion = true;
            continue;
        }
        const size_t eq = t.find('=');
        if (eq == std::string::npos) return fail("expected NAME = VALUE");
        const std::string name = Trim(t.substr(0, eq));
        const std::string raw = Trim(t.substr(eq + 1));
        if (name.empty()) return fail("missing property name");
        if (!raw.empty() && raw[0] == '"') {
            std::string value;
            if (!Unescape(raw, &value)) return fail("malformed quoted value for " + name);
            Set(name, value, true);
        } else {
            Set(name, raw, false);
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
        out += name + " = " + (e.quoted ? Escape(e.value) : e.value) + "\n";
    }
    return out;
}

bool PropertyBag::ReadFile(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot read property set " + path + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str(), path, error);
}

bool PropertyBag::WriteFile(const std::string& path, std::string* error) const {
    const std::string temp = path + ".tmp" + std::to_string(getpid());
    const std::string text = Format();
    FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file) {
        *error = "cannot write property set " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
        *error = "cannot write property set " + path + ": " + std::strerror(errno);
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

void ExchangeProperties(CTessaryCtrl& ctrl, PropertyBag& bag, bool loading) {
    ControlProperties& p = ctrl.Properties();
    Exchange x(bag, loading);
    x.Float("scaleX", &p.scaleX, 1.0f);
    x.Float("scaleY", &p.scaleY, 1.0f);
    x.Float("offsetX", &p.offsetX, 0.0f);
    x.Float("offsetY", &p.offsetY, 0.0f);
    x.Float("offsetZ", &p.offsetZ, 0.0f);
    x.Bool("maintainAspect", &p.maintainAspect, true);
    x.Bool("perspective", &p.perspective, false);
    x.Float("FieldOfView", &p.fieldOfView, 0.0f);
    x.Float("depthFactor", &p.depthFactor, 4.0f);
    x.Bool("UseExtents", &p.useExtents, true);
    x.Bool("AbsolutePlacement", &p.absolutePlacement, !p.useExtents);
    x.Unsigned("TargetFrameRate", &p.targetFrameRate, 30);
    x.String("EyePoint", &p.eyePoint, "");
    x.Bool("UseContainerBackground", &p.useContainerBackground, true);
    x.Bool("DrawBackground", &p.drawBackground, true);
    x.Unsigned("BackgroundColor", &p.backgroundColor, 0);
    x.String("ComponentFileName", &p.componentFileName, "");
    x.String("ClassName", &p.className, "");
    x.String("InitialAttribs", &p.initialAttribs, "");
    if (loading) {
        p.backgroundColor &= 0xFFFFFFu;
        ctrl.LoadComponent();
    }
}

}  // namespace vessant
