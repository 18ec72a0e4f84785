// The control's type information: the library, every property with its id, type and access,
// the methods and the event, as a recorded reference holds them (a change to the published
// interface is a change to the reference too), in one line of text a JSON reader accepts.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "control/type_info.h"
#include "support/acquisition_fixture.h"

namespace vessant {
namespace {

TEST(TypeInformation, IsTheRecordedInterfaceOnOneLine) {
    const std::string text = DescribeTypeInformation();
    const std::string reference =
        test::ReadText(std::string(VESSANT_SOURCE_DIR) + "/tests/data/type_info/TessaryLib-4.4.json");
    ASSERT_FALSE(reference.empty());
    EXPECT_EQ(nlohmann::json::parse(text), nlohmann::json::parse(reference));
    EXPECT_EQ(text.find('\n'), std::string::npos);  // the player's standard output carries JSON lines
}

}  // namespace
}  // namespace vessant
