#include "tools/vessant_pack/cabinet_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace vessant {
namespace {

constexpr std::size_t kHeaderSize = 36;
constexpr std::size_t kFolderSize = 8;
constexpr std::size_t kFileEntrySize = 16;
constexpr std::size_t kDataHeaderSize = 8;
constexpr std::uint16_t kCompressMszip = 1;
constexpr std::uint16_t kAttributeArchive = 0x20;
constexpr std::uint16_t kAttributeNameIsUtf8 = 0x80;

void Put16(std::string* out, std::uint16_t v) {
    out->push_back(static_cast<char>(v & 0xFF));
    out->push_back(static_cast<char>(v >> 8));
}

void Put32(std::string* out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out->push_back(static_cast<char>((v >> shift) & 0xFF));
}

void Set32(std::string* out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) (*out)[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

bool HasHighBytes(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80) return true;
    return false;
}

// One MSZIP block: "CK" and a complete raw deflate stream of the block.
bool Deflate(const unsigned char* data, std::size_t size, std::string* out, std::string* error) {
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        *error = "cannot start compressing";
        return false;
    }
    std::string block(2 + deflateBound(&z, static_cast<uLong>(size)), '\0');
    block[0] = 'C';
    block[1] = 'K';
    z.next_in = const_cast<unsigned char*>(data);
    z.avail_in = static_cast<uInt>(size);
    z.next_out = reinterpret_cast<unsigned char*>(&block[2]);
    z.avail_out = static_cast<uInt>(block.size() - 2);
    const int status = deflate(&z, Z_FINISH);
    const std::size_t produced = block.size() - z.avail_out;
    deflateEnd(&z);
    if (status != Z_STREAM_END) {
        *error = "compression failed";
        return false;
    }
    block.resize(produced);
    *out = std::move(block);
    return true;
}

}  // namespace

std::uint32_t CabinetWriter::Checksum(const unsigned char* data, std::size_t size, std::uint32_t seed) {
    std::uint32_t sum = seed;
    std::size_t i = 0;
    for (; i + 4 <= size; i += 4)
        sum ^= static_cast<std::uint32_t>(data[i]) | static_cast<std::uint32_t>(data[i + 1]) << 8 |
               static_cast<std::uint32_t>(data[i + 2]) << 16 | static_cast<std::uint32_t>(data[i + 3]) << 24;
    // The last one to three bytes count from the high end down, as the format's own reader does.
    std::uint32_t tail = 0;
    switch (size - i) {
        case 3: tail |= static_cast<std::uint32_t>(data[i++]) << 16; [[fallthrough]];
        case 2: tail |= static_cast<std::uint32_t>(data[i++]) << 8; [[fallthrough]];
        case 1: tail |= data[i]; break;
        default: break;
    }
    return sum ^ tail;
}

bool CabinetWriter::Add(const std::string& name, std::string contents, std::string* error) {
    if (name.empty() || name.size() > kMaxNameLength || name[0] == '\\' || name[0] == '/' ||
        name.find('\0') != std::string::npos) {
        *error = "cannot store a file named '" + name + "' (names are relative, 1 to 255 bytes)";
        return false;
    }
    for (const File& f : files_)
        if (f.name == name) {
            *error = "two files would be named '" + name + "' in the cabinet";
            return false;
        }
    if (files_.size() >= kMaxFiles) {
        *error = "a cabinet holds at most 65535 files";
        return false;
    }
    if (total_ + contents.size() > kMaxFolderSize) {
        *error = "the files are too large for one cabinet (at most 2 GiB in all)";
        return false;
    }
    total_ += contents.size();
    files_.push_back({name, std::move(contents)});
    return true;
}

bool CabinetWriter::Build(std::string* cabinet, std::string* error) const {
    // The files end to end make up the folder's one stream, cut into blocks.
    std::string stream;
    stream.reserve(static_cast<std::size_t>(total_));
    for (const File& f : files_) stream += f.contents;
    std::string blocks;
    std::size_t blockCount = 0;
    for (std::size_t at = 0; at < stream.size(); at += kBlockSize, ++blockCount) {
        const std::size_t size = std::min(kBlockSize, stream.size() - at);
        std::string compressed;
        if (!Deflate(reinterpret_cast<const unsigned char*>(stream.data() + at), size, &compressed, error)) return false;
        std::string header;
        Put32(&header, 0);
        Put16(&header, static_cast<std::uint16_t>(compressed.size()));
        Put16(&header, static_cast<std::uint16_t>(size));
        const auto* bytes = reinterpret_cast<const unsigned char*>(compressed.data());
        const std::uint32_t sum = Checksum(reinterpret_cast<const unsigned char*>(header.data()) + 4, 4,
                                           Checksum(bytes, compressed.size(), 0));
        Set32(&header, 0, sum);
        blocks += header;
        blocks += compressed;
    }

    std::size_t entries = 0;
    for (const File& f : files_) entries += kFileEntrySize + f.name.size() + 1;
    const std::size_t filesAt = kHeaderSize + kFolderSize;
    const std::size_t dataAt = filesAt + entries;
    const std::size_t total = dataAt + blocks.size();
    if (total > 0xFFFFFFFFull) {
        *error = "the cabinet would be larger than 4 GiB";
        return false;
    }

    std::string out;
    out.reserve(total);
    out += "MSCF";
    Put32(&out, 0);
    Put32(&out, static_cast<std::uint32_t>(total));
    Put32(&out, 0);
    Put32(&out, static_cast<std::uint32_t>(filesAt));
    Put32(&out, 0);
    out.push_back(3);  // format version 1.3
    out.push_back(1);
    Put16(&out, 1);  // folders
    Put16(&out, static_cast<std::uint16_t>(files_.size()));
    Put16(&out, 0);  // flags: no reserve, no neighbouring cabinets
    Put16(&out, 0);  // set id
    Put16(&out, 0);  // index in the set

    Put32(&out, static_cast<std::uint32_t>(dataAt));
    Put16(&out, static_cast<std::uint16_t>(blockCount));
    Put16(&out, kCompressMszip);

    std::uint32_t offset = 0;
    for (const File& f : files_) {
        Put32(&out, static_cast<std::uint32_t>(f.contents.size()));
        Put32(&out, offset);
        Put16(&out, 0);  // folder
        Put16(&out, kFixedDate);
        Put16(&out, kFixedTime);
        Put16(&out, static_cast<std::uint16_t>(kAttributeArchive | (HasHighBytes(f.name) ? kAttributeNameIsUtf8 : 0)));
        out += f.name;
        out.push_back('\0');
        offset += static_cast<std::uint32_t>(f.contents.size());
    }
    out += blocks;
    *cabinet = std::move(out);
    return true;
}

}  // namespace vessant
