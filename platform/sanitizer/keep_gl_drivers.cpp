// Linked only into sanitizer builds. Mesa unloads its DRI driver when the last display
// connection closes; a process-lifetime allocation the driver made is then reported by the leak
// checker with a stack that ends in "<unknown module>", which no suppression can match. Keeping
// the GL drivers mapped until exit lets the suppressions name them, while every other library
// (components among them) is unloaded as usual, so leaks in our own code still fail the run.

#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif
#include <dlfcn.h>
#include <link.h>

#include <cstring>

namespace {

bool IsGlDriver(void* handle) {
    link_map* map = nullptr;
    if (handle == nullptr || dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || map->l_name == nullptr)
        return false;
    const char* name = map->l_name;
    return std::strstr(name, "_dri.so") != nullptr || std::strstr(name, "libgallium") != nullptr;
}

}  // namespace

extern "C" int dlclose(void* handle) {
    using Close = int (*)(void*);
    static Close next = reinterpret_cast<Close>(dlsym(RTLD_NEXT, "dlclose"));
    if (IsGlDriver(handle)) return 0;
    return next ? next(handle) : -1;
}
