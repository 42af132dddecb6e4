#pragma once

#include <QString>

// Where the bundled tools (archiver, self-extractor module, resource editor)
// are copied out and kept between runs. On a system whose temporary folder is
// shared by all users this is a folder private to the user (mode 0700, owned
// by the user, not a link); where the temporary folder is already private it
// is the temporary folder itself. Empty when no safe folder can be had.
QString toolFolderPath();

// A tool already present in the tool folder is used only when this holds: a
// regular file (not a link) owned by the current user that nobody else can write.
bool isTrustedTool(const QString &filePath);
