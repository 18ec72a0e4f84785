#include "orvan/attribute_name.h"

#include <unordered_map>
#include <vector>

#include "orvan/mutex.h"

namespace orvan {

namespace {

struct NameTableData {
  Mutex lock;
  std::vector<std::string> names;
  std::unordered_map<std::string, std::uint32_t> indices;
};

// Created on first use, so static AttributeName constants of other translation units may be
// built before anything of ours; destroyed at exit or when a component library holding this
// runtime is unloaded (after every static that was built using it).
NameTableData& Table() {
  static NameTableData table;
  return table;
}

}  // namespace

std::uint32_t AttributeNameTable::Intern(const char* text) {
  return Intern(std::string(text != nullptr ? text : ""));
}

std::uint32_t AttributeNameTable::Intern(const std::string& text) {
  NameTableData& table = Table();
  MutexLock hold(table.lock);
  auto found = table.indices.find(text);
  if (found != table.indices.end()) return found->second;
  table.names.push_back(text);
  const std::uint32_t index = static_cast<std::uint32_t>(table.names.size() - 1);
  table.indices.emplace(text, index);
  return index;
}

bool AttributeNameTable::Find(const std::string& text, std::uint32_t* index) {
  NameTableData& table = Table();
  MutexLock hold(table.lock);
  auto found = table.indices.find(text);
  if (found == table.indices.end()) return false;
  *index = found->second;
  return true;
}

std::string AttributeNameTable::Text(std::uint32_t index) {
  NameTableData& table = Table();
  MutexLock hold(table.lock);
  return index < table.names.size() ? table.names[index] : std::string();
}

std::size_t AttributeNameTable::Size() {
  NameTableData& table = Table();
  MutexLock hold(table.lock);
  return table.names.size();
}

bool AttributeName::Existing(const std::string& text, AttributeName* name) {
  std::uint32_t index = 0;
  if (!AttributeNameTable::Find(text, &index)) return false;
  *name = AttributeName(ByIndex(), index);
  return true;
}

}  // namespace orvan
