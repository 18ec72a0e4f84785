#include "player/script_session.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "control/mouse_message_names.h"
#include "control/property_bag.h"
#include "control/property_table.h"
#include "control/tessary_ctrl.h"
#include "platform/x11_keysym_name.h"
#include "player/json_lines.h"
#include "player/script_input.h"
#include "control/png_writer.h"

namespace vessant {
namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

// The text after the first `skip` words of the line, blanks before it removed.
std::string RestAfter(const std::string& line, int skip) {
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

bool ParseInt(const std::string& text, int* out) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < -1000000 || v > 1000000) return false;
    *out = static_cast<int>(v);
    return true;
}

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

bool IsComponentProperty(const PropertyInfo& info) {
    return info.dispId == kDispIdComponentFileNameAlias || info.dispId == kDispIdComponentFileName ||
           info.dispId == kDispIdClassName;
}

}  // namespace

// A load the properties started ends here: a control without a window creates its component at
// its first paint, so the reply waits for that and says why nothing was loaded.
bool ScriptSession::ComponentLoaded(std::string* error) {
    if (ctrl_.Properties().componentFileName.empty()) return true;
    if (ctrl_.LoadComponent()) return true;
    *error = ctrl_.LoadFailure().empty() ? "the component could not be loaded" : ctrl_.LoadFailure();
    return false;
}

ScriptSession::ScriptSession(CTessaryCtrl& ctrl, std::FILE* out, std::function<bool(long)> runFrames)
    : ctrl_(ctrl), out_(out), runFrames_(std::move(runFrames)) {}

std::string ScriptSession::Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
            out += text[i + 1] == 'n' ? '\n' : '\\';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void ScriptSession::Reply(const std::string& command, bool ok, const std::string& text, bool hasValue) {
    WriteLine(out_, ReplyLine(command, ok, text, hasValue));
}

void ScriptSession::ReportOverlongLine() {
    Reply("", false, "line longer than " + std::to_string(ScriptInput::kMaxLine >> 20) + " MiB skipped", false);
}

bool ScriptSession::Execute(const std::string& rawLine) {
    std::string line = rawLine;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> words = Words(line);
    if (words.empty()) return true;
    const std::string& command = words[0];
    std::string error;
    auto need = [&](size_t count, const char* usage) {
        if (words.size() >= count) return true;
        Reply(command, false, std::string("usage: ") + usage, false);
        return false;
    };

    if (command == "quit") {
        Reply(command, true, "", false);
        return false;
    }
    if (command == "set") {
        if (!need(2, "set NAME VALUE")) return true;
        const PropertyInfo* info = FindProperty(words[1]);
        if (!info) return Reply(command, false, "unknown property '" + words[1] + "'", false), true;
        bool ok = SetPropertyText(ctrl_, *info, Unescape(RestAfter(line, 2)), &error);
        if (ok && IsComponentProperty(*info)) ok = ComponentLoaded(&error);
        Reply(command, ok, error, false);
    } else if (command == "get") {
        if (!need(2, "get NAME")) return true;
        const PropertyInfo* info = FindProperty(words[1]);
        std::string value;
        if (!info || !GetPropertyText(ctrl_, *info, &value))
            Reply(command, false, "unknown property '" + words[1] + "'", false);
        else
            Reply(command, true, value, true);
    } else if (command == "getattrib") {
        if (!need(2, "getattrib NAME")) return true;
        std::string value;
        const bool ok = ctrl_.GetAttribChecked(words[1], &value, &error);
        Reply(command, ok, ok ? value : error, ok);
    } else if (command == "setattrib") {
        if (!need(2, "setattrib NAME VALUE")) return true;
        const bool ok = ctrl_.SetAttribChecked(words[1], Unescape(RestAfter(line, 2)), &error);
        Reply(command, ok, error, false);
    } else if (command == "mouse") {
        const bool ok = Mouse(words, &error);
        Reply(command, ok, error, false);
    } else if (command == "key") {
        const bool ok = Key(words, &error);
        Reply(command, ok, error, false);
    } else if (command == "frames") {
        int n = 0;
        if (words.size() != 2 || !ParseInt(words[1], &n) || n < 0)
            return Reply(command, false, "usage: frames N (N a whole number)", false), true;
        const bool ok = n == 0 || runFrames_(n);
        Reply(command, ok, ok ? "" : "frames could not be drawn", false);
    } else if (command == "snapshot") {
        if (!need(2, "snapshot FILE")) return true;
        const bool ok = Snapshot(RestAfter(line, 1), &error);
        Reply(command, ok, error, false);
    } else if (command == "save") {
        if (!need(2, "save FILE")) return true;
        PropertyBag bag;
        ExchangeProperties(ctrl_, bag, false);
        const bool ok = bag.WriteFile(RestAfter(line, 1), &error);
        Reply(command, ok, error, false);
    } else if (command == "load") {
        if (!need(2, "load FILE")) return true;
        PropertyBag bag;
        bool ok = bag.ReadFile(RestAfter(line, 1), &error) && ExchangeProperties(ctrl_, bag, true, &error);
        if (ok) ok = ComponentLoaded(&error);
        Reply(command, ok, error, false);
    } else {
        Reply(command, false, "unknown command '" + command + "'", false);
    }
    return true;
}

bool ScriptSession::Mouse(const std::vector<std::string>& words, std::string* error) {
    if (words.size() < 4) {
        *error = "usage: mouse MESSAGE X Y [left|middle|right] [shift] [ctrl]";
        return false;
    }
    MouseMessage message;
    unsigned flags = 0;
    if (!MouseMessageFromName(words[1], &message, &flags)) {
        *error = "unknown mouse message '" + words[1] + "' (ldown, lup, ldbl, mdown, mup, mdbl, rdown, rup, rdbl, move)";
        return false;
    }
    int x = 0, y = 0;
    if (!ParseInt(words[2], &x) || !ParseInt(words[3], &y)) {
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
    ctrl_.OnMouse(message, x, y, flags);
    return true;
}

bool ScriptSession::Key(const std::vector<std::string>& words, std::string* error) {
    if (words.size() < 3 || (words[1] != "down" && words[1] != "up")) {
        *error = "usage: key down|up KEYSYM [shift] [ctrl]";
        return false;
    }
    const unsigned long keysym = KeysymFromName(words[2]);
    if (keysym == 0) {
        *error = "unknown keysym '" + words[2] + "'";
        return false;
    }
    unsigned flags = 0;
    if (!ModifierWords(words, 3, &flags, error)) return false;
    ctrl_.OnKey(words[1] == "down", keysym, flags);
    return true;
}

bool ScriptSession::Snapshot(const std::string& path, std::string* error) {
    RgbaImage image;
    const PixelSize size = ctrl_.Host() ? ctrl_.Host()->ClientSize() : PixelSize{};
    image.width = size.width;
    image.height = size.height;
    if (!ctrl_.RenderMetafile(image)) {
        *error = "cannot render the snapshot: no offscreen OpenGL surface";
        return false;
    }
    return WritePng(path, image, error);
}

}  // namespace vessant
