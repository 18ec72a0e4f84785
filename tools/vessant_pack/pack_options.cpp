#include "tools/vessant_pack/pack_options.h"

#include <strings.h>

namespace vessant {

const char* PackUsage() {
    return "Usage: vessant-pack --key KEY --cert CERT [--chain CHAIN] -o NAME.cab LIBRARY [FILES...]\n"
           "Packs a component library, and the files it loads at run time, into a cabinet the\n"
           "player accepts from a web server, and signs it.\n"
           "\n"
           "  --key KEY       the signer's private key (PEM, not encrypted)\n"
           "  --cert CERT     the signer's certificate (PEM or DER); it must name code signing\n"
           "                  among its extended key usages\n"
           "  --chain CHAIN   intermediate certificates to carry in the signature (PEM)\n"
           "  -o NAME.cab     the cabinet to write; the signature goes to NAME.cab.p7s\n"
           "  --help          show this text\n"
           "\n"
           "LIBRARY is stored as NAME.so, the name the player loads from NAME.cab; FILES keep their\n"
           "own names. The same files give the same cabinet, byte for byte (fixed time stamps),\n"
           "and with an RSA key the same signature.\n"
           "\n"
           "Exit status: 0 success; 1 a file that cannot be read or written, or a key or\n"
           "certificate that cannot be used; 2 a malformed command line.\n";
}

std::string LibraryNameInCabinet(const std::string& cabinetPath) {
    const size_t slash = cabinetPath.find_last_of('/');
    std::string name = slash == std::string::npos ? cabinetPath : cabinetPath.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name + ".so";
}

bool ParsePackOptions(int argc, char** argv, PackOptions* options, std::string* error) {
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options->help = true;
            continue;
        }
        std::string* target = arg == "--key"     ? &options->key
                              : arg == "--cert"  ? &options->certificate
                              : arg == "--chain" ? &options->chain
                              : arg == "-o" || arg == "--output" ? &options->output
                                                                 : nullptr;
        if (!target) {
            *error = "unknown option '" + arg + "' (see --help)";
            return false;
        }
        if (i + 1 >= argc || argv[i + 1][0] == '\0') {
            *error = "option " + arg + " needs a value (see --help)";
            return false;
        }
        *target = argv[++i];
    }
    if (options->help) return true;
    for (const auto& [value, option] : {std::make_pair(&options->key, "--key"), std::make_pair(&options->certificate, "--cert"),
                                        std::make_pair(&options->output, "-o")})
        if (value->empty()) {
            *error = std::string("missing ") + option + " (see --help)";
            return false;
        }
    if (positional.empty()) {
        *error = "no component library to pack (see --help)";
        return false;
    }
    const std::string& out = options->output;
    const bool cab = out.size() > 4 && strcasecmp(out.c_str() + out.size() - 4, ".cab") == 0;
    if (!cab || LibraryNameInCabinet(out) == ".so") {
        *error = "malformed -o '" + options->output + "' (expected NAME.cab)";
        return false;
    }
    options->library = positional[0];
    options->files.assign(positional.begin() + 1, positional.end());
    return true;
}

}  // namespace vessant
