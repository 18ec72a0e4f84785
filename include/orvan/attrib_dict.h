#pragma once

#include <cstddef>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "orvan/attribute_base.h"

namespace orvan {

// Spaces written before each attribute line; nested dictionaries raise it while they write.
extern int ResourceIndent;

// How ReadAttributeName's token ended.
enum class NameTokenEnd { Colon, LineEnd, Comment, Closing, EndOfInput };

// One name token of a resource line: leading blanks (and "{") are skipped, the token ends at
// ":" or at a line end, "//" starts a comment to the end of the line, and backslash-n stands for
// a line feed. False at the end of the input and for a token holding "}" (a closing line).
// When `end` is given it tells which of these ended the token.
bool ReadAttributeName(std::istream& is, std::string& out, NameTokenEnd* end = nullptr);

// The attributes of one object: owned, kept in the order they were added, found by name.
// A name may be added more than once: every copy is written, look-ups give the first.
class OrvanAttribDict {
 public:
  OrvanAttribDict();
  OrvanAttribDict(const OrvanAttribDict&) = delete;

  /* 1 */ virtual ~OrvanAttribDict();
  // Takes ownership; null is ignored.
  /* 2 */ virtual void Add(OrvanAttributeBase* attribute);
  // Deletes every attribute of that name.
  /* 3 */ virtual void Remove(const AttributeName& name);
  // Adds a string attribute for every "Name: value" line (a value ends at its first ":").
  /* 4 */ virtual void ReadAsStrings(std::istream& is);
  // One "Name: value" line per attribute that has a value (and, when selective, wants writing).
  /* 5 */ virtual void Write(std::ostream& os, bool selective = false);
  // Reads "Name: value" lines into the attributes they name, up to the end of the input or a
  // line holding "}"; lines naming no attribute and comment lines are skipped. True when
  // anything was read.
  /* 6 */ virtual bool Read(std::istream& is);
  /* 7 */ virtual void ValueText(const AttributeName& name, const std::string& text);
  /* 8 */ virtual std::string ValueText(const AttributeName& name);
  /* 9 */ virtual std::ostream& WriteValue(const AttributeName& name, std::ostream& os);
  /* 10 */ virtual std::istream& ReadValue(const AttributeName& name, std::istream& is);
  /* 11 */ virtual OrvanAttributeBase* Get(const AttributeName& name);
  /* 12 */ virtual bool ValueIntEquals(const AttributeName& name, long v);
  // Takes every attribute of that name out without deleting it.
  /* 13 */ virtual void Detach(const AttributeName& name);

  // Deletes every attribute, front to back.
  void Clear();
  // Copies values (not attributes): position by position while the names agree, then by name.
  OrvanAttribDict& operator=(const OrvanAttribDict& other);

  std::size_t Count() const { return attributes.size(); }
  // The attribute at position i in insertion order, or null.
  OrvanAttributeBase* At(std::size_t i) const { return i < attributes.size() ? attributes[i] : nullptr; }

 private:
  struct ByIndex {
    bool operator()(const AttributeName& a, const AttributeName& b) const { return a.Index() < b.Index(); }
  };
  void Unlink(const AttributeName& name, bool destroy);

  std::vector<OrvanAttributeBase*> attributes;
  std::multimap<AttributeName, OrvanAttributeBase*, ByIndex> byName;
};

}  // namespace orvan
