// vessant-pack: a component library and its files into a signed cabinet the player accepts.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "orvan/staged_file.h"
#include "tools/vessant_pack/cabinet_writer.h"
#include "tools/vessant_pack/cms_signer.h"
#include "tools/vessant_pack/pack_options.h"

using namespace vessant;

namespace {

constexpr int kStatusOk = 0;
constexpr int kStatusFailed = 1;
constexpr int kStatusUsage = 2;

int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "vessant-pack: %s\n", message.c_str());
    return status;
}

// Reads a regular file whole, refusing one the cabinet could not hold.
bool ReadFile(const std::string& path, std::string* contents, std::string* error) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        *error = "cannot read " + path + ": not a regular file";
        return false;
    }
    if (static_cast<std::uint64_t>(info.st_size) > CabinetWriter::kMaxFolderSize) {
        close(fd);
        *error = "cannot pack " + path + ": larger than a cabinet holds (2 GiB)";
        return false;
    }
    contents->assign(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (done < contents->size()) {
        const ssize_t n = read(fd, &(*contents)[done], contents->size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            *error = "cannot read " + path + ": " + (n < 0 ? std::strerror(errno) : "it shrank while being read");
            close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    close(fd);
    return true;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteWhole(const std::string& path, const std::string& data, std::string* error) {
    orvan::StagedFile file(path);
    return file.Open(error) && file.Write(data.data(), data.size(), error) && file.Commit(error);
}

}  // namespace

int main(int argc, char** argv) {
    PackOptions options;
    std::string error;
    if (!ParsePackOptions(argc, argv, &options, &error)) return Fail(kStatusUsage, error);
    if (options.help) {
        std::fputs(PackUsage(), stdout);
        return kStatusOk;
    }

    CmsSigner signer;
    if (!signer.Load(options.key, options.certificate, options.chain, &error)) return Fail(kStatusFailed, error);

    CabinetWriter cabinet;
    std::string contents;
    if (!ReadFile(options.library, &contents, &error) ||
        !cabinet.Add(LibraryNameInCabinet(options.output), std::move(contents), &error))
        return Fail(kStatusFailed, error);
    for (const std::string& file : options.files) {
        if (!ReadFile(file, &contents, &error) || !cabinet.Add(BaseName(file), std::move(contents), &error))
            return Fail(kStatusFailed, error);
    }

    std::string bytes, signature;
    if (!cabinet.Build(&bytes, &error) || !signer.Sign(bytes, &signature, &error)) return Fail(kStatusFailed, error);
    const std::string signaturePath = options.output + ".p7s";
    if (!WriteWhole(signaturePath, signature, &error) || !WriteWhole(options.output, bytes, &error))
        return Fail(kStatusFailed, error);
    std::printf("%s\n%s\n", options.output.c_str(), signaturePath.c_str());
    return kStatusOk;
}
