#pragma once

#include "orvan/display_frame.h"
#include "orvan/group.h"

namespace orvan {

class DisplayEvent;
class LocationEvent;
struct MethodDescriptionRow;

// A group that is also the frame of its own subtree: a self-contained part with its own
// palette, materials, lights and focus, which can itself sit in another frame's tree.
// Generated components derive from it.
class ComponentBase : public Group, public DisplayFrame {
 public:
  ComponentBase();
  ~ComponentBase() override;

  using DisplayFrame::GetResources;
  using DisplayObject::Location;
  using DisplayObject::Parent;
  using DisplayObject::SetValue;

  // Group slots, overridden.
  void RegisterAttributes(unsigned int groups) override;
  MethodDescriptionList* GetMethodDescriptions(MethodDescriptionList* list) override;
  void ReleaseMethodDescriptions(MethodDescriptionList* list) override;
  void Draw() override;
  // The children are in component-local coordinates and follow through the transformation, so
  // moving a component changes only its own location; the children are not translated.
  void Location(float x, float y, float z) override;
  void Location(const Vertex& v) override;
  // f is the frame the component sits in; the component's own children keep this component as
  // their frame.
  void Parent(DisplayFrame* f) override;
  DisplayObject* Pick3D(const Vector& winLocation, const Vector& origin, float scale,
                        const Vector& direction, Vector& hitPoint, const ViewMatrices& parentMatrices) override;
  void PreDraw(const ViewMatrices& parentMatrices, FrustumCuller& culler) override;
  // Like the frame's look-up, but a simple name is looked for in the frame's attributes first,
  // then in the object's.
  OrvanAttributeBase* Resource(const char* name) override;
  void GetResources(std::ostream& out, VesResourceFilter* filter) override;
  void UpdateTransform() override;
  // 38: absolute placement (one int); 39: the component matrix (16 doubles, column-major).
  void SetValue(int property, va_list& args) override;

  // DisplayFrame slots, overridden.
  void NotifyOuterFrame() override;
  void ClearDragAndFocus() override;

  // Slots appended by ComponentBase.
  // Builds the component's objects; generated components fill it in.
  /* 133 */ virtual void Initialize();
  // Routes an input event inside the component; returns the object that handled it, or null.
  /* 134 */ virtual DisplayObject* HandleFrameEvent(DisplayEvent* ev);
  // Generated code calls this after creating all children: the children get this frame, and
  // the location moves to the first corner of the box around them (unless placed absolutely)
  // without moving them.
  /* 135 */ virtual void FinishConstruction();
  // Runs after FinishConstruction in generated code; nothing here.
  /* 136 */ virtual void PostInitialize();
  // Returns UseParentsLighting state
  /* 137 */ virtual bool UseParentsLighting();
  // Sets whether to use lights from parent
  /* 138 */ virtual void UseParentsLighting(bool on);

  DisplayFrame* OuterFrame() const { return outerFrame; }
  bool AbsolutePlacement() const { return absolutePlacement; }
  void AbsolutePlacement(bool on) { absolutePlacement = on; }
  const VesMatrixAffine<double>& ComponentMatrix() const { return componentMatrix; }
  void ComponentMatrix(const VesMatrix<double, 4>& m);

  // The property behind "EmptyStaticImageList": always false; true empties the shared list.
  bool EmptyStaticImageList();
  void EmptyStaticImageList(bool on);

 protected:
  // The second half of a generated component's CloneObject: copy (a new instance of the same
  // class) is registered, placed and built as this one was, then takes its properties.
  DisplayObject* FinishClone(ComponentBase* copy, bool generateNames);
  // A generated component's GetMethodDescriptions: its own table ahead of the base's.
  MethodDescriptionList* DescribeMethods(MethodDescriptionList* list, const MethodDescriptionRow* table);

  // The picking step of the routing: the object under the event's window position and the
  // hit point in window coordinates. Null until the window ray can be carried into component
  // coordinates.
  DisplayObject* PickEventTarget(LocationEvent& ev, Vector& hitPoint);
  // Hands the event to hit (which may be null), sending the leave and enter notifications
  // first when the focus moves; hit becomes the focus object.
  DisplayObject* RouteToHitObject(DisplayObject* hit, DisplayEvent* ev);

  DisplayFrame* outerFrame;
  bool absolutePlacement;
  VesMatrixAffine<double> componentMatrix;
};

// The component whose tree encloses object: for a component the one it sits in, for any other
// object the component that is its frame; null when there is none.
ComponentBase* EnclosingComponent(const DisplayObject* object);

}  // namespace orvan
