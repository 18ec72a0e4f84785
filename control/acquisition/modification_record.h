#pragma once
// The source's last modification time as kept beside a cached component: 16 bytes, eight
// little-endian 16-bit fields (year, month, day of week, day, hour, minute, second,
// milliseconds) in UTC. The cached copy is up to date when its record equals the source's time.

#include <array>
#include <cstdint>
#include <ctime>
#include <string>

namespace vessant {

class ModificationRecord {
public:
    static constexpr std::size_t kSize = 16;
    enum Field { YEAR, MONTH, DAY_OF_WEEK, DAY, HOUR, MINUTE, SECOND, MILLISECONDS };

    // The filler (every byte 0x05), standing for "no time known".
    ModificationRecord();

    static ModificationRecord FromUnixTime(std::time_t seconds);
    // The modification time of a local file; false (record unchanged) when stat fails.
    static bool FromLocalFile(const std::string& path, ModificationRecord* record);

    // Reads a record file; false when it is missing, unreadable or not exactly 16 bytes, so a
    // damaged record counts as out of date.
    static bool Read(const std::string& path, ModificationRecord* record);
    // Writes the record through a temporary file and a rename.
    bool Write(const std::string& path, std::string* error) const;
    // True when the record file at path holds exactly this time.
    bool MatchesFile(const std::string& path) const;

    std::uint16_t Get(Field field) const;
    bool IsFiller() const;
    const std::array<std::uint8_t, kSize>& Bytes() const { return bytes_; }
    // "YYYY-MM-DD hh:mm:ss UTC", or "unknown" for the filler.
    std::string Text() const;

    bool operator==(const ModificationRecord& other) const { return bytes_ == other.bytes_; }
    bool operator!=(const ModificationRecord& other) const { return bytes_ != other.bytes_; }

private:
    void Set(Field field, unsigned value);
    std::array<std::uint8_t, kSize> bytes_;
};

}  // namespace vessant
