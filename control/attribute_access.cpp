// Attribute access from the container: the component's attributes read and written as text by
// resource name; writes made before a component exists wait as pending text.

#include "control/tessary_ctrl.h"
#include "orvan/component_base.h"

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
    if (!component) {
        m_pendingAttributes += name + ": " + value + "\n";
        return;
    }
    ApplyPendingAttributes();
    static_cast<orvan::DisplayFrame*>(component)->SetResource_CRTClean(name.c_str(), value.c_str());
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
