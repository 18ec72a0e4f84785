// vessant-player: the container program that places the control in a window (or offscreen).

#include <limits.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "control/property_bag.h"
#include "control/property_table.h"
#include "control/tessary_ctrl.h"
#include "orvan/error_report.h"
#include "platform/egl_headless_host.h"
#include "platform/x11_glx_host.h"
#include "player/player_options.h"
#include "control/png_writer.h"
#include "player/quitting_client.h"
#include "player/script_session.h"

using namespace vessant;

namespace {

int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "vessant-player: %s\n", message.c_str());
    return status;
}

bool ApplySettings(CTessaryCtrl& ctrl, const PlayerOptions& options, std::string* error) {
    if (!options.baseUrl.empty()) ctrl.SetDocumentAddress(options.baseUrl);
    if (!options.load.empty()) {
        char absolute[PATH_MAX];
        if (options.baseUrl.empty() && realpath(options.load.c_str(), absolute))
            ctrl.SetDocumentAddress(std::string("file://") + absolute);
        PropertyBag bag;
        if (!bag.ReadFile(options.load, error)) return false;
        ExchangeProperties(ctrl, bag, true);
    }
    if (!options.component.empty()) ctrl.SetComponentFileName(options.component);
    if (!options.className.empty()) ctrl.SetClassName(options.className);
    for (const auto& [name, value] : options.sets) {
        const PropertyInfo* info = FindProperty(name);
        if (!info) {
            *error = "unknown property '" + name + "' (see the README for the property names)";
            return false;
        }
        if (!SetPropertyText(ctrl, *info, value, error)) return false;
    }
    return true;
}

int SaveProperties(CTessaryCtrl& ctrl, const PlayerOptions& options) {
    if (options.save.empty()) return 0;
    PropertyBag bag;
    ExchangeProperties(ctrl, bag, false);
    std::string error;
    if (!bag.WriteFile(options.save, &error)) return Fail(1, error);
    return 0;
}

int WriteSnapshot(CTessaryCtrl& ctrl, const PlayerOptions& options) {
    if (options.snapshot.empty()) return 0;
    RgbaImage image;
    const PixelSize size = ctrl.Host()->ClientSize();
    image.width = size.width > 0 ? size.width : options.width;
    image.height = size.height > 0 ? size.height : options.height;
    if (!ctrl.RenderMetafile(image)) return Fail(1, "cannot render the snapshot: no offscreen OpenGL surface");
    std::string error;
    if (!WritePng(options.snapshot, image, &error)) return Fail(1, error);
    std::printf("%s\n", options.snapshot.c_str());
    return 0;
}

int Finish(CTessaryCtrl& ctrl, const PlayerOptions& options) {
    const int status = WriteSnapshot(ctrl, options);
    return status != 0 ? status : SaveProperties(ctrl, options);
}

// Steps the headless clock a millisecond at a time until `frames` more frames are drawn; with
// no frame timer (rate 0) it repaints by hand.
bool StepFrames(EglHeadlessHost& host, CTessaryCtrl& ctrl, long frames) {
    const unsigned target = ctrl.FramesDrawn() + static_cast<unsigned>(frames);
    long idle = 0;
    while (ctrl.FramesDrawn() < target) {
        const unsigned before = ctrl.FramesDrawn();
        host.AdvanceClock(1000);
        idle = ctrl.FramesDrawn() == before ? idle + 1 : 0;
        if (idle > 2000) {
            host.Invalidate(true);
            host.UpdateNow();
            if (ctrl.FramesDrawn() == before) return false;
            idle = 0;
        }
    }
    return true;
}

int RunHeadless(CTessaryCtrl& ctrl, const PlayerOptions& options) {
    QuittingClient client(ctrl, -1, nullptr);
    HeadlessOptions hostOptions;
    hostOptions.width = options.width;
    hostOptions.height = options.height;
    hostOptions.attach = [&ctrl](WindowHost& host) { ctrl.AttachHost(&host); };
    std::string error;
    std::unique_ptr<EglHeadlessHost> host = EglHeadlessHost::Create(client, hostOptions, &error);
    if (!host) return Fail(1, "cannot render headless: " + error);

    host->Invalidate(true);
    host->UpdateNow();
    if (options.script) {
        ScriptSession session(ctrl, stdout, [&](long n) { return StepFrames(*host, ctrl, n); });
        std::string line;
        while (std::getline(std::cin, line) && session.Execute(line)) {
        }
    } else {
        StepFrames(*host, ctrl, options.frames > 0 ? options.frames - 1 : 0);
    }
    const int status = Finish(ctrl, options);
    host->Close();
    ctrl.AttachHost(nullptr);
    return status;
}

// Reads whatever standard input holds without blocking and runs each complete line.
class StdinLines {
public:
    explicit StdinLines(ScriptSession& session) : session_(session) {}
    // False once "quit" ran or the input ended.
    bool Pump() {
        char buffer[4096];
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) return false;
        pending_.append(buffer, static_cast<size_t>(n));
        size_t end;
        while ((end = pending_.find('\n')) != std::string::npos) {
            const std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!session_.Execute(line)) return false;
        }
        return true;
    }

private:
    ScriptSession& session_;
    std::string pending_;
};

int RunWindowed(CTessaryCtrl& ctrl, const PlayerOptions& options) {
    X11GlxHost* hostPtr = nullptr;
    QuittingClient client(ctrl, options.script ? -1 : options.frames, [&hostPtr] {
        if (hostPtr) hostPtr->Quit();
    });
    X11HostOptions hostOptions;
    hostOptions.parent = options.parent;
    hostOptions.width = options.width;
    hostOptions.height = options.height;
    hostOptions.attach = [&ctrl](WindowHost& host) { ctrl.AttachHost(&host); };
    std::string error;
    std::unique_ptr<X11GlxHost> host = X11GlxHost::Create(client, hostOptions, &error);
    if (!host) return Fail(1, error);
    hostPtr = host.get();

    // Frames in script mode: keep the window's loop turning until enough were drawn.
    auto runFrames = [&](long n) {
        const unsigned target = ctrl.FramesDrawn() + static_cast<unsigned>(n);
        while (ctrl.FramesDrawn() < target && host->HasWindow()) {
            host->ProcessPending();
            pollfd none{-1, 0, 0};
            poll(&none, 0, 1);
        }
        return ctrl.FramesDrawn() >= target;
    };
    std::unique_ptr<ScriptSession> session;
    std::unique_ptr<StdinLines> input;
    if (options.script) {
        session = std::make_unique<ScriptSession>(ctrl, stdout, runFrames);
        input = std::make_unique<StdinLines>(*session);
        host->WatchDescriptor(STDIN_FILENO, [&] {
            if (!input->Pump()) host->Quit();
        });
    }
    host->Run();
    host->WatchDescriptor(-1, nullptr);
    const int status = Finish(ctrl, options);
    host->Close();
    ctrl.AttachHost(nullptr);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    PlayerOptions options;
    std::string error;
    if (!ParsePlayerOptions(argc, argv, &options, &error)) return Fail(2, error);
    if (options.help) {
        std::fputs(PlayerUsage(), stdout);
        return 0;
    }
    // The player runs unattended: errors go to standard output, never to a dialog.
    orvan::SetErrorDialogsSuppressed(true);

    CTessaryCtrl ctrl;
    // Container events are protocol lines whether or not a script drives the player.
    ctrl.SetObjectEventSink([](const std::string& name, const std::string& initiator, const std::string& data) {
        WriteObjectEventLine(stdout, name, initiator, data);
    });
    if (options.verbose)
        ctrl.SetMessageListener([](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); });
    if (!ApplySettings(ctrl, options, &error)) return Fail(2, error);

    if (options.headless) return RunHeadless(ctrl, options);
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return Fail(1, "no X display: DISPLAY is not set (use --headless to render without a display)");
    return RunWindowed(ctrl, options);
}
