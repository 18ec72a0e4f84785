#pragma once

#include <functional>

#include "control/tessary_ctrl.h"

namespace vessant {

// Passes every host message to the control and asks the host to quit once enough frames are drawn.
class QuittingClient : public HostClient {
public:
    QuittingClient(CTessaryCtrl& ctrl, long frames, std::function<void()> quit)
        : ctrl_(ctrl), frames_(frames), quit_(std::move(quit)) {}

    void OnCreate() override { ctrl_.OnCreate(); }
    void OnDestroy() override { ctrl_.OnDestroy(); }
    void OnSize(int cx, int cy) override { ctrl_.OnSize(cx, cy); }
    // A condition checked after every paint that ends the run as well.
    void QuitWhen(std::function<bool()> condition) { condition_ = std::move(condition); }

    void OnPaint(const ScreenRect& invalid) override {
        ctrl_.OnPaint(invalid);
        const bool enough = frames_ > 0 && static_cast<long>(ctrl_.FramesDrawn()) >= frames_;
        if ((enough || (condition_ && condition_())) && quit_) quit_();
    }
    void OnTimer(unsigned id) override { ctrl_.OnTimer(id); }
    bool OnEraseBackground() override { return ctrl_.OnEraseBackground(); }
    void OnClose() override { ctrl_.OnClose(); }
    void OnMouse(MouseMessage m, int x, int y, unsigned flags) override { ctrl_.OnMouse(m, x, y, flags); }
    void OnKey(bool down, unsigned long keysym, unsigned flags) override { ctrl_.OnKey(down, keysym, flags); }

private:
    CTessaryCtrl& ctrl_;
    long frames_;
    std::function<void()> quit_;
    std::function<bool()> condition_;
};

}  // namespace vessant
