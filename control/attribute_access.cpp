// Attribute access from the container: the component's attributes read and written as text by
// resource name; writes made before a component exists wait as pending text.

#include <sstream>

#include "bridge/attribute_wrapper.h"
#include "bridge/ves_kesh_wrapper.h"
#include "control/tessary_ctrl.h"
#include "orvan/attribute_base.h"
#include "orvan/component_base.h"
#include "orvan/text_codec.h"

namespace vessant {

orvan::ComponentBase* CTessaryCtrl::CurrentComponent() const {
    return dynamic_cast<orvan::ComponentBase*>(m_currentObject);
}

std::string CTessaryCtrl::GetAttrib(const std::string& name) {
    orvan::ComponentBase* component = CurrentComponent();
    if (!component) return std::string();
    orvan::DisplayFrame* frame = component;
    char* text = frame->GetResource_CRTClean(name.c_str());
    std::string value = text ? text : "";
    frame->GetResourceFree_CRTClean(text);
    return value;
}

void CTessaryCtrl::SetAttrib(const std::string& name, const std::string& value) {
    orvan::ComponentBase* component = CurrentComponent();
    // A value with line breaks is framed, so every line of it reaches the attribute.
    const std::string text = orvan::LiteralTextLine(value);
    if (!component) {
        m_pendingAttributes += name + ": " + text + "\n";
        return;
    }
    ApplyPendingAttributes();
    static_cast<orvan::DisplayFrame*>(component)->SetResource_CRTClean(name.c_str(), text.c_str());
}

// The component's own verdict, for attributes it answers across the contract.
std::string CTessaryCtrl::ComponentAttributeStatus(const orvan::OrvanAttributeBase* attribute) {
    if (!m_wrapper || !dynamic_cast<const AttributeWrapper*>(attribute)) return std::string();
    return m_wrapper->AttributeStatus();
}

bool CTessaryCtrl::GetAttribChecked(const std::string& name, std::string* value, std::string* error) {
    value->clear();
    orvan::ComponentBase* component = CurrentComponent();
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
    *error = ComponentAttributeStatus(attribute);
    if (!error->empty()) return false;
    *value = out.str();
    return true;
}

bool CTessaryCtrl::SetAttribChecked(const std::string& name, const std::string& value, std::string* error) {
    orvan::ComponentBase* component = CurrentComponent();
    if (!component) {
        SetAttrib(name, value);  // waits for the component as pending text
        return true;
    }
    ApplyPendingAttributes();
    orvan::OrvanAttributeBase* attribute = static_cast<orvan::DisplayFrame*>(component)->Resource(name.c_str());
    if (orvan::IsEmptyAttribute(attribute)) {
        *error = "no attribute " + name;
        return false;
    }
    if (!orvan::ReadValueFromText(*attribute, orvan::LiteralTextLine(value))) {
        *error = "attribute " + name + " cannot read '" + value + "'";
        return false;
    }
    *error = ComponentAttributeStatus(attribute);
    return error->empty();
}

void CTessaryCtrl::ApplyPendingAttributes() {
    orvan::ComponentBase* component = CurrentComponent();
    if (!component || m_pendingAttributes.empty()) return;
    // Emptied first: a component that sets attributes while reading must not see them again.
    const std::string text = std::move(m_pendingAttributes);
    m_pendingAttributes.clear();
    static_cast<orvan::DisplayFrame*>(component)->SetResources(text.c_str());
}

void CTessaryCtrl::ApplyAttributeText(const std::string& text) {
    orvan::ComponentBase* component = CurrentComponent();
    if (!component) {
        m_pendingAttributes += text;
        return;
    }
    ApplyPendingAttributes();
    static_cast<orvan::DisplayFrame*>(component)->SetResources(text.c_str());
}

void CTessaryCtrl::ApplyInitialAttributes() {
    orvan::ComponentBase* component = CurrentComponent();
    if (!component || m_props.initialAttribs.empty()) return;
    static_cast<orvan::DisplayFrame*>(component)->SetResources(m_props.initialAttribs.c_str());
}

}  // namespace vessant
