// ReadValue of one attribute, chosen by the first byte among one of every class, then its
// text, integer and stream forms, and a copy into another attribute through operator=.
#include <cstdint>
#include <sstream>
#include <string>

#include "attribute_zoo.h"
#include "orvan/attribute_base.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  orvan::fuzzing::AttributeZoo zoo;
  orvan::OrvanAttributeBase* attribute = zoo.At(data[0] % zoo.Count());
  orvan::OrvanAttributeBase* other = zoo.At(data[1] % zoo.Count());
  std::istringstream is(std::string(reinterpret_cast<const char*>(data + 2), size - 2));
  attribute->ReadValue(is);
  attribute->ReadValue(is);
  std::ostringstream os;
  os.setf(std::ios::fixed, std::ios::floatfield);
  attribute->WriteValue(os);
  attribute->ValueText(attribute->ValueText());
  attribute->ValueInt(attribute->ValueInt());
  *other = *attribute;
  return 0;
}
