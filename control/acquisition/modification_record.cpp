#include "control/acquisition/modification_record.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "orvan/staged_file.h"

namespace vessant {

ModificationRecord::ModificationRecord() { bytes_.fill(0x05); }

void ModificationRecord::Set(Field field, unsigned value) {
    bytes_[field * 2] = static_cast<std::uint8_t>(value & 0xFF);
    bytes_[field * 2 + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

std::uint16_t ModificationRecord::Get(Field field) const {
    return static_cast<std::uint16_t>(bytes_[field * 2] | (bytes_[field * 2 + 1] << 8));
}

ModificationRecord ModificationRecord::FromUnixTime(std::time_t seconds) {
    ModificationRecord record;
    std::tm utc{};
    if (gmtime_r(&seconds, &utc) == nullptr || utc.tm_year + 1900 < 0 || utc.tm_year + 1900 > 0xFFFF) return record;
    record.Set(YEAR, static_cast<unsigned>(utc.tm_year + 1900));
    record.Set(MONTH, static_cast<unsigned>(utc.tm_mon + 1));
    record.Set(DAY_OF_WEEK, static_cast<unsigned>(utc.tm_wday));
    record.Set(DAY, static_cast<unsigned>(utc.tm_mday));
    record.Set(HOUR, static_cast<unsigned>(utc.tm_hour));
    record.Set(MINUTE, static_cast<unsigned>(utc.tm_min));
    record.Set(SECOND, static_cast<unsigned>(utc.tm_sec));
    record.Set(MILLISECONDS, 0);
    return record;
}

bool ModificationRecord::FromLocalFile(const std::string& path, ModificationRecord* record) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return false;
    // Whole seconds, as an HTTP Last-Modified time has, so both sources compare alike.
    *record = FromUnixTime(info.st_mtime);
    return true;
}

bool ModificationRecord::Read(const std::string& path, ModificationRecord* record) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    std::array<std::uint8_t, kSize + 1> buffer;
    std::size_t total = 0;
    while (total < buffer.size()) {
        const ssize_t n = read(fd, buffer.data() + total, buffer.size() - total);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        total += static_cast<std::size_t>(n);
    }
    close(fd);
    if (total != kSize) return false;
    std::copy(buffer.begin(), buffer.begin() + kSize, record->bytes_.begin());
    return true;
}

bool ModificationRecord::Write(const std::string& path, std::string* error) const {
    orvan::StagedFile file(path);
    return file.Open(error) && file.Write(bytes_.data(), bytes_.size(), error) && file.Commit(error);
}

bool ModificationRecord::MatchesFile(const std::string& path) const {
    ModificationRecord stored;
    return Read(path, &stored) && stored == *this;
}

bool ModificationRecord::IsFiller() const { return *this == ModificationRecord(); }

std::string ModificationRecord::Text() const {
    if (IsFiller()) return "unknown";
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u UTC", Get(YEAR), Get(MONTH), Get(DAY), Get(HOUR),
                  Get(MINUTE), Get(SECOND));
    return text;
}

}  // namespace vessant
