#pragma once
// Unpacks every file of a cabinet archive into a directory, all or nothing: names are checked
// before anything is written, the files are unpacked into a private staging directory, and they
// are renamed into place only once the whole cabinet has unpacked.

#include <string>
#include <vector>

namespace vessant {

struct ExtractionResult {
    bool ok = false;
    std::vector<std::string> files;  // paths written, on success
    std::string error;               // why it failed
};

class CabinetExtractor {
public:
    // Unpacks cabinetPath into directory (which must exist). An entry whose name is absolute,
    // empty, or has a "." or ".." part is refused and nothing is written. Files of the same name
    // already there are replaced; a failure leaves the directory as it was. "\" in entry names
    // separates directories, which are created with mode 0700. Hands "Success\n" or
    // "Failure\n" to the log sink.
    static ExtractionResult Extract(const std::string& cabinetPath, const std::string& directory);

    // The entry name as a relative path with "/" separators, or "" when it must be refused.
    static std::string SafeEntryPath(const std::string& entryName);
};

}  // namespace vessant
