#pragma once

// Layout of a product made by Crateforge on this platform:
//
//   [self-extractor module: an ELF image]
//   [optional icon block:   magic (8 bytes) | ICO length (uint32, little endian) | ICO bytes]
//   [configuration block:   ";!@Install@!UTF-8!\n" ... ";!@InstallEnd@!\n"]
//   [7z archive]
//
// The module's length is what its own ELF headers account for, so the module
// never has to search itself for markers it also contains as string constants.
// Plain C++ (no Qt): shared by the self-extractor, the resource editor and the
// packager's icon code.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace productlayout {

inline constexpr std::string_view kIconMagic{"CFICON\x01\x00", 8};
inline constexpr std::size_t kIconHeaderSize = 12;
inline constexpr std::uint32_t kMaxIconLength = 64u * 1024u * 1024u;
inline constexpr std::string_view kConfigBegin{";!@Install@!UTF-8!"};
inline constexpr std::string_view kConfigEnd{";!@InstallEnd@!\n"};
inline constexpr std::size_t kMaxConfigLength = 64 * 1024;

// Reads exactly `length` bytes at `offset`; false when they are not all there.
using Reader = std::function<bool(std::uint64_t offset, void *buffer, std::size_t length)>;

Reader memoryReader(const unsigned char *data, std::size_t size);
Reader fileDescriptorReader(int fd);

// The length of the ELF image at the start of the input, from its own headers
// (the furthest end of its program segments, sections and header tables).
// Empty when the input does not start with a well-formed 64- or 32-bit ELF header.
std::optional<std::uint64_t> elfImageLength(const Reader &read, std::uint64_t inputSize);

struct Layout
{
    std::uint64_t moduleLength = 0;
    bool hasIcon = false;
    std::uint64_t iconOffset = 0;   // first byte of the ICO data
    std::uint64_t iconLength = 0;
    std::uint64_t configOffset = 0; // first byte of ";!@Install@!UTF-8!"
    std::uint64_t configLength = 0; // up to and including the end marker's line feed
    std::uint64_t archiveOffset = 0;
};

enum class Status {
    Ok,
    NotAModule,        // no ELF image at the start
    BadIconBlock,      // an icon block whose length runs past the input or is out of range
    NoConfigBlock,     // nothing that starts with the begin marker after the module (and icon)
    UnterminatedConfig // begin marker without the end marker within kMaxConfigLength
};

struct ParseResult
{
    Status status = Status::NotAModule;
    Layout layout;
};

ParseResult parse(const Reader &read, std::uint64_t inputSize);

// Only the module and its optional icon block, no configuration: what the
// resource editor needs to find where the icon block goes.
struct ModuleResult
{
    Status status = Status::NotAModule;
    std::uint64_t moduleLength = 0;
    bool hasIcon = false;
    std::uint64_t iconOffset = 0;
    std::uint64_t iconLength = 0;
    std::uint64_t afterIcon = 0; // first byte after the icon block (== moduleLength without one)
};

ModuleResult parseModule(const Reader &read, std::uint64_t inputSize);

// The icon block's 12-byte header for ICO data of `length` bytes.
std::string iconBlockHeader(std::uint32_t length);

// Keys of a configuration block: lines `Key="Value"` between the markers.
// Lines without '=' are skipped; surrounding double quotes of a value are removed.
std::map<std::string, std::string> parseConfig(std::string_view block);

// Whether a link whose name lies `depth` folders below the install folder
// stays inside it once unpacked. A link is resolved from the folder that holds
// it, so leading ".." components climb from a known depth; a ".." after a name
// climbs from wherever that name leads (a name may itself be a link), so it is
// refused, as is an absolute or empty target.
bool linkStaysInside(std::size_t depth, std::string_view target);

// What the 7z archive's own headers say of it. The start header holds a
// checksum over where the end header lies and how long it is; the end header
// a checksum of its own, which `withEndHeader` checks too.
enum class ArchiveFault {
    None,
    CutShort,            // shorter than a start header, or unreadable
    NotSevenZip,         // no 7z signature
    StartHeaderChecksum, // the start header does not match its checksum
    EndHeaderOutside,    // the end header lies past the archive (or, checked, is empty)
    EndHeaderChecksum    // the end header does not match its checksum
};
ArchiveFault archiveFault(const Reader &read, std::uint64_t offset, std::uint64_t length, bool withEndHeader);

} // namespace productlayout
