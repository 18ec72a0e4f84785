#pragma once

#include <iosfwd>
#include <string>

#include "orvan/method_description.h"

namespace orvan {

class DisplayObject;
class Group;
class ComponentLightMgr;
class MaterialList;
class OrvanAttribDict;
class OrvanAttributeBase;
class TexturePalette;
class VesResourceFilter;

// The root of an object tree: it owns the tree, the texture palette, materials and lights the
// tree's objects use, its own attributes, and knows which object holds the mouse and keyboard
// focus. Its resource operations reach any attribute in the tree by a dotted name.
//
// The virtual operations keep a fixed slot order (numbers in the comments).
class DisplayFrame {
 public:
  // The two integers are the size the frame was laid out in; this class stores them and never
  // reads them. With createRoot the frame starts with an empty root group "HierarchyRoot".
  DisplayFrame(int designWidth = 1, int designHeight = 1, bool createRoot = true);
  DisplayFrame(const DisplayFrame&) = delete;
  DisplayFrame& operator=(const DisplayFrame&) = delete;

  // Deletes the whole tree through the root, then the lights, palette, attributes, materials.
  /* 0 */ virtual ~DisplayFrame();
  /* 1 */ virtual DisplayObject* SecondObject();
  /* 2 */ virtual void SecondObject(DisplayObject* object);
  // Writes the resource text to filename, replacing the file only once the whole text is
  // written. A file that cannot be written is reported as "Unable to open file(...)"; false then.
  /* 3 */ virtual bool WriteResources(const char* filename, VesResourceFilter* filter = nullptr);
  // Reads a resource file; a file that cannot be opened is silently skipped (false).
  /* 4 */ virtual bool ReadResources(const char* filename, VesResourceFilter* filter = nullptr);
  // Returns a reference to the specified resource.  Values can be streamed in and out of this
  // reference. Never null: names that reach nothing give the shared empty attribute.
  /* 5 */ virtual OrvanAttributeBase* Resource(const char* name);
  /* 6 */ virtual void WriteResources(std::ostream& os, VesResourceFilter* filter);
  // Reads "name: value" entries up to the end of the input or a "}".
  /* 7 */ virtual void ReadResources(std::istream& is);
  // The value text of Resource(name) in a new[] array; free it with GetResourceFree_CRTClean.
  /* 8 */ virtual char* GetResource_CRTClean(const char* name);
  /* 9 */ virtual void GetResourceFree_CRTClean(char* memoryToFree);
  // The whole text WriteResources(stream, filter) writes, in a new[] array; free it with
  // FreeResources.
  /* 10 */ virtual char* GetResources(VesResourceFilter* filter);
  /* 11 */ virtual void FreeResources(char* text);
  /* 12 */ virtual void SetResource_CRTClean(const char* name, const char* value);
  /* 13 */ virtual void SetResources(const char* text);
  /* 14 */ virtual MethodDescriptionList* GetMethodDescriptions(MethodDescriptionList* list);
  /* 15 */ virtual void ReleaseMethodDescriptions(MethodDescriptionList* list);
  // Does nothing in a plain frame; a component passes it to the frame it sits in.
  /* 16 */ virtual void NotifyOuterFrame();
  // Clears any parents pointers to handled objects.  Call this before dynamically deleting an
  // object.
  /* 17 */ virtual void ClearDragAndFocus();

  std::string GetResource(const char* name);
  std::string GetResource(const std::string& name);
  void SetResource(const char* name, const char* value);
  void SetResource(const std::string& name, const std::string& value);

  Group* Root() const { return root; }
  OrvanAttribDict* FrameAttributes() const { return frameAttributes; }
  TexturePalette* Palette() const { return texturePalette; }
  MaterialList* Materials() const { return materials; }
  ComponentLightMgr* Lights() const { return lightManager; }
  DisplayObject* FocusObject() const { return focusObject; }
  float LastPickDepth() const { return lastPickDepth; }
  unsigned int ClearMask() const { return clearMask; }
  void ClearMask(unsigned int mask) { clearMask = mask; }
  bool Valid() const { return valid; }
  void Valid(bool on) { valid = on; }
  int DesignWidth() const { return designWidth; }
  int DesignHeight() const { return designHeight; }
  void DesignSize(int width, int height) {
    designWidth = width;
    designHeight = height;
  }

 protected:
  // Writes the frame's own attribute lines under prefix (frame writing, step by step: these
  // lines, then the objects).
  void WriteFrameAttributes(std::ostream& os, const VesResourceFilter* filter, const std::string& prefix);
  // Writes every object of the tree's top level with the filter one level further down, unless
  // the filter says to stop at this level.
  void WriteObjects(std::ostream& os, const VesResourceFilter* filter);
  // The attribute of a dotted name, the part before the first "." found with the root's search
  // by instance name; null when nothing matches.
  OrvanAttributeBase* QualifiedResource(const char* name);
  // The object a dotted name's first part names below scope: one of scope's own frame first
  // (which is what a written prefix means, and needs no walk through nested components), else
  // the first one anywhere below.
  static DisplayObject* FindResourceObject(Group* scope, const char* name);

  OrvanAttribDict* frameAttributes;
  bool valid;
  int designWidth;
  int designHeight;
  DisplayObject* secondObject;
  DisplayObject* focusObject;
  float lastPickDepth;
  MaterialList* materials;
  ComponentLightMgr* lightManager;
  unsigned int clearMask;
  TexturePalette* texturePalette;
  void* reserved;
  Group* root;
};

}  // namespace orvan
