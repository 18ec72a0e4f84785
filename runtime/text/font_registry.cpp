// The process-wide font registry. Lookups go by key; a second font whose key is already taken
// still gets an entry (and a count) of its own, so one font's users can never release another.
#include "orvan/font_registry.h"

#include "orvan/static_image_list.h"

#include <map>
#include <mutex>
#include <string>

#include "orvan/ves_font_base.h"

namespace orvan {

// Defined with the built-in font's data.
VesFontBase* CreateBuiltInFont();

namespace {

struct Entry {
  VesFontBase* font;
  int users;
};

// Set once the registry is gone (at the end of the program or of the component library that
// holds this copy of the runtime): a text destroyed later finds nothing to release.
bool registryGone = false;

struct Registry {
  // The static image list must outlive the built-in font's image, which leaves it when destroyed.
  Registry() { StaticImageList::Count(); }
  // The built-in font and the fonts nobody uses go with the registry, so that unloading a
  // component library leaves nothing of them behind; fonts still in use stay with their users.
  ~Registry() {
    registryGone = true;
    for (auto& entry : entries) {
      if (entry.second.font != builtIn && entry.second.users < 1) delete entry.second.font;
    }
    delete builtIn;
  }

  std::mutex mutex;
  std::multimap<std::string, Entry> entries;
  VesFontBase* builtIn = nullptr;

  std::multimap<std::string, Entry>::iterator Locate(const VesFontBase* font) {
    auto range = entries.equal_range(font->Key());
    for (auto it = range.first; it != range.second; ++it) {
      if (it->second.font == font) return it;
    }
    return entries.end();
  }
};

// Null once the registry is gone.
Registry* TheRegistry() {
  static Registry registry;
  return registryGone ? nullptr : &registry;
}

}  // namespace

namespace FontRegistry {

VesFontBase* Find(const char* name, const char* style, int size) {
  Registry* registry = TheRegistry();
  if (registry == nullptr) return nullptr;
  Registry& r = *registry;
  const std::string key = VesFontBase::MakeKey(name != nullptr ? name : "", style != nullptr ? style : "", size);
  std::lock_guard<std::mutex> lock(r.mutex);
  auto found = r.entries.find(key);
  return found != r.entries.end() ? found->second.font : nullptr;
}

void Add(VesFontBase* font) {
  Registry* registry = TheRegistry();
  if (font == nullptr || registry == nullptr) return;
  Registry& r = *registry;
  std::lock_guard<std::mutex> lock(r.mutex);
  if (r.Locate(font) == r.entries.end()) r.entries.emplace(font->Key(), Entry{font, 0});
}

void AddRef(VesFontBase* font) {
  Registry* registry = TheRegistry();
  if (registry == nullptr) return;
  Registry& r = *registry;
  std::lock_guard<std::mutex> lock(r.mutex);
  if (font == nullptr || font == r.builtIn) return;
  auto found = r.Locate(font);
  if (found != r.entries.end()) {
    ++found->second.users;
  } else {
    r.entries.emplace(font->Key(), Entry{font, 1});
  }
}

void Release(VesFontBase* font) {
  Registry* registry = TheRegistry();
  if (registry == nullptr) return;
  Registry& r = *registry;
  VesFontBase* doomed = nullptr;
  {
    std::lock_guard<std::mutex> lock(r.mutex);
    if (font == nullptr || font == r.builtIn) return;
    auto found = r.Locate(font);
    if (found == r.entries.end()) {
      doomed = font;
    } else if (--found->second.users < 1) {
      doomed = font;
      r.entries.erase(found);
    }
  }
  delete doomed;
}

VesFontBase* DefaultFont() {
  if (VesFontBase* font = Find("Arial", "Regular", 12)) return font;
  Registry* registry = TheRegistry();
  if (registry == nullptr) return nullptr;
  Registry& r = *registry;
  VesFontBase* made = nullptr;
  {
    std::lock_guard<std::mutex> lock(r.mutex);
    if (r.builtIn == nullptr) made = r.builtIn = CreateBuiltInFont();
  }
  if (made != nullptr) Add(made);
  return Find("Arial", "Regular", 12);
}

bool IsBuiltIn(const VesFontBase* font) {
  Registry* registry = TheRegistry();
  if (registry == nullptr) return false;
  Registry& r = *registry;
  std::lock_guard<std::mutex> lock(r.mutex);
  return font != nullptr && font == r.builtIn;
}

int UserCount(const VesFontBase* font) {
  Registry* registry = TheRegistry();
  if (font == nullptr || registry == nullptr) return -1;
  Registry& r = *registry;
  std::lock_guard<std::mutex> lock(r.mutex);
  auto found = r.Locate(font);
  return found != r.entries.end() ? found->second.users : -1;
}

}  // namespace FontRegistry

}  // namespace orvan
