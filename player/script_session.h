#pragma once
// The player's script mode: one command per line on standard input, one JSON object per reply
// and per container event on standard output.
//
//   set NAME VALUE | get NAME | getattrib NAME | setattrib NAME VALUE
//   mouse MESSAGE X Y [BUTTON] [shift] [ctrl] | key down|up KEYSYM [shift] [ctrl]
//   frames N | snapshot FILE | save FILE | load FILE | quit

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace vessant {

class CTessaryCtrl;

class ScriptSession {
public:
    // runFrames draws n more frames and returns false when it could not.
    ScriptSession(CTessaryCtrl& ctrl, std::FILE* out, std::function<bool(long)> runFrames);

    // Runs one command line; false once "quit" was read.
    bool Execute(const std::string& line);
    // The reply to a line that was too long to be read.
    void ReportOverlongLine();

private:
    void Reply(const std::string& command, bool ok, const std::string& text, bool hasValue);
    bool Mouse(const std::vector<std::string>& words, std::string* error);
    bool Key(const std::vector<std::string>& words, std::string* error);
    bool Snapshot(const std::string& path, std::string* error);
    bool ComponentLoaded(std::string* error);

    CTessaryCtrl& ctrl_;
    std::FILE* out_;
    std::function<bool(long)> runFrames_;
};

}  // namespace vessant
