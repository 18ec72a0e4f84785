// The property page on a real X display, driven by FLTK's own event injection: clicks on the
// lists and buttons, keys into the value edit, Apply; the saved property set and the preview.
// And vessant-player --edit under real X input (xdotool): the page opens over a saved property
// set, "+" and Apply change and save it, OK closes; bad files and a missing display are refused.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "control/property_bag.h"
#include "control/property_exchange.h"
#include "player/property_page/property_page_dialog.h"
#include "support/acquisition_fixture.h"
#include "support/headless_control.h"
#include "support/png_read.h"
#include "support/run_command.h"
#include "support/x_window_wait.h"

namespace vessant {
namespace {

using Id = PropertyPageDialog::Id;

void Pump() {
    for (int i = 0; i < 5; ++i) Fl::check();
}

void Press(Fl_Window* window, int x, int y, int state) {
    Fl::e_x = x;
    Fl::e_y = y;
    Fl::e_x_root = window->x_root() + x;
    Fl::e_y_root = window->y_root() + y;
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    Fl::e_clicks = 0;
    Fl::e_is_click = 1;
    Fl::e_state = state | FL_BUTTON1;
    Fl::handle(FL_PUSH, window);
    Fl::e_state = state;
    Fl::handle(FL_RELEASE, window);
    Pump();
}

void Key(int keysym, const char* text, int state = 0) {
    static char buffer[8];
    std::strncpy(buffer, text, sizeof buffer - 1);
    Fl::e_keysym = keysym;
    Fl::e_text = buffer;
    Fl::e_length = static_cast<int>(std::strlen(buffer));
    Fl::e_state = state;
    Fl::handle(FL_KEYBOARD, Fl::first_window());
    Fl::e_state = 0;
    Pump();
}

class PropertyPage : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display) GTEST_SKIP() << "no X display";
        if (!control_.Ok()) GTEST_SKIP() << "no headless OpenGL";
        setenv("TEMP", cache_.Path().c_str(), 1);
        file_ = dir_ / "panel.vessant";
        test::WriteText(file_, "version 4.4\nComponentFileName = \"" + std::string(PAGE_GAUGE_LIBRARY) +
                                   "\"\nUseContainerBackground = FALSE\n"
                                   "X-Designer-Note = \"kept\"\nInitialAttribs = \"needle.Visibility: 1\\n\"\n");
        std::string error;
        ASSERT_TRUE(bag_.ReadFile(file_, &error)) << error;
        ASSERT_TRUE(ExchangeProperties(control_.Control(), bag_, true, &error)) << error;
        hooks_.renderPreview = [this](RgbaImage* image) {
            control_.Host().AdvanceClock(100000);
            image->width = image->height = PropertyPageDialog::kPreviewSize;
            return control_.Control().RenderMetafile(*image);
        };
        hooks_.save = [this](std::string* why) {
            ExchangeProperties(control_.Control(), bag_, false);
            return bag_.WriteFile(file_, why);
        };
    }
    void TearDown() override { unsetenv("TEMP"); }

    static void Show(PropertyPageDialog& page) {
        page.Show();
        Pump();
    }
    void Click(PropertyPageDialog& page, int id, int state = 0) {
        Fl_Widget* w = page.Widget(id);
        ASSERT_NE(w, nullptr) << id;
        Press(page.Window(), w->x() + w->w() / 2, w->y() + w->h() / 2, state);
    }
    void ClickLine(PropertyPageDialog& page, int id, int line, int state = 0) {
        int x = 0, y = 0;
        ASSERT_TRUE(page.LineCenter(id, line, &x, &y)) << id << " line " << line;
        Press(page.Window(), x, y, state);
    }
    static int IndexOf(const PropertyPageModel& model, const std::string& name) {
        const auto& names = model.Available();
        const auto at = std::find(names.begin(), names.end(), name);
        return at == names.end() ? -1 : static_cast<int>(at - names.begin());
    }
    // Red pixels of the needle in the upper middle of the preview, where it points at value 50.
    static int NeedleUp(const RgbaImage& image) {
        int red = 0;
        for (int y = 10; y < image.height / 2 - 10; ++y)
            for (int x = image.width / 2 - 6; x <= image.width / 2 + 6; ++x) {
                const std::uint8_t* p = image.At(x, y);
                red += p[0] > 150 && p[1] < 60 && p[2] < 60;
            }
        return red;
    }

    test::HeadlessControl control_{PropertyPageDialog::kPreviewSize, PropertyPageDialog::kPreviewSize};
    test::ScratchDir dir_, cache_;
    std::string file_;
    PropertyBag bag_;
    PropertyPageDialog::Hooks hooks_;
};

TEST_F(PropertyPage, ChosenAttributesAreAddedEditedMovedAppliedAndSaved) {
    PropertyPageDialog page(control_.Control(), hooks_);
    Show(page);
    EXPECT_STREQ(page.Window()->label(), "General");
    const PropertyPageModel& model = page.Model();
    ASSERT_EQ(model.Settings(), std::vector<std::string>{"needle.Visibility: 1"});
    const int value = IndexOf(model, "Value"), limit = IndexOf(model, "Limit");
    ASSERT_TRUE(value >= 0 && limit >= 0 && IndexOf(model, "Damping") >= 0);
    EXPECT_EQ(IndexOf(model, "ComponentHeaderFile"), -1);
    EXPECT_GT(NeedleUp(page.Preview()), 20);

    // Two attributes chosen (the second with Ctrl held) and added with their current values.
    ClickLine(page, Id::kIdAvailable, limit);
    ClickLine(page, Id::kIdAvailable, value, FL_CTRL);
    Click(page, Id::kIdAdd);
    const std::string first = "Limit: 80";
    ASSERT_EQ(model.Settings().size(), 3u);
    EXPECT_EQ(model.Settings()[std::min(value, limit) == limit ? 1 : 2], first);
    const int valueLine = value < limit ? 1 : 2;
    EXPECT_EQ(model.Settings()[valueLine], "Value: 50");

    // The value of the Value setting replaced by typing, then the setting moved to the top.
    ClickLine(page, Id::kIdSettings, valueLine);
    EXPECT_STREQ(static_cast<Fl_Input*>(page.Widget(Id::kIdValue))->value(), "50");
    Click(page, Id::kIdValue);
    Key('a', "", FL_CTRL);
    Key('9', "9");
    Key('5', "5");
    EXPECT_EQ(model.Settings()[valueLine], "Value: 95");
    for (int i = 0; i < valueLine; ++i) Click(page, Id::kIdUp);
    EXPECT_EQ(model.Selected(), 0);
    EXPECT_STREQ(static_cast<Fl_Browser*>(page.Widget(Id::kIdSettings))->text(1), "Value: 95");

    // Nothing reaches the control or the file before Apply.
    EXPECT_EQ(control_.Control().Properties().initialAttribs, "needle.Visibility: 1\n");
    Click(page, Id::kIdApply);
    EXPECT_EQ(page.AppliedCount(), 1u);
    EXPECT_EQ(page.StatusText(), "");
    const std::string expected = "Value: 95\nneedle.Visibility: 1\n" + first + "\n";
    EXPECT_EQ(control_.Control().Properties().initialAttribs, expected);
    PropertyBag saved;
    std::string error;
    ASSERT_TRUE(saved.ReadFile(file_, &error)) << error;
    EXPECT_EQ(saved.Get("InitialAttribs"), expected);
    EXPECT_EQ(saved.Get("X-Designer-Note"), "kept");
    EXPECT_EQ(control_.Control().GetAttrib("Value"), "95");
    // The needle has left the upright position in the preview.
    EXPECT_EQ(NeedleUp(page.Preview()), 0);
}

TEST_F(PropertyPage, RemoveAndPlaceholderAndCancelChangeNothingSaved) {
    const std::string before = test::ReadText(file_);
    PropertyPageDialog page(control_.Control(), hooks_);
    Show(page);
    const PropertyPageModel& model = page.Model();
    Click(page, Id::kIdUnlisted);
    EXPECT_EQ(model.Settings().back(), "--Unlisted Attribute--");
    EXPECT_EQ(model.Selected(), 1);
    // The placeholder's value edit takes the whole setting.
    Click(page, Id::kIdValue);
    Key('a', "", FL_CTRL);
    for (const char* c : {"V", "a", "l", "u", "e", ":", " ", "7"}) Key(c[0], c);
    EXPECT_EQ(model.Settings().back(), "Value: 7");
    ClickLine(page, Id::kIdSettings, 0);
    Click(page, Id::kIdRemove);
    EXPECT_EQ(model.Settings(), std::vector<std::string>{"Value: 7"});
    EXPECT_EQ(model.Selected(), 0);
    Click(page, Id::kIdDown);  // already last: stays
    EXPECT_EQ(model.Selected(), 0);
    Click(page, Id::kIdCancel);
    EXPECT_FALSE(page.Shown());
    EXPECT_EQ(page.AppliedCount(), 0u);
    EXPECT_EQ(test::ReadText(file_), before);
    EXPECT_EQ(control_.Control().Properties().initialAttribs, "needle.Visibility: 1\n");
}

using test::RunCommand;

class EditCommand : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = dir_ / "panel.vessant";
        test::WriteText(file_, "version 4.4\nComponentFileName = \"" + std::string(PAGE_GAUGE_LIBRARY) +
                                   "\"\nX-Designer-Note = \"kept\"\nInitialAttribs = \"Value: 20\\n\"\n");
    }
    std::string Player() const { return "TEMP='" + cache_.Path() + "' " + test::PlayerPath(); }

    test::ScratchDir dir_, cache_;
    std::string file_;
};

TEST_F(EditCommand, ClicksOnThePageChangeAndSaveThePropertySet) {
    const std::string why = test::XdotoolUnavailable();
    if (!why.empty()) GTEST_SKIP() << why;
    const std::string shot = dir_ / "preview.png";
    // Widget centres in window coordinates: "+" (444,128 46x26), Apply (630,234 76x28), OK (470,234 74x28).
    const std::string script =
        Player() + " --edit '" + file_ + "' --snapshot '" + shot + "' & pid=$!\n"
        "w=$(timeout 30 xdotool search --sync --onlyvisible --name '^General$' | head -1)\n"
        "[ -n \"$w\" ] || { kill $pid; echo 'no window'; exit 9; }\n"
        "sleep 0.5\n"
        "xdotool mousemove --window $w 467 141 click 1; sleep 0.3\n"
        "xdotool mousemove --window $w 668 248 click 1; sleep 0.5\n"
        "xdotool mousemove --window $w 507 248 click 1\n"
        "timeout 30 tail --pid=$pid -f /dev/null; wait $pid";
    test::WriteText(dir_ / "edit.sh", script);
    const auto r = RunCommand("bash '" + (dir_ / "edit.sh") + "'");
    ASSERT_EQ(r.status, 0) << r.output;

    PropertyBag saved;
    std::string error;
    ASSERT_TRUE(saved.ReadFile(file_, &error)) << error;
    EXPECT_EQ(saved.Get("InitialAttribs"), "Value: 20\n--Unlisted Attribute--\n");
    EXPECT_EQ(saved.Get("X-Designer-Note"), "kept");
    EXPECT_EQ(saved.Get("ComponentFileName"), PAGE_GAUGE_LIBRARY);
    RgbaImage preview;
    ASSERT_TRUE(test::ReadPng(shot, &preview));
    EXPECT_EQ(preview.width, 200);
    int red = 0;
    for (size_t i = 0; i < preview.pixels.size(); i += 4) red += preview.pixels[i] > 150 && preview.pixels[i + 1] < 60;
    EXPECT_GT(red, 20) << "the needle is drawn";
}

TEST_F(EditCommand, RefusesAMalformedSetAndAMissingDisplay) {
    test::WriteText(dir_ / "bad.vessant", "version 9.0\n");
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    if (!display.empty()) {
        const auto bad = RunCommand(Player() + " --edit '" + (dir_ / "bad.vessant") + "'");
        EXPECT_EQ(bad.status, 2) << bad.output;
        EXPECT_NE(bad.output.find("9.0"), std::string::npos) << bad.output;
    }
    const auto none = RunCommand("env -u DISPLAY " + Player() + " --edit '" + file_ + "'");
    EXPECT_EQ(none.status, 1) << none.output;
    EXPECT_NE(none.output.find("DISPLAY"), std::string::npos) << none.output;
    EXPECT_EQ(RunCommand(Player() + " --edit").status, 2);
}

}  // namespace
}  // namespace vessant
