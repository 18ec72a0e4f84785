#include "control/type_info.h"

#include <nlohmann/json.hpp>

#include "control/class_ids.h"
#include "control/property_table.h"

namespace vessant {
namespace {

using Json = nlohmann::ordered_json;

constexpr int kDispIdGetAttrib = 20;
constexpr int kDispIdSetAttrib = 21;
constexpr int kDispIdObjectEvent = 1;

const char* TypeName(PropertyType type) {
    switch (type) {
        case PropertyType::Float: return "float";
        case PropertyType::Bool: return "BOOL";
        case PropertyType::Short: return "short";
        case PropertyType::String: return "string";
        case PropertyType::Color:
        case PropertyType::UnsignedLong: return "unsigned long";
        case PropertyType::Long: return "long";
    }
    return "VARIANT";
}

Json Property(const PropertyInfo& info) {
    Json p;
    p["dispid"] = info.dispId;
    p["name"] = info.name;
    p["type"] = TypeName(info.type);
    p["access"] = info.ReadOnly() ? "readonly" : "readwrite";
    if (info.dispId == kDispIdComponentFileNameAlias) p["hidden"] = true;  // the default value
    if (info.description) p["description"] = info.description;
    return p;
}

Json Argument(const char* name, const char* type) {
    Json a;
    a["name"] = name;
    a["type"] = type;
    return a;
}

Json Methods() {
    Json get;
    get["dispid"] = kDispIdGetAttrib;
    get["name"] = "GetAttrib";
    get["returns"] = "string";
    get["arguments"] = Json::array({Argument("name", "VARIANT")});
    Json set;
    set["dispid"] = kDispIdSetAttrib;
    set["name"] = "SetAttrib";
    set["returns"] = "void";
    set["arguments"] = Json::array({Argument("name", "VARIANT"), Argument("value", "VARIANT")});
    return Json::array({get, set});
}

}  // namespace

std::string DescribeTypeInformation() {
    Json properties = Json::array();
    for (const PropertyInfo* p = PropertiesBegin(); p != PropertiesEnd(); ++p) properties.push_back(Property(*p));

    Json dispatch;
    dispatch["name"] = "_DTessary";
    dispatch["guid"] = kDispatchInterfaceGuid;
    dispatch["description"] = "Dispatch interface for Tessary Control";
    dispatch["properties"] = properties;
    dispatch["methods"] = Methods();

    Json objectEvent;
    objectEvent["dispid"] = kDispIdObjectEvent;
    objectEvent["name"] = "ObjectEvent";
    objectEvent["arguments"] = Json::array(
        {Argument("EventName", "string"), Argument("InitiatorName", "string"), Argument("EventData", "string")});
    Json events;
    events["name"] = "_DTessaryEvents";
    events["guid"] = kEventInterfaceGuid;
    events["description"] = "Event interface for Tessary Control";
    events["events"] = Json::array({objectEvent});

    Json control;
    control["name"] = kControlUserTypeName;
    control["guid"] = kControlClassGuid;
    control["progId"] = kControlProgId;
    control["typeName"] = kControlTypeName;
    control["defaultInterface"] = "_DTessary";
    control["eventInterface"] = "_DTessaryEvents";

    Json library;
    library["library"] = kTypeLibraryName;
    library["guid"] = kTypeLibraryGuid;
    library["version"] = kTypeLibraryVersion;
    library["helpFile"] = kHelpFileName;
    library["description"] = "Tessary Control module";
    library["dispatchInterface"] = dispatch;
    library["eventInterface"] = events;
    library["control"] = control;
    return library.dump();
}

}  // namespace vessant
