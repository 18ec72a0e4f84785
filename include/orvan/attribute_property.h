#pragma once

#include <functional>
#include <type_traits>

#include "orvan/attribute.h"

namespace orvan {

// An attribute that reaches its value through a setter and a getter of an owning object
// (either may be null, and then storage, when given, is used instead). No change callback.
template <typename Class, typename T>
class OrvanAttributeProperty : public OrvanAttribute<T> {
 public:
  using Form = typename OrvanAttribute<T>::Form;

  // setter: a member function of Class taking const T& (any result, ignored), or nullptr.
  // getter: a member function of Class taking nothing and giving a T (or a reference to
  // one), or nullptr.
  template <typename SetterPtr, typename GetterPtr>
  OrvanAttributeProperty(const AttributeName& name_, Class* object_, T* storage_, SetterPtr setter_,
                         GetterPtr getter_)
      : OrvanAttribute<T>(nullptr, name_, storage_),
        propertyPrecision(std::is_floating_point<T>::value ? 10.0f : 0.0f),
        object(object_) {
    if constexpr (!std::is_null_pointer<SetterPtr>::value) {
      if (setter_ != nullptr) setter = [setter_](Class* o, const T& v) { (o->*setter_)(v); };
    }
    if constexpr (!std::is_null_pointer<GetterPtr>::value) {
      if (getter_ != nullptr) getter = [getter_](Class* o) -> T { return (o->*getter_)(); };
    }
  }
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttributeProperty);

  bool HasValue() const override { return this->storage != nullptr || static_cast<bool>(getter); }
  std::ostream& WriteValue(std::ostream& os) const override {
    if (propertyPrecision > 0.0f) os.precision(static_cast<int>(propertyPrecision));
    if (getter && object != nullptr) {
      const T value = getter(object);
      if (this->precision > 0) os.precision(this->precision);
      Form::Write(os, value);
    } else if (this->storage != nullptr) {
      if (this->precision > 0) os.precision(this->precision);
      Form::Write(os, *this->storage);
    }
    return os;
  }
  std::istream& ReadValue(std::istream& is) override {
    if (setter && object != nullptr) {
      T value = Value();  // what a failed extraction leaves
      Form::Read(is, value);
      this->NotifyChanged();
      setter(object, value);
    } else if (this->storage != nullptr) {
      Form::Read(is, *this->storage);
      this->NotifyChanged();
    }
    return is;
  }
  void Value(const T& v) override {
    if (setter && object != nullptr) {
      setter(object, v);
      return;
    }
    if (this->storage != nullptr) *this->storage = v;
    this->NotifyChanged();
  }
  T Value() const override {
    if (getter && object != nullptr) return getter(object);
    return this->storage != nullptr ? *this->storage : T();
  }

 protected:
  float propertyPrecision;
  Class* object;
  std::function<void(Class*, const T&)> setter;
  std::function<T(Class*)> getter;
};

}  // namespace orvan
