// The splash display as a component: its one resource, its clone and the picture two instances
// share.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "orvan/image.h"
#include "orvan/texture_palette.h"
#include "splash/ActiveXSplash.h"

namespace {

TEST(ActiveXSplash, MainMessageReachesTheTextThroughTheResourceAndTheOperationsAndIntoAClone) {
    ActiveXSplashClass splash;
    splash.Initialize();
    EXPECT_EQ(splash.GetResource("MainMessage"), "This is text");
    splash.SetResource("MainMessage", "Please set control properties.");
    EXPECT_EQ(splash.GetResource("MainMessage"), "Please set control properties.");
    EXPECT_EQ(std::string(splash.MainMessage()), "Please set control properties.");
    splash.MainMessage(orvan::VesPropString("Downloading a.so... 50%\nfrom here\n"));
    EXPECT_EQ(std::string(splash.MainMessage()), "Downloading a.so... 50%\nfrom here\n");
    EXPECT_EQ(splash.GetResource("ComponentHeaderFile"), "ActiveXSplash.h");

    std::unique_ptr<orvan::DisplayObject> copy(splash.CloneObject(false));
    auto* clone = dynamic_cast<ActiveXSplashClass*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(std::string(clone->MainMessage()), "Downloading a.so... 50%\nfrom here\n");
    ASSERT_NE(splash.MainEye(), nullptr);
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
