#pragma once

namespace orvan {

// The runtime's exception: carries an owned copy of its message. Virtual slots in order:
// operator=, destructor, Message().
class OrvanException {
 public:
  explicit OrvanException(const char* text);
  OrvanException(const OrvanException& other);
  virtual OrvanException& operator=(const OrvanException& other);
  virtual ~OrvanException();
  virtual const char* Message() const;

 private:
  char* message;
};

}  // namespace orvan
