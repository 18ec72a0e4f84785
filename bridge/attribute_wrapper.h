#pragma once
// An attribute whose value lives in the component: reading it asks the component for the text
// under the full name, writing it sends the text there. It is named after the last part of the
// full name (".Rotation" for "Panel.Needle.Rotation"), as the runtime's attribute lines name
// attributes.

#include <iosfwd>
#include <string>

#include "orvan/attribute_base.h"

namespace vessant {

class VesKeshWrapper;

class AttributeWrapper : public orvan::OrvanAttributeBase {
public:
    AttributeWrapper(VesKeshWrapper* owner, const std::string& fullName);
    ORVAN_ATTRIBUTE_ASSIGNMENT(AttributeWrapper);

    std::ostream& WriteValue(std::ostream& os) const override;
    std::istream& ReadValue(std::istream& is) override;

    const std::string& FullName() const { return fullName; }
    // From the last "." to the end, dot included; the whole name when it has no dot.
    static std::string AttributeNameOf(const std::string& fullName);

private:
    VesKeshWrapper* owner;
    std::string fullName;
};

}  // namespace vessant
