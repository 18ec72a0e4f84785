#include "player/property_page/property_page_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "control/class_ids.h"
#include "control/tessary_ctrl.h"

namespace vessant {

// A list of the page: plain text lines (no formatting or column characters), that can tell
// where a line is drawn.
class PageBrowser : public Fl_Browser {
public:
    PageBrowser(int x, int y, int w, int h, const char* label, bool multiple) : Fl_Browser(x, y, w, h, label) {
        type(multiple ? FL_MULTI_BROWSER : FL_HOLD_BROWSER);
        format_char(0);
        column_char(0);
        align(FL_ALIGN_TOP_LEFT);
        when(FL_WHEN_CHANGED);
    }
    bool LineCenter(int line, int* x, int* y) {
        void* item = find_line(line + 1);
        if (!item) return false;
        int bx, by, bw, bh;
        bbox(bx, by, bw, bh);
        int first = -1, last = -1;
        for (int yy = by; yy < by + bh; ++yy) {
            if (find_item(yy) != item) continue;
            if (first < 0) first = yy;
            last = yy;
        }
        if (first < 0) return false;
        *x = bx + bw / 2;
        *y = (first + last) / 2;
        return true;
    }
};

// The component as it looks with the page's settings: the last frame the control rendered.
class PreviewBox : public Fl_Box {
public:
    PreviewBox(int x, int y, int w, int h, const RgbaImage& image) : Fl_Box(FL_DOWN_BOX, x, y, w, h, nullptr), image_(image) {}
    void draw() override {
        draw_box();
        const int w = std::min(image_.width, this->w() - 4), h = std::min(image_.height, this->h() - 4);
        if (w > 0 && h > 0 && image_.pixels.size() >= static_cast<size_t>(image_.width) * image_.height * 4)
            fl_draw_image(image_.pixels.data(), x() + 2, y() + 2, w, h, 4, image_.width * 4);
    }

private:
    const RgbaImage& image_;
};

namespace {

constexpr double kPreviewPeriod = 0.1;  // seconds between preview frames

}  // namespace

PropertyPageDialog::PropertyPageDialog(CTessaryCtrl& ctrl, Hooks hooks) : ctrl_(ctrl), hooks_(std::move(hooks)) {
    model_.Fill(ctrl_);
    Build();
    ShowAvailable();
    ShowSettings();
    if (!ctrl_.LoadFailure().empty()) SetStatus(ctrl_.LoadFailure());
    RefreshPreview();
}

PropertyPageDialog::~PropertyPageDialog() {
    Fl::remove_timeout(OnTick, this);
    if (window_) window_->hide();
}

void PropertyPageDialog::Register(Fl_Widget* widget, int id) {
    widgets_[id] = widget;
    widget->callback(OnWidget, static_cast<long>(id));
}

void PropertyPageDialog::Build() {
    window_ = std::make_unique<Fl_Double_Window>(716, 270);
    window_->copy_label(kPropertyPageCaption);
    window_->callback(OnClose, this);
    widgets_[kIdPage] = window_.get();

    componentFile_ = new Fl_Input(120, 10, 230, 24, "Component DLL:");
    componentFile_->when(FL_WHEN_CHANGED);
    Register(componentFile_, kIdComponentFile);
    class_ = new Fl_Input(400, 10, 90, 24, "Class");
    class_->when(FL_WHEN_CHANGED);
    Register(class_, kIdClass);

    available_ = new PageBrowser(10, 64, 180, 120, "Available Attributes", true);
    Register(available_, kIdAvailable);
    Register(new Fl_Button(196, 80, 46, 26, "->"), kIdAdd);
    Register(new Fl_Button(196, 116, 46, 26, "<-"), kIdRemove);
    settings_ = new PageBrowser(248, 64, 190, 120, "Initial Attribute Settings", false);
    Register(settings_, kIdSettings);
    Register(new Fl_Button(444, 64, 46, 26, "/\\"), kIdUp);
    Register(new Fl_Button(444, 96, 46, 26, "\\/"), kIdDown);
    Register(new Fl_Button(444, 128, 46, 26, "+"), kIdUnlisted);
    value_ = new Fl_Input(300, 194, 190, 24, "Value");
    value_->when(FL_WHEN_CHANGED);
    Register(value_, kIdValue);

    previewBox_ = new PreviewBox(506, 10, kPreviewSize + 4, kPreviewSize + 4, preview_);
    widgets_[kIdPreview] = previewBox_;
    status_ = new Fl_Box(10, 232, 450, 28);
    status_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    widgets_[kIdStatus] = status_;
    Register(new Fl_Button(470, 234, 74, 28, "OK"), kIdOk);
    Register(new Fl_Button(550, 234, 74, 28, "Cancel"), kIdCancel);
    Register(new Fl_Button(630, 234, 76, 28, "Apply"), kIdApply);
    window_->end();
    window_->user_data(this);

    componentFile_->value(model_.componentFileName.c_str());
    class_->value(model_.className.c_str());
}

void PropertyPageDialog::Show() {
    window_->show();
    Fl::add_timeout(kPreviewPeriod, OnTick, this);
}

void PropertyPageDialog::Run() {
    Show();
    while (window_->shown()) Fl::wait();
}

bool PropertyPageDialog::Shown() const { return window_->shown(); }

Fl_Widget* PropertyPageDialog::Widget(int id) const {
    const auto it = widgets_.find(id);
    return it == widgets_.end() ? nullptr : it->second;
}

std::string PropertyPageDialog::StatusText() const { return statusText_; }

bool PropertyPageDialog::LineCenter(int id, int line, int* x, int* y) const {
    PageBrowser* list = id == kIdAvailable ? available_ : id == kIdSettings ? settings_ : nullptr;
    return list && list->LineCenter(line, x, y);
}

void PropertyPageDialog::OnWidget(Fl_Widget* widget, long id) {
    auto* self = static_cast<PropertyPageDialog*>(widget->top_window()->user_data());
    self->Command(static_cast<int>(id));
}

void PropertyPageDialog::OnClose(Fl_Widget*, void* self) { static_cast<PropertyPageDialog*>(self)->Command(kIdCancel); }

void PropertyPageDialog::OnTick(void* self) {
    static_cast<PropertyPageDialog*>(self)->RefreshPreview();
    Fl::repeat_timeout(kPreviewPeriod, OnTick, self);
}

void PropertyPageDialog::Command(int id) {
    switch (id) {
        case kIdComponentFile: model_.componentFileName = componentFile_->value(); break;
        case kIdClass: model_.className = class_->value(); break;
        case kIdSettings:
            model_.Select(settings_->value() - 1);
            ShowValue();
            break;
        case kIdValue:
            model_.SetSelectedValue(value_->value());
            if (model_.Selected() >= 0)
                settings_->text(model_.Selected() + 1, model_.Settings()[static_cast<size_t>(model_.Selected())].c_str());
            break;
        case kIdAdd: {
            std::vector<int> chosen;
            for (int line = 1; line <= available_->size(); ++line)
                if (available_->selected(line)) chosen.push_back(line - 1);
            model_.AddAvailable(chosen, ctrl_);
            ShowSettings();
            break;
        }
        case kIdRemove: model_.RemoveSelected(); ShowSettings(); break;
        case kIdUp: model_.MoveSelectedUp(); ShowSettings(); break;
        case kIdDown: model_.MoveSelectedDown(); ShowSettings(); break;
        case kIdUnlisted: model_.AddUnlisted(); ShowSettings(); break;
        case kIdApply: Apply(); break;
        case kIdOk:
            if (Apply()) window_->hide();
            break;
        case kIdCancel: window_->hide(); break;
        default: break;
    }
}

void PropertyPageDialog::ShowAvailable() {
    available_->clear();
    for (const std::string& name : model_.Available()) available_->add(name.c_str());
}

void PropertyPageDialog::ShowSettings() {
    settings_->clear();
    for (const std::string& line : model_.Settings()) settings_->add(line.c_str());
    if (model_.Selected() >= 0) {
        settings_->value(model_.Selected() + 1);
        settings_->make_visible(model_.Selected() + 1);
    }
    ShowValue();
}

void PropertyPageDialog::ShowValue() {
    value_->value(model_.SelectedValue().c_str());
    if (model_.Selected() < 0) value_->deactivate(); else value_->activate();
}

bool PropertyPageDialog::Apply() {
    model_.componentFileName = componentFile_->value();
    model_.className = class_->value();
    model_.Apply(ctrl_);
    ++applied_;
    // The component may be another one now: its attributes are listed afresh.
    const int selected = model_.Selected();
    model_.Fill(ctrl_);
    model_.Select(selected);
    ShowAvailable();
    ShowSettings();
    RefreshPreview();
    std::string error;
    if (hooks_.save && !hooks_.save(&error)) {
        SetStatus(error);
        return false;
    }
    SetStatus(ctrl_.LoadFailure());
    return true;
}

void PropertyPageDialog::RefreshPreview() {
    if (hooks_.renderPreview && hooks_.renderPreview(&preview_)) previewBox_->redraw();
}

void PropertyPageDialog::SetStatus(const std::string& text) {
    statusText_ = text;
    // A label draws "@" as a symbol and "&" as an underline: both are doubled to stay themselves.
    std::string line;
    for (char c : text) {
        if (c == '@' || c == '&') line += c;
        line += c == '\n' ? ' ' : c;
    }
    status_->copy_label(line.c_str());
    status_->redraw();
}

}  // namespace vessant
