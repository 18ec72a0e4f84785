#pragma once
// One shared library: loaded when constructed, searched for exports, unloaded when destroyed.

#include <string>

namespace vessant {

class DynamicLibrary {
public:
    enum LoadError {
        LOAD_ERROR_NONE = 0,
        LOAD_ERROR_VERSION = 1,  // loaded, but built for another runtime version; unloaded again
        LOAD_ERROR_LOADER = 2    // the platform loader refused it
    };

    // Loads at once and never throws; the object exists also when loading failed (IsLoaded()).
    // %NAME% in name is replaced from the environment first. quiet: a failure is only recorded,
    // not shown. replaceExtension: first try the name with its extension replaced by ".so".
    // checkVersion: refuse a library whose built-version record is missing or does not match.
    DynamicLibrary(const char* name, bool quiet, bool replaceExtension, bool checkVersion);
    virtual ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Address of the export; null when nothing is loaded, name is null or there is no such export.
    virtual void* GetSymbol(const char* name) const;
    virtual bool IsLoaded() const;

    // Why loading failed, one line per name tried; null when the library is loaded.
    const char* ErrorText() const;
    LoadError ErrorCode() const { return errorCode_; }

private:
    // One load attempt under `name`; on failure appends a line to reason.
    bool Attempt(const std::string& name, bool checkVersion, std::string* reason);
    bool VersionAccepted() const;

    bool quiet_;
    bool replaceExtension_;
    void* module_ = nullptr;
    LoadError errorCode_ = LOAD_ERROR_NONE;
    std::string errorText_;
    bool failed_ = false;
};

}  // namespace vessant
