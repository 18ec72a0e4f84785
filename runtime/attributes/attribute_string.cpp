#include "orvan/attribute_string.h"

#include <climits>
#include <cstring>
#include <sstream>
#include <strings.h>
#include <vector>

#include "orvan/text_codec.h"

namespace orvan {

namespace {

char* CopyOf(const char* text) {
  if (text == nullptr) return nullptr;
  const std::size_t length = std::strlen(text);
  char* copy = new char[length + 1];
  std::memcpy(copy, text, length + 1);
  return copy;
}

}  // namespace

OrvanAttributeString::OrvanAttributeString(CallbackMethodCallerBase* callback_, const AttributeName& name_,
                                           char** target_)
    : OrvanAttributeBase(callback_, name_, false), target(target_), ownText(nullptr) {}

OrvanAttributeString::OrvanAttributeString(CallbackMethodCallerBase* callback_, const AttributeName& name_,
                                           const char* initial)
    : OrvanAttributeBase(callback_, name_, true), target(&ownText), ownText(CopyOf(initial)) {}

OrvanAttributeString::~OrvanAttributeString() {
  if (ownsStorage) delete[] ownText;
}

bool OrvanAttributeString::HasValue() const { return target != nullptr && *target != nullptr; }

std::ostream& OrvanAttributeString::WriteValue(std::ostream& os) const {
  if (HasValue()) os << LiteralTextLine(*target);
  return os;
}

std::istream& OrvanAttributeString::ReadValue(std::istream& is) {
  std::string text;
  ReadTextLine(is, text, false);
  if (target != nullptr) {
    delete[] *target;
    *target = CopyOf(text.c_str());
  }
  NotifyChanged();
  return is;
}

OrvanAttributeEncodedStdString::OrvanAttributeEncodedStdString(CallbackMethodCallerBase* callback_,
                                                               const AttributeName& name_, std::string* storage_)
    : OrvanAttribute<std::string>(callback_, name_, storage_) {}

bool OrvanAttributeEncodedStdString::HasValue() const { return storage != nullptr && !storage->empty(); }

void OrvanAttributeEncodedStdString::ValueText(const std::string& text) { Value(text); }

std::string OrvanAttributeEncodedStdString::ValueText() const { return Value(); }

std::ostream& OrvanAttributeEncodedStdString::WriteValue(std::ostream& os) const {
  if (!HasValue()) return os;
  // Escaping at most doubles the text; framing adds the markers.
  const std::size_t wanted = storage->size() * 2 + 50;
  const int size = wanted < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(wanted) : INT_MAX;
  std::vector<char> buffer(static_cast<std::size_t>(size));
  const int length = EncodeText(buffer.data(), storage->c_str(), size);
  os.write(buffer.data(), length);
  return os;
}

std::istream& OrvanAttributeEncodedStdString::ReadValue(std::istream& is) {
  std::string text;
  ReadTextLine(is, text, true);
  if (storage != nullptr) *storage = text;
  NotifyChanged();
  return is;
}

OrvanAttributeUCharOrBool::OrvanAttributeUCharOrBool(CallbackMethodCallerBase* callback_,
                                                     const AttributeName& name_, unsigned char* storage_)
    : OrvanAttribute<unsigned char>(callback_, name_, storage_) {}

OrvanAttributeBase& OrvanAttributeUCharOrBool::operator=(const OrvanAttributeBase& other) {
  if (this == &other) return *this;
  if (const auto* same = dynamic_cast<const OrvanAttributeUCharOrBool*>(&other)) {
    if (storage != nullptr) *storage = same->Value();
    NotifyChanged();
    return *this;
  }
  return OrvanAttributeBase::operator=(other);
}

std::ostream& OrvanAttributeUCharOrBool::WriteValue(std::ostream& os) const {
  if (storage != nullptr) os << static_cast<int>(*storage);
  return os;
}

std::istream& OrvanAttributeUCharOrBool::ReadValue(std::istream& is) {
  std::string word;
  if (ReadWord(is, word) && storage != nullptr) {
    if (word.size() > kWordLimit) word.resize(kWordLimit);
    if (strcasecmp(word.c_str(), "TRUE") == 0) {
      *storage = 1;
    } else if (strcasecmp(word.c_str(), "FALSE") == 0) {
      *storage = 0;
    } else {
      *storage = static_cast<unsigned char>(LeadingInteger(word) & 0xFF);
    }
  }
  NotifyChanged();
  return is;
}

}  // namespace orvan
