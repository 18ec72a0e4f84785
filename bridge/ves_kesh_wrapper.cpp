#include "bridge/ves_kesh_wrapper.h"

#include <GL/gl.h>

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <memory>
#include <ostream>

#include "bridge/attribute_wrapper.h"
#include "bridge/emitted_event_handler_impl.h"
#include "bridge/resource_filter_impl.h"
#include "orvan/attrib_dict.h"
#include "orvan/error_report.h"
#include "orvan/keyboard_event.h"
#include "orvan/mouse_event.h"

namespace vessant {

namespace {

using orvan::Vector;
using orvan::VesMatrix;

// The rendering properties the component answers for itself: reads and writes of these names
// reach it through attribute wrappers.
const char* const kComponentOwnedAttributes[] = {
    "AlphaMode",
    "AntiAlias",
    "BlendColor",
    "CullBackFace",
    "Color",
    "DepthTest",
    "LightingEnabled",
    "LineStippleMultiplier",
    "LineStipplePattern",
    "LineWidth",
    "MaterialIndex",
    "PolygonEnd",
    "PolygonMode",
    "PolygonOffset",
    "Shading",
    "TextureIndex",
    "TextureMap",
    "TextureMagFilter",
    "TextureMinFilter",
    "TextureRepeat",
    "Vertices",
    "Normals",
    "TextureCoords",
    "TexturePoints",
};

const orvan::MethodDescriptionRow kWrapperMethods[] = {
    {"", "------ VesKeshWrapper ------", ""},
    {"ChangeKeshInterface(", "void ChangeKeshInterface(KeshInterface1* component)",
     "Replace the Kesh interface object that the VesKeshWrapper is wrapping (deletes current interface object)"},
    {"ChangeKeshInterface(", "void ChangeKeshInterface(KeshInterface1* component, false)",
     "Replace the Kesh interface object that the VesKeshWrapper is wrapping (does not delete current object)"},
    {"DeleteInstance()", "void DeleteInstance()", "Safely delete the VesKeshWrapper instance"},
    {"KeshInterface()", "KeshInterface1* KeshInterface()", "Returns the interface to the Kesh"},
    {nullptr, nullptr, nullptr},
};

// The viewport and matrices handed to the component: copies, so that a component writing
// through the pointers cannot change the player's own, and never null pointers (a missing
// matrix is the identity, a missing viewport all zero).
class ViewRecord {
public:
    ViewRecord(const int* viewport_, const VesMatrix<double, 4>* projection_, const VesMatrix<double, 4>* modelView_) {
        for (int i = 0; i < 4; ++i) viewport[i] = viewport_ != nullptr ? viewport_[i] : 0;
        const VesMatrix<double, 4> identity;
        for (int i = 0; i < 16; ++i) {
            projection[i] = (projection_ != nullptr ? *projection_ : identity).data[i];
            modelView[i] = (modelView_ != nullptr ? *modelView_ : identity).data[i];
        }
        record.viewport = viewport;
        record.projection = projection;
        record.modelView = modelView;
    }
    ViewRecord(const ViewRecord&) = delete;
    ViewRecord& operator=(const ViewRecord&) = delete;

    KeshViewMatrices* Record() { return &record; }

private:
    int viewport[4];
    double projection[16];
    double modelView[16];
    KeshViewMatrices record;
};

void CopyLocation(const orvan::DisplayEvent& from, KeshInterface1::LocationEvent& to) {
    if (const auto* located = dynamic_cast<const orvan::LocationEvent*>(&from)) {
        to.location[0] = located->location.x;
        to.location[1] = located->location.y;
        to.location[2] = located->location.z;
    }
}

// The component's form of a runtime event, by type; null for the types components never get.
// Fields are read only from an event that really has them.
std::unique_ptr<KeshInterface1::Event> ComponentEventFor(const orvan::DisplayEvent& ev) {
    switch (ev.eventType) {
        case orvan::EVENT_MOUSE: {
            auto out = std::make_unique<KeshInterface1::MouseEvent>();
            out->eventSubtype = ev.eventSubtype;
            CopyLocation(ev, *out);
            if (const auto* mouse = dynamic_cast<const orvan::MouseEvent*>(&ev)) {
                out->button = mouse->button;
                out->modifiers = mouse->modifiers;
            }
            return out;
        }
        case orvan::EVENT_KEYBOARD: {
            auto out = std::make_unique<KeshInterface1::KeyboardEvent>();
            out->eventSubtype = ev.eventSubtype;
            CopyLocation(ev, *out);
            if (const auto* key = dynamic_cast<const orvan::KeyboardEvent*>(&ev)) {
                out->keysym = key->keysym;
                out->modifiers = key->modifiers;
            }
            return out;
        }
        case orvan::EVENT_OBJECT: {
            auto out = std::make_unique<KeshInterface1::ObjectEvent>();
            out->eventSubtype = ev.eventSubtype;
            return out;
        }
        case orvan::EVENT_KEYBOARD_UP: {
            auto out = std::make_unique<KeshInterface1::KeyboardEvent>();
            out->eventType = KeshInterface1::KESH_EVENT_KEYBOARD_UP;
            out->eventSubtype = ev.eventSubtype;
            return out;
        }
        default:
            return nullptr;
    }
}

}  // namespace

// --- Lifetime ----------------------------------------------------------------------------------

VesKeshWrapper* VesKeshWrapper::NewWrapper(KeshInterface1* component) { return new VesKeshWrapper(component); }

VesKeshWrapper::VesKeshWrapper(KeshInterface1* component_)
    : ComponentBase(), component(nullptr), emittedEventHandler(new EmittedEventHandlerImpl(this)), failureCount(0) {
    ChangeKeshInterface(component_);
    for (const char* name : kComponentOwnedAttributes) attributes->Remove(orvan::AttributeName(name));
}

VesKeshWrapper::~VesKeshWrapper() {
    emittedEventHandler->Detach();
    KeshInterface1* held = component;
    component = nullptr;
    if (held != nullptr) Guarded("Destroy", [&] { held->Destroy(); });
    for (AttributeWrapper* wrapper : attributeWrappers) delete wrapper;
    delete emittedEventHandler;
}

void VesKeshWrapper::DeleteInstance() { delete this; }

void VesKeshWrapper::ChangeKeshInterface(KeshInterface1* next, bool deleteCurrent) {
    // Destroying the object about to be kept would leave the wrapper holding a freed one.
    if (next == component) return;
    KeshInterface1* previous = component;
    component = next;
    if (deleteCurrent && previous != nullptr) Guarded("Destroy", [&] { previous->Destroy(); });
    if (component != nullptr) {
        Guarded("SetEmittedEventHandler", [&] { component->SetEmittedEventHandler(emittedEventHandler); });
    }
}

void VesKeshWrapper::ReportFailure(const char* operation, const char* reason) noexcept {
    // A component failing every frame would otherwise report thirty times a second.
    if (failureCount++ > 0) return;
    try {
        orvan::ShowError("The component failed in %s: %s", operation, reason != nullptr ? reason : "");
    } catch (...) {
    }
}

// --- Attributes and resources ------------------------------------------------------------------

bool VesKeshWrapper::ComponentAttribute(const char* name, std::string* text) {
    text->clear();
    if (component == nullptr || name == nullptr) return false;
    return Guarded("GetAttribute", [&] {
        const char* answer = component->GetAttribute(name);
        if (answer != nullptr) text->assign(answer);
    });
}

std::string VesKeshWrapper::AttributeStatus() {
    std::string status;
    ComponentAttribute(kKeshAttributeStatusQuery, &status);
    return status;
}

void VesKeshWrapper::SetComponentAttribute(const char* name, const std::string& text) {
    if (component == nullptr || name == nullptr) return;
    Guarded("SetAttribute", [&] { component->SetAttribute(name, text.c_str()); });
}

orvan::OrvanAttributeBase* VesKeshWrapper::Resource(const char* name) {
    if (name == nullptr || name[0] == '\0') return &orvan::OrvanEmptyAttribute::Instance();
    if (std::strchr(name, '.') == nullptr && attributes != nullptr) {
        orvan::AttributeName key;
        if (orvan::AttributeName::Existing(name, &key)) {
            if (orvan::OrvanAttributeBase* own = attributes->Get(key)) return own;
        }
    }
    return WrapperFor(name);
}

AttributeWrapper* VesKeshWrapper::WrapperFor(const char* fullName) {
    const auto found = wrapperByName.find(fullName);
    if (found != wrapperByName.end()) return found->second;
    auto wrapper = std::make_unique<AttributeWrapper>(this, fullName);
    attributeWrappers.push_back(wrapper.get());
    wrapperByName.emplace(fullName, wrapper.get());
    return wrapper.release();
}

void VesKeshWrapper::GetResources(std::ostream& out, orvan::VesResourceFilter* filter) {
    if (component == nullptr) return;
    std::string text;
    Guarded("GetResources", [&] {
        VesKesh1_ResourceFilterImpl exposed(filter);
        const char* answer = component->GetResources(filter != nullptr ? &exposed : nullptr);
        if (answer != nullptr) text.assign(answer);
    });
    out << text;
}

void VesKeshWrapper::WriteResources(std::ostream& os, orvan::VesResourceFilter* filter) { GetResources(os, filter); }

orvan::MethodDescriptionList* VesKeshWrapper::GetMethodDescriptions(orvan::MethodDescriptionList* list) {
    if (list == nullptr) list = new orvan::MethodDescriptionList;
    list->AppendTable(kWrapperMethods);
    return ComponentBase::GetMethodDescriptions(list);
}

// --- Frame passes ------------------------------------------------------------------------------

void VesKeshWrapper::Calculate(double time) {
    if (component != nullptr) Guarded("Calculate", [&] { component->Calculate(time); });
}

void VesKeshWrapper::PreDraw(const orvan::ViewMatrices& parentMatrices, orvan::FrustumCuller& culler) {
    if (!visible) return;
    PrepareGroupForDraw(parentMatrices, culler);
    if (component == nullptr) return;
    ViewRecord record(viewport != nullptr ? viewport : parentMatrices.viewport,
                      projectionMatrix != nullptr ? projectionMatrix : parentMatrices.projection,
                      modelViewMatrix != nullptr ? modelViewMatrix : parentMatrices.modelView);
    // The component gets the flag's value, not the player's culler to change.
    bool cullTest = culler.enabled;
    Guarded("PreDraw", [&] { component->PreDraw(record.Record(), &cullTest); });
}

void VesKeshWrapper::Draw() {
    if (component == nullptr || DrawSkipped()) return;
    SetupLighting();
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    const bool pushed = PushTransform();
    if (!Guarded("Draw", [&] { component->Draw(); })) {
        // A component that failed half way may have left matrices pushed; the next objects and
        // frames must find the stack as it was.
        glMatrixMode(GL_MODELVIEW);
        GLint now = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &now);
        for (const GLint wanted = depth + (pushed ? 1 : 0); now > wanted; --now) glPopMatrix();
    }
    if (pushed) glPopMatrix();
    // Lighting is undone like every other object's, so it does not leak into what follows.
    RestoreLighting();
}

// --- Input and events --------------------------------------------------------------------------

orvan::DisplayObject* VesKeshWrapper::HandleFrameEvent(orvan::DisplayEvent* ev) {
    if (ev == nullptr) return nullptr;
    std::unique_ptr<KeshInterface1::Event> translated = ComponentEventFor(*ev);
    if (translated == nullptr || component == nullptr) return nullptr;
    bool consumed = false;
    Guarded("HandleInput", [&] { consumed = component->HandleInput(translated.get()); });
    return consumed ? this : nullptr;
}

orvan::DisplayObject* VesKeshWrapper::HandleEvent(orvan::DisplayEvent* ev) {
    if (HandleFrameEvent(ev) != nullptr) return this;
    return ComponentBase::HandleEvent(ev);
}

orvan::DisplayObject* VesKeshWrapper::Pick3D(const Vector& winLocation, const Vector& origin, float scale,
                                             const Vector& direction, Vector& hitPoint,
                                             const orvan::ViewMatrices& parentMatrices) {
    if (component == nullptr) return nullptr;
    ViewRecord record(parentMatrices.viewport, parentMatrices.projection, parentMatrices.modelView);
    bool hit = false;
    Guarded("Pick3D", [&] {
        hit = component->Pick3D(&winLocation.x, &origin.x, scale, &direction.x, &hitPoint.x, record.Record());
    });
    return hit ? this : nullptr;
}

// --- Extents -----------------------------------------------------------------------------------

bool VesKeshWrapper::ComponentExtents(float minimum[3], float maximum[3]) {
    if (component == nullptr) return false;
    bool filled = false;
    Guarded("GetExtents", [&] { filled = component->GetExtents(minimum, maximum, nullptr); });
    return filled;
}

void VesKeshWrapper::GetExtents(float& x, float& y, float& z, float& x2, float& y2, float& z2) {
    float lo[3], hi[3];
    if (ComponentExtents(lo, hi)) {
        x = lo[0], y = lo[1], z = lo[2], x2 = hi[0], y2 = hi[1], z2 = hi[2];
    } else {
        x = x2 = location.x;
        y = y2 = location.y;
        z = z2 = location.z;
    }
}

void VesKeshWrapper::GetTransformedExtents(Vector& min, Vector& max, const VesMatrix<double, 4>& /*m*/,
                                           bool resetMinMax) {
    if (resetMinMax) {
        min = Vector(FLT_MAX, FLT_MAX, FLT_MAX);
        max = Vector(-FLT_MAX, -FLT_MAX, -FLT_MAX);
    }
    float lo[3], hi[3];
    GetExtents(lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
    min = Vector(std::min(min.x, lo[0]), std::min(min.y, lo[1]), std::min(min.z, lo[2]));
    max = Vector(std::max(max.x, hi[0]), std::max(max.y, hi[1]), std::max(max.z, hi[2]));
}

// The sphere's centre is kept relative to the location, as every object keeps it; without an
// answer from the component the sphere is the location itself.
void VesKeshWrapper::UpdateBoundingVolume() {
    float centre[3] = {0.0f, 0.0f, 0.0f};
    float radius = 0.0f;
    bool filled = false;
    if (component != nullptr)
        Guarded("GetBoundingSphere", [&] { filled = component->GetBoundingSphere(centre, &radius); });
    boundingCenter = filled ? Vector(centre[0], centre[1], centre[2]) : Vector();
    boundingRadius = filled ? radius : 0.0f;
}

void VesKeshWrapper::RecalculateBoundingBox() {
    if (vertices == nullptr || vertexCount < 8) {
        delete[] vertices;
        vertices = new orvan::Vertex[8];
        ResizeNormals(vertexCount, 8);
        vertexCount = 8;
    }
    float x0, y0, z0, x1, y1, z1;
    GetExtents(x0, y0, z0, x1, y1, z1);
    const Vector corners[8] = {Vector(x0, y0, z0), Vector(x1, y0, z0), Vector(x1, y1, z0), Vector(x0, y1, z0),
                               Vector(x0, y0, z1), Vector(x1, y0, z1), Vector(x1, y1, z1), Vector(x0, y1, z1)};
    // Vertices are stored relative to the location, as in every object.
    for (unsigned int i = 0; i < 8; ++i) vertices[i].Position() = corners[i] - location.Position();
    if (parentGroup != nullptr) parentGroup->RecalculateBoundingBox();
    UpdateBoundingVolume();
}

// --- Copying -----------------------------------------------------------------------------------

orvan::DisplayObject* VesKeshWrapper::CloneObject(bool generateNames) {
    KeshInterface1* copy = nullptr;
    if (component != nullptr) Guarded("CloneObject", [&] { copy = component->CloneObject(); });
    VesKeshWrapper* clone = NewWrapper(copy);
    if (generateNames) clone->GenerateInstanceName();
    return clone;
}

}  // namespace vessant
