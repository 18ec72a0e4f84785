#include "orvan/attribute_base.h"

#include <istream>
#include <ostream>
#include <sstream>

#include "orvan/callback_method_caller.h"

namespace orvan {

OrvanAttributeBase::OrvanAttributeBase(CallbackMethodCallerBase* callback_, const AttributeName& name_,
                                       bool ownsStorage_)
    : name(name_), callback(callback_ != nullptr ? callback_->Clone() : nullptr), ownsStorage(ownsStorage_) {}

OrvanAttributeBase& OrvanAttributeBase::operator=(const OrvanAttributeBase& other) {
  if (this == &other) return *this;
  std::stringstream text;
  other.WriteValue(text);
  ReadValue(text);
  return *this;
}

OrvanAttributeBase::~OrvanAttributeBase() { delete callback; }

bool OrvanAttributeBase::OwnsStorage() const { return ownsStorage; }

bool OrvanAttributeBase::HasValue() const { return true; }

bool OrvanAttributeBase::ShouldWrite() const { return true; }

void OrvanAttributeBase::ValueWritten() {}

void OrvanAttributeBase::ValueText(const std::string& text) {
  std::istringstream is(text);
  ReadValue(is);
}

std::string OrvanAttributeBase::ValueText() const {
  std::ostringstream os;
  WriteValue(os);
  return os.str();
}

void OrvanAttributeBase::ValueInt(long v) {
  std::stringstream text;
  text << v;
  ReadValue(text);
}

long OrvanAttributeBase::ValueInt() const {
  std::stringstream text;
  WriteValue(text);
  long v = 0;  // what a value that is not a number gives
  text >> v;
  return v;
}

void OrvanAttributeBase::NotifyChanged() {
  if (callback != nullptr) callback->Call();
}

OrvanEmptyAttribute::OrvanEmptyAttribute(const AttributeName& name_) : OrvanAttributeBase(nullptr, name_, false) {}

std::ostream& OrvanEmptyAttribute::WriteValue(std::ostream& os) const { return os; }

std::istream& OrvanEmptyAttribute::ReadValue(std::istream& is) { return is; }

OrvanEmptyAttribute& OrvanEmptyAttribute::Instance() {
  // A static object rather than a leaked one: a component library's copy is freed on unload.
  static OrvanEmptyAttribute instance(AttributeName("EmptyAttribute"));
  return instance;
}

bool IsEmptyAttribute(const OrvanAttributeBase* attribute) {
  return attribute == nullptr || dynamic_cast<const OrvanEmptyAttribute*>(attribute) != nullptr;
}

bool ReadValueFromText(OrvanAttributeBase& attribute, const std::string& text) {
  std::istringstream in(text);
  attribute.ReadValue(in);
  return !in.fail() || text.find_first_not_of(" \t\r\n") == std::string::npos;
}

}  // namespace orvan
