#include "control/registration.h"

#include <limits.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>

#include "control/class_ids.h"
#include "control/type_info.h"
#include "orvan/staged_file.h"

extern char** environ;

namespace vessant {
namespace {

std::string Hex(std::uint32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

// The fields the control's and the property page's class entries begin with.
nlohmann::ordered_json ClassEntry(const char* className, const char* guid, const char* progId, int userTypeName) {
    nlohmann::ordered_json entry;
    entry["class"] = className;
    entry["guid"] = guid;
    entry["progId"] = progId;
    entry["userTypeName"] = userTypeName;
    return entry;
}

std::string Parent(const std::string& path) { return path.substr(0, path.find_last_of('/')); }

// Creates path and its missing parents; new directories are private, as XDG asks.
bool MakeDirectories(const std::string& path, std::string* error) {
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        struct stat info;
        if (stat(part.c_str(), &info) != 0) {
            if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
                *error = "cannot create " + part + ": " + std::strerror(errno);
                return false;
            }
        } else if (!S_ISDIR(info.st_mode)) {
            *error = "cannot create " + part + ": it is not a directory";
            return false;
        }
        if (slash == std::string::npos) return true;
    }
}

bool WriteWhole(const std::string& path, const std::string& text, std::string* error) {
    if (!MakeDirectories(Parent(path), error)) return false;
    orvan::StagedFile file(path);
    return file.Open(error) && file.Write(text.data(), text.size(), error) && file.Commit(error);
}

bool Remove(const std::string& path, std::vector<std::string>* removed, std::string* error) {
    if (unlink(path.c_str()) == 0) {
        removed->push_back(path);
        return true;
    }
    if (errno == ENOENT) return true;
    *error = "cannot remove " + path + ": " + std::strerror(errno);
    return false;
}

// Runs a desktop database tool on a directory, its output on standard error (standard output
// belongs to the caller's protocol). A tool that is not installed is skipped.
bool RunTool(const char* tool, const std::string& directory, std::string* error) {
    struct stat info;
    if (stat(directory.c_str(), &info) != 0) return true;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
    std::string name = tool;
    std::string argument = directory;
    char* argv[] = {&name[0], &argument[0], nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, tool, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned == ENOENT) return true;
    if (spawned != 0) {
        *error = std::string("cannot run ") + tool + ": " + std::strerror(spawned);
        return false;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
    *error = std::string(tool) + " " + directory + " failed";
    return false;
}

bool UpdateDatabases(const RegistrationPaths& paths, std::string* error) {
    return RunTool("update-mime-database", paths.dataHome + "/mime", error) &&
           RunTool("update-desktop-database", paths.dataHome + "/applications", error);
}

// One argument of a desktop entry's Exec key: quoted when it holds a reserved character, and
// then escaped once for the quoting and once for the string value.
bool ExecArgument(const std::string& argument, std::string* out) {
    bool quote = argument.empty();
    for (unsigned char c : argument) {
        if (c < 0x20 || c == 0x7f) return false;
        if (std::strchr(" \t\"'\\><~|&;$*?#()`", c)) quote = true;
    }
    std::string text;
    for (char c : argument) {
        if (c == '%') {
            text += "%%";
            continue;
        }
        // A backslash always quotes the argument, so only quoted arguments meet one.
        if (c == '"' || c == '`' || c == '$' || c == '\\') text += "\\\\";
        text += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    *out = quote ? "\"" + text + "\"" : text;
    return true;
}

}  // namespace

RegistrationPaths RegistrationPaths::Below(const std::string& dataHome) {
    RegistrationPaths p;
    p.dataHome = dataHome;
    p.typeLibrary = dataHome + "/vessant-player/" + kTypeLibraryName + "-" + kTypeLibraryVersion + ".json";
    p.record = dataHome + "/vessant-player/registration.json";
    p.desktopEntry = dataHome + "/applications/vessant-player.desktop";
    p.mimePackage = dataHome + "/mime/packages/vessant-player.xml";
    return p;
}

bool RegistrationPaths::FromEnvironment(RegistrationPaths* paths, std::string* error) {
    // A relative XDG_DATA_HOME is to be ignored.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    std::string home = xdg && xdg[0] == '/' ? xdg : "";
    if (home.empty()) {
        const char* user = std::getenv("HOME");
        if (!user || user[0] != '/') {
            *error = "no data directory: neither XDG_DATA_HOME nor HOME names an absolute path";
            return false;
        }
        home = std::string(user) + "/.local/share";
    }
    while (home.size() > 1 && home.back() == '/') home.pop_back();
    *paths = Below(home);
    return true;
}

Registration::Registration(RegistrationPaths paths, std::string program)
    : paths_(std::move(paths)), program_(std::move(program)) {}

std::string Registration::RunningProgram() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return std::string();
    return std::string(path, static_cast<size_t>(n));
}

std::string Registration::RecordText() const {
    nlohmann::ordered_json typeLibrary;
    typeLibrary["name"] = kTypeLibraryName;
    typeLibrary["guid"] = kTypeLibraryGuid;
    typeLibrary["version"] = kTypeLibraryVersion;
    typeLibrary["helpFile"] = kHelpFileName;
    typeLibrary["path"] = paths_.typeLibrary;

    nlohmann::ordered_json control = ClassEntry("CTessaryCtrl", kControlClassGuid, kControlProgId, 1);
    control["typeName"] = kControlTypeName;
    control["program"] = program_;
    control["typeLibrary"] = kTypeLibraryGuid;
    control["typeLibraryVersion"] = kTypeLibraryVersion;
    control["toolboxBitmap"] = 1;
    control["insertable"] = true;
    control["threading"] = "apartment";
    control["miscStatus"] = Hex(kControlMiscStatus);
    control["propertyPages"] = nlohmann::ordered_json::array({kPropertyPageClassGuid});

    nlohmann::ordered_json page = ClassEntry("CTessaryPropPage", kPropertyPageClassGuid, kPropertyPageProgId, 2);
    page["caption"] = kPropertyPageCaption;
    page["program"] = program_;
    page["arguments"] = nlohmann::ordered_json::array({"--edit"});

    nlohmann::ordered_json strings;
    strings["1"] = kControlUserTypeName;
    strings["2"] = kPropertyPageUserTypeName;

    nlohmann::ordered_json record;
    record["typeLibrary"] = typeLibrary;
    record["classes"] = nlohmann::ordered_json::array({control, page});
    record["strings"] = strings;
    record["mimeType"] = kMimeType;
    record["desktopEntry"] = paths_.desktopEntry;
    record["mimePackage"] = paths_.mimePackage;
    return record.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string Registration::DesktopEntryText(std::string* error) const {
    std::string exec;
    if (program_.empty() || program_[0] != '/' || !ExecArgument(program_, &exec)) {
        *error = "the player's path cannot go in a desktop entry: '" + program_ + "'";
        return std::string();
    }
    return std::string("[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=") +
           kControlTypeName +
           "\n"
           "Comment=Plays the instrument-panel component a saved property set names\n"
           "Exec=" +
           exec +
           " --load %f\n"
           "MimeType=" +
           kMimeType +
           ";\n"
           "Terminal=false\n"
           "Categories=Graphics;\n"
           "Actions=edit;\n"
           "X-Vessant-ProgID=" +
           kControlProgId +
           "\n"
           "X-Vessant-CLSID=" +
           kControlClassGuid +
           "\n"
           "\n"
           "[Desktop Action edit]\n"
           "Name=" +
           kPropertyPageUserTypeName + "\nExec=" + exec + " --edit %f\n";
}

std::string Registration::MimePackageText() {
    return std::string(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"") +
           kMimeType +
           "\">\n"
           "    <comment>Vessant Player property set</comment>\n"
           "    <sub-class-of type=\"text/plain\"/>\n"
           "    <glob pattern=\"*" +
           kFileExtension +
           "\"/>\n"
           "    <magic priority=\"60\">\n"
           "      <match type=\"string\" value=\"version 4.4\" offset=\"0:64\"/>\n"
           "    </magic>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

RegistrationResult Registration::Register() const {
    RegistrationResult result;
    std::vector<std::string> written;
    auto fail = [&](std::uint32_t code, const std::string& what, const std::string& why) {
        // Nothing half-registered stays behind.
        for (const std::string& path : written) unlink(path.c_str());
        std::string ignored;
        if (!written.empty()) UpdateDatabases(paths_, &ignored);
        result.code = code;
        result.message = "cannot register " + what + " (" + Hex(code) + "): " + why;
        return result;
    };
    auto write = [&](const std::string& path, const std::string& text, std::string* error) {
        if (!WriteWhole(path, text, error)) return false;
        written.push_back(path);
        return true;
    };

    std::string error;
    if (!write(paths_.typeLibrary, DescribeTypeInformation() + "\n", &error))
        return fail(kTypeLibraryFailure, "the type information", error);

    const std::string desktop = DesktopEntryText(&error);
    if (desktop.empty()) return fail(kClassFailure, "the classes", error);
    if (!write(paths_.record, RecordText(), &error) || !write(paths_.desktopEntry, desktop, &error) ||
        !write(paths_.mimePackage, MimePackageText(), &error) || !UpdateDatabases(paths_, &error))
        return fail(kClassFailure, "the classes", error);
    result.files = written;
    return result;
}

RegistrationResult Registration::Unregister() const {
    RegistrationResult result;
    auto fail = [&](std::uint32_t code, const std::string& what, const std::string& why) {
        result.code = code;
        result.message = "cannot unregister " + what + " (" + Hex(code) + "): " + why;
        return result;
    };
    std::string error;
    if (!Remove(paths_.typeLibrary, &result.files, &error)) return fail(kTypeLibraryFailure, "the type information", error);
    if (!Remove(paths_.record, &result.files, &error) || !Remove(paths_.desktopEntry, &result.files, &error) ||
        !Remove(paths_.mimePackage, &result.files, &error) || !UpdateDatabases(paths_, &error))
        return fail(kClassFailure, "the classes", error);
    // The player's own folder goes when nothing else lives in it.
    rmdir(Parent(paths_.record).c_str());
    return result;
}

}  // namespace vessant
