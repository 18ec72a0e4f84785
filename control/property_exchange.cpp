#include "control/property_exchange.h"

#include "control/property_bag.h"
#include "control/property_values.h"
#include "control/tessary_ctrl.h"

namespace vessant {
namespace {

// One persisted property: its name in the file and how it is read and written. Loading reads
// into a copy of the properties and refuses the whole set at the first value that does not
// parse, so a load never drops a stored value silently.
class Exchange {
public:
    Exchange(PropertyBag& bag, bool loading) : bag_(bag), loading_(loading) {}

    void Float(const char* name, float* v, float def) {
        if (!loading_) return bag_.Set(name, FloatText(*v), false);
        *v = def;
        if (bag_.Has(name) && !ParseFloat(bag_.Get(name), v)) Refuse(name, "expects a finite number");
    }
    void Bool(const char* name, bool* v, bool def) {
        if (!loading_) return bag_.Set(name, *v ? "TRUE" : "FALSE", false);
        *v = def;
        if (bag_.Has(name) && !ParseBool(bag_.Get(name), v)) Refuse(name, "expects TRUE, FALSE, 1 or 0");
    }
    void Unsigned(const char* name, std::uint32_t* v, std::uint32_t def, unsigned long max, const char* expected) {
        if (!loading_) return bag_.Set(name, std::to_string(*v), false);
        *v = def;
        unsigned long parsed = 0;
        if (!bag_.Has(name)) return;
        if (ParseUnsigned(bag_.Get(name), max, &parsed))
            *v = static_cast<std::uint32_t>(parsed);
        else
            Refuse(name, expected);
    }
    void String(const char* name, std::string* v, const char* def) {
        if (!loading_) return bag_.Set(name, *v, true);
        *v = bag_.Has(name) ? bag_.Get(name) : def;
    }

    bool Ok() const { return error_.empty(); }
    const std::string& Error() const { return error_; }

private:
    void Refuse(const char* name, const char* expected) {
        if (!error_.empty()) return;
        error_ = bag_.Source() + ":" + std::to_string(bag_.LineOf(name)) + ": property " + name + " " + expected +
                 ", not '" + bag_.Get(name) + "'";
    }

    PropertyBag& bag_;
    bool loading_;
    std::string error_;
};

}  // namespace

bool ExchangeProperties(CTessaryCtrl& ctrl, PropertyBag& bag, bool loading, std::string* error) {
    // Loading reads into a copy: a refused set leaves the control as it was.
    ControlProperties p = ctrl.Properties();
    Exchange x(bag, loading);
    x.Float("scaleX", &p.scaleX, 1.0f);
    x.Float("scaleY", &p.scaleY, 1.0f);
    x.Float("offsetX", &p.offsetX, 0.0f);
    x.Float("offsetY", &p.offsetY, 0.0f);
    x.Float("offsetZ", &p.offsetZ, 0.0f);
    x.Bool("maintainAspect", &p.maintainAspect, true);
    x.Bool("perspective", &p.perspective, false);
    x.Float("FieldOfView", &p.fieldOfView, 0.0f);
    x.Float("depthFactor", &p.depthFactor, 4.0f);
    x.Bool("UseExtents", &p.useExtents, true);
    x.Bool("AbsolutePlacement", &p.absolutePlacement, !p.useExtents);
    x.Unsigned("TargetFrameRate", &p.targetFrameRate, 30, 0xFFFFFFFFul, "expects a whole number");
    x.String("EyePoint", &p.eyePoint, "");
    x.Bool("UseContainerBackground", &p.useContainerBackground, true);
    x.Bool("DrawBackground", &p.drawBackground, true);
    x.Unsigned("BackgroundColor", &p.backgroundColor, 0, 0xFFFFFFul, "expects a colour as decimal or 0xRRGGBB");
    x.String("ComponentFileName", &p.componentFileName, "");
    x.String("ClassName", &p.className, "");
    x.String("InitialAttribs", &p.initialAttribs, "");
    if (!loading) return true;
    if (!x.Ok()) {
        if (error) *error = x.Error();
        return false;
    }
    ctrl.Properties() = p;
    ctrl.LoadComponent();
    return true;
}

}  // namespace vessant
