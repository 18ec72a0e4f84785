#include "orvan/orvan_exception.h"

#include <cstring>

namespace orvan {

namespace {

char* CopyText(const char* text) {
  if (text == nullptr) text = "";
  const std::size_t length = std::strlen(text);
  char* copy = new char[length + 1];
  std::memcpy(copy, text, length + 1);
  return copy;
}

}  // namespace

OrvanException::OrvanException(const char* text) : message(CopyText(text)) {}

OrvanException::OrvanException(const OrvanException& other) : message(CopyText(other.message)) {}

OrvanException& OrvanException::operator=(const OrvanException& other) {
  if (this != &other) {
    char* copy = CopyText(other.message);
    delete[] message;
    message = copy;
  }
  return *this;
}

OrvanException::~OrvanException() { delete[] message; }

const char* OrvanException::Message() const { return message; }

}  // namespace orvan
