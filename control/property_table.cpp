#include "control/property_table.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "control/property_values.h"
#include "control/tessary_ctrl.h"

namespace vessant {
namespace {

const PropertyInfo kProperties[] = {
    {1, "scaleX", PropertyType::Float, false},
    {2, "scaleY", PropertyType::Float, false},
    {3, "offsetX", PropertyType::Float, false},
    {4, "offsetY", PropertyType::Float, false},
    {5, "maintainAspect", PropertyType::Bool, false},
    {6, "perspective", PropertyType::Bool, false},
    {7, "DepthFactor", PropertyType::Float, false},
    {8, "offsetZ", PropertyType::Float, false},
    {9, "setSizeX", PropertyType::Short, false},
    {10, "setSizeY", PropertyType::Short, false},
    {11, "FieldOfView", PropertyType::Float, false},
    {12, "ComponentFileName", PropertyType::String, false},
    {13, "ClassName", PropertyType::String, false},
    {14, "UseExtents", PropertyType::Bool, false},
    {15, "absolutePlacement", PropertyType::Bool, false},
    {16, "EyePoint", PropertyType::String, false},
    {17, "UseContainerBackground", PropertyType::Bool, false},
    {18, "BackgroundColor", PropertyType::Color, false},
    {19, "Visibility", PropertyType::Bool, false},
    {23, "ControlPointer", PropertyType::Long, true},
    {24, "InitialAttribs", PropertyType::String, false},
    {25, "TargetFrameRate", PropertyType::UnsignedLong, false},
    {26, "DrawBackground", PropertyType::Bool, false},
    {0, "_ComponentFileName", PropertyType::String, false},
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

bool GetPropertyText(const CTessaryCtrl& ctrl, const PropertyInfo& info, std::string* value) {
    const ControlProperties& p = ctrl.Properties();
    switch (info.dispId) {
        case 1: *value = FloatText(p.scaleX); return true;
        case 2: *value = FloatText(p.scaleY); return true;
        case 3: *value = FloatText(p.offsetX); return true;
        case 4: *value = FloatText(p.offsetY); return true;
        case 5: *value = p.maintainAspect ? "TRUE" : "FALSE"; return true;
        case 6: *value = p.perspective ? "TRUE" : "FALSE"; return true;
        case 7: *value = FloatText(p.depthFactor); return true;
        case 8: *value = FloatText(p.offsetZ); return true;
        case 9: *value = std::to_string(p.setSizeX); return true;
        case 10: *value = std::to_string(p.setSizeY); return true;
        case 11: *value = FloatText(p.fieldOfView); return true;
        case 0:
        case 12: *value = p.componentFileName; return true;
        case 13: *value = p.className; return true;
        case 14: *value = p.useExtents ? "TRUE" : "FALSE"; return true;
        case 15: *value = p.absolutePlacement ? "TRUE" : "FALSE"; return true;
        case 16: *value = p.eyePoint; return true;
        case 17: *value = p.useContainerBackground ? "TRUE" : "FALSE"; return true;
        case 18: *value = std::to_string(p.backgroundColor); return true;
        case 19: *value = ctrl.Visibility() ? "TRUE" : "FALSE"; return true;
        case 23: *value = std::to_string(ctrl.ControlPointer()); return true;
        case 24: *value = p.initialAttribs; return true;
        case 25: *value = std::to_string(p.targetFrameRate); return true;
        case 26: *value = p.drawBackground ? "TRUE" : "FALSE"; return true;
        default: return false;
    }
}

bool SetPropertyText(CTessaryCtrl& ctrl, const PropertyInfo& info, const std::string& value, std::string* error) {
    auto fail = [&](const char* what) {
        if (error) *error = std::string("property ") + info.name + ": " + what + " '" + value + "'";
        return false;
    };
    if (info.readOnly) return fail("cannot be set");
    bool b = false;
    float f = 0.0f;
    short s = 0;
    unsigned long u = 0;
    switch (info.type) {
        case PropertyType::Bool:
            if (!ParseBool(value, &b)) return fail("expects TRUE, FALSE, 1 or 0, not");
            break;
        case PropertyType::Float:
            if (!ParseFloat(value, &f)) return fail("expects a finite number, not");
            break;
        case PropertyType::Short:
            if (!ParseShort(value, &s)) return fail("expects a whole number from -32768 to 32767, not");
            break;
        case PropertyType::Color:
            if (!ParseUnsigned(value, 0xFFFFFFul, &u)) return fail("expects a colour as decimal or 0xRRGGBB, not");
            break;
        case PropertyType::UnsignedLong:
            if (!ParseUnsigned(value, 0xFFFFFFFFul, &u)) return fail("expects a whole number, not");
            break;
        case PropertyType::String:
        case PropertyType::Long:
            break;
    }
    switch (info.dispId) {
        case 1: ctrl.SetScaleX(f); break;
        case 2: ctrl.SetScaleY(f); break;
        case 3: ctrl.SetOffsetX(f); break;
        case 4: ctrl.SetOffsetY(f); break;
        case 5: ctrl.SetMaintainAspect(b); break;
        case 6: ctrl.SetPerspective(b); break;
        case 7: ctrl.SetDepthFactor(f); break;
        case 8: ctrl.SetOffsetZ(f); break;
        case 9: ctrl.SetSizeX(s); break;
        case 10: ctrl.SetSizeY(s); break;
        case 11: ctrl.SetFieldOfView(f); break;
        case 0:
        case 12: ctrl.SetComponentFileName(value); break;
        case 13: ctrl.SetClassName(value); break;
        case 14: ctrl.SetUseExtents(b); break;
        case 15: ctrl.SetAbsolutePlacement(b); break;
        case 16: ctrl.SetEyePoint(value); break;
        case 17: ctrl.SetUseContainerBackground(b); break;
        case 18: ctrl.SetBackgroundColor(static_cast<std::uint32_t>(u)); break;
        case 19: ctrl.Visibility(b); break;
        case 24: ctrl.SetInitialAttribs(value); break;
        case 25: ctrl.SetTargetFrameRate(static_cast<std::uint32_t>(u)); break;
        case 26: ctrl.SetDrawBackground(b); break;
        default: return fail("cannot be set");
    }
    return true;
}

}  // namespace vessant
