#pragma once
// The control's properties as one table: each row is one property of the dispatch interface with
// its id, type and the functions that read and set it. The player's --set, script set/get, the
// C interface, the property set file and the type information all go through these rows.

#include <string>

#include "control/control_properties.h"
#include "control/property_values.h"

namespace vessant {

class CTessaryCtrl;

// The hidden default value of the dispatch interface (the same property as ComponentFileName).
constexpr int kDispIdComponentFileNameAlias = 0;

struct PropertyInfo {
    int dispId;
    const char* name;
    PropertyType type;
    // The value now.
    PropertyValue (*get)(const CTessaryCtrl&);
    // Sets it through the control's setter, so its on-set behaviour runs; null when read-only.
    void (*set)(CTessaryCtrl&, const PropertyValue&);
    // The stored field itself, without on-set behaviour, for a property set exchanged as a whole;
    // null for the accessor properties (Visibility, ControlPointer).
    PropertyValue (*read)(const ControlProperties&);
    void (*write)(ControlProperties&, const PropertyValue&);
    // Setting it names the component to load (the file or the class).
    bool namesComponent;
    // The type library's description, or null.
    const char* description;

    bool ReadOnly() const { return set == nullptr; }
};

// Every property of the dispatch interface, in dispatch-id order (the hidden default value last).
const PropertyInfo* PropertiesBegin();
const PropertyInfo* PropertiesEnd();
// By name in any case, or by dispatch id; null when there is none.
const PropertyInfo* FindProperty(const std::string& name);
const PropertyInfo* FindProperty(int dispId);

// The property's value as text.
std::string GetPropertyText(const CTessaryCtrl& ctrl, const PropertyInfo& info);
// Parses the text in the property's form and sets it through its row; false with
// "property NAME: ..." when read-only or when the text does not parse.
bool SetPropertyText(CTessaryCtrl& ctrl, const PropertyInfo& info, const std::string& value, std::string* error);

}  // namespace vessant
