#include "orvan/object_event.h"

#include <cstring>

#include "orvan/display_object.h"
#include "orvan/group.h"

namespace orvan {

namespace {

char* CopyOf(const char* text) {
  const std::size_t length = std::strlen(text);
  char* copy = new char[length + 1];
  std::memcpy(copy, text, length + 1);
  return copy;
}

}  // namespace

ObjectEvent::ObjectEvent(DisplayObject* initiator_, const char* name, const char* data)
    : DisplayEvent(EVENT_OBJECT, 0),
      initiator(initiator_),
      eventName(CopyOf(name != nullptr ? name : "")),
      eventData(data != nullptr ? CopyOf(data) : nullptr) {}

ObjectEvent::~ObjectEvent() {
  delete[] eventName;
  delete[] eventData;
}

DisplayObject* EmitObjectEvent(DisplayObject* initiator, const char* name, const char* data) {
  if (initiator == nullptr || initiator->ParentGroup() == nullptr) return nullptr;
  ObjectEvent event(initiator, name, data);
  return initiator->ParentGroup()->HandleEvent(&event);
}

}  // namespace orvan
