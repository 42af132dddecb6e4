#pragma once

// The self-extractor's work, apart from its entry point: reading the product's
// configuration and unpacking its 7z archive into the install folder without
// ever writing outside it. Plain C++ on libarchive; no Qt.

#include "productlayout.h"

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

// The program: unpack the product that is running and exec its ExecuteFile.
// Returns only on failure, with the exit code to use.
int runProduct(int argc, char **argv);

} // namespace sfx
