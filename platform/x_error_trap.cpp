#include "platform/x_error_trap.h"

#include "orvan/log_sink.h"

#include <cstdio>
#include <mutex>

namespace vessant {
namespace {

std::mutex g_handlerMutex;
int g_handlerUsers = 0;
XErrorHandler g_previousHandler = nullptr;
int g_trapDepth = 0;
int g_trappedError = 0;

int ReportError(Display* display, XErrorEvent* event) {
    if (g_trapDepth > 0) {
        if (g_trappedError == 0) g_trappedError = event->error_code;
        return 0;
    }
    char text[256] = {};
    XGetErrorText(display, event->error_code, text, sizeof text);
    orvan::LogPrintf("X error: %s (request %d.%d, resource 0x%lx)\n", text, event->request_code, event->minor_code,
                     event->resourceid);
    return 0;
}

}  // namespace

XErrorTrap::XErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    if (g_trapDepth++ == 0) g_trappedError = 0;
    InstallHandler();
}

XErrorTrap::~XErrorTrap() {
    Finish();
    UninstallHandler();
}

int XErrorTrap::Finish() {
    if (finished_) return g_trappedError;
    XSync(display_, False);
    finished_ = true;
    const int error = g_trappedError;
    --g_trapDepth;
    return error;
}

void XErrorTrap::InstallHandler() {
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    if (g_handlerUsers++ == 0) g_previousHandler = XSetErrorHandler(ReportError);
}

void XErrorTrap::UninstallHandler() {
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    if (g_handlerUsers > 0 && --g_handlerUsers == 0) XSetErrorHandler(g_previousHandler);
}

}  // namespace vessant
