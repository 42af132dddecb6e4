#pragma once

#include "productlayout.h"

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <vector>

// Reads icons out of files without any platform help: the icon groups of a PE
// executable's resources, an ICO file, and the icon block of a product of our
// own self-extractor. Every input is untrusted: offsets, counts and sizes are
// checked against what is really there, and anything malformed gives a null
// image rather than a guess.
namespace iconreader {

// Larger images are refused before any pixel memory is reserved.
inline constexpr int kMaxImageSide = 1024;
inline constexpr std::uint32_t kMaxImageBytes = 16u * 1024u * 1024u;

// One image of an icon group or ICO directory, as its directory entry
// describes it (0 in the entry's width or height byte means 256).
struct IconEntry
{
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::uint64_t offset = 0; // of the image bytes in the file
    std::uint32_t size = 0;
};

// The order in which the entries are tried: the best match for a small
// (16 x 16) icon first, then, if it is a different entry, the best match for
// a large (32 x 32) one. The same choice the system makes when asked for the
// small icon first and the large one after it.
std::vector<std::size_t> preferredEntries(const std::vector<IconEntry> &entries);

// One image (a DIB with its AND mask, or a PNG) as ARGB32 at its own size,
// top row first. Null for anything that is not a well-formed image.
QImage decodeIconImage(const QByteArray &bytes);

// The directory of an ICO file; empty when the header or the entries do not
// fit the data.
std::vector<IconEntry> icoEntries(const QByteArray &ico);
QImage renderIco(const QByteArray &ico);

// The first icon group of a PE executable (32- or 64-bit), its small image first.
QImage renderPeIcon(const productlayout::Reader &read, std::uint64_t size);

// The icon block of a product of our own self-extractor (an ELF module
// followed by the block).
QImage renderProductIcon(const productlayout::Reader &read, std::uint64_t size);

// Either of the two above, whichever the file is.
QImage renderFirstIcon(const productlayout::Reader &read, std::uint64_t size);

} // namespace iconreader
