#pragma once

// What the install folder holds between starts of products. Every product
// unpacks into a folder of its own inside the install folder, named after its
// identity (a digest of its configuration block and of its archive's size
// and checksummed headers), so products of the same name never mix their
// files. The last step of a complete unpacking writes a record beside that
// folder naming the archive and every file unpacked with its size, inode and
// status-change time; a later start whose record still matches the folder
// runs the program without unpacking again. All of it runs under the install
// folder's lock. Plain C++; no Qt.

#include "productlayout.h"

#include <cstdint>
#include <set>
#include <string>

namespace sfx {

struct ProductIdentity
{
    std::string id;               // 16 lowercase hex digits: the product's folder name
    std::uint64_t archiveLength = 0;
};

ProductIdentity productIdentity(const productlayout::Reader &read, const productlayout::Layout &layout,
                                std::uint64_t productSize);

// Names inside the install folder.
std::string recordName(const std::string &id);
inline constexpr const char *kStagingPrefix = ".crateforge-unpack-"; // folders being unpacked
inline constexpr const char *kRetiredPrefix = ".crateforge-old-";    // replaced folders still in use

// What the record of `identity` says of the product's folder now: whether
// a complete record and the folder are there, every file it names, and those
// whose type, size, inode or ctime differ from the record (`missing`: those
// that are gone).
struct RecordCheck
{
    bool present = false;
    std::set<std::string> files;
    std::set<std::string> changed;  // missing ones included
    std::set<std::string> missing;
};
RecordCheck checkRecord(int installFd, const ProductIdentity &identity);

// Whether the record is there and nothing it names has changed.
bool recordMatches(int installFd, const ProductIdentity &identity);

// Writes the record of the files below the product's folder, under a
// temporary name renamed into place. False when it could not be written (the
// next start then unpacks again).
bool writeRecord(int installFd, const ProductIdentity &identity, const std::set<std::string> &files);

// Removes `name` inside `parentFd` and everything below it, without
// following links. Read-only folders are opened up on the way.
void removeTree(int parentFd, const std::string &name);

// Removes what no copy needs any more: folders left by unpackings cut short,
// and the folders (with their records) of other products and of replaced
// versions that no running copy holds (see holdFolder).
void removeUnused(int installFd, const std::string &keepId);

// Whether a folder is in use: a running copy holds a shared lock on it for as
// long as its program runs (the descriptor is handed on through exec).
bool folderInUse(int folderFd);

} // namespace sfx
