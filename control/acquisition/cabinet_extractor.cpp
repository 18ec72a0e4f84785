#include "control/acquisition/cabinet_extractor.h"
#include "orvan/log_sink.h"

#include <mspack.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace vessant {
namespace {

struct Decompressor {
    mscab_decompressor* cabd = mspack_create_cab_decompressor(nullptr);
    mscabd_cabinet* cabinet = nullptr;
    ~Decompressor() {
        if (cabd && cabinet) cabd->close(cabd, cabinet);
        if (cabd) mspack_destroy_cab_decompressor(cabd);
    }
};

const char* MspackError(int code) {
    switch (code) {
        case MSPACK_ERR_OPEN: return "cannot open";
        case MSPACK_ERR_READ: return "read error (truncated?)";
        case MSPACK_ERR_WRITE: return "write error";
        case MSPACK_ERR_SEEK: return "seek error";
        case MSPACK_ERR_NOMEMORY: return "out of memory";
        case MSPACK_ERR_SIGNATURE: return "not a cabinet";
        case MSPACK_ERR_DATAFORMAT: return "bad data format";
        case MSPACK_ERR_CHECKSUM: return "checksum error";
        case MSPACK_ERR_DECRUNCH: return "decompression error";
        default: return "error";
    }
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
    Decompressor mspack;
    if (!mspack.cabd) {
        result.error = "Cannot start the cabinet decompressor";
        return Finish(result);
    }
    // The default input buffer (4 KB) makes large cabinets markedly slower to unpack.
    mspack.cabd->set_param(mspack.cabd, MSCABD_PARAM_DECOMPBUF, 1 << 16);
    mspack.cabinet = mspack.cabd->open(mspack.cabd, cabinetPath.c_str());
    if (!mspack.cabinet) {
        result.error = std::string("Cannot open cabinet ") + cabinetPath + ": " +
                       MspackError(mspack.cabd->last_error(mspack.cabd));
        return Finish(result);
    }
    // A file continued from or into another cabinet of a set cannot be unpacked from this one.
    if (mspack.cabinet->flags & (MSCAB_HDR_PREVCAB | MSCAB_HDR_NEXTCAB)) {
        result.error = "Cabinet " + cabinetPath + " is part of a multi-cabinet set";
        return Finish(result);
    }

    // Every name is checked before anything is written.
    std::vector<std::pair<mscabd_file*, std::string>> entries;
    for (mscabd_file* file = mspack.cabinet->files; file; file = file->next) {
        const std::string relative = SafeEntryPath(file->filename ? file->filename : "");
        if (relative.empty()) {
            result.error = std::string("Refused cabinet entry \"") + (file->filename ? file->filename : "") + "\"";
            return Finish(result);
        }
        entries.emplace_back(file, relative);
    }
    // A file whose name is the folder of another could not both be placed: refused up front, so
    // the directory is never left half-replaced.
    std::vector<std::string> names;
    for (const auto& entry : entries) names.push_back(entry.second);
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
    for (const auto& entry : entries) {
        unpacked.push_back(staging.FileFor(unpacked.size()));
        const int rc = mspack.cabd->extract(mspack.cabd, entry.first, unpacked.back().c_str());
        if (rc != MSPACK_ERR_OK) {
            result.error = "Cannot unpack " + entry.second + " from " + cabinetPath + ": " + MspackError(rc);
            return Finish(result);
        }
    }
    // Everything unpacked: only now does anything appear in the directory.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string destination = base + entries[i].second;
        if (!CreateParents(base, entries[i].second, &result.error)) return Finish(result);
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
