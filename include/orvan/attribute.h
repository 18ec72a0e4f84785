#pragma once

#include <istream>
#include <ostream>
#include <type_traits>

#include "orvan/attribute_base.h"
#include "orvan/attribute_text_form.h"

namespace orvan {

// An attribute whose value is a T stored in a variable: the owner's member (borrowed) or one
// the attribute allocates itself. The text form is that of AttributeTextForm<T>.
template <typename T>
class OrvanAttribute : public OrvanAttributeBase {
 public:
  using Form = AttributeTextForm<T>;

  // Works on the caller's variable.
  OrvanAttribute(CallbackMethodCallerBase* callback_, const AttributeName& name_, T* storage_)
      : OrvanAttributeBase(callback_, name_, false), storage(storage_), precision(DefaultPrecision()) {}
  // Allocates its own variable holding initial and frees it with the attribute.
  OrvanAttribute(const AttributeName& name_, const T& initial, CallbackMethodCallerBase* callback_ = nullptr)
      : OrvanAttributeBase(callback_, name_, true), storage(new T(initial)), precision(DefaultPrecision()) {}
  ~OrvanAttribute() override {
    if (ownsStorage) delete storage;
  }
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttribute);

  // Same T: a typed copy through Value; otherwise through the text.
  OrvanAttributeBase& operator=(const OrvanAttributeBase& other) override {
    if (this == &other) return *this;
    if (const auto* same = dynamic_cast<const OrvanAttribute<T>*>(&other)) {
      Value(same->Value());
      return *this;
    }
    return OrvanAttributeBase::operator=(other);
  }
  bool HasValue() const override { return storage != nullptr; }
  void ValueInt(long v) override {
    if constexpr (Form::kIntSet) {
      Value(Form::FromLong(v));
    } else {
      OrvanAttributeBase::ValueInt(v);
    }
  }
  long ValueInt() const override {
    if constexpr (Form::kIntGet) {
      return Form::ToLong(Value());
    } else {
      return OrvanAttributeBase::ValueInt();
    }
  }
  std::ostream& WriteValue(std::ostream& os) const override {
    if (storage == nullptr) return os;
    if (precision > 0) os.precision(precision);
    Form::Write(os, *storage);
    return os;
  }
  std::istream& ReadValue(std::istream& is) override {
    if (storage != nullptr) Form::Read(is, *storage);
    NotifyChanged();
    return is;
  }

  /* 14 */ virtual void Value(const T& v) {
    if (storage != nullptr) *storage = v;
    NotifyChanged();
  }
  /* 15 */ virtual T Value() const { return storage != nullptr ? *storage : T(); }
  // Equal when other is an attribute of the same T with the same name and an equal value.
  /* 16 */ virtual bool operator==(const OrvanAttributeBase& other) const {
    const auto* same = dynamic_cast<const OrvanAttribute<T>*>(&other);
    if (same == nullptr || !(same->Name() == Name())) return false;
    return Value() == same->Value();
  }

  int Precision() const { return precision; }
  void Precision(int digits) { precision = digits; }

 protected:
  static int DefaultPrecision() { return std::is_floating_point<T>::value ? 10 : 0; }

  T* storage;
  int precision;
};

}  // namespace orvan
