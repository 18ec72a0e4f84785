#include "orvan/display_event.h"

namespace orvan {

LocationEvent::LocationEvent() : DisplayEvent() { BindReferences(); }

LocationEvent::LocationEvent(const LocationEvent& other)
    : DisplayEvent(other), location(other.location), direction(other.direction), objectPoint(other.objectPoint) {
  BindReferences();
}

LocationEvent& LocationEvent::operator=(const LocationEvent& other) {
  DisplayEvent::operator=(other);
  location = other.location;
  direction = other.direction;
  objectPoint = other.objectPoint;
  return *this;
}

void LocationEvent::BindReferences() {
  x = &location.x;
  y = &location.y;
  z = &location.z;
  directionX = &direction.x;
  directionY = &direction.y;
  directionZ = &direction.z;
  objectX = &objectPoint.x;
  objectY = &objectPoint.y;
  objectZ = &objectPoint.z;
}

}  // namespace orvan
