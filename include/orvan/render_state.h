#pragma once

namespace orvan {

// Puts OpenGL into the state every object's drawing steps expect; the rendering host calls it
// with false before each frame. With pushAttributes the previous state is pushed first.
void ResetRenderState(bool pushAttributes);

}  // namespace orvan
