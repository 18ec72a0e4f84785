#pragma once
// A component object, reached only through the binary contract, placed in the scene graph as an
// ordinary component. Every request the runtime makes of the node crosses to the object; every
// call is guarded, so a component that throws loses that answer (reported once) and never takes
// the host down. Texts the object returns are copied before anything else calls into it.

#include <exception>
#include <iosfwd>
#include <string>
#include <unordered_map>
#include <vector>

#include "bridge/kesh_interface1.h"
#include "orvan/component_base.h"
#include "orvan/orvan_exception.h"

namespace vessant {

class AttributeWrapper;
class EmittedEventHandlerImpl;

class VesKeshWrapper : public orvan::ComponentBase {
public:
    // The player's only way of creating a wrapper; component may be null.
    static VesKeshWrapper* NewWrapper(KeshInterface1* component);

    explicit VesKeshWrapper(KeshInterface1* component);
    // Destroys the component object first, so that anything it emits on the way out still finds
    // a whole wrapper (and is dropped), then the attribute wrappers and the handler.
    ~VesKeshWrapper() override;

    using orvan::DisplayFrame::GetResources;
    using orvan::DisplayFrame::WriteResources;
    using orvan::DisplayObject::SetValue;

    // Destroys the held object when deleteCurrent, then registers the handler with the new one.
    // Giving the object already held changes nothing.
    void ChangeKeshInterface(KeshInterface1* component, bool deleteCurrent = true);
    KeshInterface1* KeshInterface() const { return component; }
    // The initiator name of the last event the component emitted; "" before the first.
    const char* EmittedInitiatorName() const { return emittedInitiatorName.c_str(); }

    // Reads a value of the component by name into *text; false (and *text empty) without a
    // component or when the call failed.
    bool ComponentAttribute(const char* name, std::string* text);
    void SetComponentAttribute(const char* name, const std::string& text);
    // Why the component's last GetAttribute or SetAttribute failed; empty when it did not or the
    // component cannot tell.
    std::string AttributeStatus();
    // The handler records the initiator of each event it bubbles up.
    void EmittedInitiatorName(const char* name) { emittedInitiatorName = name != nullptr ? name : ""; }

    // Runs call; an exception it throws is caught here, reported once per wrapper, and gives false.
    template <typename Call>
    bool Guarded(const char* operation, Call&& call) noexcept {
        try {
            call();
            return true;
        } catch (const std::exception& e) {
            ReportFailure(operation, e.what());
        } catch (const orvan::OrvanException& e) {
            ReportFailure(operation, e.Message());
        } catch (...) {
            ReportFailure(operation, "unknown exception");
        }
        return false;
    }
    unsigned FailureCount() const { return failureCount; }

    // DisplayObject slots.
    orvan::OrvanAttributeBase* Resource(const char* name) override;
    void GetResources(std::ostream& out, orvan::VesResourceFilter* filter) override;
    orvan::MethodDescriptionList* GetMethodDescriptions(orvan::MethodDescriptionList* list) override;
    void Calculate(double time) override;
    void PreDraw(const orvan::ViewMatrices& parentMatrices, orvan::FrustumCuller& culler) override;
    void Draw() override;
    orvan::DisplayObject* HandleEvent(orvan::DisplayEvent* ev) override;
    orvan::DisplayObject* Pick3D(const orvan::Vector& winLocation, const orvan::Vector& origin, float scale,
                                 const orvan::Vector& direction, orvan::Vector& hitPoint,
                                 const orvan::ViewMatrices& parentMatrices) override;
    void GetExtents(float& x, float& y, float& z, float& x2, float& y2, float& z2) override;
    void GetTransformedExtents(orvan::Vector& min, orvan::Vector& max, const orvan::VesMatrix<double, 4>& m,
                               bool resetMinMax) override;
    void UpdateBoundingVolume() override;
    orvan::DisplayObject* CloneObject(bool generateNames = false) override;

    // Rendering properties, mirrored to the component under their attribute names.
    int AlphaMode() override;
    void AlphaMode(int mode) override;
    void AntiAlias(bool on) override;
    bool AntiAlias() override;
    void SetBlendColor(const orvan::vesColor& c) override;
    orvan::vesColor GetBlendColor() override;
    orvan::vesColor GetColor() override;
    void SetColor(const orvan::vesColor& c) override;
    int CullBackFace() override;
    void CullBackFace(int mode) override;
    void DepthTest(int mode) override;
    int DepthTest() override;
    void LightingEnabled(bool on) override;
    bool LightingEnabled() override;
    void LineStippleMultiplier(int multiplier) override;
    int LineStippleMultiplier() override;
    void LineStipplePattern(int pattern) override;
    int LineStipplePattern() override;
    void LineWidth(float width) override;
    float LineWidth() override;
    void MaterialIndex(int index) override;
    int MaterialIndex() override;
    void PolygonOffset(int offset) override;
    int PolygonOffset() override;
    void PolygonEnd(int end) override;
    int PolygonEnd() override;
    void PolygonMode(int mode) override;
    int PolygonMode() override;
    void Shading(int mode) override;
    int Shading() override;
    void TextureIndex(int index) override;
    int TextureIndex() override;
    void TextureRepeat(int repeat) override;
    int TextureRepeat() override;
    void TextureMappingTechnique(int technique) override;
    int TextureMappingTechnique() override;
    void TextureMagnificationFilter(int filter) override;
    int TextureMagnificationFilter() override;
    void TextureMinificationFilter(int filter) override;
    int TextureMinificationFilter() override;

    // Group slot: the component's box as the wrapper's eight corners.
    void RecalculateBoundingBox() override;

    // DisplayFrame slot: the frame's resource writing reaches the component too.
    void WriteResources(std::ostream& os, orvan::VesResourceFilter* filter) override;

    // ComponentBase slot: the event goes to the component, which does its own hit testing.
    orvan::DisplayObject* HandleFrameEvent(orvan::DisplayEvent* ev) override;

    /* 139 */ virtual void DeleteInstance();

private:
    // The component's box; false without a component or when it has none.
    bool ComponentExtents(float minimum[3], float maximum[3]);
    AttributeWrapper* WrapperFor(const char* fullName);
    void ReportFailure(const char* operation, const char* reason) noexcept;

    template <typename T>
    void Mirror(const char* name, const T& value);
    template <typename T>
    T Mirrored(const char* name, T own);
    template <typename EnumAttribute, typename Storage>
    int MirroredEnum(const char* name, int own);

    KeshInterface1* component;
    std::vector<AttributeWrapper*> attributeWrappers;
    std::unordered_map<std::string, AttributeWrapper*> wrapperByName;
    EmittedEventHandlerImpl* emittedEventHandler;
    std::string emittedInitiatorName;
    unsigned failureCount;
};

}  // namespace vessant
