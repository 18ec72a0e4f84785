#pragma once

#include "orvan/dynamic_array.h"

namespace orvan {

class DisplayObject;

// The children of a group, in drawing order. The group holds plain pointers: the array never
// deletes what it points at.
class DisplayObjectArray : public DynamicArray<DisplayObject*> {};

}  // namespace orvan
