#pragma once
// The control's answers to a container that asks whether it is safe for scripting: the rule
// table of the safety query, by interface name, with the codes a container expects.

#include <cstdint>

namespace vessant {

namespace hresult {
constexpr std::uint32_t kOk = 0;
constexpr std::uint32_t kPointer = 0x80004003;      // E_POINTER
constexpr std::uint32_t kNoInterface = 0x80004002;  // E_NOINTERFACE
constexpr std::uint32_t kFail = 0x80004005;         // E_FAIL
}  // namespace hresult

constexpr std::uint32_t kSafeForUntrustedCaller = 1;
constexpr std::uint32_t kSafeForUntrustedData = 2;

// The safety options the control answers for an interface ("IDispatch", "IPersistPropertyBag",
// "IPersistStreamInit", "IPersistStorage", "IPersistMemory"); 0 for any other name.
std::uint32_t SafetyOptionsOf(const char* interfaceName);

// The safety query: *supported gets both options, *enabled those of the interface. A null
// argument gives kPointer; an interface without options gives kNoInterface and *enabled 0.
std::uint32_t QueryInterfaceSafety(const char* interfaceName, std::uint32_t* supported, std::uint32_t* enabled);

// A container asking the control to be safe: kOk for mask and enabled both 0, or both equal to
// the interface's options; kFail otherwise (kPointer for a null name).
std::uint32_t RequestInterfaceSafety(const char* interfaceName, std::uint32_t mask, std::uint32_t enabled);

}  // namespace vessant
