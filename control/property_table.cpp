#include "control/property_table.h"

#include <strings.h>

#include <cstdint>
#include <type_traits>
#include <utility>

#include "control/tessary_ctrl.h"

namespace vessant {
namespace {

using Type = PropertyType;
using P = ControlProperties;
using C = CTessaryCtrl;

// A value holding v in the member its type uses, and back.
template <typename T>
PropertyValue ValueOf(const T& v) {
    PropertyValue value;
    if constexpr (std::is_same_v<T, bool>)
        value.flag = v;
    else if constexpr (std::is_same_v<T, float>)
        value.number = v;
    else if constexpr (std::is_same_v<T, std::string>)
        value.text = v;
    else
        value.whole = static_cast<long long>(v);
    return value;
}
template <typename T>
T As(const PropertyValue& v) {
    if constexpr (std::is_same_v<T, bool>)
        return v.flag;
    else if constexpr (std::is_same_v<T, float>)
        return v.number;
    else if constexpr (std::is_same_v<T, std::string>)
        return v.text;
    else
        return static_cast<T>(v.whole);
}

// A stored property: a field of ControlProperties, set through the control's setter.
template <auto Field, auto Set>
constexpr PropertyInfo Stored(int dispId, const char* name, Type type, bool namesComponent = false,
                              const char* description = nullptr) {
    using T = std::remove_reference_t<decltype(std::declval<P&>().*Field)>;
    return {dispId,
            name,
            type,
            [](const C& c) { return ValueOf(c.Properties().*Field); },
            [](C& c, const PropertyValue& v) { (c.*Set)(As<T>(v)); },
            [](const P& p) { return ValueOf(p.*Field); },
            [](P& p, const PropertyValue& v) { p.*Field = As<T>(v); },
            namesComponent,
            description};
}

constexpr bool kNamesComponent = true;

const PropertyInfo kProperties[] = {
    Stored<&P::scaleX, &C::SetScaleX>(1, "scaleX", Type::Float),
    Stored<&P::scaleY, &C::SetScaleY>(2, "scaleY", Type::Float),
    Stored<&P::offsetX, &C::SetOffsetX>(3, "offsetX", Type::Float),
    Stored<&P::offsetY, &C::SetOffsetY>(4, "offsetY", Type::Float),
    Stored<&P::maintainAspect, &C::SetMaintainAspect>(5, "maintainAspect", Type::Bool),
    Stored<&P::perspective, &C::SetPerspective>(6, "perspective", Type::Bool),
    Stored<&P::depthFactor, &C::SetDepthFactor>(7, "DepthFactor", Type::Float),
    Stored<&P::offsetZ, &C::SetOffsetZ>(8, "offsetZ", Type::Float),
    Stored<&P::setSizeX, &C::SetSizeX>(9, "setSizeX", Type::Short),
    Stored<&P::setSizeY, &C::SetSizeY>(10, "setSizeY", Type::Short),
    Stored<&P::fieldOfView, &C::SetFieldOfView>(11, "FieldOfView", Type::Float),
    Stored<&P::componentFileName, &C::SetComponentFileName>(12, "ComponentFileName", Type::String, kNamesComponent),
    Stored<&P::className, &C::SetClassName>(13, "ClassName", Type::String, kNamesComponent),
    Stored<&P::useExtents, &C::SetUseExtents>(14, "UseExtents", Type::Bool),
    Stored<&P::absolutePlacement, &C::SetAbsolutePlacement>(15, "absolutePlacement", Type::Bool),
    Stored<&P::eyePoint, &C::SetEyePoint>(16, "EyePoint", Type::String),
    Stored<&P::useContainerBackground, &C::SetUseContainerBackground>(17, "UseContainerBackground", Type::Bool),
    Stored<&P::backgroundColor, &C::SetBackgroundColor>(18, "BackgroundColor", Type::Color),
    // The two accessor properties ask the control itself.
    {19, "Visibility", Type::Bool, [](const C& c) { return ValueOf(c.Visibility()); },
     [](C& c, const PropertyValue& v) { c.Visibility(v.flag); }, nullptr, nullptr, false, nullptr},
    {23, "ControlPointer", Type::Long, [](const C& c) { return ValueOf(c.ControlPointer()); }, nullptr, nullptr,
     nullptr, false, nullptr},
    Stored<&P::initialAttribs, &C::SetInitialAttribs>(24, "InitialAttribs", Type::String),
    Stored<&P::targetFrameRate, &C::SetTargetFrameRate>(25, "TargetFrameRate", Type::UnsignedLong, false,
                                                        "property TargetFrameRate"),
    Stored<&P::drawBackground, &C::SetDrawBackground>(26, "DrawBackground", Type::Bool, false,
                                                      "property DrawBackground"),
    Stored<&P::componentFileName, &C::SetComponentFileName>(kDispIdComponentFileNameAlias, "_ComponentFileName",
                                                            Type::String, kNamesComponent),
};

}  // namespace

const PropertyInfo* PropertiesBegin() { return kProperties; }
const PropertyInfo* PropertiesEnd() { return kProperties + sizeof kProperties / sizeof kProperties[0]; }

const PropertyInfo* FindProperty(const std::string& name) {
    for (const PropertyInfo* p = PropertiesBegin(); p != PropertiesEnd(); ++p)
        if (strcasecmp(p->name, name.c_str()) == 0) return p;
    return nullptr;
}

const PropertyInfo* FindProperty(int dispId) {
    for (const PropertyInfo* p = PropertiesBegin(); p != PropertiesEnd(); ++p)
        if (p->dispId == dispId) return p;
    return nullptr;
}

std::string GetPropertyText(const CTessaryCtrl& ctrl, const PropertyInfo& info) {
    return ValueText(info.type, info.get(ctrl));
}

bool SetPropertyText(CTessaryCtrl& ctrl, const PropertyInfo& info, const std::string& value, std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error) *error = std::string("property ") + info.name + ": " + what + " '" + value + "'";
        return false;
    };
    if (info.ReadOnly()) return fail("cannot be set");
    PropertyValue parsed;
    const char* expected = "";
    if (!ParseValue(info.type, value, &parsed, &expected)) return fail(std::string(expected) + ", not");
    info.set(ctrl, parsed);
    return true;
}

}  // namespace vessant
