#include "iconreader.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace iconreader {

namespace {

constexpr std::uint32_t kRtIcon = 3;
constexpr std::uint32_t kRtGroupIcon = 14;
constexpr std::uint32_t kMaxGroupBytes = 1024u * 1024u;
constexpr std::uint16_t kMaxPeSections = 96;
constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";

std::uint32_t le16(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
}

std::uint32_t le32(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint32_t be32(const unsigned char *p)
{
    return std::uint32_t(p[3]) | std::uint32_t(p[2]) << 8 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[0]) << 24;
}

bool fits(std::uint64_t offset, std::uint64_t length, std::uint64_t size)
{
    return offset <= size && length <= size - offset;
}

QByteArray readBytes(const productlayout::Reader &read, std::uint64_t size, std::uint64_t offset, std::uint32_t length)
{
    if (length == 0 || length > kMaxImageBytes || !fits(offset, length, size))
        return {};
    QByteArray bytes(qsizetype(length), Qt::Uninitialized);
    if (!read(offset, bytes.data(), length))
        return {};
    return bytes;
}

int entrySide(unsigned char value)
{
    return value == 0 ? 256 : value;
}

std::size_t bestMatch(const std::vector<IconEntry> &entries, int wanted)
{
    std::size_t best = 0;
    long bestSizeDiff = -1;
    int bestDepthDiff = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const long sizeDiff = std::labs(long(entries[i].width) - wanted) + std::labs(long(entries[i].height) - wanted);
        const int depthDiff = std::abs(32 - entries[i].bitCount);
        if (bestSizeDiff < 0 || sizeDiff < bestSizeDiff || (sizeDiff == bestSizeDiff && depthDiff < bestDepthDiff)) {
            best = i;
            bestSizeDiff = sizeDiff;
            bestDepthDiff = depthDiff;
        }
    }
    return best;
}

QImage decodePng(const QByteArray &bytes)
{
    // The dimensions are checked before decoding, so a small file claiming
    // a huge image costs nothing.
    if (bytes.size() < 24)
        return {};
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    if (std::memcmp(p + 12, "IHDR", 4) != 0)
        return {};
    const std::uint32_t width = be32(p + 16);
    const std::uint32_t height = be32(p + 20);
    if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide)
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "PNG");
    QImage image;
    if (!reader.read(&image) || image.width() != int(width) || image.height() != int(height))
        return {};
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage decodeDib(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const std::uint64_t size = std::uint64_t(bytes.size());
    if (size < 40)
        return {};
    const std::uint32_t headerSize = le32(p);
    if (headerSize < 40 || headerSize > size)
        return {};
    const std::int32_t width = std::int32_t(le32(p + 4));
    const std::int32_t doubledHeight = std::int32_t(le32(p + 8));
    const std::uint32_t planes = le16(p + 12);
    const std::uint32_t bitCount = le16(p + 14);
    const std::uint32_t compression = le32(p + 16);
    const std::uint32_t colorsUsed = le32(p + 32);

    // The stored height covers the colour image and the AND mask below it.
    if (width <= 0 || width > kMaxImageSide || doubledHeight < 2 || doubledHeight / 2 > kMaxImageSide)
        return {};
    const int height = doubledHeight / 2;
    if (planes != 1 || compression != 0)
        return {};
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return {};

    std::uint64_t paletteEntries = colorsUsed;
    if (bitCount <= 8 && paletteEntries == 0)
        paletteEntries = 1u << bitCount;
    if (paletteEntries > 256)
        return {};
    const std::uint64_t paletteOffset = headerSize;
    const std::uint64_t xorOffset = paletteOffset + paletteEntries * 4;
    const std::uint64_t xorStride = (std::uint64_t(width) * bitCount + 31) / 32 * 4;
    const std::uint64_t andOffset = xorOffset + xorStride * std::uint64_t(height);
    const std::uint64_t andStride = (std::uint64_t(width) + 31) / 32 * 4;
    if (!fits(xorOffset, xorStride * std::uint64_t(height), size))
        return {};
    // Some writers leave the mask out; the image is then taken as opaque.
    const bool hasMask = fits(andOffset, andStride * std::uint64_t(height), size);

    auto paletteColor = [&](std::uint32_t index) -> QRgb {
        if (index >= paletteEntries)
            return qRgb(0, 0, 0);
        const unsigned char *c = p + paletteOffset + index * 4;
        return qRgb(c[2], c[1], c[0]);
    };

    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom row first.
        const unsigned char *row = p + xorOffset + std::uint64_t(height - 1 - y) * xorStride;
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            QRgb color = 0;
            switch (bitCount) {
            case 1:
                color = paletteColor((row[x / 8] >> (7 - x % 8)) & 1);
                break;
            case 4:
                color = paletteColor((row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0f);
                break;
            case 8:
                color = paletteColor(row[x]);
                break;
            case 16: {
                const std::uint32_t v = le16(row + x * 2);
                color = qRgb(int((v >> 10) & 0x1f) * 255 / 31, int((v >> 5) & 0x1f) * 255 / 31, int(v & 0x1f) * 255 / 31);
                break;
            }
            case 24:
                color = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
                break;
            case 32:
                color = qRgba(row[x * 4 + 2], row[x * 4 + 1], row[x * 4], row[x * 4 + 3]);
                anyAlpha = anyAlpha || row[x * 4 + 3] != 0;
                break;
            }
            out[x] = color;
        }
    }

    // A 32-bit image with an alpha channel of its own ignores the mask.
    if (bitCount == 32 && anyAlpha)
        return image;
    for (int y = 0; y < height; ++y) {
        const unsigned char *mask = hasMask ? p + andOffset + std::uint64_t(height - 1 - y) * andStride : nullptr;
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const bool masked = mask && ((mask[x / 8] >> (7 - x % 8)) & 1);
            const QRgb rgb = out[x] & 0x00ffffffu;
            // Drawn onto an empty (black) surface, a masked pixel shows its
            // colour only where that colour inverts the background.
            out[x] = (masked && rgb == 0) ? 0u : (rgb | 0xff000000u);
        }
    }
    return image;
}

// The PE reader keeps every offset relative to the file and bounded by it.
class PeFile
{
public:
    PeFile(const productlayout::Reader &read, std::uint64_t size)
        : m_read(read)
        , m_size(size)
    {
    }

    bool open();
    std::optional<std::vector<IconEntry>> firstIconGroup();
    std::optional<IconEntry> resolveIcon(std::uint32_t id, IconEntry entry);

private:
    struct Section
    {
        std::uint32_t virtualAddress = 0;
        std::uint32_t rawSize = 0;
        std::uint32_t rawOffset = 0;
    };
    struct DirEntry
    {
        bool named = false;
        std::uint32_t id = 0;
        bool subdirectory = false;
        std::uint32_t offset = 0;
    };

    bool readAt(std::uint64_t offset, void *buffer, std::size_t length) const
    {
        return fits(offset, length, m_size) && m_read(offset, buffer, length);
    }
    std::optional<std::uint64_t> rvaToOffset(std::uint32_t rva, std::uint32_t length) const;
    std::optional<std::vector<DirEntry>> directory(std::uint32_t offset) const;
    std::optional<std::pair<std::uint64_t, std::uint32_t>> firstData(const DirEntry &entry, std::uint32_t limit) const;

    const productlayout::Reader &m_read;
    std::uint64_t m_size;
    std::vector<Section> m_sections;
    std::uint64_t m_resourceBase = 0;  // file offset of the resource directory
    std::uint64_t m_resourceLimit = 0; // bytes of it that are in the file
    std::optional<std::vector<DirEntry>> m_iconDirectory;
};

bool PeFile::open()
{
    unsigned char dos[64];
    if (!readAt(0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z')
        return false;
    const std::uint32_t peOffset = le32(dos + 0x3c);
    unsigned char coff[24];
    if (!readAt(peOffset, coff, sizeof coff) || std::memcmp(coff, "PE\0\0", 4) != 0)
        return false;
    const std::uint32_t sectionCount = le16(coff + 6);
    const std::uint32_t optionalSize = le16(coff + 20);
    if (sectionCount == 0 || sectionCount > kMaxPeSections)
        return false;

    const std::uint64_t optionalOffset = std::uint64_t(peOffset) + 24;
    unsigned char optional[240] = {};
    const std::size_t optionalRead = std::min<std::size_t>(optionalSize, sizeof optional);
    if (optionalRead < 2 || !readAt(optionalOffset, optional, optionalRead))
        return false;
    const std::uint32_t magic = le16(optional);
    std::size_t countOffset = 0;
    if (magic == 0x10b)
        countOffset = 92;
    else if (magic == 0x20b)
        countOffset = 108;
    else
        return false;
    const std::size_t resourceEntry = countOffset + 4 + 2 * 8;
    if (optionalRead < resourceEntry + 8 || le32(optional + countOffset) < 3)
        return false;
    const std::uint32_t resourceRva = le32(optional + resourceEntry);
    if (resourceRva == 0 || le32(optional + resourceEntry + 4) == 0)
        return false;

    const std::uint64_t sectionTable = optionalOffset + optionalSize;
    for (std::uint32_t i = 0; i < sectionCount; ++i) {
        unsigned char header[40];
        if (!readAt(sectionTable + i * 40ull, header, sizeof header))
            return false;
        m_sections.push_back({le32(header + 12), le32(header + 16), le32(header + 20)});
    }

    for (const Section &s : m_sections) {
        if (resourceRva >= s.virtualAddress && resourceRva - s.virtualAddress < s.rawSize) {
            const std::uint64_t within = resourceRva - s.virtualAddress;
            m_resourceBase = std::uint64_t(s.rawOffset) + within;
            if (m_resourceBase >= m_size)
                return false;
            m_resourceLimit = std::min<std::uint64_t>(s.rawSize - within, m_size - m_resourceBase);
            return m_resourceLimit >= 16;
        }
    }
    return false;
}

std::optional<std::uint64_t> PeFile::rvaToOffset(std::uint32_t rva, std::uint32_t length) const
{
    for (const Section &s : m_sections) {
        if (rva >= s.virtualAddress && fits(rva - s.virtualAddress, length, s.rawSize)) {
            const std::uint64_t offset = std::uint64_t(s.rawOffset) + (rva - s.virtualAddress);
            if (fits(offset, length, m_size))
                return offset;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<PeFile::DirEntry>> PeFile::directory(std::uint32_t offset) const
{
    unsigned char header[16];
    if (!fits(offset, sizeof header, m_resourceLimit) || !readAt(m_resourceBase + offset, header, sizeof header))
        return std::nullopt;
    const std::uint64_t named = le16(header + 12);
    const std::uint64_t count = named + le16(header + 14);
    // A count that lies is caught here: every entry must be in the section.
    if (!fits(offset + 16ull, count * 8, m_resourceLimit))
        return std::nullopt;
    std::vector<unsigned char> raw(std::size_t(count * 8));
    if (count > 0 && !readAt(m_resourceBase + offset + 16, raw.data(), raw.size()))
        return std::nullopt;
    std::vector<DirEntry> entries;
    entries.reserve(std::size_t(count));
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint32_t name = le32(&raw[i * 8]);
        const std::uint32_t target = le32(&raw[i * 8 + 4]);
        entries.push_back({(name & 0x80000000u) != 0, name & 0x7fffffffu, (target & 0x80000000u) != 0,
                           target & 0x7fffffffu});
    }
    return entries;
}

// The data of the first language of a name entry: fixed depth, so no chain of
// directories can loop.
std::optional<std::pair<std::uint64_t, std::uint32_t>> PeFile::firstData(const DirEntry &entry, std::uint32_t limit) const
{
    if (!entry.subdirectory)
        return std::nullopt;
    const auto languages = directory(entry.offset);
    if (!languages || languages->empty() || languages->front().subdirectory)
        return std::nullopt;
    unsigned char data[16];
    const std::uint32_t dataOffset = languages->front().offset;
    if (!fits(dataOffset, sizeof data, m_resourceLimit) || !readAt(m_resourceBase + dataOffset, data, sizeof data))
        return std::nullopt;
    const std::uint32_t rva = le32(data);
    const std::uint32_t length = le32(data + 4);
    if (length == 0 || length > limit)
        return std::nullopt;
    const auto offset = rvaToOffset(rva, length);
    if (!offset)
        return std::nullopt;
    return std::make_pair(*offset, length);
}

std::optional<std::vector<IconEntry>> PeFile::firstIconGroup()
{
    const auto types = directory(0);
    if (!types)
        return std::nullopt;
    std::optional<DirEntry> groups;
    for (const DirEntry &type : *types) {
        if (!type.named && type.id == kRtGroupIcon && type.subdirectory && !groups)
            groups = type;
        if (!type.named && type.id == kRtIcon && type.subdirectory && !m_iconDirectory)
            m_iconDirectory = directory(type.offset);
    }
    if (!groups || !m_iconDirectory)
        return std::nullopt;
    const auto names = directory(groups->offset);
    if (!names || names->empty())
        return std::nullopt;
    const auto data = firstData(names->front(), kMaxGroupBytes);
    if (!data)
        return std::nullopt;

    std::vector<unsigned char> group(data->second);
    if (!readAt(data->first, group.data(), group.size()) || group.size() < 6)
        return std::nullopt;
    if (le16(&group[0]) != 0 || le16(&group[2]) != 1)
        return std::nullopt;
    const std::size_t count = std::min<std::size_t>(le16(&group[4]), (group.size() - 6) / 14);
    std::vector<IconEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char *e = &group[6 + i * 14];
        IconEntry entry;
        entry.width = entrySide(e[0]);
        entry.height = entrySide(e[1]);
        entry.bitCount = int(le16(e + 6));
        // The image's resource id stands in the offset field until resolved.
        entry.offset = le16(e + 12);
        entries.push_back(entry);
    }
    return entries;
}

std::optional<IconEntry> PeFile::resolveIcon(std::uint32_t id, IconEntry entry)
{
    if (!m_iconDirectory)
        return std::nullopt;
    for (const DirEntry &name : *m_iconDirectory) {
        if (name.named || name.id != id)
            continue;
        const auto data = firstData(name, kMaxImageBytes);
        if (!data)
            return std::nullopt;
        entry.offset = data->first;
        entry.size = data->second;
        return entry;
    }
    return std::nullopt;
}

} // namespace

std::vector<std::size_t> preferredEntries(const std::vector<IconEntry> &entries)
{
    if (entries.empty())
        return {};
    const std::size_t small = bestMatch(entries, 16);
    const std::size_t large = bestMatch(entries, 32);
    if (small == large)
        return {small};
    return {small, large};
}

QImage decodeIconImage(const QByteArray &bytes)
{
    if (bytes.startsWith(QByteArray::fromRawData(kPngSignature, 8)))
        return decodePng(bytes);
    return decodeDib(bytes);
}

std::vector<IconEntry> icoEntries(const QByteArray &ico)
{
    const auto *p = reinterpret_cast<const unsigned char *>(ico.constData());
    const std::uint64_t size = std::uint64_t(ico.size());
    if (size < 6 || le16(p) != 0 || le16(p + 2) != 1)
        return {};
    const std::uint64_t count = le16(p + 4);
    if (count == 0 || !fits(6, count * 16, size))
        return {};
    std::vector<IconEntry> entries;
    for (std::uint64_t i = 0; i < count; ++i) {
        const unsigned char *e = p + 6 + i * 16;
        IconEntry entry;
        entry.width = entrySide(e[0]);
        entry.height = entrySide(e[1]);
        entry.bitCount = int(le16(e + 6));
        entry.size = le32(e + 8);
        entry.offset = le32(e + 12);
        entries.push_back(entry);
    }
    return entries;
}

QImage renderIco(const QByteArray &ico)
{
    const std::vector<IconEntry> entries = icoEntries(ico);
    const productlayout::Reader read =
        productlayout::memoryReader(reinterpret_cast<const unsigned char *>(ico.constData()), std::size_t(ico.size()));
    for (std::size_t index : preferredEntries(entries)) {
        const QImage image = decodeIconImage(readBytes(read, std::uint64_t(ico.size()), entries[index].offset,
                                                       entries[index].size));
        if (!image.isNull())
            return image;
    }
    return {};
}

QImage renderPeIcon(const productlayout::Reader &read, std::uint64_t size)
{
    PeFile pe(read, size);
    if (!pe.open())
        return {};
    const auto entries = pe.firstIconGroup();
    if (!entries)
        return {};
    for (std::size_t index : preferredEntries(*entries)) {
        const auto resolved = pe.resolveIcon(std::uint32_t((*entries)[index].offset), (*entries)[index]);
        if (!resolved)
            continue;
        const QImage image = decodeIconImage(readBytes(read, size, resolved->offset, resolved->size));
        if (!image.isNull())
            return image;
    }
    return {};
}

QImage renderProductIcon(const productlayout::Reader &read, std::uint64_t size)
{
    const productlayout::ModuleResult module = productlayout::parseModule(read, size);
    if (module.status != productlayout::Status::Ok || !module.hasIcon)
        return {};
    if (module.iconLength > productlayout::kMaxIconLength || !fits(module.iconOffset, module.iconLength, size))
        return {};
    QByteArray ico(qsizetype(module.iconLength), Qt::Uninitialized);
    if (!read(module.iconOffset, ico.data(), std::size_t(module.iconLength)))
        return {};
    return renderIco(ico);
}

QImage renderFirstIcon(const productlayout::Reader &read, std::uint64_t size)
{
    const QImage pe = renderPeIcon(read, size);
    if (!pe.isNull())
        return pe;
    return renderProductIcon(read, size);
}

} // namespace iconreader
