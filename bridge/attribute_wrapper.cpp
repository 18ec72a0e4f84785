#include "bridge/attribute_wrapper.h"

#include <istream>
#include <ostream>

#include "bridge/ves_kesh_wrapper.h"
#include "orvan/text_codec.h"

namespace vessant {

AttributeWrapper::AttributeWrapper(VesKeshWrapper* owner_, const std::string& fullName_)
    : OrvanAttributeBase(nullptr, orvan::AttributeName(AttributeNameOf(fullName_)), false),
      owner(owner_),
      fullName(fullName_) {}

std::string AttributeWrapper::AttributeNameOf(const std::string& fullName) {
    const std::size_t dot = fullName.rfind('.');
    return dot == std::string::npos ? fullName : fullName.substr(dot);
}

std::ostream& AttributeWrapper::WriteValue(std::ostream& os) const {
    std::string text;
    if (owner != nullptr && owner->ComponentAttribute(fullName.c_str(), &text)) os << text;
    return os;
}

// The rest of the line (or a marked block) goes to the component as it stands: the component
// decodes its own texts.
std::istream& AttributeWrapper::ReadValue(std::istream& is) {
    std::string text;
    orvan::ReadTextLine(is, text, false);
    if (owner != nullptr) owner->SetComponentAttribute(fullName.c_str(), text);
    NotifyChanged();
    return is;
}

}  // namespace vessant
