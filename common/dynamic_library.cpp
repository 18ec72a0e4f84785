#include "common/dynamic_library.h"

#include <dlfcn.h>

#include "bridge/kesh_interface1.h"
#include "orvan/error_report.h"
#include "orvan/file_util.h"

namespace vessant {

namespace {

// The name cut at the first dot of its last path element, with the library extension appended.
std::string WithLibraryExtension(const std::string& name) {
    const std::string::size_type separator = name.find_last_of("\\/");
    const std::string::size_type start = separator == std::string::npos ? 0 : separator + 1;
    const std::string::size_type dot = name.find('.', start);
    return (dot == std::string::npos ? name : name.substr(0, dot)) + ".so";
}

// What dlopen is given for `name`. A name under which no file exists goes as its bare file name,
// so the loader's search order finds it. An existing file without a directory part gets "./":
// dlopen never searches the working directory for a bare name, and could otherwise load another
// library of that name from the search path.
std::string LoaderPath(const std::string& name) {
    if (!orvan::FileExists(name)) return orvan::FileNameOf(name);
    if (name.find('/') == std::string::npos) return "./" + name;
    return name;
}

}  // namespace

DynamicLibrary::DynamicLibrary(const char* name, bool quiet, bool replaceExtension,
                               bool checkVersion)
    : quiet_(quiet), replaceExtension_(replaceExtension) {
    const std::string expanded = orvan::ExpandEnvironmentVariables(name);
    std::string reason;

    bool tryUnchanged = true;
    if (replaceExtension_ && !Attempt(WithLibraryExtension(expanded), checkVersion, &reason)) {
        // A library that loads but is of the wrong version would be the same one again.
        tryUnchanged = errorCode_ != LOAD_ERROR_VERSION;
    }
    if (module_ == nullptr && tryUnchanged) Attempt(expanded, checkVersion, &reason);

    if (module_ == nullptr) {
        failed_ = true;
        errorText_ = reason;
        if (!quiet_) orvan::ShowError("Error opening %s\n%s", expanded.c_str(), reason.c_str());
    }
}

DynamicLibrary::~DynamicLibrary() {
    if (module_ != nullptr && dlclose(module_) != 0 && !quiet_) {
        orvan::ShowError("%s,%d, dlclose() failed\n", orvan::FileNameOf(__FILE__).c_str(), __LINE__);
    }
}

bool DynamicLibrary::Attempt(const std::string& name, bool checkVersion, std::string* reason) {
    const std::string path = LoaderPath(name);
    // An empty text would give dlopen's handle of the main program, reported as a loaded library.
    if (path.empty()) {
        errorCode_ = LOAD_ERROR_LOADER;
        *reason += name + ": no library file name\n";
        return false;
    }

    dlerror();
    module_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module_ == nullptr) {
        errorCode_ = LOAD_ERROR_LOADER;
        const char* systemReason = dlerror();
        if (systemReason != nullptr && systemReason[0] != '\0') {
            *reason += name + ": " + systemReason + "\n";
        } else {
            *reason += name + ": the loader gave no reason\n";
        }
        return false;
    }

    if (checkVersion && !VersionAccepted()) {
        dlclose(module_);
        module_ = nullptr;
        errorCode_ = LOAD_ERROR_VERSION;
        *reason += name + ": Incompatible compiler or Vessant version\n";
        return false;
    }

    // A failed earlier attempt says nothing about the library that did load.
    errorCode_ = LOAD_ERROR_NONE;
    return true;
}

bool DynamicLibrary::VersionAccepted() const {
    const auto builtVersion =
        reinterpret_cast<KeshBuiltVersionFunction>(GetSymbol(kKeshBuiltVersionExport));
    if (builtVersion == nullptr) return false;
    // No exception may cross into the player from a component's code.
    try {
        return KeshBuiltVersionAccepted(builtVersion());
    } catch (...) {
        return false;
    }
}

void* DynamicLibrary::GetSymbol(const char* name) const {
    if (module_ == nullptr || name == nullptr) return nullptr;
    return dlsym(module_, name);
}

bool DynamicLibrary::IsLoaded() const { return module_ != nullptr; }

const char* DynamicLibrary::ErrorText() const { return failed_ ? errorText_.c_str() : nullptr; }

}  // namespace vessant
