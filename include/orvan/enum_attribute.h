#pragma once

#include <cstdarg>
#include <cstring>
#include <istream>
#include <ostream>
#include <string>

#include "orvan/attribute_base.h"
#include "orvan/attribute_text_form.h"
#include "orvan/list.h"

namespace orvan {

// One enumerator of a name table.
template <typename T>
struct EnumStringPair {
  static constexpr std::size_t kNameSize = 64;

  // Names longer than kNameSize - 1 characters are cut; the name is always terminated.
  EnumStringPair(const char* name_, T value_) : value(value_) {
    std::strncpy(name, name_ != nullptr ? name_ : "", kNameSize - 1);
    name[kNameSize - 1] = '\0';
  }

  char name[kNameSize];
  T value;
};

// The name table of one enumeration, in the order of definition; owns its pairs.
template <typename T>
class EnumDefList : public TList<EnumStringPair<T>*> {
 public:
  static_assert(sizeof(T) <= sizeof(int), "enumerators travel through the argument list as int");

  EnumDefList() {}
  // (name, value) pairs ending with a null name, for example
  // EnumDefList<int>("ALPHA_MODE_UNDEFINED", 0, "ALPHA_MODE_OPAQUE", 1, nullptr).
  // Values are passed as int (the type every enumerator is promoted to).
  explicit EnumDefList(const char* firstName, ...) {
    va_list args;
    va_start(args, firstName);
    for (const char* name = firstName; name != nullptr; name = va_arg(args, const char*)) {
      Define(name, static_cast<T>(va_arg(args, int)));
    }
    va_end(args);
  }
  ~EnumDefList() override {
    for (auto* item = this->First(); item != nullptr; item = item->next) delete item->data;
  }

  void Define(const char* name, T value) { this->Append(new EnumStringPair<T>(name, value)); }

  // The first pair with this value, or null.
  const EnumStringPair<T>* ByValue(T value) const {
    for (auto* item = this->First(); item != nullptr; item = item->next) {
      if (item->data->value == value) return item->data;
    }
    return nullptr;
  }
  // The first pair with exactly this name, or null.
  const EnumStringPair<T>* ByName(const std::string& name) const {
    for (auto* item = this->First(); item != nullptr; item = item->next) {
      if (name == item->data->name) return item->data;
    }
    return nullptr;
  }
};

// A field holding one of the values of a name table, published as that value's name. Numbers
// are accepted too, and written for values the table lacks. ValueInt sets without notifying.
template <typename T>
class OrvanAttributeEnum : public OrvanAttributeBase {
 public:
  // Only this many leading characters of a word are looked at.
  static constexpr std::size_t kWordLimit = EnumStringPair<T>::kNameSize - 1;

  OrvanAttributeEnum(CallbackMethodCallerBase* callback_, const AttributeName& name_, T* storage_,
                     EnumDefList<T>* enumList_)
      : OrvanAttributeBase(callback_, name_, false), storage(storage_), enumList(enumList_) {}
  ~OrvanAttributeEnum() override {}
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttributeEnum);

  // Same T: copies the stored value and notifies; otherwise through the names.
  OrvanAttributeBase& operator=(const OrvanAttributeBase& other) override {
    if (this == &other) return *this;
    if (const auto* same = dynamic_cast<const OrvanAttributeEnum<T>*>(&other)) {
      if (storage != nullptr && same->storage != nullptr) *storage = *same->storage;
      NotifyChanged();
      return *this;
    }
    return OrvanAttributeBase::operator=(other);
  }
  bool HasValue() const override { return storage != nullptr; }
  void ValueInt(long v) override {
    if (storage != nullptr) *storage = static_cast<T>(v);
  }
  long ValueInt() const override { return storage != nullptr ? static_cast<long>(*storage) : 0; }
  std::ostream& WriteValue(std::ostream& os) const override {
    if (storage == nullptr) return os;
    const EnumStringPair<T>* pair = enumList != nullptr ? enumList->ByValue(*storage) : nullptr;
    if (pair != nullptr) {
      os << pair->name;
    } else {
      os << static_cast<long>(*storage);
    }
    return os;
  }
  // A name of the table, else the word's leading integer (0 for a word that is neither).
  std::istream& ReadValue(std::istream& is) override {
    std::string word;
    if (ReadWord(is, word) && storage != nullptr) {
      if (word.size() > kWordLimit) word.resize(kWordLimit);
      const EnumStringPair<T>* pair = enumList != nullptr ? enumList->ByName(word) : nullptr;
      *storage = pair != nullptr ? pair->value : static_cast<T>(LeadingInteger(word));
    }
    NotifyChanged();
    return is;
  }

  EnumDefList<T>* EnumList() const { return enumList; }

 protected:
  T* storage;
  EnumDefList<T>* enumList;
};

}  // namespace orvan
