#include "control/property_page_model.h"

#include <algorithm>

#include "control/attribute_settings.h"
#include "control/tessary_ctrl.h"
#include "orvan/component_base.h"
#include "orvan/resource_filter.h"
#include "orvan/text_codec.h"

namespace vessant {

using attribute_settings::Lines;
using attribute_settings::ValueOf;
using attribute_settings::WithValue;

void PropertyPageModel::Fill(CTessaryCtrl& ctrl) {
    ctrl.LoadComponent();
    componentFileName = ctrl.Properties().componentFileName;
    className = ctrl.Properties().className;
    available_.clear();
    if (auto* component = dynamic_cast<orvan::ComponentBase*>(ctrl.CurrentObject())) {
        orvan::VesResourceFilter filter;
        filter.NamesOnly(true);
        filter.LevelsDown(0);
        filter.QualificationLevels(0);
        filter.Exclude(kExcludedAttribute);
        orvan::DisplayFrame* frame = component;
        char* names = frame->GetResources(&filter);
        for (std::string& name : Lines(names ? names : ""))
            if (!name.empty()) available_.push_back(std::move(name));
        frame->FreeResources(names);
    }
    settings_ = Lines(ctrl.Properties().initialAttribs);
    SetSelection(settings_.empty() ? -1 : 0);
}

void PropertyPageModel::Select(int index) { SetSelection(index); }

void PropertyPageModel::SetSelection(int index) {
    selected_ = index >= 0 && index < static_cast<int>(settings_.size()) ? index : -1;
    editsWholeLine_ = selected_ >= 0 && settings_[static_cast<std::size_t>(selected_)].find(": ") == std::string::npos;
}

void PropertyPageModel::AddAvailable(const std::vector<int>& indices, CTessaryCtrl& ctrl) {
    auto* component = dynamic_cast<orvan::ComponentBase*>(ctrl.CurrentObject());
    for (int index : indices) {
        if (index < 0 || index >= static_cast<int>(available_.size())) continue;
        const std::string& name = available_[static_cast<std::size_t>(index)];
        std::string value;
        if (component) {
            orvan::DisplayFrame* frame = component;
            char* text = frame->GetResource_CRTClean(name.c_str());
            value = text ? text : "";
            frame->GetResourceFree_CRTClean(text);
        }
        // A value of several lines is framed onto one, or it would become several settings.
        settings_.push_back(name + ": " + orvan::LiteralTextLine(value));
        SetSelection(static_cast<int>(settings_.size()) - 1);
    }
}

void PropertyPageModel::RemoveSelected() {
    if (selected_ < 0) return;
    settings_.erase(settings_.begin() + selected_);
    SetSelection(std::min(selected_, static_cast<int>(settings_.size()) - 1));
}

void PropertyPageModel::MoveSelectedUp() {
    if (selected_ <= 0) return;
    std::swap(settings_[static_cast<std::size_t>(selected_)], settings_[static_cast<std::size_t>(selected_ - 1)]);
    --selected_;
}

void PropertyPageModel::MoveSelectedDown() {
    if (selected_ < 0 || selected_ + 1 >= static_cast<int>(settings_.size())) return;
    std::swap(settings_[static_cast<std::size_t>(selected_)], settings_[static_cast<std::size_t>(selected_ + 1)]);
    ++selected_;
}

void PropertyPageModel::AddUnlisted() {
    settings_.push_back(kUnlistedAttribute);
    SetSelection(static_cast<int>(settings_.size()) - 1);
}

std::string PropertyPageModel::SelectedValue() const {
    if (selected_ < 0) return std::string();
    const std::string& line = settings_[static_cast<std::size_t>(selected_)];
    return editsWholeLine_ ? line : ValueOf(line);
}

void PropertyPageModel::SetSelectedValue(const std::string& value) {
    if (selected_ < 0) return;
    // A line break would split the setting in two.
    std::string line = value;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::string& setting = settings_[static_cast<std::size_t>(selected_)];
    setting = editsWholeLine_ ? line : WithValue(setting, line);
}

std::string PropertyPageModel::InitialAttribsText() const { return attribute_settings::Join(settings_); }

void PropertyPageModel::Apply(CTessaryCtrl& ctrl) const {
    ctrl.SetInitialAttribs(InitialAttribsText());
    ctrl.SetComponentFileName(componentFileName);
    ctrl.SetClassName(className);
    ctrl.LoadComponent();
}

}  // namespace vessant
