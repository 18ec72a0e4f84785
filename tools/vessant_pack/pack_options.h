#pragma once
// The command line of vessant-pack.

#include <string>
#include <vector>

namespace vessant {

struct PackOptions {
    std::string key;
    std::string certificate;
    std::string chain;
    std::string output;               // the cabinet; its signature goes to output + ".p7s"
    std::string library;              // stored under the name the player loads: output's stem + ".so"
    std::vector<std::string> files;   // stored under their own names
    bool help = false;
};

// False with a one-line message naming the culprit.
bool ParsePackOptions(int argc, char** argv, PackOptions* options, std::string* error);

// The name the player looks for in a cabinet it was given by address: the cabinet's file name
// without ".cab", + ".so".
std::string LibraryNameInCabinet(const std::string& cabinetPath);

const char* PackUsage();

}  // namespace vessant
