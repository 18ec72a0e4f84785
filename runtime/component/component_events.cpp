// Input routing inside a component: the focus object keeps what continues an interaction, and
// everything else goes to the object under the pointer, with leave and enter notifications
// when that object changes.
#include "orvan/component_base.h"
#include "orvan/display_event.h"
#include "orvan/keyboard_event.h"
#include "orvan/mouse_event.h"
#include "orvan/view_matrices.h"

namespace orvan {

namespace {

bool ContinuesInteraction(const DisplayEvent& ev) {
  if (ev.IsKeyboard()) return true;
  return ev.IsMouse() && (ev.eventSubtype == MOUSE_UP || ev.eventSubtype == MOUSE_DRAG);
}

// Each receiver converts a location event into its own coordinates; the next one must start
// again from the window coordinates the event arrived with.
class EventPosition {
 public:
  explicit EventPosition(DisplayEvent* ev) : located(dynamic_cast<LocationEvent*>(ev)) {
    if (located != nullptr) saved = *located;
  }
  void Restore() {
    if (located == nullptr) return;
    located->location = saved.location;
    located->direction = saved.direction;
    located->objectPoint = saved.objectPoint;
  }
  const LocationEvent* Saved() const { return located != nullptr ? &saved : nullptr; }

 private:
  LocationEvent* located;
  LocationEvent saved;
};

// Sends leave or enter to object. A mouse event carries the notification itself, its subtype
// rewritten for the moment; any other event gets a mouse event of its own at the same place,
// so that no receiver sees a keyboard event claiming to be a mouse event.
void Notify(DisplayObject* object, DisplayEvent* ev, unsigned short subtype, EventPosition& position) {
  position.Restore();
  if (ev->IsMouse()) {
    ev->eventSubtype = subtype;
    object->HandleEvent(ev);
    return;
  }
  MouseEvent note(subtype, 0);
  if (const LocationEvent* at = position.Saved()) {
    note.location = at->location;
    note.direction = at->direction;
  }
  if (const KeyboardEvent* key = dynamic_cast<const KeyboardEvent*>(ev)) note.modifiers = key->modifiers;
  object->HandleEvent(&note);
}

}  // namespace

DisplayObject* ComponentBase::HandleFrameEvent(DisplayEvent* ev) {
  if (ev == nullptr) return nullptr;
  LocationEvent* located = dynamic_cast<LocationEvent*>(ev);
  if (ev->IsMouse() && located != nullptr) located->location.z = lastPickDepth;
  if (focusObject != nullptr && ContinuesInteraction(*ev)) return focusObject->HandleEvent(ev);
  // Only events at a position can find an object under it.
  if (located == nullptr) return nullptr;
  Vector hitPoint;
  DisplayObject* hit = PickEventTarget(*located, hitPoint);
  return RouteToHitObject(hit, ev);
}

DisplayObject* ComponentBase::PickEventTarget(LocationEvent& ev, Vector& hitPoint) {
  const ViewMatrices matrices(viewport, projectionMatrix, modelViewMatrix);
  // The event's window ray in the component's coordinates, those its children are placed in.
  Vector origin, direction;
  if (!WindowToObject(ev.location, origin, &direction, matrices)) return nullptr;
  // An object returned without a test keeps the depth the event arrived with.
  hitPoint = ev.location;
  DisplayObject* hit = Pick3D(ev.location, origin, 1.0f, direction, hitPoint, matrices);
  if (hit != nullptr) {
    ev.location.z = hitPoint.z;
    lastPickDepth = hitPoint.z;
  }
  return hit;
}

DisplayObject* ComponentBase::RouteToHitObject(DisplayObject* hit, DisplayEvent* ev) {
  if (hit != focusObject) {
    const unsigned short arrived = ev->eventSubtype;
    EventPosition position(ev);
    if (focusObject != nullptr) Notify(focusObject, ev, MOUSE_LEAVE, position);
    if (hit != nullptr) Notify(hit, ev, MOUSE_ENTER, position);
    ev->eventSubtype = arrived;
    position.Restore();
  }
  focusObject = hit;
  return hit != nullptr ? hit->HandleEvent(ev) : nullptr;
}

void ComponentBase::ClearDragAndFocus() {
  if (focusObject != nullptr) {
    MouseEvent leave(MOUSE_LEAVE, 0);
    leave.location.z = lastPickDepth;
    focusObject->HandleEvent(&leave);
  }
  focusObject = nullptr;
  secondObject = nullptr;
  if (outerFrame != nullptr && outerFrame != static_cast<DisplayFrame*>(this)) outerFrame->ClearDragAndFocus();
}

}  // namespace orvan
