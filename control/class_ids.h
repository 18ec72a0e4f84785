#pragma once
// The control's fixed identity: what a container, the registration record and the type
// information name it by. The GUIDs never change; a host may have stored them.

namespace vessant {

constexpr const char* kTypeLibraryGuid = "{EBF0040D-B56A-4245-97B4-A13F7D92DA5D}";
constexpr const char* kDispatchInterfaceGuid = "{AA33648D-65A6-4214-B65B-E09011CB1D0D}";
constexpr const char* kEventInterfaceGuid = "{445D2698-E7E5-4ACF-97AE-7B0065C692E4}";
constexpr const char* kControlClassGuid = "{25621773-72E6-4D4D-AC49-6EF4D72121A0}";
constexpr const char* kPropertyPageClassGuid = "{C3563B73-F4D9-445A-A607-6BBB2276FAA1}";

constexpr const char* kTypeLibraryVersion = "4.4";
constexpr const char* kTypeLibraryName = "TessaryLib";
constexpr const char* kHelpFileName = "Tessary.hlp";

constexpr const char* kControlProgId = "VESSANT.TessaryCtrl";
constexpr const char* kPropertyPageProgId = "VESSANT.TessaryPropPage.1";
// The string table: user type names 1 and 2, and the property page's caption.
constexpr const char* kControlUserTypeName = "Tessary";
constexpr const char* kPropertyPageUserTypeName = "Tessary Property Page";
constexpr const char* kPropertyPageCaption = "General";
constexpr const char* kControlTypeName = "Vessant Player Control";
// Recompose on resize, can't link inside, inside-out, activate when visible, set client site first.
constexpr unsigned kControlMiscStatus = 0x20191;

}  // namespace vessant
