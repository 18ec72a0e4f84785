#pragma once

#include <string>

#include "orvan/list.h"

namespace orvan {

// One row of a class's static table of scriptable operations, for design tools. A table starts
// with a header row ("", "------ ClassName ------", "") and ends with a row whose name is null.
struct MethodDescriptionRow {
  const char* name;
  const char* signature;
  const char* description;
};

// An owned copy of one row.
struct MethodDescription {
  MethodDescription(const char* name_, const char* signature_, const char* description_)
      : name(name_ ? name_ : ""), signature(signature_ ? signature_ : ""),
        description(description_ ? description_ : "") {}
  std::string name;
  std::string signature;
  std::string description;
};

// The list that GetMethodDescriptions fills; it owns its entries.
class MethodDescriptionList : public TList<MethodDescription*> {
 public:
  ~MethodDescriptionList() override {
    for (Item* item = head; item != nullptr; item = item->next) delete item->data;
  }
  // Copies every row of a table up to its terminating row.
  void AppendTable(const MethodDescriptionRow* table) {
    for (const MethodDescriptionRow* row = table; row->name != nullptr; ++row) {
      Append(new MethodDescription(row->name, row->signature, row->description));
    }
  }
};

}  // namespace orvan
