#pragma once
// The protocol lines the player writes on standard output: one JSON object a line, always valid
// UTF-8 (bytes that are not become U+FFFD), so no text a component or a user supplies can forge
// or break a line.

#include <cstdio>
#include <string>
#include <vector>

namespace vessant {

// {"reply":COMMAND,"ok":true[,"value":VALUE]} or {"reply":COMMAND,"ok":false,"error":TEXT}
std::string ReplyLine(const std::string& command, bool ok, const std::string& text, bool hasValue);

// {"event":"ObjectEvent","EventName":...,"InitiatorName":...,"EventData":...}
std::string ObjectEventLine(const std::string& eventName, const std::string& initiatorName,
                            const std::string& eventData);

// {"snapshot":PATH}: the file a snapshot was written to.
std::string SnapshotLine(const std::string& path);

// {KEY:[PATH,...]}: the files a command wrote or removed ("registered", "unregistered").
std::string FilesLine(const std::string& key, const std::vector<std::string>& paths);

// Writes a line and flushes it, so a reader waiting for it is not kept waiting.
void WriteLine(std::FILE* out, const std::string& line);

}  // namespace vessant
