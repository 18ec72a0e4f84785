#pragma once

#include <string>

#include "orvan/attribute.h"

namespace orvan {

// A heap C string (new[]), the caller's char* variable or one of the attribute's own. Its
// text is the rest of the line; a text with line breaks is written as a marked block.
class OrvanAttributeString : public OrvanAttributeBase {
 public:
  // Works on the caller's variable; the old text is freed with delete[] when a new one is read.
  OrvanAttributeString(CallbackMethodCallerBase* callback, const AttributeName& name, char** target);
  // Keeps its own copy of initial (null allowed).
  OrvanAttributeString(CallbackMethodCallerBase* callback, const AttributeName& name, const char* initial);
  ~OrvanAttributeString() override;
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttributeString);

  bool HasValue() const override;
  std::ostream& WriteValue(std::ostream& os) const override;
  std::istream& ReadValue(std::istream& is) override;

  const char* Text() const { return *target; }

 private:
  char** target;
  char* ownText;
};

// A std::string written through EncodeText, so blanks and line breaks survive any position in
// a resource line; ValueText gives and takes the plain text.
class OrvanAttributeEncodedStdString : public OrvanAttribute<std::string> {
 public:
  OrvanAttributeEncodedStdString(CallbackMethodCallerBase* callback, const AttributeName& name,
                                 std::string* storage);
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttributeEncodedStdString);

  bool HasValue() const override;
  void ValueText(const std::string& text) override;
  std::string ValueText() const override;
  std::ostream& WriteValue(std::ostream& os) const override;
  std::istream& ReadValue(std::istream& is) override;
};

// A byte that also accepts the words TRUE and FALSE.
class OrvanAttributeUCharOrBool : public OrvanAttribute<unsigned char> {
 public:
  // Only this many leading characters of a word are looked at.
  static constexpr std::size_t kWordLimit = 15;

  OrvanAttributeUCharOrBool(CallbackMethodCallerBase* callback, const AttributeName& name,
                            unsigned char* storage);
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttributeUCharOrBool);

  OrvanAttributeBase& operator=(const OrvanAttributeBase& other) override;
  std::ostream& WriteValue(std::ostream& os) const override;
  std::istream& ReadValue(std::istream& is) override;
};

}  // namespace orvan
