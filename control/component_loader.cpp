#include "control/component_loader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "common/dynamic_library.h"
#include "control/acquisition/cabinet_extractor.h"
#include "control/acquisition/cache_paths.h"
#include "control/acquisition/component_address.h"
#include "control/acquisition/copy_to_cache.h"
#include "control/acquisition/modification_record.h"
#include "control/acquisition/remote_source.h"
#include "control/acquisition/signature_verifier.h"
#include "control/gl_locks.h"
#include "orvan/log_sink.h"

namespace vessant {
namespace {

// The message texts carry one "%s" for a name; the name may hold any character.
std::string WithName(const char* format, const std::string& name) {
    std::string text = format;
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, name);
    return text;
}

std::string WorkingDirectory() {
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

// Changes the working directory for a scope, and back.
class WorkingDirectoryScope {
public:
    explicit WorkingDirectoryScope(const std::string& directory) : previous_(WorkingDirectory()) {
        if (!directory.empty() && chdir(directory.c_str()) != 0) previous_.clear();
    }
    ~WorkingDirectoryScope() {
        if (!previous_.empty() && chdir(previous_.c_str()) != 0) orvan::LogText("chdir back to " + previous_ + " failed\n");
    }
    WorkingDirectoryScope(const WorkingDirectoryScope&) = delete;
    WorkingDirectoryScope& operator=(const WorkingDirectoryScope&) = delete;

private:
    std::string previous_;
};

}  // namespace

ComponentLoader::ComponentLoader(Client& client) : client_(client) {}

ComponentLoader::~ComponentLoader() = default;

bool ComponentLoader::Load(const std::string& file, const std::string& className) {
    // The default class belongs to the library of the pending file; another file has its own.
    const std::string cls =
        !className.empty() ? className : file == pendingFile_ ? defaultClassName_ : std::string();
    if (loading_) {
        // A factory still waiting for a paint belongs to the pair asked for before; when the
        // properties changed since, the last file and class asked for are the ones loaded.
        const bool superseded = factory_ && (file != pendingFile_ || cls != pendingClass_);
        if (!superseded) {
            if (factory_) FinishLoading(file);
            return client_.HasComponent();
        }
        factory_ = nullptr;
        loading_ = false;
    }
    const bool fileChanged = file != lastFile_;
    const bool classChanged = cls != lastClass_ || lastClass_.empty();
    // Going back to the last pair after a failed change must load it again, so the pair only
    // counts as unchanged while its component is still current.
    if (!fileChanged && !classChanged && client_.HasComponent()) return true;
    if (file == pendingFile_ && cls == pendingClass_) return client_.HasComponent();

    pendingFile_ = file;
    pendingClass_ = cls;
    failure_.clear();
    Unload();
    if (fileChanged) ReleaseLibrary();
    ResolveReferencingUrl();
    client_.ShowLoadMessage("Loading " + file + "...");
    loading_ = true;
    Acquire(file);
    return client_.HasComponent();
}

void ComponentLoader::ResolveReferencingUrl() {
    if (!documentAddress_.empty()) {
        referencingUrl_ = documentAddress_;
    } else {
        ScopedLock lock(LoadLock());
        referencingUrl_ = ComponentAddress::FromWorkingDirectory();
    }
    orvan::LogText("referencingUrl_ now: " + referencingUrl_ + "\n");
}

void ComponentLoader::Acquire(const std::string& file) {
    std::string cls = pendingClass_;
    std::string message = WithName("Cannot load %s", file);
    std::unique_ptr<DynamicLibrary> loaded;  // a library this acquisition loaded
    DynamicLibrary* library = nullptr;       // the one to search: loaded, or the kept library_

    if (!closing_ && !file.empty()) {
        if (library_ && library_->IsLoaded()) {
            library = library_.get();  // only the class changed
        } else {
            loaded = FetchAndLoad(file, &message);
            library = loaded.get();
        }
    }

    if (library && library->IsLoaded()) {
        if (cls.empty()) {
            auto defaultName = reinterpret_cast<KeshDefaultClassNameFunction>(library->GetSymbol(kKeshDefaultClassNameExport));
            const char* name = nullptr;
            if (defaultName) {
                try {
                    name = defaultName();
                } catch (...) {
                    name = nullptr;
                }
            }
            if (name) {
                defaultClassName_ = name;
                cls = defaultClassName_;
                pendingClass_ = cls;
            } else {
                client_.ShowLoadMessage(WithName("No default name found in %s\n", file));
            }
        }
        if (!cls.empty()) {
            const std::string exportName = std::string(kKeshFactoryPrefix) + cls;
            auto factory = reinterpret_cast<KeshFactoryFunction>(library->GetSymbol(exportName.c_str()));
            if (factory) {
                if (loaded) library_ = std::move(loaded);
                lastFile_ = file;
                lastClass_ = cls;
                factory_ = factory;
            } else {
                std::string text = "Could not find " + exportName + " in " + file + "\n";
                client_.ShowLoadMessage(text);
            }
        }
    } else if (library) {
        message += "\nReason: ";
        message += library->ErrorText() ? library->ErrorText() : "";
        if (message.size() > 2047) message.resize(2047);
        client_.ShowLoadMessage(message);
    } else {
        client_.ShowLoadMessage(message);
    }

    if (!factory_) {
        loading_ = false;
        if (!file.empty()) failure_ = client_.LoadMessage();
    }
    client_.Refresh(true);
}

std::unique_ptr<DynamicLibrary> ComponentLoader::FetchAndLoad(const std::string& file, std::string* message) {
    const MergedAddress merged = ComponentAddress::Merge(referencingUrl_, file);
    if (!merged.ok) {
        orvan::LogText("Merged URL is refused: " + merged.error + "\n");
        return nullptr;
    }
    orvan::LogText("Merged URL is: " + merged.address + "\n");
    const bool isCab = ComponentAddress::IsCabinet(merged.address);
    CachePaths paths;
    std::string error;
    if (!ComputeCachePaths(merged.address, &paths, &error)) {
        *message += "\n" + error;
        return nullptr;
    }
    componentDir_ = paths.componentDir;
    const std::string address = ComponentAddress::StripQuery(merged.address);
    const bool local = ComponentAddress::IsFileAddress(address);

    ModificationRecord sourceTime;
    if (local) {
        const std::string path = ComponentAddress::LocalPath(address);
        struct stat info;
        if (stat(path.c_str(), &info) != 0) {
            *message += "\nNo such file: " + path;
            return nullptr;
        }
        ModificationRecord::FromLocalFile(path, &sourceTime);
    } else {
        RemoteSource(address).QueryModificationTime(&sourceTime);
    }

    // A failed load takes away the component directory it created (empty: every file lands whole or not at all).
    struct stat existing;
    const bool createdDirectory = stat(paths.componentDir.c_str(), &existing) != 0;
    auto fail = [&]() -> std::unique_ptr<DynamicLibrary> {
        if (createdDirectory) rmdir(paths.componentDir.c_str());
        return nullptr;
    };
    if (!sourceTime.MatchesFile(paths.recordPath)) {
        client_.ShowLoadMessage("Downloading " + file + "...");
        if (!PrepareCacheDirectories(paths, &error)) {
            *message += "\n" + error;
            return fail();
        }
        if (local) {
            if (!CacheLocal(ComponentAddress::LocalPath(address), isCab, paths, sourceTime, file, message)) return fail();
        } else {
            if (!CacheRemote(address, isCab, paths, sourceTime, file, message)) return fail();
        }
    }
    if (closing_) return fail();

    std::unique_ptr<DynamicLibrary> library;
    {
        ScopedLock lock(LoadLock());
        WorkingDirectoryScope inComponentDir(paths.componentDir);
        if (access(paths.libraryPath.c_str(), R_OK) == 0) {
            client_.ShowLoadMessage("Loading Component...");
            library = std::make_unique<DynamicLibrary>(paths.libraryPath.c_str(), true, false, false);
            if (!library->IsLoaded()) *message = WithName("Error loading %s\n", paths.libraryPath);
        }
    }
    if (closing_) return fail();
    return library;
}

bool ComponentLoader::CacheLocal(const std::string& path, bool isCab, const CachePaths& paths,
                                 const ModificationRecord& sourceTime, const std::string& file, std::string* message) {
    std::string error;
    if (isCab) {
        client_.ShowLoadMessage("Extracting Cab File...");
        if (!CabinetExtractor::Extract(path, paths.componentDir).ok) {
            *message = WithName("Failed to load %s", file);
            return false;
        }
        sourceTime.Write(paths.recordPath, &error);
        return true;
    }
    if (!CopyToCache(path, paths.libraryPath, &error)) {
        *message = WithName("Could not cache local file %s", file);
        return false;
    }
    return true;
}

bool ComponentLoader::CacheRemote(const std::string& address, bool isCab, const CachePaths& paths,
                                  const ModificationRecord& sourceTime, const std::string& file, std::string* message) {
    // Names of this process's own: two players fetching the same component must not check or
    // remove each other's download.
    const std::string suffix = "." + std::to_string(getpid());
    const std::string downloadPath = paths.downloadPath + suffix;
    const std::string signaturePath = paths.signaturePath + suffix;
    const TransferResult download = RemoteSource(address).Download(
        downloadPath, [this](std::uint64_t progress, std::uint64_t max, const std::string& status) {
            if (closing_) return false;
            if (max != 0) client_.ShowLoadMessage(RemoteSource::ProgressText(progress, max, status));
            return true;
        });
    if (!download.ok()) {
        *message = WithName("Cannot load %s\nDownload failed.", file);
        return false;
    }
    if (closing_) return false;
    client_.ShowLoadMessage("Checking Security");
    // A signature that cannot be fetched counts as none: the file is then not signed.
    std::remove(signaturePath.c_str());
    RemoteSource(address + ".p7s").Download(signaturePath, nullptr);
    const std::uint32_t code = SignatureVerifier::Verify(downloadPath, signaturePath);
    std::remove(signaturePath.c_str());
    if (code != SignatureVerifier::kAccepted) {
        std::remove(downloadPath.c_str());
        *message = SignatureVerifier::MessageFor(code, file);
        return false;
    }
    std::string error;
    bool cached;
    if (isCab) {
        client_.ShowLoadMessage("Extracting Cab File...");
        cached = CabinetExtractor::Extract(downloadPath, paths.componentDir).ok;
        if (!cached) *message = WithName("Failed to load %s", file);
    } else {
        // An accepted library that is not a cabinet is cached like a local file.
        cached = CopyToCache(downloadPath, paths.libraryPath, &error);
        if (!cached) *message = WithName("Could not cache local file %s", file);
    }
    std::remove(downloadPath.c_str());
    if (cached) sourceTime.Write(paths.recordPath, &error);
    return cached;
}

void ComponentLoader::FinishLoading(const std::string& file) {
    if (!factory_ || !LoadLock().TryLock()) {
        loading_ = false;
        return;
    }
    KeshInterface1* component = nullptr;
    {
        WorkingDirectoryScope inComponentDir(componentDir_);
        KeshFactoryFunction factory = factory_;
        factory_ = nullptr;
        try {
            component = factory();
            // The splash keeps its text for a null result; the failure still needs a reason.
            if (!component) failure_ = "The class " + lastClass_ + " of " + file +
                                            " created no component";
        } catch (...) {
            client_.ShowLoadMessage(WithName("Failed to load %s", file));
            failure_ = client_.LoadMessage();
            component = nullptr;
        }
        if (component) {
            ++loadedCount_;
            client_.AdoptComponent(component);
        }
    }
    if (component) client_.ComponentReady();
    LoadLock().Unlock();
    client_.Refresh(false);
    loading_ = false;
}

void ComponentLoader::Unload() {
    client_.DropComponent(library_ && library_->IsLoaded());
    defaultClassName_.clear();
}

void ComponentLoader::ReleaseLibrary() {
    library_.reset();
    defaultClassName_.clear();
}

}  // namespace vessant
