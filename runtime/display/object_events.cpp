// An object's event entry: its callback sees mouse events in its own coordinates.
#include <cmath>

#include "orvan/callback_method_caller.h"
#include "orvan/display_event.h"
#include "orvan/display_object.h"
#include "orvan/group.h"
#include "orvan/view_matrices.h"

namespace orvan {

namespace {

// The pick ray of the event's window position in the object's coordinates becomes the event's
// location and direction; objectPoint is where the ray meets the plane z = 0 of the object's
// DCS system, relative to the logical rotation point. False (event untouched) without a view.
bool CarryRayIntoObject(const DisplayObject& object, LocationEvent& ev, const Vector& pivot,
                        const VesMatrix<double, 4>& dcs) {
  const ViewMatrices none;
  Vector origin, direction;
  if (!object.WindowToObject(ev.location, origin, &direction, none)) return false;
  ev.location = origin;
  ev.direction = direction;
  const VesMatrix<double, 4> toDcs = dcs.Inverse();
  const Vector o = toDcs.TransformPoint(origin - pivot);
  const Vector d = toDcs.TransformDirection(direction);
  ev.objectPoint = std::fabs(d.z) > 1e-12f ? o + d * (-o.z / d.z) : o;
  return true;
}

}  // namespace

// The object's callback sees the event first; what it leaves unhandled bubbles up the groups.
DisplayObject* DisplayObject::HandleEvent(DisplayEvent* ev) {
  if (callbackCaller != nullptr) {
    LocationEvent* located = ev != nullptr && ev->IsMouse() ? dynamic_cast<LocationEvent*>(ev) : nullptr;
    LocationEvent arrived;
    if (located != nullptr) {
      arrived = *located;
      CarryRayIntoObject(*this, *located, location.Position() + rotationPoint.Position(), dcsMatrix);
    }
    if (callbackCaller->Call(this, ev) != 0) return this;
    // The parent converts from the window position again, not from this object's coordinates.
    if (located != nullptr) {
      located->location = arrived.location;
      located->direction = arrived.direction;
      located->objectPoint = arrived.objectPoint;
    }
  }
  return parentGroup != nullptr ? parentGroup->HandleEvent(ev) : nullptr;
}

}  // namespace orvan
