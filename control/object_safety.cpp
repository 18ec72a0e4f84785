#include "control/object_safety.h"

#include <cstring>

#include "control/tessary_ctrl.h"

namespace vessant {

std::uint32_t SafetyOptionsOf(const char* interfaceName) {
    if (!interfaceName) return 0;
    if (std::strcmp(interfaceName, "IDispatch") == 0) return kSafeForUntrustedCaller;
    for (const char* persistence : {"IPersistPropertyBag", "IPersistStreamInit", "IPersistStorage", "IPersistMemory"})
        if (std::strcmp(interfaceName, persistence) == 0) return kSafeForUntrustedData;
    return 0;
}

std::uint32_t QueryInterfaceSafety(const char* interfaceName, std::uint32_t* supported, std::uint32_t* enabled) {
    if (!interfaceName || !supported || !enabled) return hresult::kPointer;
    *supported = kSafeForUntrustedCaller | kSafeForUntrustedData;
    *enabled = SafetyOptionsOf(interfaceName);
    // Nothing is left unwritten: a caller that ignores the code still reads "not enabled".
    return *enabled != 0 ? hresult::kOk : hresult::kNoInterface;
}

std::uint32_t RequestInterfaceSafety(const char* interfaceName, std::uint32_t mask, std::uint32_t enabled) {
    if (!interfaceName) return hresult::kPointer;
    if (mask == 0 && enabled == 0) return hresult::kOk;
    const std::uint32_t options = SafetyOptionsOf(interfaceName);
    return options != 0 && mask == options && enabled == options ? hresult::kOk : hresult::kFail;
}

std::uint32_t CTessaryCtrl::GetInterfaceSafetyOptions(const char* interfaceName, std::uint32_t* supported,
                                                      std::uint32_t* enabled) const {
    return QueryInterfaceSafety(interfaceName, supported, enabled);
}

std::uint32_t CTessaryCtrl::SetInterfaceSafetyOptions(const char* interfaceName, std::uint32_t mask,
                                                      std::uint32_t enabled) {
    return RequestInterfaceSafety(interfaceName, mask, enabled);
}

std::uint32_t CTessaryCtrl::SetHostNames(const char* containerApp, const char* containerObject) {
    // Either name may be absent: a container need not name its document.
    m_hostApplication = containerApp ? containerApp : "";
    m_hostDocument = containerObject ? containerObject : "";
    return hresult::kOk;
}

}  // namespace vessant
