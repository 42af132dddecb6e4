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

// A work folder (where intermediate archives are written) is used only when it
// is a folder of the current user, not a link, and nobody else can write it.
bool isPrivateWorkFolder(const QString &folderPath);

enum class ToolCopy { Present, Copied, Failed };

// Puts the bundled tool `resourcePath` at `toolPath` unless a trusted copy with
// exactly its bytes is already there. Any other file of that name (untrusted,
// stale or damaged) is removed (never followed) and replaced; a new copy gets
// owner read, write and execute permission only.
ToolCopy provideTool(const QString &resourcePath, const QString &toolPath);
