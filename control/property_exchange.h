#pragma once
// The control's persisted properties exchanged with a property set, in their fixed order.

#include <string>

namespace vessant {

class CTessaryCtrl;
class PropertyBag;

// Exchanges the persisted properties with the bag in their fixed order, either way; entries
// missing from a loaded bag take their defaults. A loaded value that does not parse refuses the
// whole set ("FILE:LINE: ...") and changes nothing. Loading ends by loading the component.
bool ExchangeProperties(CTessaryCtrl& ctrl, PropertyBag& bag, bool loading, std::string* error = nullptr);

}  // namespace vessant
