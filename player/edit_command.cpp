#include "player/edit_command.h"

#include <limits.h>
#include <stdlib.h>

#include <cstdlib>
#include <memory>

#include "control/png_writer.h"
#include "control/property_bag.h"
#include "control/property_exchange.h"
#include "player/property_page/property_page_dialog.h"
#include "control/tessary_ctrl.h"
#include "platform/egl_headless_host.h"

namespace vessant {
namespace {

constexpr int kStatusFailed = 1;
constexpr int kStatusUsage = 2;
// The preview's clock advances 0.1 s a frame, so the component's time runs as the page shows it.
constexpr std::uint64_t kPreviewStep = 100000;

}  // namespace

EditResult RunEdit(const std::string& path, const std::string& snapshot) {
    EditResult result;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return {kStatusFailed, "no X display: DISPLAY is not set (the property page is a window)"};

    CTessaryCtrl ctrl;
    PropertyBag bag;
    std::string error;
    if (!bag.ReadFile(path, &error)) return {kStatusUsage, error};
    char absolute[PATH_MAX];
    if (realpath(path.c_str(), absolute)) ctrl.SetDocumentAddress(std::string("file://") + absolute);

    HeadlessOptions options;
    options.width = PropertyPageDialog::kPreviewSize;
    options.height = PropertyPageDialog::kPreviewSize;
    options.attach = [&ctrl](WindowHost& host) { ctrl.AttachHost(&host); };
    std::unique_ptr<EglHeadlessHost> host = EglHeadlessHost::Create(ctrl, options, &error);
    if (!host) return {kStatusFailed, "cannot preview the component: " + error};
    if (!ExchangeProperties(ctrl, bag, true, &error)) {
        host->Close();
        ctrl.AttachHost(nullptr);
        return {kStatusUsage, error};
    }

    PropertyPageDialog::Hooks hooks;
    hooks.renderPreview = [&](RgbaImage* image) {
        host->AdvanceClock(kPreviewStep);
        image->width = PropertyPageDialog::kPreviewSize;
        image->height = PropertyPageDialog::kPreviewSize;
        return ctrl.RenderMetafile(*image);
    };
    // Entries the control does not know stay in the file: the loaded set is updated, not replaced.
    hooks.save = [&](std::string* why) {
        ExchangeProperties(ctrl, bag, false);
        return bag.WriteFile(path, why);
    };
    {
        PropertyPageDialog page(ctrl, hooks);
        page.Run();
        if (!snapshot.empty() && !WritePng(snapshot, page.Preview(), &error)) result = {kStatusFailed, error};
    }
    host->Close();
    ctrl.AttachHost(nullptr);
    return result;
}

}  // namespace vessant
