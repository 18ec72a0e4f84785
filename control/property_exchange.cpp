#include "control/property_exchange.h"

#include <cstring>

#include "control/property_bag.h"
#include "control/property_table.h"
#include "control/tessary_ctrl.h"

namespace vessant {
namespace {

// The persisted properties in their fixed order, under their names in the file. Two differ from
// their dispatch names only in case ("depthFactor", "AbsolutePlacement"), and a property is found
// by name in any case. Defaults are those of a new ControlProperties, but for the placement flag.
constexpr const char* kPersisted[] = {
    "scaleX", "scaleY", "offsetX", "offsetY", "offsetZ", "maintainAspect", "perspective", "FieldOfView", "depthFactor",
    "UseExtents", "AbsolutePlacement", "TargetFrameRate", "EyePoint", "UseContainerBackground", "DrawBackground",
    "BackgroundColor", "ComponentFileName", "ClassName", "InitialAttribs",
};
constexpr const char* kPlacementName = "AbsolutePlacement";

}  // namespace

bool ExchangeProperties(CTessaryCtrl& ctrl, PropertyBag& bag, bool loading, std::string* error) {
    if (!loading) {
        for (const char* name : kPersisted) {
            const PropertyInfo& info = *FindProperty(name);
            bag.Set(name, ValueText(info.type, info.read(ctrl.Properties())), info.type == PropertyType::String);
        }
        return true;
    }
    // Loading reads into a copy and refuses the whole set at the first value that does not parse,
    // so a load never drops a stored value silently and a refused set changes nothing.
    const ControlProperties defaults;
    ControlProperties p = ctrl.Properties();
    for (const char* name : kPersisted) {
        const PropertyInfo& info = *FindProperty(name);
        PropertyValue value = info.read(defaults);
        if (std::strcmp(name, kPlacementName) == 0) value.flag = !p.useExtents;  // TRUE when the UseExtents just read is FALSE
        const char* expected = "";
        if (bag.Has(name) && !ParseValue(info.type, bag.Get(name), &value, &expected)) {
            if (error)
                *error = bag.Source() + ":" + std::to_string(bag.LineOf(name)) + ": property " + name +
                         " " + expected + ", not '" + bag.Get(name) + "'";
            return false;
        }
        info.write(p, value);
    }
    ctrl.Properties() = p;
    ctrl.LoadComponent();
    return true;
}

}  // namespace vessant
