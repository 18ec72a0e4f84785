#pragma once
// Component addresses: merging a component file name with the address of the document that
// hosts the control, and the tests and conversions the acquisition steps make on the result.

#include <cstddef>
#include <string>

namespace vessant {

struct MergedAddress {
    bool ok = false;
    std::string address;  // the merged address, query included
    std::string error;    // why the merge was refused, when !ok
};

class ComponentAddress {
public:
    // Longest merged address accepted; a longer one is refused, never cut.
    static constexpr std::size_t kMaxLength = 1024;

    // Merges fileName against the referencing address:
    // - "C:..." and "\\server..." become "file:///" + name; "/x/y" becomes "file:///x/y";
    // - a name with a scheme of its own ("http://...") is used as it is;
    // - anything else is relative to the referencing address's directory: scheme, host and
    //   port are kept, the path becomes that directory + the name up to its first "?", and
    //   the query is the text after it (the referencing address's query and fragment dropped).
    static MergedAddress Merge(const std::string& referencingAddress, const std::string& fileName);

    // True when the last four characters, lower-cased, are ".cab" (query included, so an
    // address with a query never counts as a cabinet).
    static bool IsCabinet(const std::string& address);

    // The address without everything from its last "?".
    static std::string StripQuery(const std::string& address);

    // True for a "file:" address (any case).
    static bool IsFileAddress(const std::string& address);

    // The local path of a "file:" address, query removed: the path as it stands, its leading
    // "/" kept ("file:///tmp/a.so" gives "/tmp/a.so"; "file://localhost/x" gives "/x"; a host
    // other than localhost gives the network form "//host/x").
    static std::string LocalPath(const std::string& address);

    // The referencing address of a control with no hosting document: "file://" + the working
    // directory + "/" ("file:///" when the working directory cannot be read).
    static std::string FromWorkingDirectory();
};

}  // namespace vessant
