#pragma once
// What the property page edits, without its widgets: the component's file and class, the names
// of the component's attributes, and the initial attribute settings, one "name: value" line
// each. The page's buttons are the operations below; Apply writes the result to the control.

#include <string>
#include <vector>

namespace vessant {

class CTessaryCtrl;

class PropertyPageModel {
public:
    static constexpr const char* kUnlistedAttribute = "--Unlisted Attribute--";
    static constexpr const char* kExcludedAttribute = "ComponentHeaderFile";

    // Fills the page: loads the component, then reads the two names, the component's attribute
    // names (names only, its own level, unqualified, without "ComponentHeaderFile") and the lines
    // of InitialAttribs.
    void Fill(CTessaryCtrl& ctrl);

    std::string componentFileName;
    std::string className;
    const std::vector<std::string>& Available() const { return available_; }
    const std::vector<std::string>& Settings() const { return settings_; }
    // The selected setting, or -1.
    int Selected() const { return selected_; }
    void Select(int index);

    // "->": a setting "name: value" for each chosen available attribute (indices into
    // Available()), its value read from the component now; the last one added is selected.
    void AddAvailable(const std::vector<int>& indices, CTessaryCtrl& ctrl);
    // "<-": removes the selected setting; the one after it (else before it) is selected.
    void RemoveSelected();
    // "/\" and "\/": moves the selected setting, which stays selected.
    void MoveSelectedUp();
    void MoveSelectedDown();
    // "+": the placeholder setting, selected.
    void AddUnlisted();
    // The value part of the selected setting ("" with none), and rewriting it. A setting that had
    // no ": " when it was selected (the placeholder) is edited whole until another is selected.
    std::string SelectedValue() const;
    void SetSelectedValue(const std::string& value);

    // The settings joined, each followed by "\n": the InitialAttribs the page applies.
    std::string InitialAttribsText() const;
    // Applies InitialAttribs to the component, writes the two names back and loads the component.
    void Apply(CTessaryCtrl& ctrl) const;

private:
    std::vector<std::string> available_;
    std::vector<std::string> settings_;
    int selected_ = -1;
    bool editsWholeLine_ = false;
    void SetSelection(int index);
};

}  // namespace vessant
