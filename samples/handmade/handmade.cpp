// A component written by hand against the contract alone: no runtime, plain OpenGL 1.x, and a
// different compiler from the player's. It draws a button (a square with a white border, its
// fill set by the attribute "Color") and a lamp beside it. A left press on the button emits the
// object event ("button", "Click", "pressed"); the space bar switches the lamp and emits
// ("lamp", "Toggle", "on" or "off"). It hit-tests by itself, with the matrices of its last
// pre-draw.
//
// Attributes: "Color" (red green blue alpha, 0 to 255), "Lamp" (1 or 0), "Presses" (read only).
// Laid out in a 100 x 100 square from the origin.
//
// It also answers the two view queries of an eye point named "handEye", as a host that chooses
// that eye point asks them: the model-view is the identity and the projection maps one unit to
// one pixel from the lower left corner, whatever the window's size.
#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "bridge/kesh_interface1.h"

namespace {

constexpr float kButtonMin = 10.0f;
constexpr float kButtonMax = 70.0f;
constexpr float kBorder = 3.0f;
constexpr float kLampMin = 76.0f;
constexpr float kLampMax = 94.0f;
constexpr float kSize = 100.0f;
constexpr int kKeysymSpace = 0x20;
constexpr unsigned short kMouseDown = 0;
constexpr unsigned char kLeftButton = 1;
constexpr const char* kEyeModelView = "handEye.GetModelViewMatrix";
constexpr const char* kEyeProjection = "handEye.GetProjectionMatrix";

struct Rgba {
    unsigned char r, g, b, a;
};

const Rgba kBorderColor = {255, 255, 255, 255};
const Rgba kLampOff = {64, 64, 64, 255};
const Rgba kLampOn = {255, 255, 0, 255};

void Quad(float x0, float y0, float x1, float y1, const Rgba& c) {
    glColor4ub(c.r, c.g, c.b, c.a);
    glBegin(GL_QUADS);
    glVertex3f(x0, y0, 0.0f);
    glVertex3f(x1, y0, 0.0f);
    glVertex3f(x1, y1, 0.0f);
    glVertex3f(x0, y1, 0.0f);
    glEnd();
}

bool Inside(float x, float y, float lo, float hi) { return x >= lo && x <= hi && y >= lo && y <= hi; }

unsigned char Channel(int v) { return static_cast<unsigned char>(v < 0 ? 0 : v > 255 ? 255 : v); }

// The host's viewport and matrices, kept from the last pre-draw (the host's own are valid only
// during the call).
struct View {
    bool valid = false;
    int viewport[4] = {0, 0, 0, 0};
    double projection[16] = {};
    double modelView[16] = {};

    void Take(const KeshViewMatrices* m) {
        valid = m != nullptr && m->viewport != nullptr && m->projection != nullptr && m->modelView != nullptr;
        if (!valid) return;
        std::memcpy(viewport, m->viewport, sizeof viewport);
        std::memcpy(projection, m->projection, sizeof projection);
        std::memcpy(modelView, m->modelView, sizeof modelView);
    }

    // The point of the plane z = 0 under the window position (x, y up from the bottom).
    bool Unproject(float wx, float wy, float* ox, float* oy) const {
        if (!valid || viewport[2] <= 0 || viewport[3] <= 0) return false;
        double m[16];  // projection · model-view, column-major
        for (int c = 0; c < 4; ++c) {
            for (int r = 0; r < 4; ++r) {
                double sum = 0.0;
                for (int k = 0; k < 4; ++k) sum += projection[k * 4 + r] * modelView[c * 4 + k];
                m[c * 4 + r] = sum;
            }
        }
        const double nx = (wx - viewport[0]) / viewport[2] * 2.0 - 1.0;
        const double ny = (wy - viewport[1]) / viewport[3] * 2.0 - 1.0;
        // nx·w = row0·p and ny·w = row1·p with p = (x, y, 0, 1) and w = row3·p: two linear
        // equations in x and y, for orthographic and perspective views alike.
        const double a11 = m[0] - nx * m[3], a12 = m[4] - nx * m[7], b1 = nx * m[15] - m[12];
        const double a21 = m[1] - ny * m[3], a22 = m[5] - ny * m[7], b2 = ny * m[15] - m[13];
        const double det = a11 * a22 - a12 * a21;
        if (std::fabs(det) < 1e-12) return false;
        *ox = static_cast<float>((b1 * a22 - a12 * b2) / det);
        *oy = static_cast<float>((a11 * b2 - b1 * a21) / det);
        return true;
    }
};

class Handmade final : public KeshInterface1 {
public:
    Handmade() = default;

    void Calculate(double /*time*/) override {}

    void PreDraw(KeshViewMatrices* matrices, bool* /*cullTest*/) override { view_.Take(matrices); }

    void Draw() override {
        glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_POLYGON_BIT);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        Quad(kButtonMin, kButtonMin, kButtonMax, kButtonMax, kBorderColor);
        Quad(kButtonMin + kBorder, kButtonMin + kBorder, kButtonMax - kBorder, kButtonMax - kBorder, color_);
        Quad(kLampMin, kLampMin, kLampMax, kLampMax, lampOn_ ? kLampOn : kLampOff);
        glPopAttrib();
    }

    void SetAttribute(const char* name, const char* value) override {
        if (name == nullptr || value == nullptr) return;
        if (std::strcmp(name, "Color") == 0) {
            int r = 0, g = 0, b = 0, a = 255;
            if (std::sscanf(value, "%d %d %d %d", &r, &g, &b, &a) >= 3) {
                color_ = Rgba{Channel(r), Channel(g), Channel(b), Channel(a)};
            }
        } else if (std::strcmp(name, "Lamp") == 0) {
            int on = 0;
            if (std::sscanf(value, "%d", &on) == 1) lampOn_ = on != 0;
        } else if (std::strcmp(name, kEyeProjection) == 0) {
            int width = 0, height = 0;
            if (std::sscanf(value, "%d %d", &width, &height) == 2 && width > 0 && height > 0) {
                eyeWidth_ = width;
                eyeHeight_ = height;
            }
        }
    }

    const char* GetAttribute(const char* name) override {
        attribute_[0] = '\0';
        if (name == nullptr) return attribute_;
        if (std::strcmp(name, "Color") == 0) {
            std::snprintf(attribute_, sizeof attribute_, "%d %d %d %d", color_.r, color_.g, color_.b, color_.a);
        } else if (std::strcmp(name, "Lamp") == 0) {
            std::snprintf(attribute_, sizeof attribute_, "%d", lampOn_ ? 1 : 0);
        } else if (std::strcmp(name, "Presses") == 0) {
            std::snprintf(attribute_, sizeof attribute_, "%u", presses_);
        } else if (std::strcmp(name, kEyeModelView) == 0) {
            std::snprintf(attribute_, sizeof attribute_, "1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1 ");
        } else if (std::strcmp(name, kEyeProjection) == 0) {
            // Row by row: glOrtho(0, width, 0, height, -1, 1).
            std::snprintf(attribute_, sizeof attribute_, "%.11g 0 0 -1 0 %.11g 0 -1 0 0 -1 0 0 0 0 1 ",
                          2.0 / eyeWidth_, 2.0 / eyeHeight_);
        }
        return attribute_;
    }

    const char* GetResources(ResourceFilter* filter) override {
        try {
            resources_.clear();
            const bool namesOnly = filter != nullptr && filter->NamesOnly();
            for (const char* name : {"Color", "Lamp", "Presses"}) {
                if (filter != nullptr && !filter->Accepts(name)) continue;
                resources_ += name;
                if (!namesOnly) {
                    resources_ += ": ";
                    resources_ += GetAttribute(name);
                }
                resources_ += '\n';
            }
        } catch (...) {
            resources_.clear();
        }
        return resources_.c_str();
    }

    bool HandleInput(Event* event) override {
        if (event == nullptr) return false;
        if (event->eventType == KESH_EVENT_MOUSE) {
            const auto* mouse = static_cast<const MouseEvent*>(event);
            float x = 0.0f, y = 0.0f;
            if (!view_.Unproject(mouse->location[0], mouse->location[1], &x, &y)) return false;
            if (!Inside(x, y, kButtonMin, kButtonMax)) return false;
            if (mouse->eventSubtype == kMouseDown && (mouse->button & kLeftButton) != 0) {
                ++presses_;
                Emit("button", "Click", "pressed");
            }
            return true;
        }
        if (event->eventType == KESH_EVENT_KEYBOARD) {
            const auto* key = static_cast<const KeyboardEvent*>(event);
            if (key->keysym != kKeysymSpace) return false;
            lampOn_ = !lampOn_;
            Emit("lamp", "Toggle", lampOn_ ? "on" : "off");
            return true;
        }
        return false;
    }

    void SetEmittedEventHandler(EmittedEventHandler* handler) override { handler_ = handler; }

    bool Pick3D(const float* winLocation, const float* /*origin*/, float /*scale*/, const float* /*direction*/,
                float* hitPoint, KeshViewMatrices* matrices) override {
        if (winLocation == nullptr || hitPoint == nullptr) return false;
        View at;
        at.Take(matrices);
        float x = 0.0f, y = 0.0f;
        if (!at.Unproject(winLocation[0], winLocation[1], &x, &y)) return false;
        if (!Inside(x, y, kButtonMin, kButtonMax) && !Inside(x, y, kLampMin, kLampMax)) return false;
        hitPoint[0] = x;
        hitPoint[1] = y;
        hitPoint[2] = 0.0f;
        return true;
    }

    bool GetBoundingSphere(float* centre, float* radius) override {
        if (centre == nullptr || radius == nullptr) return false;
        centre[0] = centre[1] = kSize * 0.5f;
        centre[2] = 0.0f;
        *radius = kSize * 0.5f * std::sqrt(2.0f);
        return true;
    }

    bool GetExtents(float* minimum, float* maximum, void* /*reserved*/) override {
        if (minimum == nullptr || maximum == nullptr) return false;
        minimum[0] = minimum[1] = minimum[2] = 0.0f;
        maximum[0] = maximum[1] = kSize;
        maximum[2] = 0.0f;
        return true;
    }

    // The copy starts without a handler: its host registers one.
    KeshInterface1* CloneObject() override {
        Handmade* copy = new (std::nothrow) Handmade;
        if (copy == nullptr) return nullptr;
        copy->color_ = color_;
        copy->lampOn_ = lampOn_;
        return copy;
    }

    void Destroy() override { delete this; }

private:
    ~Handmade() = default;

    void Emit(const char* initiator, const char* name, const char* data) {
        if (handler_ == nullptr) return;
        try {
            ObjectEvent event;
            event.InitiatorName(initiator);
            event.EventName(name);
            event.EventData(data);
            handler_->HandleEvent(&event);
        } catch (...) {
            // Nothing crosses back into the host; an event that could not be built is lost.
        }
    }

    Rgba color_ = {0, 0, 255, 255};
    bool lampOn_ = false;
    unsigned presses_ = 0;
    View view_;
    EmittedEventHandler* handler_ = nullptr;
    int eyeWidth_ = 1;
    int eyeHeight_ = 1;
    char attribute_[256] = {};
    std::string resources_;
};

}  // namespace

KESH_EXPORT KeshInterface1* CreateKeshInterface1_Handmade() { return new (std::nothrow) Handmade; }

KESH_EXPORT const char* VesDefaultClassName() { return "Handmade"; }

KESH_EXPORT const KeshBuiltVersion* GetVesBuiltVersionInfo() {
    static const KeshBuiltVersion built = {kKeshVersionMajor, kKeshVersionMinor, kKeshVersionBuild};
    return &built;
}
