// The C interface over the control, for hosts that drive it without writing C++. No exception
// crosses it: every entry catches and answers with its failure value.

#include "vessant/vessant_player.h"

#include <poll.h>

#include <cstring>
#include <memory>
#include <string>

#include "control/mouse_message_names.h"
#include "control/object_safety.h"
#include "control/png_writer.h"
#include "control/property_table.h"
#include "control/tessary_ctrl.h"
#include "control/type_info.h"
#include "orvan/error_report.h"
#include "platform/egl_headless_host.h"
#include "platform/x11_glx_host.h"
#include "platform/x11_keysym_name.h"

struct VessantControl {
    vessant::CTessaryCtrl ctrl;
    std::unique_ptr<vessant::EglHeadlessHost> headless;
    std::unique_ptr<vessant::X11GlxHost> window;
    VessantObjectEventCallback callback = nullptr;
    void* user = nullptr;

    vessant::WindowHost* Host() {
        return headless ? static_cast<vessant::WindowHost*>(headless.get()) : window.get();
    }
};

namespace {

using vessant::PropertyInfo;

static_assert(VESSANT_LEFT == vessant::kMkLButton && VESSANT_RIGHT == vessant::kMkRButton &&
                  VESSANT_MIDDLE == vessant::kMkMButton && VESSANT_SHIFT == vessant::kMkShift &&
                  VESSANT_CTRL == vessant::kMkControl,
              "the C flags are the window message flags");

void CopyOut(const std::string& text, char* buffer, size_t size) {
    if (!buffer || size == 0) return;
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

int TextOut(const std::string& text, char* buffer, size_t size) {
    CopyOut(text, buffer, size);
    return static_cast<int>(text.size());
}

void Connect(VessantControl* c) {
    c->ctrl.SetObjectEventSink([c](const std::string& name, const std::string& initiator, const std::string& data) {
        if (c->callback) c->callback(c->user, name.c_str(), initiator.c_str(), data.c_str());
    });
}

int SetProperty(VessantControl* c, const PropertyInfo* info, const char* name, const char* value, char* error,
                size_t errorSize) {
    if (!c || !value) return -1;
    if (!info) {
        CopyOut(std::string("unknown property '") + (name ? name : "") + "'", error, errorSize);
        return -1;
    }
    std::string why;
    if (!vessant::SetPropertyText(c->ctrl, *info, value, &why)) {
        CopyOut(why, error, errorSize);
        return -1;
    }
    // A component named here is created now (a headless control would wait for its first
    // frame), so the caller learns at once whether it could be loaded.
    if (info->namesComponent && !c->ctrl.Properties().componentFileName.empty() && !c->ctrl.LoadComponent()) {
        CopyOut(c->ctrl.LoadFailure(), error, errorSize);
        return -1;
    }
    return 0;
}

int GetProperty(VessantControl* c, const PropertyInfo* info, char* value, size_t valueSize) {
    if (!c || !info) return -1;
    return TextOut(vessant::GetPropertyText(c->ctrl, *info), value, valueSize);
}

bool Render(VessantControl* c, vessant::RgbaImage* image) {
    const vessant::PixelSize size = c->Host()->ClientSize();
    image->width = size.width;
    image->height = size.height;
    return c->ctrl.RenderMetafile(*image);
}

// A control in the host of the options' kind; the host pointer member says which one.
template <typename Options, typename Host>
VessantControl* Create(Options options, std::unique_ptr<Host> VessantControl::*slot, char* error, size_t errorSize) {
    try {
        orvan::SetErrorDialogsSuppressed(true);
        auto c = std::make_unique<VessantControl>();
        options.attach = [&c](vessant::WindowHost& host) { c->ctrl.AttachHost(&host); };
        std::string why;
        (c.get()->*slot) = Host::Create(c->ctrl, options, &why);
        if (!(c.get()->*slot)) {
            CopyOut(why, error, errorSize);
            return nullptr;
        }
        Connect(c.get());
        return c.release();
    } catch (const std::exception& e) {
        CopyOut(e.what(), error, errorSize);
    } catch (...) {
        CopyOut("unexpected failure", error, errorSize);
    }
    return nullptr;
}

}  // namespace

extern "C" {

VessantControl* vessant_create_headless(int width, int height, char* error, size_t errorSize) {
    vessant::HeadlessOptions options;
    options.width = width;
    options.height = height;
    return Create(options, &VessantControl::headless, error, errorSize);
}

VessantControl* vessant_create_window(unsigned long parentXid, int width, int height, char* error, size_t errorSize) {
    vessant::X11HostOptions options;
    options.parent = parentXid;
    options.width = width;
    options.height = height;
    return Create(options, &VessantControl::window, error, errorSize);
}

void vessant_destroy(VessantControl* c) {
    if (!c) return;
    try {
        // The host is tearing down: the leave event of the close must not call back into it.
        c->callback = nullptr;
        if (c->headless) c->headless->Close();
        if (c->window) c->window->Close();
        c->ctrl.AttachHost(nullptr);
        delete c;
    } catch (...) {
    }
}

int vessant_set_property(VessantControl* c, const char* name, const char* value, char* error, size_t errorSize) {
    try {
        return SetProperty(c, name ? vessant::FindProperty(std::string(name)) : nullptr, name, value, error, errorSize);
    } catch (...) {
        return -1;
    }
}

int vessant_get_property(VessantControl* c, const char* name, char* value, size_t valueSize) {
    try {
        return GetProperty(c, name ? vessant::FindProperty(std::string(name)) : nullptr, value, valueSize);
    } catch (...) {
        return -1;
    }
}

int vessant_set_property_id(VessantControl* c, int dispId, const char* value, char* error, size_t errorSize) {
    try {
        return SetProperty(c, vessant::FindProperty(dispId), std::to_string(dispId).c_str(), value, error, errorSize);
    } catch (...) {
        return -1;
    }
}

int vessant_get_property_id(VessantControl* c, int dispId, char* value, size_t valueSize) {
    try {
        return GetProperty(c, vessant::FindProperty(dispId), value, valueSize);
    } catch (...) {
        return -1;
    }
}

int vessant_get_attrib(VessantControl* c, const char* name, char* value, size_t valueSize) {
    if (!c || !name) return -1;
    try {
        return TextOut(c->ctrl.GetAttrib(name), value, valueSize);
    } catch (...) {
        return -1;
    }
}

int vessant_set_attrib(VessantControl* c, const char* name, const char* value) {
    if (!c || !name || !value) return -1;
    try {
        c->ctrl.SetAttrib(name, value);
        return 0;
    } catch (...) {
        return -1;
    }
}

void vessant_set_object_event_callback(VessantControl* c, VessantObjectEventCallback callback, void* user) {
    if (!c) return;
    c->callback = callback;
    c->user = user;
}

int vessant_send_mouse(VessantControl* c, const char* message, int x, int y, unsigned flags) {
    if (!c || !message) return -1;
    try {
        vessant::MouseMessage m;
        unsigned implied = 0;
        if (!vessant::MouseMessageFromName(message, &m, &implied)) return -1;
        c->ctrl.OnMouse(m, x, y, flags | implied);
        return 0;
    } catch (...) {
        return -1;
    }
}

int vessant_send_key(VessantControl* c, int down, const char* keysym, unsigned flags) {
    if (!c || !keysym) return -1;
    try {
        const unsigned long code = vessant::KeysymFromName(keysym);
        if (code == 0) return -1;
        c->ctrl.OnKey(down != 0, code, flags);
        return 0;
    } catch (...) {
        return -1;
    }
}

int vessant_run_frames(VessantControl* c, int frames) {
    if (!c || frames < 0) return -1;
    try {
        const unsigned target = c->ctrl.FramesDrawn() + static_cast<unsigned>(frames);
        long idle = 0;
        while (c->ctrl.FramesDrawn() < target) {
            const unsigned before = c->ctrl.FramesDrawn();
            if (c->headless) {
                c->headless->AdvanceClock(1000);
            } else {
                if (!c->window->HasWindow()) return -1;
                c->window->ProcessPending();
                pollfd none{-1, 0, 0};
                poll(&none, 0, 1);
            }
            idle = c->ctrl.FramesDrawn() == before ? idle + 1 : 0;
            // Without a frame timer (TargetFrameRate 0) frames come only from repaints.
            if (idle > 2000) {
                c->Host()->Invalidate(true);
                c->Host()->UpdateNow();
                if (c->ctrl.FramesDrawn() == before) return -1;
                idle = 0;
            }
        }
        return 0;
    } catch (...) {
        return -1;
    }
}

int vessant_snapshot_rgba(VessantControl* c, unsigned char* rgba, size_t size, int* width, int* height) {
    if (!c) return -1;
    try {
        vessant::RgbaImage image;
        if (!Render(c, &image)) return -1;
        if (width) *width = image.width;
        if (height) *height = image.height;
        if (!rgba || size < image.pixels.size()) return -1;
        std::memcpy(rgba, image.pixels.data(), image.pixels.size());
        return 0;
    } catch (...) {
        return -1;
    }
}

int vessant_snapshot_png(VessantControl* c, const char* path, char* error, size_t errorSize) {
    if (!c || !path) return -1;
    try {
        vessant::RgbaImage image;
        if (!Render(c, &image)) {
            CopyOut("cannot render the snapshot: no offscreen OpenGL surface", error, errorSize);
            return -1;
        }
        std::string why;
        if (!vessant::WritePng(path, image, &why)) {
            CopyOut(why, error, errorSize);
            return -1;
        }
        return 0;
    } catch (...) {
        return -1;
    }
}

int vessant_status_message(VessantControl* c, char* text, size_t textSize) {
    if (!c) return -1;
    return TextOut(c->ctrl.SplashMessage(), text, textSize);
}

int vessant_describe(char* text, size_t textSize) {
    try {
        return TextOut(vessant::DescribeTypeInformation(), text, textSize);
    } catch (...) {
        return -1;
    }
}

static_assert(VESSANT_S_OK == vessant::hresult::kOk && VESSANT_E_POINTER == vessant::hresult::kPointer &&
                  VESSANT_E_NOINTERFACE == vessant::hresult::kNoInterface && VESSANT_E_FAIL == vessant::hresult::kFail,
              "the C codes are the control's");

unsigned vessant_get_interface_safety_options(VessantControl* c, const char* interfaceName, unsigned* supported,
                                              unsigned* enabled) {
    if (!c) return VESSANT_E_POINTER;
    return c->ctrl.GetInterfaceSafetyOptions(interfaceName, supported, enabled);
}

unsigned vessant_set_interface_safety_options(VessantControl* c, const char* interfaceName, unsigned mask,
                                              unsigned enabled) {
    if (!c) return VESSANT_E_POINTER;
    return c->ctrl.SetInterfaceSafetyOptions(interfaceName, mask, enabled);
}

unsigned vessant_set_host_names(VessantControl* c, const char* application, const char* document) {
    if (!c) return VESSANT_E_POINTER;
    try {
        return c->ctrl.SetHostNames(application, document);
    } catch (...) {
        return VESSANT_E_FAIL;
    }
}

int vessant_get_host_application(VessantControl* c, char* text, size_t textSize) {
    if (!c) return -1;
    return TextOut(c->ctrl.HostApplicationName(), text, textSize);
}

int vessant_get_host_document(VessantControl* c, char* text, size_t textSize) {
    if (!c) return -1;
    return TextOut(c->ctrl.HostDocumentName(), text, textSize);
}

}  // extern "C"
