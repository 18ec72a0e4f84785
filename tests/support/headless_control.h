#pragma once
// A control in a headless host, for tests that draw: frames render on the host's clock and
// their pixels are read back from the control's window surface.

#include <memory>
#include <string>

#include "control/tessary_ctrl.h"
#include "orvan/error_report.h"
#include "orvan/timer.h"
#include "platform/egl_headless_host.h"

namespace vessant::test {

// A timer whose clock a test sets.
class FixedTimer : public orvan::Timer {
public:
    FixedTimer() { Restart(); }
    using orvan::Timer::Now;
    void Now(unsigned long long* microseconds) override { *microseconds = now_; }
    void Set(double seconds) { now_ = static_cast<unsigned long long>(seconds * 1e6 + 0.5); }

private:
    unsigned long long now_ = 0;
};

class HeadlessControl {
public:
    explicit HeadlessControl(int width = 200, int height = 100, HeadlessOptions options = HeadlessOptions()) {
        orvan::SetErrorDialogsSuppressed(true);
        options.width = width;
        options.height = height;
        options.attach = [this](WindowHost& host) { ctrl_.AttachHost(&host); };
        std::string error;
        host_ = EglHeadlessHost::Create(ctrl_, options, &error);
    }
    ~HeadlessControl() {
        orvan::SetSharedTimer(nullptr);
        if (host_) host_->Close();
        ctrl_.AttachHost(nullptr);
    }

    // False when EGL is unavailable here; the test then skips.
    bool Ok() const { return host_ != nullptr; }
    CTessaryCtrl& Control() { return ctrl_; }
    EglHeadlessHost& Host() { return *host_; }
    void SetDrawnObject(orvan::DisplayObject* object) { ctrl_.SetCurrentObject(object); }
    // Paints one frame now and returns the window's pixels.
    RgbaImage RenderFrame() {
        RgbaImage image;
        if (!host_) return image;
        host_->Invalidate(true);
        host_->UpdateNow();
        ctrl_.ReadFramePixels(image);
        return image;
    }
    // The shared timer (blinking) reads this time until the fixture ends.
    void SetTime(double seconds) {
        timer_.Set(seconds);
        orvan::SetSharedTimer(&timer_);
    }

private:
    CTessaryCtrl ctrl_;
    std::unique_ptr<EglHeadlessHost> host_;
    FixedTimer timer_;
};

}  // namespace vessant::test
