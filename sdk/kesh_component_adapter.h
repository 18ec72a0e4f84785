#pragma once
// The component side of the binary contract: any component built on the runtime (a
// ComponentBase subclass) exposed as a KeshInterface1, so that a host loads it from a library
// and reaches it only through the contract. Each operation is forwarded to the runtime; the
// object events the component's objects emit (which bubble up to the component's parent group)
// go to the host's handler as contract events. No exception leaves an operation.

#include <memory>
#include <string>

#include "bridge/kesh_interface1.h"

namespace orvan {

class ComponentBase;
class DisplayEvent;
class DisplayObject;
class Group;

class KeshComponentAdapter final : public KeshInterface1 {
public:
    // Takes the component (null gives null). Null too when the adapter cannot be made; the
    // component is freed then.
    static KeshInterface1* Adopt(ComponentBase* component) noexcept;

    // Constructs a C, builds it with Initialize() and adopts it; null when that throws. What each
    // "CreateKeshInterface1_" export of a component library returns.
    template <class C>
    static KeshInterface1* Create() noexcept {
        try {
            std::unique_ptr<C> component(new C);
            component->Initialize();
            return Adopt(component.release());
        } catch (...) {
            return nullptr;
        }
    }

    void Calculate(double time) override;
    void PreDraw(KeshViewMatrices* matrices, bool* cullTest) override;
    void Draw() override;
    void SetAttribute(const char* name, const char* value) override;
    const char* GetAttribute(const char* name) override;
    const char* GetResources(ResourceFilter* filter) override;
    bool HandleInput(Event* event) override;
    void SetEmittedEventHandler(EmittedEventHandler* handler) override;
    bool Pick3D(const float* winLocation, const float* origin, float scale, const float* direction, float* hitPoint,
                KeshViewMatrices* matrices) override;
    bool GetBoundingSphere(float* centre, float* radius) override;
    bool GetExtents(float* minimum, float* maximum, void* reserved) override;
    KeshInterface1* CloneObject() override;
    void Destroy() override;

    ComponentBase* Component() const { return component; }

private:
    explicit KeshComponentAdapter(ComponentBase* component);
    ~KeshComponentAdapter();
    KeshComponentAdapter(const KeshComponentAdapter&) = delete;
    KeshComponentAdapter& operator=(const KeshComponentAdapter&) = delete;

    // The callback of the component's parent group: object events leave the component here.
    int ForwardObjectEvent(DisplayObject* sender, DisplayEvent* ev);
    bool Dispatch(DisplayEvent* ev);

    template <typename Call>
    bool Guarded(const char* operation, Call&& call) noexcept;
    void ReportFailure(const char* operation, const char* reason) noexcept;

    ComponentBase* component;  // owned
    Group* host;               // owned; the component's parent group
    EmittedEventHandler* handler;
    std::string attributeText;    // what GetAttribute returned last
    std::string attributeStatus;  // why the last GetAttribute or SetAttribute failed; empty when it did not
    std::string resourceText;   // what GetResources returned last
    bool failureReported;
};

}  // namespace orvan
