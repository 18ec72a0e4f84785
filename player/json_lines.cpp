#include "player/json_lines.h"

#include <nlohmann/json.hpp>

namespace vessant {
namespace {

std::string Dump(const nlohmann::ordered_json& object) {
    return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string ReplyLine(const std::string& command, bool ok, const std::string& text, bool hasValue) {
    nlohmann::ordered_json line;
    line["reply"] = command;
    line["ok"] = ok;
    if (!ok)
        line["error"] = text;
    else if (hasValue)
        line["value"] = text;
    return Dump(line);
}

std::string ObjectEventLine(const std::string& eventName, const std::string& initiatorName,
                            const std::string& eventData) {
    nlohmann::ordered_json line;
    line["event"] = "ObjectEvent";
    line["EventName"] = eventName;
    line["InitiatorName"] = initiatorName;
    line["EventData"] = eventData;
    return Dump(line);
}

std::string SnapshotLine(const std::string& path) {
    nlohmann::ordered_json line;
    line["snapshot"] = path;
    return Dump(line);
}

std::string FilesLine(const std::string& key, const std::vector<std::string>& paths) {
    nlohmann::ordered_json line;
    line[key] = paths;
    return Dump(line);
}

void WriteLine(std::FILE* out, const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), out);
    std::fflush(out);
}

}  // namespace vessant
