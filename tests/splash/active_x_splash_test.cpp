// The splash display as a component: its one resource, its method table, its clone and the
// picture two instances share.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "orvan/image.h"
#include "orvan/method_description.h"
#include "orvan/texture_palette.h"
#include "splash/ActiveXSplash.h"

namespace {

TEST(ActiveXSplash, MainMessageReachesTheTextThroughTheResourceAndTheOperations) {
    ActiveXSplashClass splash;
    splash.Initialize();
    EXPECT_EQ(splash.GetResource("MainMessage"), "This is text");
    splash.SetResource("MainMessage", "Please set control properties.");
    EXPECT_EQ(splash.GetResource("MainMessage"), "Please set control properties.");
    EXPECT_EQ(std::string(splash.MainMessage()), "Please set control properties.");
    splash.MainMessage(orvan::VesPropString("Downloading a.so... 50%\nfrom here\n"));
    EXPECT_EQ(std::string(splash.MainMessage()), "Downloading a.so... 50%\nfrom here\n");
    ASSERT_NE(splash.MainEye(), nullptr);
    EXPECT_EQ(splash.GetResource("ComponentHeaderFile"), "ActiveXSplash.h");
}

TEST(ActiveXSplash, MethodTableHeadsTheComponentRows) {
    ActiveXSplashClass splash;
    std::unique_ptr<orvan::MethodDescriptionList> list(splash.GetMethodDescriptions(nullptr));
    const std::vector<std::vector<std::string>> expected = {
        {"", "------ ActiveXSplashClass ------", ""},
        {"Initialize(", "void Initialize()", ""},
        {"Calculate(", "void Calculate(double time)", ""},
        {"Resource(\"MainMessage\")", "OrvanAttributeBase& Resource(\"MainMessage\")", "Retrieves reference: "},
        {"MainMessage(", "VesPropString MainMessage(const VesPropString&)", "Sets: "},
        {"SetResource(\"MainMessage\",\"", "void SetResource(\"MainMessage\",const char* value)", "Sets: "},
        {"MainMessage()", "VesPropString MainMessage()", "Gets: "},
        {"GetResource(\"MainMessage\")", "std::string GetResource(\"MainMessage\")", "Gets: "},
    };
    std::size_t row = 0;
    for (auto* item = list->First(); item != nullptr && row < expected.size(); item = item->next, ++row) {
        EXPECT_EQ(item->data->name, expected[row][0]) << row;
        EXPECT_EQ(item->data->signature, expected[row][1]) << row;
        EXPECT_EQ(item->data->description, expected[row][2]) << row;
    }
    EXPECT_EQ(row, expected.size());
    EXPECT_GT(static_cast<std::size_t>(list->Count()), expected.size());  // the component base's rows follow
}

TEST(ActiveXSplash, CloneIsAnInitialisedSplashWithTheSameMessage) {
    ActiveXSplashClass splash;
    splash.Initialize();
    splash.SetResource("MainMessage", "Checking Security");
    std::unique_ptr<orvan::DisplayObject> copy(splash.CloneObject(false));
    auto* clone = dynamic_cast<ActiveXSplashClass*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetResource("MainMessage"), "Checking Security");
    EXPECT_NE(clone->MainEye(), nullptr);
    EXPECT_NE(clone->MainEye(), splash.MainEye());
}

TEST(ActiveXSplash, TwoInstancesShareOneDecodedPicture) {
    ActiveXSplashClass first, second;
    orvan::Image* a = first.Palette()->GetImage(0);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, second.Palette()->GetImage(0));
    EXPECT_EQ(a->Width(), 1024);
    EXPECT_EQ(a->Height(), 512);
}

}  // namespace
