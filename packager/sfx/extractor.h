#pragma once

// The self-extractor's work, apart from its entry point: reading the product's
// configuration and unpacking its 7z archive into the install folder without
// ever writing outside it. Plain C++ on libarchive; no Qt.

#include "productlayout.h"

#include <csignal>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace sfx {

struct Extraction
{
    bool ok = false;
    std::string error;               // one line, without the Title
    std::set<std::string> files;     // regular files and links unpacked, relative, '/'-separated
    int stoppedBy = 0;               // the signal that stopped it, 0 when none did
};

// One entry of the archive as it is stored, once its path has passed the checks.
struct StoredEntry
{
    std::string path;                // relative, '/'-separated
    char type = '-';                 // '-' file, 'd' folder, 'l' link
    std::uint64_t size = 0;          // bytes of a file's data
    unsigned mode = 0;               // permission bits
    std::string linkTarget;
};

struct ExtractOptions
{
    bool overwrite = true;
    bool dryRun = false;             // read and check everything, write nothing
    std::vector<StoredEntry> *inventory = nullptr; // every entry, in archive order
    // When set, only these files and links are unpacked (and the folders they
    // need); the reading ends once they are all written.
    const std::set<std::string> *only = nullptr;
    // With `only`: decode the entries passed over instead of skipping them.
    // The reader skips whole solid blocks without decoding them, but it can
    // fail to skip part of a block it has not begun to decode (it then
    // reports the archive cut short); decoding through is the slow, sure way.
    bool decodeSkipped = false;
    // When it turns non-zero (a signal handler sets it), the unpacking stops
    // at the next entry or chunk, removing the file it was writing.
    const volatile std::sig_atomic_t *stop = nullptr;
};

// Unpacks the archive stored at [offset, offset + length) of the input into the
// folder open as `installFd` (ignored in a dry run). Entries with absolute
// paths or ".." components, links pointing outside the folder, and paths that
// go through a link are refused; each file is written under a temporary name
// and renamed into place, so nobody ever sees a half-written file.
Extraction extractArchive(const productlayout::Reader &read, std::uint64_t offset, std::uint64_t length,
                          int installFd, const ExtractOptions &options);

// A relative '/'-separated path with no empty, "." or ".." component, or empty
// when the given path is absolute, climbs out, or names nothing. Backslashes
// are taken as separators when `backslashSeparates` is set.
std::string safeRelativePath(const std::string &path, bool backslashSeparates);

// Checks the whole product in memory: layout, configuration and archive (dry
// run). What the fuzzer drives.
Extraction checkProduct(const unsigned char *data, std::size_t size);

// Exit codes of a product's own failures, apart from any its program uses
// commonly; a signal that stops the unpacking gives 128 + its number.
inline constexpr int kCannotUnpack = 125;
inline constexpr int kCannotStart = 126;
inline constexpr int kProgramMissing = 127;

// The program: unpack the product that is running and exec its ExecuteFile.
// Returns only on failure, with the exit code to use.
int runProduct(int argc, char **argv);

} // namespace sfx
