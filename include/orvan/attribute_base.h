#pragma once

#include <iosfwd>
#include <string>

#include "orvan/attribute_name.h"

namespace orvan {

class CallbackMethodCallerBase;

// A named value of some object, read and written as text through standard streams. The value
// lives elsewhere (a member of the owner, or behind getter and setter methods); the attribute
// knows where and how to turn it into text and back.
//
// The virtual operations keep a fixed slot order (numbers in the comments); subclasses append.
class OrvanAttributeBase {
 public:
  // callback may be null; the attribute keeps its own clone of it.
  OrvanAttributeBase(CallbackMethodCallerBase* callback, const AttributeName& name, bool ownsStorage);
  OrvanAttributeBase(const OrvanAttributeBase&) = delete;

  // Copies the value of an attribute of any type, through its text.
  /* 1 */ virtual OrvanAttributeBase& operator=(const OrvanAttributeBase& other);
  /* 2 */ virtual ~OrvanAttributeBase();
  /* 3 */ virtual bool OwnsStorage() const;
  /* 4 */ virtual bool HasValue() const;
  /* 5 */ virtual bool ShouldWrite() const;
  /* 6 */ virtual void ValueWritten();
  /* 7 */ virtual void ValueText(const std::string& text);
  /* 8 */ virtual std::string ValueText() const;
  /* 9 */ virtual void ValueInt(long v);
  /* 10 */ virtual long ValueInt() const;
  /* 11 */ virtual void NotifyChanged();
  /* 12 */ virtual std::ostream& WriteValue(std::ostream& os) const = 0;
  /* 13 */ virtual std::istream& ReadValue(std::istream& is) = 0;

  const AttributeName& Name() const { return name; }
  std::string NameText() const { return name.Text(); }

 protected:
  AttributeName name;
  CallbackMethodCallerBase* callback;
  bool ownsStorage;
};

// Every attribute class assigns values through the virtual operator=; this keeps the implicit
// member-wise copy (which would share owned storage) from being generated.
#define ORVAN_ATTRIBUTE_ASSIGNMENT(Class)                        \
  Class& operator=(const Class& other) {                         \
    static_cast<OrvanAttributeBase&>(*this) = other;             \
    return *this;                                                \
  }                                                              \
  using OrvanAttributeBase::operator=

// What name look-ups give when nothing matches: reads and writes nothing, so callers can
// always stream into or out of the result.
class OrvanEmptyAttribute : public OrvanAttributeBase {
 public:
  explicit OrvanEmptyAttribute(const AttributeName& name = AttributeName("EmptyAttribute"));
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanEmptyAttribute);

  std::ostream& WriteValue(std::ostream& os) const override;
  std::istream& ReadValue(std::istream& is) override;

  // The process-wide instance named "EmptyAttribute".
  static OrvanEmptyAttribute& Instance();
};

// True for what a look-up gives when nothing matches: null or an empty attribute.
bool IsEmptyAttribute(const OrvanAttributeBase* attribute);

// Reads the attribute's value from text; false when it could not read a text that holds more
// than blanks (an empty text is not refused: texts may be emptied).
bool ReadValueFromText(OrvanAttributeBase& attribute, const std::string& text);

}  // namespace orvan
