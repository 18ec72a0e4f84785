// vessant-player: the container program that places the control in a window (or offscreen).
// Standard output carries only JSON lines; every diagnostic goes to standard error.

#include <limits.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "control/png_writer.h"
#include "control/property_bag.h"
#include "control/property_exchange.h"
#include "control/property_table.h"
#include "control/registration.h"
#include "control/tessary_ctrl.h"
#include "control/type_info.h"
#include "orvan/error_report.h"
#include "orvan/log_sink.h"
#include "platform/egl_headless_host.h"
#include "platform/x11_glx_host.h"
#include "player/edit_command.h"
#include "player/error_alert.h"
#include "player/json_lines.h"
#include "player/player_options.h"
#include "player/quitting_client.h"
#include "player/script_input.h"
#include "player/script_session.h"

using namespace vessant;

namespace {

constexpr int kStatusOk = 0;
constexpr int kStatusFailed = 1;
constexpr int kStatusUsage = 2;
constexpr int kStatusNoComponent = 3;

// Diagnostics go through the log sink, like the runtime's own.
void Message(const std::string& text) { orvan::LogText("vessant-player: " + text + "\n"); }

int Fail(int status, const std::string& message) {
    Message(message);
    return status;
}

bool ApplySettings(CTessaryCtrl& ctrl, const PlayerOptions& options, std::string* error) {
    if (!options.baseUrl.empty()) ctrl.SetDocumentAddress(options.baseUrl);
    if (!options.load.empty()) {
        char absolute[PATH_MAX];
        if (options.baseUrl.empty() && realpath(options.load.c_str(), absolute))
            ctrl.SetDocumentAddress(std::string("file://") + absolute);
        PropertyBag bag;
        if (!bag.ReadFile(options.load, error) || !ExchangeProperties(ctrl, bag, true, error)) return false;
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

// A component was named and none is current once loading has run: the reason is the splash text.
bool ComponentMissing(const CTessaryCtrl& ctrl) {
    return !ctrl.Properties().componentFileName.empty() && ctrl.Wrapper() == nullptr && !ctrl.Loading();
}

int ReportMissingComponent(const CTessaryCtrl& ctrl) {
    const std::string why = ctrl.LoadFailure().empty() ? ctrl.SplashMessage() : ctrl.LoadFailure();
    std::string text = why;
    while (!text.empty() && text.back() == '\n') text.pop_back();
    Message("cannot play " + ctrl.Properties().componentFileName + ": " + text);
    return kStatusNoComponent;
}

bool WriteSnapshot(CTessaryCtrl& ctrl, const PlayerOptions& options) {
    if (options.snapshot.empty()) return true;
    RgbaImage image;
    const PixelSize size = ctrl.Host()->ClientSize();
    image.width = size.width > 0 ? size.width : options.width;
    image.height = size.height > 0 ? size.height : options.height;
    // Headless, the window is a pbuffer that still holds the last frame: no second surface,
    // context or frame is needed for it.
    const bool taken = options.headless && ctrl.SnapshotFrame(image);
    if (!taken && !ctrl.RenderMetafile(image)) {
        Message("cannot render the snapshot: no offscreen OpenGL surface");
        return false;
    }
    std::string error;
    if (!WritePng(options.snapshot, image, &error)) {
        Message(error);
        return false;
    }
    WriteLine(stdout, SnapshotLine(options.snapshot));
    return true;
}

bool SaveProperties(CTessaryCtrl& ctrl, const PlayerOptions& options) {
    if (options.save.empty()) return true;
    PropertyBag bag;
    ExchangeProperties(ctrl, bag, false);
    std::string error;
    if (bag.WriteFile(options.save, &error)) return true;
    Message(error);
    return false;
}

// Both outputs are attempted whatever became of the other; a component that could not be
// loaded decides the status unless an output failed.
int Finish(CTessaryCtrl& ctrl, const PlayerOptions& options) {
    const bool snapshot = WriteSnapshot(ctrl, options);
    const bool saved = SaveProperties(ctrl, options);
    if (!snapshot || !saved) return kStatusFailed;
    if (ComponentMissing(ctrl)) return ReportMissingComponent(ctrl);
    return kStatusOk;
}

// Steps the headless clock a millisecond at a time until `frames` more frames are drawn; with
// no frame timer (rate 0) it repaints by hand.
bool StepFrames(EglHeadlessHost& host, CTessaryCtrl& ctrl, long frames) {
    const unsigned long target = ctrl.FramesDrawn() + static_cast<unsigned long>(frames);
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

std::unique_ptr<ScriptInput> MakeScriptInput(ScriptSession& session) {
    return std::make_unique<ScriptInput>([&session](const std::string& line) { return session.Execute(line); },
                                         [&session] { session.ReportOverlongLine(); });
}

int RunHeadless(CTessaryCtrl& ctrl, const PlayerOptions& options) {
    QuittingClient client(ctrl, -1, nullptr);
    HeadlessOptions hostOptions;
    hostOptions.width = options.width;
    hostOptions.height = options.height;
    hostOptions.attach = [&ctrl](WindowHost& host) { ctrl.AttachHost(&host); };
    std::string error;
    std::unique_ptr<EglHeadlessHost> host = EglHeadlessHost::Create(client, hostOptions, &error);
    if (!host) return Fail(kStatusFailed, "cannot render headless: " + error);

    host->Invalidate(true);
    host->UpdateNow();
    if (options.script) {
        ScriptSession session(ctrl, stdout, [&](long n) { return StepFrames(*host, ctrl, n); });
        MakeScriptInput(session)->ReadAll(STDIN_FILENO);
    } else if (!ComponentMissing(ctrl)) {
        StepFrames(*host, ctrl, options.frames > 0 ? options.frames - 1 : 0);
    }
    const int status = Finish(ctrl, options);
    host->Close();
    ctrl.AttachHost(nullptr);
    return status;
}

int RunWindowed(CTessaryCtrl& ctrl, const PlayerOptions& options) {
    X11GlxHost* hostPtr = nullptr;
    QuittingClient client(ctrl, options.script ? -1 : options.frames, [&hostPtr] {
        if (hostPtr) hostPtr->Quit();
    });
    // Without a script nothing could bring a component in later: a failed load ends the run.
    if (!options.script) client.QuitWhen([&ctrl] { return ComponentMissing(ctrl); });
    X11HostOptions hostOptions;
    hostOptions.parent = options.parent;
    hostOptions.width = options.width;
    hostOptions.height = options.height;
    hostOptions.attach = [&ctrl](WindowHost& host) { ctrl.AttachHost(&host); };
    std::string error;
    std::unique_ptr<X11GlxHost> host = X11GlxHost::Create(client, hostOptions, &error);
    if (!host) return Fail(kStatusFailed, error);
    hostPtr = host.get();

    // Frames in script mode: keep the window's loop turning until enough were drawn.
    auto runFrames = [&](long n) {
        const unsigned long target = ctrl.FramesDrawn() + static_cast<unsigned long>(n);
        while (ctrl.FramesDrawn() < target && host->HasWindow()) {
            host->ProcessPending();
            pollfd none{-1, 0, 0};
            poll(&none, 0, 1);
        }
        return ctrl.FramesDrawn() >= target;
    };
    std::unique_ptr<ScriptSession> session;
    std::unique_ptr<ScriptInput> input;
    if (options.script) {
        session = std::make_unique<ScriptSession>(ctrl, stdout, runFrames);
        input = MakeScriptInput(*session);
        host->WatchDescriptor(STDIN_FILENO, [&] {
            if (!input->ReadOnce(STDIN_FILENO)) host->Quit();
        });
    }
    if (!ComponentMissing(ctrl) || options.script) host->Run();
    host->WatchDescriptor(-1, nullptr);
    const int status = Finish(ctrl, options);
    host->Close();
    ctrl.AttachHost(nullptr);
    return status;
}

// --register and --unregister: the files are reported as a JSON line, a failure with its code.
int RunRegistration(bool registering) {
    RegistrationPaths paths;
    std::string error;
    if (!RegistrationPaths::FromEnvironment(&paths, &error))
        return Fail(kStatusFailed, std::string(registering ? "cannot register" : "cannot unregister") +
                                       " the type information (0x80040200): " + error);
    const Registration registration(paths, Registration::RunningProgram());
    const RegistrationResult result = registering ? registration.Register() : registration.Unregister();
    if (!result.ok()) return Fail(kStatusFailed, result.message);
    WriteLine(stdout, FilesLine(registering ? "registered" : "unregistered", result.files));
    return kStatusOk;
}

}  // namespace

int main(int argc, char** argv) {
    PlayerOptions options;
    std::string error;
    if (!ParsePlayerOptions(argc, argv, &options, &error)) return Fail(kStatusUsage, error);
    if (options.help) {
        std::fputs(PlayerUsage(), stdout);
        return kStatusOk;
    }
    if (options.registerControl || options.unregisterControl) return RunRegistration(options.registerControl);
    if (options.describe) {
        WriteLine(stdout, DescribeTypeInformation() + "\n");
        return kStatusOk;
    }
    // The player runs unattended: errors are diagnostics, which its sink writes to standard error
    // (it shows an alert only for a report meant for a person), never a dialog.
    orvan::SetErrorDialogsSuppressed(true);
    orvan::SetLogSink(AlertingLogSink);
    if (!options.edit.empty()) {
        const EditResult edited = RunEdit(options.edit, options.snapshot);
        return edited.status == kStatusOk ? kStatusOk : Fail(edited.status, edited.error);
    }

    CTessaryCtrl ctrl;
    // Container events are protocol lines whether or not a script drives the player.
    ctrl.SetObjectEventSink([](const std::string& name, const std::string& initiator, const std::string& data) {
        WriteLine(stdout, ObjectEventLine(name, initiator, data));
    });
    if (options.verbose)
        ctrl.SetMessageListener([](const std::string& text) { orvan::LogText(text + "\n"); });
    if (!ApplySettings(ctrl, options, &error)) return Fail(kStatusUsage, error);

    if (options.headless) return RunHeadless(ctrl, options);
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return Fail(kStatusFailed, "no X display: DISPLAY is not set (use --headless to render without a display)");
    return RunWindowed(ctrl, options);
}
