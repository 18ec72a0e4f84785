// The frame's resource operations: dotted names resolved through the tree, and the resource
// text written from and read into every object of it.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "orvan/attrib_dict.h"
#include "orvan/display_frame.h"
#include "orvan/error_report.h"
#include "orvan/file_util.h"
#include "orvan/object_resources.h"
#include "orvan/group.h"
#include "orvan/resource_filter.h"
#include "orvan/staged_file.h"

namespace orvan {

namespace {

OrvanAttributeBase* Empty() { return &OrvanEmptyAttribute::Instance(); }

char* CopyOut(const std::string& text) {
  char* copy = new char[text.size() + 1];
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

}  // namespace

// --- Look-up -----------------------------------------------------------------------------------

OrvanAttributeBase* DisplayFrame::QualifiedResource(const char* name) {
  const char* dot = std::strchr(name, '.');
  if (dot == nullptr || root == nullptr) return nullptr;
  const std::string first(name, static_cast<std::size_t>(dot - name));
  DisplayObject* object = FindResourceObject(root, first.c_str());
  return object != nullptr ? object->Resource(dot + 1) : nullptr;
}

DisplayObject* DisplayFrame::FindResourceObject(Group* scope, const char* name) {
  if (DisplayObject* own = scope->FindByNameSameFrame(name)) return own;
  return scope->FindByName(name);
}

OrvanAttributeBase* DisplayFrame::Resource(const char* name) {
  if (name == nullptr || name[0] == '\0') return Empty();
  OrvanAttributeBase* found = nullptr;
  if (std::strchr(name, '.') != nullptr) {
    found = QualifiedResource(name);
  } else {
    // A name nobody registered cannot be in the dictionary; looking it up must not intern it.
    AttributeName key;
    if (AttributeName::Existing(name, &key)) found = frameAttributes->Get(key);
  }
  return found != nullptr ? found : Empty();
}

char* DisplayFrame::GetResource_CRTClean(const char* name) {
  std::ostringstream text;
  Resource(name)->WriteValue(text);
  return CopyOut(text.str());
}

void DisplayFrame::GetResourceFree_CRTClean(char* memoryToFree) { delete[] memoryToFree; }

void DisplayFrame::SetResource_CRTClean(const char* name, const char* value) {
  std::istringstream text(value != nullptr ? value : "");
  Resource(name)->ReadValue(text);
}

std::string DisplayFrame::GetResource(const char* name) {
  std::ostringstream text;
  Resource(name)->WriteValue(text);
  return text.str();
}

std::string DisplayFrame::GetResource(const std::string& name) { return GetResource(name.c_str()); }

void DisplayFrame::SetResource(const char* name, const char* value) { SetResource_CRTClean(name, value); }

void DisplayFrame::SetResource(const std::string& name, const std::string& value) {
  SetResource_CRTClean(name.c_str(), value.c_str());
}

// --- Writing -----------------------------------------------------------------------------------

void DisplayFrame::WriteFrameAttributes(std::ostream& os, const VesResourceFilter* filter, const std::string& prefix) {
  WriteAttributeLines(os, frameAttributes, prefix, filter);
}

void DisplayFrame::WriteObjects(std::ostream& os, const VesResourceFilter* filter) {
  if (filter != nullptr && filter->LevelsDown() != -1 && filter->LevelsDown() <= 0) return;
  if (root == nullptr) return;
  VesResourceFilter child(filter);
  if (child.LevelsDown() > 0) child.LevelsDown(child.LevelsDown() - 1);
  if (child.QualificationLevels() != -1) child.QualificationLevels(child.QualificationLevels() + 1);
  for (unsigned int i = 0; i < root->Count(); ++i) {
    if (DisplayObject* object = root->Item(i)) object->GetResources(os, &child);
  }
}

void DisplayFrame::WriteResources(std::ostream& os, VesResourceFilter* filter) {
  // A frame that is also an object (a component) is qualified like one.
  const DisplayObject* asObject = dynamic_cast<const DisplayObject*>(this);
  const std::string prefix = asObject != nullptr ? ObjectResourcePrefix(asObject, filter) : std::string();
  WriteFrameAttributes(os, filter, prefix);
  WriteObjects(os, filter);
}

char* DisplayFrame::GetResources(VesResourceFilter* filter) {
  std::ostringstream text;
  WriteResources(text, filter);
  return CopyOut(text.str());
}

void DisplayFrame::FreeResources(char* text) { delete[] text; }

// The text goes to a new file beside the target, which replaces the target only once it is
// complete: a failed write leaves an existing file as it was.
bool DisplayFrame::WriteResources(const char* filename, VesResourceFilter* filter) {
  if (filename == nullptr || filename[0] == '\0') {
    ShowError("Unable to open file(%s)", filename != nullptr ? filename : "");
    return false;
  }
  StagedFile file(filename);
  if (!file.Open(nullptr)) {
    ShowError("Unable to open file(%s)", filename);
    return false;
  }
  std::ostringstream text;
  text.setf(std::ios::fixed, std::ios::floatfield);
  text.precision(6);
  WriteResources(text, filter);
  const std::string written = text.str();
  if (!text.good() || !file.Write(written.data(), written.size(), nullptr) || !file.Commit(nullptr)) {
    ShowError("Unable to write file(%s)", filename);
    return false;
  }
  return true;
}

// --- Reading -----------------------------------------------------------------------------------

void DisplayFrame::ReadResources(std::istream& is) {
  ReadResourceText(is, [this](const std::string& name) -> OrvanAttributeBase& { return *Resource(name.c_str()); });
}

bool DisplayFrame::ReadResources(const char* filename, VesResourceFilter* /*filter*/) {
  if (filename == nullptr) return false;
  std::ifstream in(filename);
  if (!in.is_open()) return false;
  ReadResources(in);
  return true;
}

void DisplayFrame::SetResources(const char* text) {
  std::istringstream in(text != nullptr ? text : "");
  ReadResources(in);
}

}  // namespace orvan
