#include "player/player_options.h"

#include "control/property_values.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace vessant {
namespace {

bool ParseSize(const std::string& text, int* w, int* h) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos || x == 0 || x + 1 >= text.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (i != x && (text[i] < '0' || text[i] > '9')) return false;
    const long width = std::strtol(text.substr(0, x).c_str(), nullptr, 10);
    const long height = std::strtol(text.substr(x + 1).c_str(), nullptr, 10);
    if (width < 1 || height < 1 || width > 16384 || height > 16384) return false;
    *w = static_cast<int>(width);
    *h = static_cast<int>(height);
    return true;
}

bool ParseCount(const std::string& text, long* out) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < 1 || v > kMaxFrames) return false;
    *out = v;
    return true;
}

// Decimal or 0x hexadecimal, not 0, read as every other unsigned value is.
bool ParseXid(const std::string& text, unsigned long* out) {
    unsigned long v = 0;
    if (!ParseUnsigned(text, ULONG_MAX, &v) || v == 0) return false;
    *out = v;
    return true;
}

}  // namespace

const char* PlayerUsage() {
    return "Usage: vessant-player [options] [--] [COMPONENT [CLASS]]\n"
           "Plays a component library (COMPONENT, with the class CLASS or its default class).\n"
           "\n"
           "Options:\n"
           "  --size WxH          size of the control in pixels (default 640x480)\n"
           "  --set NAME=VALUE    set a control property by its name, in order; may be repeated\n"
           "                      (booleans TRUE/FALSE/1/0 in any case, colours decimal or 0xRRGGBB)\n"
           "  --headless          render offscreen through EGL, without an X display\n"
           "  --frames N          frames to render (headless: default 1; in a window: quit after N,\n"
           "                      default run until the window is closed)\n"
           "  --snapshot FILE.png write the last frame as a PNG with alpha (the red key colour of\n"
           "                      DrawBackground=FALSE is transparent)\n"
           "  --parent XID        embed the control in an existing X11 window\n"
           "  --load FILE         read a saved property set before the other options\n"
           "  --save FILE         write the property set to FILE on exit\n"
           "  --verbose           show loading progress and diagnostics on standard error\n"
           "  --base-url URL      resolve COMPONENT against this page address (default: the --load\n"
           "                      file, else the working directory)\n"
           "  --script            read commands from standard input, one per line, and answer each\n"
           "                      with a JSON line: set NAME VALUE, get NAME, getattrib NAME,\n"
           "                      setattrib NAME VALUE, mouse MESSAGE X Y [BUTTON] [shift] [ctrl],\n"
           "                      key down|up KEYSYM [shift] [ctrl], frames N, snapshot FILE,\n"
           "                      save FILE, load FILE, quit\n"
           "  --describe          print the control's type information (library, properties,\n"
           "                      methods, events) as one JSON line and exit\n"
           "  --register          register the control for this user (below $XDG_DATA_HOME, else\n"
           "                      ~/.local/share): type information, registration record, desktop\n"
           "                      entry, and the file type of saved property sets (.vessant)\n"
           "  --unregister        remove exactly what --register wrote\n"
           "  --edit FILE         open the property page on a saved property set: choose the\n"
           "                      component and class, edit the initial attribute settings with a\n"
           "                      live preview; Apply and OK save FILE (--snapshot writes the last\n"
           "                      preview when the page closes)\n"
           "  --help              show this text\n"
           "  --                  end of the options: a COMPONENT may then start with \"-\"\n"
           "\n"
           "Standard output carries only JSON lines, one object each: events of the component\n"
           "  {\"event\":\"ObjectEvent\",\"EventName\":...,\"InitiatorName\":...,\"EventData\":...},\n"
           "the replies of --script, {\"snapshot\":PATH} once --snapshot was written, the type\n"
           "information of --describe, and {\"registered\":[FILES]} or {\"unregistered\":[FILES]}.\n"
           "Diagnostics go to standard error.\n"
           "\n"
           "Exit status: 0 success; 1 no display or no usable OpenGL, or a snapshot or property set\n"
           "that could not be written, or --register/--unregister failed (the message carries\n"
           "0x80040200 for the type information, 0x80040201 for the classes); 2 a malformed\n"
           "command line or property set; 3 the component could not be loaded (the reason is\n"
           "printed on standard error).\n";
}

bool ParsePlayerOptions(int argc, char** argv, PlayerOptions* options, std::string* error) {
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        // After "--" every word is COMPONENT or CLASS, even one that starts with "-".
        if (optionsEnded) {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string value;
        bool hasInlineValue = false;
        if (arg.rfind("--", 0) == 0) {
            const size_t eq = arg.find('=');
            if (eq != std::string::npos && arg != "--set") {
                value = arg.substr(eq + 1);
                arg = arg.substr(0, eq);
                hasInlineValue = true;
            }
        }
        auto takeValue = [&](std::string* out) {
            if (hasInlineValue) {
                *out = value;
                return true;
            }
            if (i + 1 >= argc) {
                *error = "option " + arg + " needs a value (see --help)";
                return false;
            }
            *out = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "--help" || arg == "-h") {
            options->help = true;
        } else if (arg == "--describe") {
            options->describe = true;
        } else if (arg == "--register") {
            options->registerControl = true;
        } else if (arg == "--unregister") {
            options->unregisterControl = true;
        } else if (arg == "--headless") {
            options->headless = true;
        } else if (arg == "--size") {
            if (!takeValue(&v)) return false;
            if (!ParseSize(v, &options->width, &options->height)) {
                *error = "malformed --size '" + v + "' (expected WxH, for example 640x480)";
                return false;
            }
        } else if (arg == "--set") {
            if (!takeValue(&v)) return false;
            const size_t eq = v.find('=');
            if (eq == std::string::npos || eq == 0) {
                *error = "malformed --set '" + v + "' (expected NAME=VALUE)";
                return false;
            }
            options->sets.emplace_back(v.substr(0, eq), v.substr(eq + 1));
        } else if (arg == "--frames") {
            if (!takeValue(&v)) return false;
            if (!ParseCount(v, &options->frames)) {
                *error = "malformed --frames '" + v + "' (expected a whole number from 1 to " +
                         std::to_string(kMaxFrames) + ")";
                return false;
            }
        } else if (arg == "--snapshot") {
            if (!takeValue(&v)) return false;
            if (v.empty()) {
                *error = "--snapshot needs a file name";
                return false;
            }
            options->snapshot = v;
        } else if (arg == "--verbose") {
            options->verbose = true;
        } else if (arg == "--script") {
            options->script = true;
        } else if (arg == "--base-url") {
            if (!takeValue(&v)) return false;
            if (v.empty()) {
                *error = "--base-url needs an address";
                return false;
            }
            options->baseUrl = v;
        } else if (arg == "--edit") {
            if (!takeValue(&v)) return false;
            if (v.empty()) {
                *error = "--edit needs a file name";
                return false;
            }
            options->edit = v;
        } else if (arg == "--load" || arg == "--save") {
            if (!takeValue(&v)) return false;
            if (v.empty()) {
                *error = arg + " needs a file name";
                return false;
            }
            (arg == "--load" ? options->load : options->save) = v;
        } else if (arg == "--parent") {
            if (!takeValue(&v)) return false;
            if (!ParseXid(v, &options->parent)) {
                *error = "malformed --parent '" + v + "' (expected a window id such as 0x1e00004)";
                return false;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            *error = "unknown option '" + arg + "' (see --help)";
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (options->registerControl && options->unregisterControl) {
        *error = "--register and --unregister exclude each other";
        return false;
    }
    if (positional.size() > 2) {
        *error = "unexpected argument '" + positional[2] + "' (give at most COMPONENT and CLASS)";
        return false;
    }
    if (!positional.empty()) options->component = positional[0];
    if (positional.size() > 1) options->className = positional[1];
    return true;
}

}  // namespace vessant
