#pragma once
// Loading of the component named by ComponentFileName and ClassName: the address merge, the
// per-user cache, download, signature check and cabinet unpacking, the library and the factory
// waiting for the next paint. Every step reports through the control's splash message; nothing
// is raised.

#include <memory>
#include <string>

#include "bridge/kesh_interface1.h"

namespace vessant {

class DynamicLibrary;
struct CachePaths;
class ModificationRecord;

class ComponentLoader {
public:
    // What loading asks of the control it loads for.
    class Client {
    public:
        virtual ~Client() = default;
        // A progress or failure text for the splash display, and the text it shows now.
        virtual void ShowLoadMessage(const std::string& text) = 0;
        virtual std::string LoadMessage() const = 0;
        virtual bool HasComponent() const = 0;
        // Takes the drawn component away; destroy: its library is still loaded, so it can be destroyed.
        virtual void DropComponent(bool destroy) = 0;
        // A component the factory made (in the component's directory): wrap it and draw it.
        virtual void AdoptComponent(KeshInterface1* component) = 0;
        // The adopted component may now take its attributes.
        virtual void ComponentReady() = 0;
        // Asks for a paint; paintNow paints at once.
        virtual void Refresh(bool paintNow) = 0;
    };

    explicit ComponentLoader(Client& client);
    ~ComponentLoader();
    ComponentLoader(const ComponentLoader&) = delete;
    ComponentLoader& operator=(const ComponentLoader&) = delete;

    // Brings the component of file and className in (an empty class: the library's default);
    // true when one is current. A factory found waits for FinishLoading.
    bool Load(const std::string& file, const std::string& className);
    void ResolveReferencingUrl();
    void Acquire(const std::string& file);
    // Calls the waiting factory under the load lock (tried, not waited for).
    void FinishLoading(const std::string& file);
    void Unload();
    void ReleaseLibrary();
    // The control is going: downloads and loads under way give up.
    void Close() { closing_ = true; }

    // The address component names are resolved against; empty: the working directory.
    void SetDocumentAddress(const std::string& address) { documentAddress_ = address; }
    // Why the last load ended without a component; empty while one is current, a load waits or none is named.
    const std::string& Failure() const { return failure_; }
    unsigned LoadedCount() const { return loadedCount_; }
    bool Loading() const { return loading_; }
    const std::string& ReferencingUrl() const { return referencingUrl_; }

private:
    std::unique_ptr<DynamicLibrary> FetchAndLoad(const std::string& file, std::string* message);
    bool CacheLocal(const std::string& path, bool isCab, const CachePaths& paths, const ModificationRecord& sourceTime,
                    const std::string& file, std::string* message);
    bool CacheRemote(const std::string& address, bool isCab, const CachePaths& paths,
                     const ModificationRecord& sourceTime, const std::string& file, std::string* message);

    Client& client_;
    std::string documentAddress_;
    std::string referencingUrl_;
    std::unique_ptr<DynamicLibrary> library_;
    KeshFactoryFunction factory_ = nullptr;
    std::string lastFile_, lastClass_;
    std::string pendingFile_, pendingClass_;
    std::string defaultClassName_;
    std::string componentDir_;
    std::string failure_;
    bool closing_ = false;
    bool loading_ = false;
    unsigned loadedCount_ = 0;
};

}  // namespace vessant
