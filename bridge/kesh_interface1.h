#pragma once
// The binary contract between the player and a separately compiled component library.
//
// The two sides never see each other's classes: they meet through a few undecorated exports and
// through the virtual tables of the classes below, so the order of the virtual operations and
// the layout of the records are fixed. This header is all a component needs: it includes no
// other header of the project and compiles as C++11 with any compiler of the Itanium C++ ABI.
//
// Itanium ABI: virtual operations take table entries in declaration order. A virtual destructor
// takes two entries (complete and deleting object destructor), so in a class whose first
// operation is its destructor the next operation is entry 2. KeshInterface1 has no virtual
// destructor at all: its table is exactly its thirteen operations, and the object is released
// only through Destroy(), which frees it inside the module that allocated it. Its destructor is
// protected and non-virtual so that the player cannot delete the object by mistake; a component
// class is declared final and implements Destroy() as `delete this`.
//
// No exception may leave an operation into the other side: each side catches its own.
//
// Nothing may be made virtual here beyond what is declared, and no operation may be reordered:
// either would move the entries that already built components call.

#include <cstddef>
#include <cstdint>

// Marks a contract export in a component library: undecorated, visible outside the library.
#if defined(__GNUC__)
#define KESH_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define KESH_EXPORT extern "C"
#endif

// Export names. The factory of class C is kKeshFactoryPrefix followed by C.
constexpr char kKeshFactoryPrefix[] = "CreateKeshInterface1_";
constexpr char kKeshDefaultClassNameExport[] = "VesDefaultClassName";
constexpr char kKeshBuiltVersionExport[] = "GetVesBuiltVersionInfo";

// An attribute name no attribute can have: GetAttribute of it answers why the last GetAttribute
// or SetAttribute failed (no attribute of that name, a value the attribute cannot read), or an
// empty text when it succeeded or the component cannot tell. A component that does not know it
// answers an empty text, so the player then assumes success as before.
constexpr char kKeshAttributeStatusQuery[] = "?AttributeStatus";

// The record behind "GetVesBuiltVersionInfo": the runtime version a component was built with.
// (Not named major/minor: the C library defines macros of those names.)
struct KeshBuiltVersion {
    std::int32_t majorVersion;
    std::int32_t minorVersion;
    std::int32_t buildNumber;
};

constexpr std::int32_t kKeshVersionMajor = 3;
constexpr std::int32_t kKeshVersionMinor = 2;
constexpr std::int32_t kKeshVersionBuild = 1006;
constexpr std::int32_t kKeshVersionBuildTolerance = 500;

// True for a record of this runtime's major and minor version whose build lies within the
// tolerance of ours. A missing record (a library without the export) is refused. The difference
// is taken in 64 bits so that no build number overflows it.
inline bool KeshBuiltVersionAccepted(const KeshBuiltVersion* version) {
    if (version == nullptr) return false;
    const long long difference =
        static_cast<long long>(version->buildNumber) - static_cast<long long>(kKeshVersionBuild);
    return version->majorVersion == kKeshVersionMajor &&
           version->minorVersion == kKeshVersionMinor && difference >= -kKeshVersionBuildTolerance &&
           difference <= kKeshVersionBuildTolerance;
}

// The player's viewport and matrices, valid only during the call that receives them.
struct KeshViewMatrices {
    int* viewport;       // x, y, width, height
    double* projection;  // 16 values, column-major as OpenGL
    double* modelView;   // 16 values, column-major as OpenGL
};

class KeshInterface1;

// Signatures of the exports.
extern "C" {
typedef KeshInterface1* (*KeshFactoryFunction)();
typedef const char* (*KeshDefaultClassNameFunction)();
typedef const KeshBuiltVersion* (*KeshBuiltVersionFunction)();
}

class KeshInterface1 {
public:
    // Values of Event::eventType.
    enum : std::uint16_t {
        KESH_EVENT_MOUSE = 0,
        KESH_EVENT_KEYBOARD = 1,
        KESH_EVENT_OBJECT = 3,
        KESH_EVENT_KEYBOARD_UP = 4
    };

    // Events: one virtual operation, the destructor (table entries 0 and 1).
    class Event {
    public:
        Event() : eventType(0), eventSubtype(0) {}
        virtual ~Event() {}

        std::uint16_t eventType;
        std::uint16_t eventSubtype;
    };

    class LocationEvent : public Event {
    public:
        LocationEvent() {
            location[0] = 0.0f;
            location[1] = 0.0f;
            location[2] = 0.0f;
        }

        float location[3];  // x, y, z
    };

    class MouseEvent : public LocationEvent {
    public:
        MouseEvent() : button(0), reserved(0), modifiers(0) { eventType = KESH_EVENT_MOUSE; }

        std::uint8_t button;
        std::uint8_t reserved;
        std::int32_t modifiers;
    };

    // Used for key releases too, with eventType KESH_EVENT_KEYBOARD_UP.
    class KeyboardEvent : public LocationEvent {
    public:
        KeyboardEvent() : reserved(0), keysym(0), modifiers(0) { eventType = KESH_EVENT_KEYBOARD; }

        std::int32_t reserved;
        std::int32_t keysym;
        std::int32_t modifiers;
    };

    // The texts belong to the event and are read directly, but written only through the setters
    // (entries 2 to 4): they run in the module that created the event, so each text is allocated
    // and freed by the same module's allocator whichever side calls.
    class ObjectEvent : public Event {
    public:
        ObjectEvent() : initiatorName(nullptr), eventName(nullptr), eventData(nullptr) {
            eventType = KESH_EVENT_OBJECT;
        }
        ~ObjectEvent() override {
            delete[] initiatorName;
            delete[] eventName;
            delete[] eventData;
        }
        // Copying would share the owned texts and free them twice.
        ObjectEvent(const ObjectEvent&) = delete;
        ObjectEvent& operator=(const ObjectEvent&) = delete;

        // Each frees the previous text and keeps a copy of the new one; null leaves the field null.
        virtual void InitiatorName(const char* text) { Replace(&initiatorName, text); }
        virtual void EventName(const char* text) { Replace(&eventName, text); }
        virtual void EventData(const char* text) { Replace(&eventData, text); }

        char* initiatorName;
        char* eventName;
        char* eventData;

    private:
        static void Replace(char** field, const char* text) {
            delete[] *field;
            *field = nullptr;
            if (text == nullptr) return;
            std::size_t length = 0;
            while (text[length] != '\0') ++length;
            char* copy = new char[length + 1];
            for (std::size_t i = 0; i <= length; ++i) copy[i] = text[i];
            *field = copy;
        }
    };

    // Implemented by the player; the component reports the events it emits here, on the thread
    // that calls into the component. The player owns it and answers -1.
    class EmittedEventHandler {
    public:
        virtual ~EmittedEventHandler() {}
        virtual int HandleEvent(Event* event) = 0;
    };

    // Implemented by the player: its resource filter, as the component sees it.
    class ResourceFilter {
    public:
        virtual ~ResourceFilter() {}
        virtual void Depth(int depth) = 0;
        virtual int Depth() = 0;
        virtual void Levels(int levels) = 0;  // -1: unlimited
        virtual int Levels() = 0;
        virtual void NamesOnly(bool namesOnly) = 0;
        virtual bool NamesOnly() = 0;
        virtual void AddExcludedName(const char* name) = 0;  // the filter keeps a copy
        virtual unsigned ExcludedNameCount() = 0;
        virtual const char* ExcludedName(unsigned index) = 0;  // null past the end
        virtual void AddIncludedName(const char* name) = 0;  // the filter keeps a copy
        virtual unsigned IncludedNameCount() = 0;
        virtual const char* IncludedName(unsigned index) = 0;  // null past the end
        virtual bool Accepts(const char* name) = 0;
    };

    // Entries 0 to 12. Texts returned stay owned by the component; the player copies them before
    // its next call. Points are three floats x, y, z.
    virtual void Calculate(double time) = 0;
    virtual void PreDraw(KeshViewMatrices* matrices, bool* cullTest) = 0;
    virtual void Draw() = 0;
    virtual void SetAttribute(const char* name, const char* value) = 0;
    virtual const char* GetAttribute(const char* name) = 0;  // "": no value for that name
    virtual const char* GetResources(ResourceFilter* filter) = 0;  // filter may be null
    virtual bool HandleInput(Event* event) = 0;  // true: consumed; event valid during the call
    virtual void SetEmittedEventHandler(EmittedEventHandler* handler) = 0;
    virtual bool Pick3D(const float* winLocation, const float* origin, float scale,
                        const float* direction, float* hitPoint, KeshViewMatrices* matrices) = 0;
    virtual bool GetBoundingSphere(float* centre, float* radius) = 0;
    virtual bool GetExtents(float* minimum, float* maximum, void* reserved) = 0;  // reserved: null
    virtual KeshInterface1* CloneObject() = 0;
    virtual void Destroy() = 0;  // the object frees itself; nothing is called after it

protected:
    KeshInterface1() {}
    ~KeshInterface1() {}
};

// The records cross the boundary by address, so their layout is checked wherever either side
// compiles this header. The classes are polymorphic, where offsetof is conditionally supported;
// g++ and clang++ compute it and warn, hence the local silence.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#endif

#if UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
static_assert(offsetof(KeshInterface1::Event, eventType) == 8, "eventType");
static_assert(offsetof(KeshInterface1::Event, eventSubtype) == 10, "eventSubtype");
static_assert(offsetof(KeshInterface1::LocationEvent, location) == 12, "location");
static_assert(offsetof(KeshInterface1::MouseEvent, button) == 24, "MouseEvent button");
static_assert(offsetof(KeshInterface1::MouseEvent, reserved) == 25, "MouseEvent reserved");
static_assert(offsetof(KeshInterface1::MouseEvent, modifiers) == 28, "MouseEvent modifiers");
static_assert(sizeof(KeshInterface1::MouseEvent) == 32, "MouseEvent size");
static_assert(offsetof(KeshInterface1::KeyboardEvent, reserved) == 24, "KeyboardEvent reserved");
static_assert(offsetof(KeshInterface1::KeyboardEvent, keysym) == 28, "KeyboardEvent keysym");
static_assert(offsetof(KeshInterface1::KeyboardEvent, modifiers) == 32, "KeyboardEvent modifiers");
static_assert(sizeof(KeshInterface1::KeyboardEvent) == 40, "KeyboardEvent size");
static_assert(offsetof(KeshInterface1::ObjectEvent, initiatorName) == 16, "initiatorName");
static_assert(offsetof(KeshInterface1::ObjectEvent, eventName) == 24, "eventName");
static_assert(offsetof(KeshInterface1::ObjectEvent, eventData) == 32, "eventData");
static_assert(sizeof(KeshInterface1::ObjectEvent) == 40, "ObjectEvent size");
static_assert(sizeof(KeshViewMatrices) == 24, "KeshViewMatrices size");
#elif UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(KeshInterface1::Event, eventType) == 4, "eventType");
static_assert(offsetof(KeshInterface1::Event, eventSubtype) == 6, "eventSubtype");
static_assert(offsetof(KeshInterface1::LocationEvent, location) == 8, "location");
static_assert(offsetof(KeshInterface1::MouseEvent, button) == 20, "MouseEvent button");
static_assert(offsetof(KeshInterface1::MouseEvent, reserved) == 21, "MouseEvent reserved");
static_assert(offsetof(KeshInterface1::MouseEvent, modifiers) == 24, "MouseEvent modifiers");
static_assert(sizeof(KeshInterface1::MouseEvent) == 28, "MouseEvent size");
static_assert(offsetof(KeshInterface1::KeyboardEvent, reserved) == 20, "KeyboardEvent reserved");
static_assert(offsetof(KeshInterface1::KeyboardEvent, keysym) == 24, "KeyboardEvent keysym");
static_assert(offsetof(KeshInterface1::KeyboardEvent, modifiers) == 28, "KeyboardEvent modifiers");
static_assert(sizeof(KeshInterface1::KeyboardEvent) == 32, "KeyboardEvent size");
static_assert(offsetof(KeshInterface1::ObjectEvent, initiatorName) == 8, "initiatorName");
static_assert(offsetof(KeshInterface1::ObjectEvent, eventName) == 12, "eventName");
static_assert(offsetof(KeshInterface1::ObjectEvent, eventData) == 16, "eventData");
static_assert(sizeof(KeshInterface1::ObjectEvent) == 20, "ObjectEvent size");
static_assert(sizeof(KeshViewMatrices) == 12, "KeshViewMatrices size");
#endif

static_assert(sizeof(KeshBuiltVersion) == 12, "KeshBuiltVersion is three 32-bit integers");

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
