#pragma once
// The control's property page as an FLTK dialog, caption "General": the component's file and
// class, its available attributes, the initial attribute settings with their value, the list
// buttons, and a live preview of the component beside the lists. OK applies and closes, Apply
// applies, Cancel (or closing the window) closes and changes nothing since the last Apply.
//
// Every widget answers to the id of the page's dialog resource (Widget(id)), and that id is the
// argument of its callback.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "common/host/host_types.h"
#include "control/property_page_model.h"

class Fl_Box;
class Fl_Button;
class Fl_Double_Window;
class Fl_Input;
class Fl_Widget;

namespace vessant {

class CTessaryCtrl;
class PageBrowser;
class PreviewBox;

class PropertyPageDialog {
public:
    enum Id {
        kIdOk = 1,
        kIdCancel = 2,
        kIdPage = 200,
        kIdAvailable = 203,
        kIdSettings = 204,
        kIdAdd = 205,
        kIdValue = 206,
        kIdUp = 207,
        kIdDown = 208,
        kIdRemove = 209,
        kIdUnlisted = 210,
        kIdComponentFile = 211,
        kIdClass = 213,
        kIdApply = 0x3021,
        kIdPreview = 0x3022,
        kIdStatus = 0x3023,
    };
    static constexpr int kPreviewSize = 200;

    struct Hooks {
        // Draws the control's current frame into the image (kPreviewSize square); false: none.
        std::function<bool(RgbaImage*)> renderPreview;
        // Saves the property set after an Apply; false with a message when it cannot.
        std::function<bool(std::string*)> save;
    };

    // Fills the page from the control (which loads its component).
    PropertyPageDialog(CTessaryCtrl& ctrl, Hooks hooks);
    ~PropertyPageDialog();
    PropertyPageDialog(const PropertyPageDialog&) = delete;
    PropertyPageDialog& operator=(const PropertyPageDialog&) = delete;

    void Show();
    // Shows the dialog and runs the event loop until it is closed.
    void Run();
    bool Shown() const;

    Fl_Widget* Widget(int id) const;
    Fl_Double_Window* Window() const { return window_.get(); }
    const PropertyPageModel& Model() const { return model_; }
    const RgbaImage& Preview() const { return preview_; }
    // The last message of the page ("" when all went well).
    std::string StatusText() const;
    unsigned AppliedCount() const { return applied_; }

    // Where line (from 0) of the list with this id is drawn, in window coordinates; false when
    // it is not in view.
    bool LineCenter(int id, int line, int* x, int* y) const;

private:
    static void OnWidget(Fl_Widget* widget, long id);
    static void OnClose(Fl_Widget* window, void* self);
    static void OnTick(void* self);
    void Command(int id);
    void Build();
    void Register(Fl_Widget* widget, int id);
    void ShowSettings();
    void ShowAvailable();
    void ShowValue();
    bool Apply();
    void RefreshPreview();
    void SetStatus(const std::string& text);

    CTessaryCtrl& ctrl_;
    Hooks hooks_;
    PropertyPageModel model_;
    RgbaImage preview_;
    unsigned applied_ = 0;
    std::unique_ptr<Fl_Double_Window> window_;  // owns every widget
    std::map<int, Fl_Widget*> widgets_;
    PageBrowser* available_ = nullptr;
    PageBrowser* settings_ = nullptr;
    Fl_Input* value_ = nullptr;
    Fl_Input* componentFile_ = nullptr;
    Fl_Input* class_ = nullptr;
    PreviewBox* previewBox_ = nullptr;
    Fl_Box* status_ = nullptr;
    std::string statusText_;
};

}  // namespace vessant
