#pragma once

#include "orvan/callback_method_caller.h"

namespace orvan {
namespace testing_support {

// A notification callback that counts its calls into a counter shared by its clones, so a
// test can see the notifications of the clone an attribute keeps.
class CountingCallback : public CallbackMethodCallerBase {
 public:
  explicit CountingCallback(int* counter_) : counter(counter_) {}
  int Call(DisplayObject*, DisplayEvent*) override { return 0; }
  void Call(void*, void*) override {}
  void Call() override { ++*counter; }
  CallbackMethodCallerBase* Clone() const override { return new CountingCallback(counter); }

 private:
  int* counter;
};

}  // namespace testing_support
}  // namespace orvan
