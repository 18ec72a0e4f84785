#include "control/acquisition/cabinet_extractor.h"
#include "orvan/log_sink.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

namespace vessant {
namespace {

// The cabinet reader converts names flagged as UTF-8 into the locale's character set, and in the
// "C" locale of most hosts a name like "café.so" cannot be converted at all. For the time of one
// extraction this thread alone uses C.UTF-8, so names arrive as the UTF-8 bytes they are.
class Utf8NamesScope {
public:
    Utf8NamesScope() : utf8_(newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0))) {
        if (utf8_ != static_cast<locale_t>(0)) previous_ = uselocale(utf8_);
    }
    ~Utf8NamesScope() {
        if (utf8_ == static_cast<locale_t>(0)) return;
        uselocale(previous_);
        freelocale(utf8_);
    }
    Utf8NamesScope(const Utf8NamesScope&) = delete;
    Utf8NamesScope& operator=(const Utf8NamesScope&) = delete;

private:
    locale_t utf8_;
    locale_t previous_ = static_cast<locale_t>(0);
};

// A cabinet read through libarchive's cabinet reader (stored, MSZIP and LZX folders; zlib's
// inflate for MSZIP, which makes it as quick as the reference tool).
class CabinetReader {
public:
    ~CabinetReader() {
        if (archive_) archive_read_free(archive_);
    }
    bool Open(const std::string& path, std::string* error) {
        archive_ = archive_read_new();
        if (!archive_ || archive_read_support_format_cab(archive_) != ARCHIVE_OK) {
            *error = "Cannot start the cabinet reader";
            return false;
        }
        // Large reads: the cabinet is read once, front to back.
        if (archive_read_open_filename(archive_, path.c_str(), 1 << 20) == ARCHIVE_OK) return true;
        *error = "Cannot open cabinet " + path + ": " + Why();
        return false;
    }
    // The next entry's name; false at the end (*error empty) or on failure.
    bool Next(const std::string& path, std::string* name, std::string* error) {
        archive_entry* entry = nullptr;
        const int rc = archive_read_next_header(archive_, &entry);
        if (rc == ARCHIVE_EOF) return false;
        // A warning is a name in a character set that could not be converted: the bytes still stand.
        if (rc != ARCHIVE_OK && rc != ARCHIVE_WARN) {
            *error = "Cannot read cabinet " + path + ": " + Why();
            return false;
        }
        const char* pathname = archive_entry_pathname(entry);
        *name = pathname ? pathname : "";
        return true;
    }
    // Writes the current entry's data to fd; *error says why it could not.
    bool CopyTo(int fd, std::string* error) {
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0, written = 0;
        for (;;) {
            const int rc = archive_read_data_block(archive_, &block, &size, &offset);
            if (rc == ARCHIVE_EOF) return true;
            if (rc != ARCHIVE_OK && rc != ARCHIVE_WARN) {
                *error = Why();
                return false;
            }
            if (offset != written && lseek(fd, offset, SEEK_SET) < 0) return WriteFailed(error);
            for (const char* p = static_cast<const char*>(block); size > 0;) {
                const ssize_t n = write(fd, p, size);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) return WriteFailed(error);
                p += n;
                size -= static_cast<size_t>(n);
                written = offset += n;
            }
        }
    }

private:
    std::string Why() const {
        const char* why = archive_error_string(archive_);
        return why ? why : "error";
    }
    static bool WriteFailed(std::string* error) {
        *error = std::string("write error: ") + std::strerror(errno);
        return false;
    }
    archive* archive_ = nullptr;
};

// A file continued from or into another cabinet of a set cannot be unpacked from this one; the
// set flags sit in the fixed header (offset 30, bits 0 and 1).
bool PartOfASet(const std::string& path) {
    unsigned char header[32] = {};
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(header), sizeof header) || std::memcmp(header, "MSCF", 4) != 0) return false;
    return (header[30] & 0x03) != 0;
}

// Creates the directories of a relative path below directory.
bool CreateParents(const std::string& directory, const std::string& relative, std::string* error) {
    for (std::size_t slash = relative.find('/'); slash != std::string::npos; slash = relative.find('/', slash + 1)) {
        const std::string path = directory + relative.substr(0, slash);
        if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
            *error = "Cannot create " + path + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

// A private directory beside the destination that receives the unpacked files until the whole
// cabinet has unpacked; whatever is left in it goes with it.
class StagingDirectory {
public:
    bool Create(const std::string& base, std::string* error) {
        std::string pattern = base + ".unpack-XXXXXX";
        if (mkdtemp(&pattern[0]) == nullptr) {
            *error = "Cannot create a directory in " + base + ": " + std::strerror(errno);
            return false;
        }
        path_ = pattern + "/";
        return true;
    }
    std::string FileFor(std::size_t index) {
        files_.push_back(path_ + std::to_string(index));
        return files_.back();
    }
    ~StagingDirectory() {
        for (const std::string& file : files_) unlink(file.c_str());
        if (!path_.empty()) rmdir(path_.c_str());
    }

private:
    std::string path_;
    std::vector<std::string> files_;
};

ExtractionResult Finish(ExtractionResult result) {
    orvan::LogText(result.ok ? "Success\n" : "Failure\n");
    return result;
}

}  // namespace

std::string CabinetExtractor::SafeEntryPath(const std::string& entryName) {
    std::string path = entryName;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    if (path.empty() || path[0] == '/') return std::string();
    if (path.size() >= 2 && path[1] == ':') return std::string();  // a drive: absolute elsewhere
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return std::string();
        start = end + 1;
    }
    return path;
}

ExtractionResult CabinetExtractor::Extract(const std::string& cabinetPath, const std::string& directory) {
    ExtractionResult result;
    if (directory.empty()) {  // would unpack into whatever the working directory is
        result.error = "No directory to unpack into";
        return Finish(result);
    }
    const std::string base = directory.back() == '/' ? directory : directory + "/";
    Utf8NamesScope utf8Names;
    if (PartOfASet(cabinetPath)) {
        result.error = "Cabinet " + cabinetPath + " is part of a multi-cabinet set";
        return Finish(result);
    }

    // Every name is checked before anything is written: a first pass reads the headers only
    // (the reader decompresses nothing for entries whose data is never asked for).
    std::vector<std::string> entries;
    {
        CabinetReader names;
        if (!names.Open(cabinetPath, &result.error)) return Finish(result);
        std::string name;
        while (names.Next(cabinetPath, &name, &result.error)) {
            const std::string relative = SafeEntryPath(name);
            if (relative.empty()) {
                result.error = "Refused cabinet entry \"" + name + "\"";
                return Finish(result);
            }
            entries.push_back(relative);
        }
        if (!result.error.empty()) return Finish(result);
    }
    // A file whose name is the folder of another could not both be placed: refused up front, so
    // the directory is never left half-replaced.
    std::vector<std::string> names = entries;
    std::sort(names.begin(), names.end());
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
        for (std::size_t j = i + 1; j < names.size() && names[j].compare(0, names[i].size(), names[i]) == 0; ++j) {
            if (names[j].size() > names[i].size() && names[j][names[i].size()] == '/') {
                result.error = "Cabinet entries \"" + names[i] + "\" and \"" + names[j] + "\" cannot both be files";
                return Finish(result);
            }
        }
    }

    StagingDirectory staging;
    if (!staging.Create(base, &result.error)) return Finish(result);
    std::vector<std::string> unpacked;
    CabinetReader reader;
    if (!reader.Open(cabinetPath, &result.error)) return Finish(result);
    std::string name;
    for (const std::string& relative : entries) {
        if (!reader.Next(cabinetPath, &name, &result.error) || SafeEntryPath(name) != relative) {
            if (result.error.empty()) result.error = "Cabinet " + cabinetPath + " changed while it was unpacked";
            return Finish(result);
        }
        unpacked.push_back(staging.FileFor(unpacked.size()));
        std::string why;
        const int fd = open(unpacked.back().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) {
            why = std::strerror(errno);
        } else {
            const bool copied = reader.CopyTo(fd, &why);
            if (close(fd) != 0 && copied) why = std::strerror(errno);
        }
        if (!why.empty()) {
            result.error = "Cannot unpack " + relative + " from " + cabinetPath + ": " + why;
            return Finish(result);
        }
    }
    // Everything unpacked: only now does anything appear in the directory.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string destination = base + entries[i];
        if (!CreateParents(base, entries[i], &result.error)) return Finish(result);
        if (std::rename(unpacked[i].c_str(), destination.c_str()) != 0) {
            result.error = "Cannot write " + destination + ": " + std::strerror(errno);
            return Finish(result);
        }
        result.files.push_back(destination);
    }
    result.ok = true;
    return Finish(result);
}

}  // namespace vessant
