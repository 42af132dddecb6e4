#pragma once

// Reading a product from outside, without running it: what the maker's own
// list, check, extract and info commands use. The same layout reading and the
// same extraction rules as a starting product, so what the check accepts, a
// product unpacks. Plain C++; no Qt.

#include "extractor.h"
#include "installrecord.h"

#include <map>
#include <string>
#include <vector>

namespace sfx {

// The one-line description of a layout that cannot be read, as a starting
// product names it.
std::string layoutFault(productlayout::Status status);

struct ProductFile
{
    bool ok = false;
    std::string error;  // one line
    std::uint64_t size = 0;
    productlayout::Layout layout;
    std::map<std::string, std::string> keys;
    ProductIdentity identity;
};

// Reads the layout and the configuration block of the product open as `fd`,
// and refuses one whose ExecuteFile is not a path inside its folder. The
// descriptor stays the caller's and must stay open while the result is used.
ProductFile readProductFile(int fd);

// Every entry of the archive in order, after checking every file's data (dry run).
Extraction inventory(int fd, const ProductFile &product, std::vector<StoredEntry> &entries);

// Unpacks the product into the folder open as `folderFd`, under the rules a
// starting product follows.
Extraction extractInto(int fd, const ProductFile &product, int folderFd);

} // namespace sfx
