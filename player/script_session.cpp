#include "player/script_session.h"


#include "control/property_bag.h"
#include "control/property_exchange.h"
#include "control/property_table.h"
#include "control/tessary_ctrl.h"
#include "player/json_lines.h"
#include "player/script_command.h"
#include "player/script_input.h"
#include "control/png_writer.h"

namespace vessant {

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


void ScriptSession::Reply(const std::string& command, bool ok, const std::string& text, bool hasValue) {
    WriteLine(out_, ReplyLine(command, ok, text, hasValue));
}

void ScriptSession::ReportOverlongLine() {
    Reply("", false, "line longer than " + std::to_string(ScriptInput::kMaxLine >> 20) + " MiB skipped", false);
}

bool ScriptSession::Execute(const std::string& rawLine) {
    std::string line = rawLine;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> words = ScriptWords(line);
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
        bool ok = SetPropertyText(ctrl_, *info, ScriptValue(line, 2), &error);
        if (ok && info->namesComponent) ok = ComponentLoaded(&error);
        Reply(command, ok, error, false);
    } else if (command == "get") {
        if (!need(2, "get NAME")) return true;
        const PropertyInfo* info = FindProperty(words[1]);
        if (!info)
            Reply(command, false, "unknown property '" + words[1] + "'", false);
        else
            Reply(command, true, GetPropertyText(ctrl_, *info), true);
    } else if (command == "getattrib") {
        if (!need(2, "getattrib NAME")) return true;
        std::string value;
        const bool ok = ctrl_.GetAttribChecked(words[1], &value, &error);
        Reply(command, ok, ok ? value : error, ok);
    } else if (command == "setattrib") {
        if (!need(2, "setattrib NAME VALUE")) return true;
        const bool ok = ctrl_.SetAttribChecked(words[1], ScriptValue(line, 2), &error);
        Reply(command, ok, error, false);
    } else if (command == "mouse") {
        const bool ok = Mouse(words, &error);
        Reply(command, ok, error, false);
    } else if (command == "key") {
        const bool ok = Key(words, &error);
        Reply(command, ok, error, false);
    } else if (command == "frames") {
        int n = 0;
        if (words.size() != 2 || !ParseScriptInt(words[1], &n) || n < 0)
            return Reply(command, false, "usage: frames N (N a whole number)", false), true;
        const bool ok = n == 0 || runFrames_(n);
        Reply(command, ok, ok ? "" : "frames could not be drawn", false);
    } else if (command == "snapshot") {
        if (!need(2, "snapshot FILE")) return true;
        const bool ok = Snapshot(ScriptRest(line, 1), &error);
        Reply(command, ok, error, false);
    } else if (command == "save") {
        if (!need(2, "save FILE")) return true;
        PropertyBag bag;
        ExchangeProperties(ctrl_, bag, false);
        const bool ok = bag.WriteFile(ScriptRest(line, 1), &error);
        Reply(command, ok, error, false);
    } else if (command == "load") {
        if (!need(2, "load FILE")) return true;
        PropertyBag bag;
        bool ok = bag.ReadFile(ScriptRest(line, 1), &error) && ExchangeProperties(ctrl_, bag, true, &error);
        if (ok) ok = ComponentLoaded(&error);
        Reply(command, ok, error, false);
    } else {
        Reply(command, false, "unknown command '" + command + "'", false);
    }
    return true;
}

bool ScriptSession::Mouse(const std::vector<std::string>& words, std::string* error) {
    MouseCommand mouse;
    if (!ParseMouseCommand(words, &mouse, error)) return false;
    ctrl_.OnMouse(mouse.message, mouse.x, mouse.y, mouse.flags);
    return true;
}

bool ScriptSession::Key(const std::vector<std::string>& words, std::string* error) {
    KeyCommand key;
    if (!ParseKeyCommand(words, &key, error)) return false;
    ctrl_.OnKey(key.down, key.keysym, key.flags);
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
