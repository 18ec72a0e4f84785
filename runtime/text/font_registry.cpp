// The process-wide font registry. Lookups go by key; a second font whose key is already taken
// still gets an entry (and a count) of its own, so one font's users can never release another.
#include "orvan/font_registry.h"

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

struct Registry {
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

// Never destroyed: the built-in font and the fonts still in use outlive every static object.
Registry& TheRegistry() {
  static Registry* registry = new Registry;
  return *registry;
}

}  // namespace

namespace FontRegistry {

VesFontBase* Find(const char* name, const char* style, int size) {
  Registry& r = TheRegistry();
  const std::string key = VesFontBase::MakeKey(name != nullptr ? name : "", style != nullptr ? style : "", size);
  std::lock_guard<std::mutex> lock(r.mutex);
  auto found = r.entries.find(key);
  return found != r.entries.end() ? found->second.font : nullptr;
}

void Add(VesFontBase* font) {
  if (font == nullptr) return;
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  if (r.Locate(font) == r.entries.end()) r.entries.emplace(font->Key(), Entry{font, 0});
}

void AddRef(VesFontBase* font) {
  Registry& r = TheRegistry();
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
  Registry& r = TheRegistry();
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
  Registry& r = TheRegistry();
  VesFontBase* made = nullptr;
  {
    std::lock_guard<std::mutex> lock(r.mutex);
    if (r.builtIn == nullptr) made = r.builtIn = CreateBuiltInFont();
  }
  if (made != nullptr) Add(made);
  return Find("Arial", "Regular", 12);
}

bool IsBuiltIn(const VesFontBase* font) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  return font != nullptr && font == r.builtIn;
}

int UserCount(const VesFontBase* font) {
  if (font == nullptr) return -1;
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto found = r.Locate(font);
  return found != r.entries.end() ? found->second.users : -1;
}

}  // namespace FontRegistry

}  // namespace orvan
