#pragma once
// Writes a cabinet archive: one folder, MSZIP-compressed (each block of at most 32 KiB deflated
// on its own behind the "CK" signature), every file stamped with the same fixed date, so the
// same files always give the same bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace vessant {

class CabinetWriter {
public:
    static constexpr std::size_t kBlockSize = 32768;
    // The format's limits: file count, name length, and the uncompressed size of a folder.
    static constexpr std::size_t kMaxFiles = 65535;
    static constexpr std::size_t kMaxNameLength = 255;
    static constexpr std::uint64_t kMaxFolderSize = 0x7FFF8000ull;
    // 2000-01-01 00:00:00 as an MS-DOS date and time.
    static constexpr std::uint16_t kFixedDate = ((2000 - 1980) << 9) | (1 << 5) | 1;
    static constexpr std::uint16_t kFixedTime = 0;

    // Adds a file under name (a relative name; "\" separates folders). False with a message for
    // an empty, overlong, absolute or repeated name, or when the cabinet would grow too large.
    bool Add(const std::string& name, std::string contents, std::string* error);

    // The whole cabinet. False with a message when compression fails.
    bool Build(std::string* cabinet, std::string* error) const;

    std::size_t FileCount() const { return files_.size(); }

    // The checksum of a cabinet data block, seeded as the format chains it.
    static std::uint32_t Checksum(const unsigned char* data, std::size_t size, std::uint32_t seed);

private:
    struct File {
        std::string name;
        std::string contents;
    };
    std::vector<File> files_;
    std::uint64_t total_ = 0;
};

}  // namespace vessant
