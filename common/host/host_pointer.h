#pragma once
// The pointer and keyboard state the control asks its host for.

namespace vessant {

class HostPointer {
public:
    virtual ~HostPointer() = default;
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    // kMkShift and kMkControl as they are now.
    virtual unsigned ModifierState() const = 0;
    // Moves the pointer to the client point, clicks the left button there, moves it back.
    virtual void SyntheticClick(int x, int y) = 0;
};

}  // namespace vessant
