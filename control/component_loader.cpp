// The loading concern of the control: from ComponentFileName and ClassName to a created
// component, through the address merge, the per-user cache, download, signature check and
// cabinet unpacking. Every step reports through the splash message; nothing is raised.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "bridge/kesh_interface1.h"
#include "bridge/ves_kesh_wrapper.h"
#include "common/dynamic_library.h"
#include "control/acquisition/cabinet_extractor.h"
#include "control/acquisition/cache_paths.h"
#include "control/acquisition/component_address.h"
#include "control/acquisition/copy_to_cache.h"
#include "control/acquisition/modification_record.h"
#include "control/acquisition/remote_source.h"
#include "control/acquisition/signature_verifier.h"
#include "control/gl_locks.h"
#include "control/tessary_ctrl.h"
#include "orvan/group.h"
#include "orvan/log_sink.h"
#include "splash/ActiveXSplash.h"

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

bool CTessaryCtrl::LoadComponent() {
    const std::string file = m_props.componentFileName;
    // The default class belongs to the library of the pending file; another file has its own.
    const std::string cls =
        !m_props.className.empty() ? m_props.className : file == m_pendingFile ? m_defaultClassName : std::string();
    if (m_loading) {
        // A factory still waiting for a paint belongs to the pair asked for before; when the
        // properties changed since, the last file and class asked for are the ones loaded.
        const bool superseded = m_factory && (file != m_pendingFile || cls != m_pendingClass);
        if (!superseded) {
            if (m_factory) FinishLoading();
            return m_currentObject != nullptr;
        }
        m_factory = nullptr;
        m_loading = false;
    }
    const bool fileChanged = file != m_lastFile;
    const bool classChanged = cls != m_lastClass || m_lastClass.empty();
    // Going back to the last pair after a failed change must load it again, so the pair only
    // counts as unchanged while its component is still current.
    if (!fileChanged && !classChanged && m_currentObject) return true;
    if (file == m_pendingFile && cls == m_pendingClass) return m_currentObject != nullptr;

    m_pendingFile = file;
    m_pendingClass = cls;
    m_loadFailure.clear();
    UnloadComponent();
    if (fileChanged) ReleaseLibrary();
    ResolveReferencingUrl();
    SetSplashMessage("Loading " + file + "...");
    m_loading = true;
    AcquireComponent();
    return m_currentObject != nullptr;
}

void CTessaryCtrl::ResolveReferencingUrl() {
    if (!m_documentAddress.empty()) {
        m_referencingUrlString = m_documentAddress;
    } else {
        ScopedLock lock(LoadLock());
        m_referencingUrlString = ComponentAddress::FromWorkingDirectory();
    }
    orvan::LogText("m_referencingUrlString now: " + m_referencingUrlString + "\n");
}

void CTessaryCtrl::AcquireComponent() {
    const std::string file = m_props.componentFileName;
    std::string cls = m_pendingClass;
    std::string message = WithName("Cannot load %s", file);
    std::unique_ptr<DynamicLibrary> loaded;  // a library this acquisition loaded
    DynamicLibrary* library = nullptr;       // the one to search: loaded, or the kept m_library

    if (!m_closing && !file.empty()) {
        if (m_library && m_library->IsLoaded()) {
            library = m_library.get();  // only the class changed
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
                m_defaultClassName = name;
                cls = m_defaultClassName;
                m_pendingClass = cls;
            } else {
                SetSplashMessage(WithName("No default name found in %s\n", file));
            }
        }
        if (!cls.empty()) {
            const std::string exportName = std::string(kKeshFactoryPrefix) + cls;
            auto factory = reinterpret_cast<KeshFactoryFunction>(library->GetSymbol(exportName.c_str()));
            if (factory) {
                if (loaded) m_library = std::move(loaded);
                m_lastFile = file;
                m_lastClass = cls;
                m_factory = factory;
            } else {
                std::string text = "Could not find " + exportName + " in " + file + "\n";
                SetSplashMessage(text);
            }
        }
    } else if (library) {
        message += "\nReason: ";
        message += library->ErrorText() ? library->ErrorText() : "";
        if (message.size() > 2047) message.resize(2047);
        SetSplashMessage(message);
    } else {
        SetSplashMessage(message);
    }

    if (!m_factory) {
        m_loading = false;
        if (!file.empty()) m_loadFailure = SplashMessage();
    }
    if (m_host && m_host->HasWindow()) {
        m_host->Invalidate(true);
        m_host->UpdateNow();
    }
}

std::unique_ptr<DynamicLibrary> CTessaryCtrl::FetchAndLoad(const std::string& file, std::string* message) {
    const MergedAddress merged = ComponentAddress::Merge(m_referencingUrlString, file);
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
    m_componentDir = paths.componentDir;
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
        SetSplashMessage("Downloading " + file + "...");
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
    if (m_closing) return fail();

    std::unique_ptr<DynamicLibrary> library;
    {
        ScopedLock lock(LoadLock());
        WorkingDirectoryScope inComponentDir(paths.componentDir);
        if (access(paths.libraryPath.c_str(), R_OK) == 0) {
            SetSplashMessage("Loading Component...");
            library = std::make_unique<DynamicLibrary>(paths.libraryPath.c_str(), true, false, false);
            if (!library->IsLoaded()) *message = WithName("Error loading %s\n", paths.libraryPath);
        }
    }
    if (m_closing) return fail();
    return library;
}

bool CTessaryCtrl::CacheLocal(const std::string& path, bool isCab, const CachePaths& paths,
                              const ModificationRecord& sourceTime, const std::string& file, std::string* message) {
    std::string error;
    if (isCab) {
        SetSplashMessage("Extracting Cab File...");
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

bool CTessaryCtrl::CacheRemote(const std::string& address, bool isCab, const CachePaths& paths,
                               const ModificationRecord& sourceTime, const std::string& file, std::string* message) {
    // Names of this process's own: two players fetching the same component must not check or
    // remove each other's download.
    const std::string suffix = "." + std::to_string(getpid());
    const std::string downloadPath = paths.downloadPath + suffix;
    const std::string signaturePath = paths.signaturePath + suffix;
    const TransferResult download = RemoteSource(address).Download(
        downloadPath, [this](std::uint64_t progress, std::uint64_t max, const std::string& status) {
            if (m_closing) return false;
            if (max != 0) SetSplashMessage(RemoteSource::ProgressText(progress, max, status));
            return true;
        });
    if (!download.ok()) {
        *message = WithName("Cannot load %s\nDownload failed.", file);
        return false;
    }
    if (m_closing) return false;
    SetSplashMessage("Checking Security");
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
        SetSplashMessage("Extracting Cab File...");
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

void CTessaryCtrl::FinishLoading() {
    if (!m_factory || !LoadLock().TryLock()) {
        m_loading = false;
        return;
    }
    KeshInterface1* component = nullptr;
    {
        WorkingDirectoryScope inComponentDir(m_componentDir);
        KeshFactoryFunction factory = m_factory;
        m_factory = nullptr;
        try {
            component = factory();
            // The splash keeps its text for a null result; the failure still needs a reason.
            if (!component) m_loadFailure = "The class " + m_lastClass + " of " + m_props.componentFileName +
                                            " created no component";
        } catch (...) {
            SetSplashMessage(WithName("Failed to load %s", m_props.componentFileName));
            m_loadFailure = SplashMessage();
            component = nullptr;
        }
        if (component) {
            m_wrapper = VesKeshWrapper::NewWrapper(component);
            m_wrapper->AbsolutePlacement(m_props.absolutePlacement);
            ++m_loadedCount;
            SetCurrentObject(m_wrapper);
        }
    }
    if (component) {
        ApplyInitialAttributes();
        ApplyPendingAttributes();
    }
    LoadLock().Unlock();
    Repaint();
    m_loading = false;
}

void CTessaryCtrl::UnloadComponent() {
    if (m_currentObject && m_wrapper && m_library && m_library->IsLoaded()) {
        if (m_rootGroup->Count() > 0) m_rootGroup->DeleteObject(m_rootGroup->Item(0));
        m_currentObject = nullptr;
        m_wrapper->DeleteInstance();
        m_wrapper = nullptr;
    }
    m_lastEyePoint.clear();
    m_currentObject = nullptr;
    m_defaultClassName.clear();
}

void CTessaryCtrl::ReleaseLibrary() {
    m_library.reset();
    m_defaultClassName.clear();
}

std::string CTessaryCtrl::SplashMessage() const {
    ScopedLock lock(SplashLock());
    return m_splash->MainMessage();
}

void CTessaryCtrl::SetSplashMessage(const std::string& text) {
    {
        ScopedLock lock(SplashLock());
        m_splash->MainMessage(orvan::VesPropString(text));
    }
    if (m_messageListener) m_messageListener(text);
    if (m_host && m_host->HasWindow()) {
        m_host->Invalidate(true);
        if (m_loading) m_host->UpdateNow();
    }
}

}  // namespace vessant
