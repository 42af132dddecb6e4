#include "productlayout.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace productlayout {

namespace {

template <typename T>
T readLe(const unsigned char *p, std::size_t width)
{
    T value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value |= static_cast<T>(p[i]) << (8 * i);
    return value;
}

bool addWithin(std::uint64_t a, std::uint64_t b, std::uint64_t limit, std::uint64_t &sum)
{
    if (a > limit || b > limit - a)
        return false;
    sum = a + b;
    return true;
}

} // namespace

Reader memoryReader(const unsigned char *data, std::size_t size)
{
    return [data, size](std::uint64_t offset, void *buffer, std::size_t length) {
        if (offset > size || length > size - offset)
            return false;
        std::memcpy(buffer, data + offset, length);
        return true;
    };
}

Reader fileDescriptorReader(int fd)
{
    return [fd](std::uint64_t offset, void *buffer, std::size_t length) {
        auto *out = static_cast<unsigned char *>(buffer);
        while (length > 0) {
            const ssize_t n = ::pread(fd, out, length, static_cast<off_t>(offset));
            if (n <= 0)
                return false;
            out += n;
            offset += static_cast<std::uint64_t>(n);
            length -= static_cast<std::size_t>(n);
        }
        return true;
    };
}

std::optional<std::uint64_t> elfImageLength(const Reader &read, std::uint64_t inputSize)
{
    unsigned char ident[64] = {};
    if (inputSize < 52 || !read(0, ident, std::min<std::uint64_t>(64, inputSize)))
        return std::nullopt;
    if (std::memcmp(ident, "\x7f" "ELF", 4) != 0 || ident[5] != 1 /* little endian */)
        return std::nullopt;
    const bool is64 = ident[4] == 2;
    if (!is64 && ident[4] != 1)
        return std::nullopt;
    if (is64 && inputSize < 64)
        return std::nullopt;

    const std::uint64_t phoff = is64 ? readLe<std::uint64_t>(ident + 32, 8) : readLe<std::uint64_t>(ident + 28, 4);
    const std::uint64_t shoff = is64 ? readLe<std::uint64_t>(ident + 40, 8) : readLe<std::uint64_t>(ident + 32, 4);
    const std::uint16_t ehsize = readLe<std::uint16_t>(ident + (is64 ? 52 : 40), 2);
    const std::uint16_t phentsize = readLe<std::uint16_t>(ident + (is64 ? 54 : 42), 2);
    const std::uint16_t phnum = readLe<std::uint16_t>(ident + (is64 ? 56 : 44), 2);
    const std::uint16_t shentsize = readLe<std::uint16_t>(ident + (is64 ? 58 : 46), 2);
    const std::uint16_t shnum = readLe<std::uint16_t>(ident + (is64 ? 60 : 48), 2);
    const std::size_t minPh = is64 ? 56 : 32;
    const std::size_t minSh = is64 ? 64 : 40;

    std::uint64_t end = ehsize;
    std::uint64_t tableEnd = 0;
    if (phnum > 0) {
        if (phentsize < minPh || !addWithin(phoff, std::uint64_t(phnum) * phentsize, inputSize, tableEnd))
            return std::nullopt;
        end = std::max(end, tableEnd);
        std::vector<unsigned char> entry(phentsize);
        for (std::uint16_t i = 0; i < phnum; ++i) {
            if (!read(phoff + std::uint64_t(i) * phentsize, entry.data(), phentsize))
                return std::nullopt;
            const std::uint64_t offset = is64 ? readLe<std::uint64_t>(&entry[8], 8) : readLe<std::uint64_t>(&entry[4], 4);
            const std::uint64_t filesz = is64 ? readLe<std::uint64_t>(&entry[32], 8) : readLe<std::uint64_t>(&entry[16], 4);
            std::uint64_t segmentEnd = 0;
            if (!addWithin(offset, filesz, inputSize, segmentEnd))
                return std::nullopt;
            end = std::max(end, segmentEnd);
        }
    }
    if (shnum > 0) {
        if (shentsize < minSh || !addWithin(shoff, std::uint64_t(shnum) * shentsize, inputSize, tableEnd))
            return std::nullopt;
        end = std::max(end, tableEnd);
        std::vector<unsigned char> entry(shentsize);
        for (std::uint16_t i = 0; i < shnum; ++i) {
            if (!read(shoff + std::uint64_t(i) * shentsize, entry.data(), shentsize))
                return std::nullopt;
            const std::uint32_t type = readLe<std::uint32_t>(&entry[4], 4);
            if (type == 8 /* SHT_NOBITS */ || type == 0 /* SHT_NULL */)
                continue;
            const std::uint64_t offset = is64 ? readLe<std::uint64_t>(&entry[24], 8) : readLe<std::uint64_t>(&entry[16], 4);
            const std::uint64_t size = is64 ? readLe<std::uint64_t>(&entry[32], 8) : readLe<std::uint64_t>(&entry[20], 4);
            std::uint64_t sectionEnd = 0;
            if (!addWithin(offset, size, inputSize, sectionEnd))
                return std::nullopt;
            end = std::max(end, sectionEnd);
        }
    }
    return end;
}

ModuleResult parseModule(const Reader &read, std::uint64_t inputSize)
{
    ModuleResult result;
    const auto moduleLength = elfImageLength(read, inputSize);
    if (!moduleLength)
        return result;
    result.moduleLength = *moduleLength;
    result.afterIcon = *moduleLength;

    unsigned char header[kIconHeaderSize];
    if (inputSize - *moduleLength >= kIconHeaderSize && read(*moduleLength, header, kIconHeaderSize)
        && std::memcmp(header, kIconMagic.data(), kIconMagic.size()) == 0) {
        const std::uint32_t length = readLe<std::uint32_t>(header + 8, 4);
        const std::uint64_t iconOffset = *moduleLength + kIconHeaderSize;
        std::uint64_t iconEnd = 0;
        if (length == 0 || length > kMaxIconLength || !addWithin(iconOffset, length, inputSize, iconEnd)) {
            result.status = Status::BadIconBlock;
            return result;
        }
        result.hasIcon = true;
        result.iconOffset = iconOffset;
        result.iconLength = length;
        result.afterIcon = iconEnd;
    }
    result.status = Status::Ok;
    return result;
}

ParseResult parse(const Reader &read, std::uint64_t inputSize)
{
    ParseResult result;
    const ModuleResult module = parseModule(read, inputSize);
    result.layout.moduleLength = module.moduleLength;
    result.layout.hasIcon = module.hasIcon;
    result.layout.iconOffset = module.iconOffset;
    result.layout.iconLength = module.iconLength;
    if (module.status != Status::Ok) {
        result.status = module.status;
        return result;
    }

    const std::uint64_t configOffset = module.afterIcon;
    const std::uint64_t available = std::min<std::uint64_t>(inputSize - configOffset, kMaxConfigLength);
    std::string block(static_cast<std::size_t>(available), '\0');
    if (available < kConfigBegin.size() || !read(configOffset, block.data(), block.size())
        || block.compare(0, kConfigBegin.size(), kConfigBegin) != 0) {
        result.status = Status::NoConfigBlock;
        return result;
    }
    const std::size_t endMarker = block.find(kConfigEnd, kConfigBegin.size());
    if (endMarker == std::string::npos) {
        result.status = Status::UnterminatedConfig;
        return result;
    }
    result.layout.configOffset = configOffset;
    result.layout.configLength = endMarker + kConfigEnd.size();
    result.layout.archiveOffset = configOffset + result.layout.configLength;
    result.status = Status::Ok;
    return result;
}

std::string iconBlockHeader(std::uint32_t length)
{
    std::string header(kIconMagic);
    for (int i = 0; i < 4; ++i)
        header.push_back(static_cast<char>((length >> (8 * i)) & 0xff));
    return header;
}

std::map<std::string, std::string> parseConfig(std::string_view block)
{
    std::map<std::string, std::string> keys;
    std::size_t pos = 0;
    while (pos < block.size()) {
        std::size_t eol = block.find('\n', pos);
        if (eol == std::string_view::npos)
            eol = block.size();
        std::string_view line = block.substr(pos, eol - pos);
        pos = eol + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == ';')
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0)
            continue;
        std::string_view value = line.substr(eq + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        keys[std::string(line.substr(0, eq))] = std::string(value);
    }
    return keys;
}

bool linkStaysInside(std::size_t depth, std::string_view target)
{
    if (target.empty() || target.front() == '/')
        return false;
    std::size_t level = depth;
    bool named = false;
    while (!target.empty()) {
        const std::size_t end = std::min(target.find('/'), target.size());
        const std::string_view part = target.substr(0, end);
        target.remove_prefix(std::min(end + 1, target.size()));
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (named || level == 0)
                return false;
            --level;
        } else {
            named = true;
        }
    }
    return true;
}

namespace {

std::uint32_t updateCrc32(std::uint32_t crc, const unsigned char *p, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return crc;
}

std::uint64_t readLittleEndian(const unsigned char *p, int bytes)
{
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

} // namespace

ArchiveFault archiveFault(const Reader &read, std::uint64_t offset, std::uint64_t length, bool withEndHeader)
{
    unsigned char header[32];
    if (length < sizeof header || !read(offset, header, sizeof header))
        return ArchiveFault::CutShort;
    if (std::memcmp(header, "7z\xbc\xaf\x27\x1c", 6) != 0)
        return ArchiveFault::NotSevenZip;
    if (~updateCrc32(0xffffffffu, header + 12, 20) != readLittleEndian(header + 8, 4))
        return ArchiveFault::StartHeaderChecksum;
    const std::uint64_t endOffset = readLittleEndian(header + 12, 8);
    const std::uint64_t endSize = readLittleEndian(header + 20, 8);
    const std::uint64_t room = length - sizeof header;
    if (endOffset > room || endSize > room - endOffset || (withEndHeader && endSize == 0))
        return ArchiveFault::EndHeaderOutside;
    if (!withEndHeader)
        return ArchiveFault::None;
    std::uint32_t crc = 0xffffffffu;
    std::vector<unsigned char> buffer(65536);
    for (std::uint64_t done = 0; done < endSize;) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), endSize - done));
        if (!read(offset + sizeof header + endOffset + done, buffer.data(), n))
            return ArchiveFault::EndHeaderOutside;
        crc = updateCrc32(crc, buffer.data(), n);
        done += n;
    }
    return ~crc == readLittleEndian(header + 28, 4) ? ArchiveFault::None : ArchiveFault::EndHeaderChecksum;
}

} // namespace productlayout
