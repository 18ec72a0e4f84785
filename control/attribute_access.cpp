#include "control/attribute_access.h"

#include <sstream>

#include "bridge/attribute_wrapper.h"
#include "bridge/ves_kesh_wrapper.h"
#include "orvan/attribute_base.h"
#include "orvan/component_base.h"
#include "orvan/text_codec.h"

namespace vessant {

AttributeAccess::AttributeAccess(std::function<orvan::ComponentBase*()> currentComponent,
                                 std::function<VesKeshWrapper*()> wrapper)
    : currentComponent_(std::move(currentComponent)), wrapper_(std::move(wrapper)) {}

std::string AttributeAccess::Get(const std::string& name) {
    orvan::ComponentBase* component = currentComponent_();
    if (!component) return std::string();
    orvan::DisplayFrame* frame = component;
    char* text = frame->GetResource_CRTClean(name.c_str());
    std::string value = text ? text : "";
    frame->GetResourceFree_CRTClean(text);
    return value;
}

void AttributeAccess::Set(const std::string& name, const std::string& value) {
    orvan::ComponentBase* component = currentComponent_();
    // A value with line breaks is framed, so every line of it reaches the attribute.
    const std::string text = orvan::LiteralTextLine(value);
    if (!component) {
        pending_ += name + ": " + text + "\n";
        return;
    }
    ApplyPending();
    static_cast<orvan::DisplayFrame*>(component)->SetResource_CRTClean(name.c_str(), text.c_str());
}

// The component's own verdict, for attributes it answers across the contract.
std::string AttributeAccess::ComponentStatus(const orvan::OrvanAttributeBase* attribute) {
    VesKeshWrapper* wrapper = wrapper_();
    if (!wrapper || !dynamic_cast<const AttributeWrapper*>(attribute)) return std::string();
    return wrapper->AttributeStatus();
}

bool AttributeAccess::GetChecked(const std::string& name, std::string* value, std::string* error) {
    value->clear();
    orvan::ComponentBase* component = currentComponent_();
    if (!component) {
        *error = "no component is loaded";
        return false;
    }
    orvan::OrvanAttributeBase* attribute = static_cast<orvan::DisplayFrame*>(component)->Resource(name.c_str());
    if (orvan::IsEmptyAttribute(attribute)) {
        *error = "no attribute " + name;
        return false;
    }
    std::ostringstream out;
    attribute->WriteValue(out);
    *error = ComponentStatus(attribute);
    if (!error->empty()) return false;
    *value = out.str();
    return true;
}

bool AttributeAccess::SetChecked(const std::string& name, const std::string& value, std::string* error) {
    orvan::ComponentBase* component = currentComponent_();
    if (!component) {
        Set(name, value);  // waits for the component as pending text
        return true;
    }
    ApplyPending();
    orvan::OrvanAttributeBase* attribute = static_cast<orvan::DisplayFrame*>(component)->Resource(name.c_str());
    if (orvan::IsEmptyAttribute(attribute)) {
        *error = "no attribute " + name;
        return false;
    }
    if (!orvan::ReadValueFromText(*attribute, orvan::LiteralTextLine(value))) {
        *error = "attribute " + name + " cannot read '" + value + "'";
        return false;
    }
    *error = ComponentStatus(attribute);
    return error->empty();
}

void AttributeAccess::ApplyPending() {
    orvan::ComponentBase* component = currentComponent_();
    if (!component || pending_.empty()) return;
    // Emptied first: a component that sets attributes while reading must not see them again.
    const std::string text = std::move(pending_);
    pending_.clear();
    static_cast<orvan::DisplayFrame*>(component)->SetResources(text.c_str());
}

void AttributeAccess::ApplyText(const std::string& text) {
    orvan::ComponentBase* component = currentComponent_();
    if (!component) {
        pending_ += text;
        return;
    }
    ApplyPending();
    static_cast<orvan::DisplayFrame*>(component)->SetResources(text.c_str());
}

void AttributeAccess::ApplyInitial(const std::string& initialAttribs) {
    orvan::ComponentBase* component = currentComponent_();
    if (!component || initialAttribs.empty()) return;
    static_cast<orvan::DisplayFrame*>(component)->SetResources(initialAttribs.c_str());
}

}  // namespace vessant
