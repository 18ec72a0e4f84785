#pragma once
// Late-bound access to the control's properties by dispatch id and by name, with values as text.

#include <string>

namespace vessant {

class CTessaryCtrl;

enum class PropertyType { Float, Bool, Short, String, Color, UnsignedLong, Long };

// Dispatch ids the player treats specially (the ones that start a component load).
constexpr int kDispIdComponentFileNameAlias = 0;
constexpr int kDispIdComponentFileName = 12;
constexpr int kDispIdClassName = 13;

struct PropertyInfo {
    int dispId;
    const char* name;
    PropertyType type;
    bool readOnly;
};

// Every property of the dispatch interface, in dispatch-id order (the hidden default value last).
const PropertyInfo* FindProperty(const std::string& name);
const PropertyInfo* FindProperty(int dispId);
const PropertyInfo* PropertiesBegin();
const PropertyInfo* PropertiesEnd();

// Reads a property as text; false when the name is unknown.
bool GetPropertyText(const CTessaryCtrl& ctrl, const PropertyInfo& info, std::string* value);
// Parses the text and sets the property through the control's setter, so its on-set behaviour runs.
// Booleans: TRUE/FALSE/1/0 in any case; colours and numbers: decimal or 0x hexadecimal.
bool SetPropertyText(CTessaryCtrl& ctrl, const PropertyInfo& info, const std::string& value, std::string* error);

}  // namespace vessant
