#pragma once
// Registration of the control for the current user, as a Linux desktop expects it: the type
// information, a registration record naming the control's classes, a desktop entry for the
// player, and a shared-mime-info type for saved property sets, all below the user's XDG data
// directory. Registering writes the type information first (a failure answers
// kTypeLibraryFailure), then the classes (kClassFailure); unregistering removes exactly those
// files, in the same order with the same codes.

#include <cstdint>
#include <string>
#include <vector>

namespace vessant {

struct RegistrationPaths {
    std::string dataHome;      // $XDG_DATA_HOME (when absolute), else $HOME/.local/share
    std::string typeLibrary;   // dataHome/vessant-player/TessaryLib-4.4.json
    std::string record;        // dataHome/vessant-player/registration.json
    std::string desktopEntry;  // dataHome/applications/vessant-player.desktop
    std::string mimePackage;   // dataHome/mime/packages/vessant-player.xml

    // False with a message when neither variable names a directory.
    static bool FromEnvironment(RegistrationPaths* paths, std::string* error);
    static RegistrationPaths Below(const std::string& dataHome);
};

struct RegistrationResult {
    std::uint32_t code = 0;          // 0, kTypeLibraryFailure or kClassFailure
    std::string message;             // on failure: what failed, with the code
    std::vector<std::string> files;  // written (or removed) on success
    bool ok() const { return code == 0; }
};

class Registration {
public:
    static constexpr std::uint32_t kTypeLibraryFailure = 0x80040200;
    static constexpr std::uint32_t kClassFailure = 0x80040201;
    static constexpr const char* kMimeType = "application/x-vessant-property-set";
    static constexpr const char* kFileExtension = ".vessant";

    // program: the player's absolute path, which the desktop entry and the record name.
    Registration(RegistrationPaths paths, std::string program);

    // Writes everything; a failure takes back what this call wrote.
    RegistrationResult Register() const;
    // Removes what Register writes; files already gone are no failure.
    RegistrationResult Unregister() const;

    // The texts written, for the tests and for anyone who wants to see them.
    std::string RecordText() const;
    std::string DesktopEntryText(std::string* error) const;
    static std::string MimePackageText();

    // The path of the running program (from /proc/self/exe); empty when it cannot be read.
    static std::string RunningProgram();

private:
    RegistrationPaths paths_;
    std::string program_;
};

}  // namespace vessant
