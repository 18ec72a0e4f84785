#pragma once

#include <cstdint>
#include <string>

namespace orvan {

// The process-wide table behind AttributeName: every distinct name text gets the next index,
// and indices are never reused or removed. All access is serialised by one mutex.
class AttributeNameTable {
 public:
  // The index of text, appending it when absent; null counts as the empty string.
  static std::uint32_t Intern(const char* text);
  static std::uint32_t Intern(const std::string& text);
  // The index of text when it is already in the table. Readers use this for names that come
  // from input, so that unknown words never grow the table.
  static bool Find(const std::string& text, std::uint32_t* index);
  // A copy of the entry (the empty string for an index that was never given out).
  static std::string Text(std::uint32_t index);
  static std::size_t Size();
};

// An interned, case-sensitive attribute name: equal texts share one index, so comparing two
// names is an integer comparison.
class AttributeName {
 public:
  AttributeName() : index(AttributeNameTable::Intern("")) {}
  AttributeName(const char* text) : index(AttributeNameTable::Intern(text)) {}  // NOLINT: literal names
  AttributeName(const std::string& text) : index(AttributeNameTable::Intern(text)) {}  // NOLINT

  // The name of text when the table already holds it; false (and name unchanged) otherwise.
  static bool Existing(const std::string& text, AttributeName* name);

  std::string Text() const { return AttributeNameTable::Text(index); }
  std::uint32_t Index() const { return index; }

  bool operator==(const AttributeName& other) const { return index == other.index; }
  bool operator!=(const AttributeName& other) const { return index != other.index; }
  // Orders by index, which is all a multimap of names needs.
  bool operator<(const AttributeName& other) const { return index < other.index; }

 private:
  struct ByIndex {};
  AttributeName(ByIndex, std::uint32_t i) : index(i) {}

  std::uint32_t index;
};

}  // namespace orvan
