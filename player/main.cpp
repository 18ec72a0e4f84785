// vessant-player: the container program that places the control in a window (or offscreen).

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "control/property_bag.h"
#include "control/property_table.h"
#include "control/tessary_ctrl.h"
#include "orvan/error_report.h"
#include "platform/egl_headless_host.h"
#include "platform/x11_glx_host.h"
#include "player/player_options.h"
#include "player/png_writer.h"
#include "player/quitting_client.h"

using namespace vessant;

namespace {

int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "vessant-player: %s\n", message.c_str());
    return status;
}

bool ApplySettings(CTessaryCtrl& ctrl, const PlayerOptions& options, std::string* error) {
    if (!options.load.empty()) {
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
    image.width = options.width;
    image.height = options.height;
    const PixelSize size = ctrl.Host()->ClientSize();
    if (size.width > 0 && size.height > 0) {
        image.width = size.width;
        image.height = size.height;
    }
    if (!ctrl.RenderMetafile(image)) return Fail(1, "cannot render the snapshot: no offscreen OpenGL surface");
    std::string error;
    if (!WritePng(options.snapshot, image, &error)) return Fail(1, error);
    std::printf("%s\n", options.snapshot.c_str());
    return 0;
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

    const long frames = options.frames > 0 ? options.frames : 1;
    host->Invalidate(true);
    host->UpdateNow();
    // Step the host's clock a millisecond at a time; with no frame timer (rate 0) repaint by hand.
    long idleSteps = 0;
    while (static_cast<long>(ctrl.FramesDrawn()) < frames) {
        const unsigned before = ctrl.FramesDrawn();
        host->AdvanceClock(1000);
        idleSteps = ctrl.FramesDrawn() == before ? idleSteps + 1 : 0;
        if (idleSteps > 2000) {
            host->Invalidate(true);
            host->UpdateNow();
            idleSteps = 0;
        }
    }
    int status = WriteSnapshot(ctrl, options);
    if (status == 0) status = SaveProperties(ctrl, options);
    host->Close();
    ctrl.AttachHost(nullptr);
    return status;
}

int RunWindowed(CTessaryCtrl& ctrl, const PlayerOptions& options) {
    X11GlxHost* hostPtr = nullptr;
    QuittingClient client(ctrl, options.frames, [&hostPtr] {
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
    host->Run();
    int status = WriteSnapshot(ctrl, options);
    if (status == 0) status = SaveProperties(ctrl, options);
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
    if (!ApplySettings(ctrl, options, &error)) return Fail(2, error);

    if (options.headless) return RunHeadless(ctrl, options);
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return Fail(1, "no X display: DISPLAY is not set (use --headless to render without a display)");
    return RunWindowed(ctrl, options);
}
