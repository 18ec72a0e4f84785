#include "sdk/kesh_component_adapter.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <sstream>

#include "orvan/attribute_base.h"
#include "orvan/attribute_file_path.h"
#include "orvan/attribute_string.h"
#include "orvan/text_codec.h"
#include "orvan/ves_prop_string.h"
#include "orvan/callback_method_caller.h"
#include "orvan/component_base.h"
#include "orvan/group.h"
#include "orvan/keyboard_event.h"
#include "orvan/mouse_event.h"
#include "orvan/log_sink.h"
#include "orvan/object_event.h"
#include "orvan/orvan_exception.h"
#include "orvan/resource_filter.h"
#include "orvan/view_matrices.h"

namespace orvan {

namespace {

// Attributes whose value is the rest of one line (or a marked block).
bool ReadsTextLine(const OrvanAttributeBase* attribute) {
  return dynamic_cast<const OrvanAttributeEncodedStdString*>(attribute) != nullptr ||
         dynamic_cast<const OrvanAttributeString*>(attribute) != nullptr ||
         dynamic_cast<const OrvanAttribute<VesPropString>*>(attribute) != nullptr ||
         dynamic_cast<const OrvanAttributeFilePathClass*>(attribute) != nullptr;
}


// The host's viewport and matrices as the runtime's record. The values are copied: the host's
// pointers are valid only during the call, and the runtime's record must not outlive them.
class HostView {
public:
    explicit HostView(const KeshViewMatrices* matrices) {
        if (matrices == nullptr) return;
        if (matrices->viewport != nullptr) {
            for (int i = 0; i < 4; ++i) viewportValues[i] = matrices->viewport[i];
            view.viewport = viewportValues;
        }
        if (matrices->projection != nullptr) {
            projection = VesMatrix<double, 4>(matrices->projection);
            view.projection = &projection;
        }
        if (matrices->modelView != nullptr) {
            modelView = VesMatrix<double, 4>(matrices->modelView);
            view.modelView = &modelView;
        }
    }
    HostView(const HostView&) = delete;
    HostView& operator=(const HostView&) = delete;

    const ViewMatrices& View() const { return view; }

private:
    int viewportValues[4] = {0, 0, 0, 0};
    VesMatrix<double, 4> projection;
    VesMatrix<double, 4> modelView;
    ViewMatrices view;
};

Vector VectorOf(const float* v) { return Vector(v[0], v[1], v[2]); }

void SetLocation(LocationEvent& to, const KeshInterface1::LocationEvent& from) {
    to.location = Vector(from.location[0], from.location[1], from.location[2]);
}

}  // namespace

// --- Lifetime ----------------------------------------------------------------------------------

KeshInterface1* KeshComponentAdapter::Adopt(ComponentBase* component) noexcept {
    if (component == nullptr) return nullptr;
    try {
        return new KeshComponentAdapter(component);
    } catch (...) {
        delete component;
        return nullptr;
    }
}

KeshComponentAdapter::KeshComponentAdapter(ComponentBase* component_)
    : component(component_), host(nullptr), handler(nullptr), failureReported(false) {
    std::unique_ptr<Group> parent(new Group(false));
    parent->CallbackCaller(
        new CallbackMethodCallerTemplate<KeshComponentAdapter>(this, &KeshComponentAdapter::ForwardObjectEvent));
    parent->InsertObject(component, true, false);
    host = parent.release();
}

KeshComponentAdapter::~KeshComponentAdapter() {
    try {
        host->Objects().RemoveAt(0);
        delete component;
        delete host;
    } catch (...) {
        ReportFailure("Destroy", "the component failed while being destroyed");
    }
}

void KeshComponentAdapter::Destroy() { delete this; }

KeshInterface1* KeshComponentAdapter::CloneObject() {
    KeshInterface1* clone = nullptr;
    Guarded("CloneObject", [&] {
        DisplayObject* copy = component->CloneObject(false);
        ComponentBase* copiedComponent = dynamic_cast<ComponentBase*>(copy);
        if (copiedComponent == nullptr) {
            delete copy;
            return;
        }
        clone = Adopt(copiedComponent);
    });
    return clone;
}

// --- Failures ----------------------------------------------------------------------------------

template <typename Call>
bool KeshComponentAdapter::Guarded(const char* operation, Call&& call) noexcept {
    try {
        call();
        return true;
    } catch (const std::exception& e) {
        ReportFailure(operation, e.what());
    } catch (const OrvanException& e) {
        ReportFailure(operation, e.Message());
    } catch (...) {
        ReportFailure(operation, "unknown exception");
    }
    return false;
}

// The log sink (standard error in a component) rather than the runtime's alert box: a component must not open a modal dialog
// of its own inside the host, and once is enough for a failure that repeats every frame.
void KeshComponentAdapter::ReportFailure(const char* operation, const char* reason) noexcept {
    if (failureReported) return;
    failureReported = true;
    orvan::LogPrintf("Vessant component: %s failed: %s\n", operation, reason != nullptr ? reason : "");
}

// --- Frame passes ------------------------------------------------------------------------------

void KeshComponentAdapter::Calculate(double time) {
    Guarded("Calculate", [&] { component->Calculate(time); });
}

void KeshComponentAdapter::PreDraw(KeshViewMatrices* matrices, bool* cullTest) {
    Guarded("PreDraw", [&] {
        HostView host(matrices);
        FrustumCuller culler(cullTest != nullptr && *cullTest);
        if (culler.enabled) culler.FromMatrices(host.View());
        component->PreDraw(host.View(), culler);
    });
}

void KeshComponentAdapter::Draw() {
    Guarded("Draw", [&] { component->Draw(); });
}

// --- Attributes and resources ------------------------------------------------------------------

void KeshComponentAdapter::SetAttribute(const char* name, const char* value) {
    attributeStatus.clear();
    if (name == nullptr) return;
    const std::string text = value != nullptr ? value : "";
    Guarded("SetAttribute", [&] {
        OrvanAttributeBase* attribute = component->Resource(name);
        if (IsEmptyAttribute(attribute)) {
            attributeStatus = std::string("no attribute ") + name;
            return;
        }
        // The player hands a multi-line value over without its block markers: a text attribute
        // needs them back to read past the first line; arrays read their lines as they come.
        if (!ReadValueFromText(*attribute, ReadsTextLine(attribute) ? LiteralTextLine(text) : text))
            attributeStatus = std::string("attribute ") + name + " cannot read '" + text + "'";
    });
}

const char* KeshComponentAdapter::GetAttribute(const char* name) {
    if (name != nullptr && std::strcmp(name, kKeshAttributeStatusQuery) == 0) return attributeStatus.c_str();
    attributeText.clear();
    attributeStatus.clear();
    if (name == nullptr) return "";
    const bool answered = Guarded("GetAttribute", [&] {
        OrvanAttributeBase* attribute = component->Resource(name);
        if (IsEmptyAttribute(attribute)) {
            attributeStatus = std::string("no attribute ") + name;
            return;
        }
        std::ostringstream out;
        attribute->WriteValue(out);
        attributeText = out.str();
    });
    if (!answered) attributeText.clear();
    return attributeText.c_str();
}

const char* KeshComponentAdapter::GetResources(ResourceFilter* filter) {
    resourceText.clear();
    const bool written = Guarded("GetResources", [&] {
        std::ostringstream text;
        if (filter == nullptr) {
            component->WriteResources(text, nullptr);
        } else {
            VesResourceFilter own;
            own.QualificationLevels(filter->Depth());
            own.LevelsDown(filter->Levels());
            own.NamesOnly(filter->NamesOnly());
            for (unsigned i = 0, n = filter->ExcludedNameCount(); i < n; ++i) {
                if (const char* name = filter->ExcludedName(i)) own.Exclude(name);
            }
            for (unsigned i = 0, n = filter->IncludedNameCount(); i < n; ++i) {
                if (const char* name = filter->IncludedName(i)) own.Include(name);
            }
            component->WriteResources(text, &own);
        }
        resourceText = text.str();
    });
    if (!written) resourceText.clear();
    return resourceText.c_str();
}

// --- Input and events --------------------------------------------------------------------------

bool KeshComponentAdapter::HandleInput(Event* event) {
    if (event == nullptr) return false;
    bool consumed = false;
    Guarded("HandleInput", [&] {
        switch (event->eventType) {
            case KESH_EVENT_MOUSE: {
                const auto& in = *static_cast<const MouseEvent*>(event);
                orvan::MouseEvent ev(in.eventSubtype, in.button, in.modifiers);
                SetLocation(ev, in);
                consumed = Dispatch(&ev);
                break;
            }
            case KESH_EVENT_KEYBOARD:
            case KESH_EVENT_KEYBOARD_UP: {
                const auto& in = *static_cast<const KeyboardEvent*>(event);
                orvan::KeyboardEvent ev(in.eventType, in.keysym, 0, in.modifiers);
                ev.eventSubtype = in.eventSubtype;
                SetLocation(ev, in);
                consumed = Dispatch(&ev);
                break;
            }
            case KESH_EVENT_OBJECT: {
                const auto& in = *static_cast<const ObjectEvent*>(event);
                orvan::ObjectEvent ev(component, in.eventName, in.eventData);
                ev.eventSubtype = in.eventSubtype;
                consumed = Dispatch(&ev);
                break;
            }
            default:
                break;
        }
    });
    return consumed;
}

bool KeshComponentAdapter::Dispatch(DisplayEvent* ev) { return component->HandleFrameEvent(ev) != nullptr; }

void KeshComponentAdapter::SetEmittedEventHandler(EmittedEventHandler* handler_) { handler = handler_; }

int KeshComponentAdapter::ForwardObjectEvent(DisplayObject* /*sender*/, DisplayEvent* ev) {
    auto* emitted = dynamic_cast<orvan::ObjectEvent*>(ev);
    if (emitted == nullptr) return 0;
    if (handler == nullptr) return 1;
    ObjectEvent out;
    out.eventSubtype = emitted->eventSubtype;
    out.InitiatorName(emitted->initiator != nullptr ? emitted->initiator->InstanceName() : "");
    out.EventName(emitted->eventName);
    out.EventData(emitted->eventData);
    // The host's handler answers on its side; nothing it throws may unwind through the runtime.
    Guarded("the emitted event", [&] { handler->HandleEvent(&out); });
    return 1;
}

// --- Geometry ----------------------------------------------------------------------------------

bool KeshComponentAdapter::Pick3D(const float* winLocation, const float* origin, float scale, const float* direction,
                                  float* hitPoint, KeshViewMatrices* matrices) {
    if (winLocation == nullptr || origin == nullptr || direction == nullptr || hitPoint == nullptr) return false;
    bool hit = false;
    Guarded("Pick3D", [&] {
        HostView host(matrices);
        Vector point = VectorOf(hitPoint);
        hit = component->Pick3D(VectorOf(winLocation), VectorOf(origin), scale, VectorOf(direction), point,
                                host.View()) != nullptr;
        if (hit) {
            hitPoint[0] = point.x;
            hitPoint[1] = point.y;
            hitPoint[2] = point.z;
        }
    });
    return hit;
}

// The centre in the host's coordinates of the component, which are those its location is in.
bool KeshComponentAdapter::GetBoundingSphere(float* centre, float* radius) {
    if (centre == nullptr || radius == nullptr) return false;
    return Guarded("GetBoundingSphere", [&] {
        const Vector c = component->Location().Position() + component->BoundingCenter();
        centre[0] = c.x;
        centre[1] = c.y;
        centre[2] = c.z;
        *radius = component->BoundingRadius();
    });
}

bool KeshComponentAdapter::GetExtents(float* minimum, float* maximum, void* /*reserved*/) {
    if (minimum == nullptr || maximum == nullptr) return false;
    return Guarded("GetExtents", [&] {
        component->GetExtents(minimum[0], minimum[1], minimum[2], maximum[0], maximum[1], maximum[2]);
    });
}

}  // namespace orvan
