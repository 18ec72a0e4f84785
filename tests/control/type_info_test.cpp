// The control's type information: every property of the dispatch table, with its id, type and
// access, the methods and the event, in text a JSON reader accepts.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "control/property_table.h"
#include "control/type_info.h"

namespace vessant {
namespace {

TEST(TypeInformation, ListsEveryPropertyOfTheTableWithItsIdTypeAndAccess) {
    const auto info = nlohmann::json::parse(DescribeTypeInformation());
    const auto& properties = info["dispatchInterface"]["properties"];
    ASSERT_EQ(properties.size(), static_cast<size_t>(PropertiesEnd() - PropertiesBegin()));
    size_t index = 0;
    for (const PropertyInfo* p = PropertiesBegin(); p != PropertiesEnd(); ++p, ++index) {
        const auto& described = properties[index];
        EXPECT_EQ(described["name"], p->name);
        EXPECT_EQ(described["dispid"], p->dispId) << p->name;
        EXPECT_EQ(described["access"], p->readOnly ? "readonly" : "readwrite") << p->name;
        EXPECT_FALSE(described["type"].get<std::string>().empty()) << p->name;
    }
    EXPECT_EQ(properties[0]["type"], "float");
    EXPECT_EQ(properties[4]["type"], "BOOL");
    EXPECT_EQ(properties[8]["type"], "short");
    EXPECT_EQ(properties[11]["type"], "string");
    EXPECT_EQ(properties.back()["name"], "_ComponentFileName");
    EXPECT_EQ(properties.back()["hidden"], true);
    for (const auto& p : properties) {
        const std::string name = p["name"];
        if (name == "BackgroundColor") {
            EXPECT_EQ(p["type"], "unsigned long");
        }
        if (name == "TargetFrameRate" || name == "DrawBackground")
            EXPECT_EQ(p["description"], "property " + name);
        else
            EXPECT_FALSE(p.contains("description")) << name;
    }
}

TEST(TypeInformation, NamesTheLibraryMethodsEventAndClass) {
    const auto info = nlohmann::json::parse(DescribeTypeInformation());
    EXPECT_EQ(info["library"], "TessaryLib");
    EXPECT_EQ(info["version"], "4.4");
    EXPECT_EQ(info["helpFile"], "Tessary.hlp");
    EXPECT_EQ(info["description"], "Tessary Control module");
    EXPECT_EQ(info["dispatchInterface"]["description"], "Dispatch interface for Tessary Control");
    EXPECT_EQ(info["eventInterface"]["description"], "Event interface for Tessary Control");
    EXPECT_EQ(info["control"]["typeName"], "Vessant Player Control");
    EXPECT_EQ(info["control"]["progId"], "VESSANT.TessaryCtrl");
    const auto& methods = info["dispatchInterface"]["methods"];
    ASSERT_EQ(methods.size(), 2u);
    EXPECT_EQ(methods[0]["name"], "GetAttrib");
    EXPECT_EQ(methods[0]["dispid"], 20);
    EXPECT_EQ(methods[1]["name"], "SetAttrib");
    EXPECT_EQ(methods[1]["arguments"].size(), 2u);
    const auto& events = info["eventInterface"]["events"];
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0]["dispid"], 1);
    EXPECT_EQ(events[0]["name"], "ObjectEvent");
    std::vector<std::string> arguments;
    for (const auto& a : events[0]["arguments"]) arguments.push_back(a["name"]);
    EXPECT_EQ(arguments, (std::vector<std::string>{"EventName", "InitiatorName", "EventData"}));
    // One line: the player's standard output carries JSON lines.
    EXPECT_EQ(DescribeTypeInformation().find('\n'), std::string::npos);
}

}  // namespace
}  // namespace vessant
