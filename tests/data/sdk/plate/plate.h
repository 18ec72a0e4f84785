#pragma once

#include "orvan/component_base.h"

// A green plate filling its 100 x 100 design area.
class Plate : public orvan::ComponentBase {
 public:
  void Initialize() override;
};
