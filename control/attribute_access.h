#pragma once
// The container's access to the component's attributes: read and written as text by resource
// name; writes made before a component exists wait as pending text.

#include <functional>
#include <string>

namespace orvan {
class ComponentBase;
class OrvanAttributeBase;
}  // namespace orvan

namespace vessant {

class VesKeshWrapper;

class AttributeAccess {
public:
    // currentComponent: the component attributes go to (null: writes wait); wrapper: the current
    // component's wrapper, which tells the component's own verdict on an attribute.
    AttributeAccess(std::function<orvan::ComponentBase*()> currentComponent, std::function<VesKeshWrapper*()> wrapper);

    std::string Get(const std::string& name);
    void Set(const std::string& name, const std::string& value);
    // The same, telling failures where the control (or the component) can: no component for a
    // read, a name nothing answers, a value the attribute cannot read. False with *error set.
    bool GetChecked(const std::string& name, std::string* value, std::string* error);
    bool SetChecked(const std::string& name, const std::string& value, std::string* error);
    void ApplyPending();
    // Resource text (attribute lines); waits while there is no component.
    void ApplyText(const std::string& text);
    // After a component was created: the InitialAttribs text, before the pending text.
    void ApplyInitial(const std::string& initialAttribs);
    const std::string& Pending() const { return pending_; }

private:
    std::string ComponentStatus(const orvan::OrvanAttributeBase* attribute);

    std::function<orvan::ComponentBase*()> currentComponent_;
    std::function<VesKeshWrapper*()> wrapper_;
    std::string pending_;
};

}  // namespace vessant
