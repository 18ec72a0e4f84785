#pragma once
// A host client that writes down every message it receives, in order.

#include <functional>
#include <string>
#include <vector>

#include "common/host/host_client.h"

namespace vessant::test {

struct MouseRecord {
    MouseMessage message;
    int x, y;
    unsigned flags;
};

class RecordingClient : public HostClient {
public:
    void OnCreate() override { Log("create"); }
    void OnDestroy() override { Log("destroy"); }
    void OnSize(int cx, int cy) override { Log("size " + std::to_string(cx) + "x" + std::to_string(cy)); }
    void OnPaint(const ScreenRect& invalid) override {
        ++paints;
        paintRects.push_back(invalid);
        Log("paint");
        if (onPaint) onPaint();
    }
    void OnTimer(unsigned id) override {
        timers.push_back(id);
        Log("timer " + std::to_string(id));
        if (onTimer) onTimer(id);
    }
    bool OnEraseBackground() override {
        Log("erase");
        return true;
    }
    void OnClose() override { Log("close"); }
    void OnMouse(MouseMessage message, int x, int y, unsigned flags) override {
        mouse.push_back(MouseRecord{message, x, y, flags});
    }
    void OnKey(bool, unsigned long, unsigned) override {}

    int Count(const std::string& entry) const {
        int n = 0;
        for (const auto& e : log) n += e == entry ? 1 : 0;
        return n;
    }

    std::vector<std::string> log;
    std::vector<unsigned> timers;
    std::vector<MouseRecord> mouse;
    int paints = 0;
    std::vector<ScreenRect> paintRects;
    std::function<void()> onPaint;
    std::function<void(unsigned)> onTimer;

private:
    void Log(const std::string& entry) { log.push_back(entry); }
};

}  // namespace vessant::test
