#pragma once

#include <QString>

// Reads a finished product back the way the self-extractor will: its layout
// (module, optional icon block, configuration block) with the self-extractor's
// own layout code, then the 7z archive's signature, start header checksum and
// end header checksum. Nothing is unpacked.
namespace productcheck {

// Empty when the product at `path` holds together; otherwise what is wrong, in
// a few words.
QString productFault(const QString &path);

} // namespace productcheck
