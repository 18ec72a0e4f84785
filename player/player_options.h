#pragma once
// The command line of vessant-player.

#include <string>
#include <utility>
#include <vector>

namespace vessant {

// The most frames one run may be asked for: the frame counter must not wrap.
constexpr long kMaxFrames = 2147483647L;

struct PlayerOptions {
    int width = 640;
    int height = 480;
    std::vector<std::pair<std::string, std::string>> sets;  // --set NAME=VALUE, in order
    bool headless = false;
    long frames = -1;  // -1: headless 1, windowed until closed
    std::string snapshot;
    unsigned long parent = 0;
    std::string load;  // a saved property set, read before the other options
    std::string save;  // where the property set is written on exit
    bool verbose = false;
    bool script = false;   // commands on standard input, JSON lines on standard output
    std::string baseUrl;   // the page address component names are resolved against
    std::string component;
    std::string className;
    bool help = false;
    bool describe = false;  // print the type information and exit
    bool registerControl = false;    // --register
    bool unregisterControl = false;  // --unregister
    std::string edit;                // --edit FILE: the property page over a saved property set
};

// Parses argv; on a malformed command line returns false with a one-line message naming the culprit.
bool ParsePlayerOptions(int argc, char** argv, PlayerOptions* options, std::string* error);

const char* PlayerUsage();

}  // namespace vessant
