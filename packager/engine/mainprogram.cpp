#include "mainprogram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#endif

namespace mainprogram {

namespace {

bool hasExeSuffix(const QString &name)
{
    return name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive);
}

enum class Start { Other, Script, Elf };

#ifndef Q_OS_WIN
Start startOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Start::Other;
    const QByteArray magic = file.read(4);
    if (magic == QByteArray("\x7f" "ELF"))
        return Start::Elf;
    return magic.startsWith("#!") ? Start::Script : Start::Other;
}

// Opened without following a link and checked on the descriptor itself, so
// what is judged is what is read.
bool isProgramFile(const QString &path, const QString &name)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    bool program = false;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (hasExeSuffix(name)) {
            program = true;
        } else if ((st.st_mode & S_IXUSR) != 0) {
            char magic[4] = {};
            const ssize_t n = ::read(fd, magic, sizeof magic);
            program = (n == 4 && std::memcmp(magic, "\x7f" "ELF", 4) == 0)
                || (n >= 2 && magic[0] == '#' && magic[1] == '!');
        }
    }
    ::close(fd);
    return program;
}
#endif

} // namespace

bool isMainProgram(const QString &folderPath, const QString &name)
{
    if (folderPath.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('/'))
        || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
#ifdef Q_OS_WIN
    return hasExeSuffix(name) && QFileInfo(QDir(folderPath).filePath(name)).isFile();
#else
    if (name.startsWith(QLatin1Char('.')) || isSharedLibraryName(name))
        return false;
    return isProgramFile(folderPath + QLatin1Char('/') + name, name);
#endif
}

QStringList mainPrograms(const QString &folderPath, QDir::SortFlags sort)
{
    if (folderPath.isEmpty())
        return {};
#ifdef Q_OS_WIN
    return QDir(folderPath).entryList({QStringLiteral("*.exe")}, QDir::Files, sort);
#else
    QStringList names;
    const QStringList files = QDir(folderPath).entryList(QDir::Files, sort);
    for (const QString &name : files) {
        if (isMainProgram(folderPath, name))
            names << name;
    }
    return names;
#endif
}

bool isSharedLibraryName(const QString &name)
{
    static const QRegularExpression library(QStringLiteral("\\.so(\\.[0-9]+)*$"));
    return library.match(name).hasMatch();
}

QStringList likeliestMainPrograms(const QString &folderPath, const QStringList &names)
{
    const QString folderName = QFileInfo(folderPath).fileName();
    const auto rank = [&](const QString &name) {
        if (name == folderName || QFileInfo(name).baseName() == folderName)
            return 0;
#ifdef Q_OS_WIN
        return 1;
#else
        switch (startOf(folderPath + QLatin1Char('/') + name)) {
        case Start::Script: return 1;
        case Start::Elf: return 2;
        case Start::Other: break;
        }
        return 3;
#endif
    };
    QStringList best;
    int bestRank = 4;
    for (const QString &name : names) {
        const int r = rank(name);
        if (r < bestRank) {
            bestRank = r;
            best.clear();
        }
        if (r == bestRank)
            best.append(name);
    }
    best.sort();
    return best;
}

QString preferredMainProgram(const QString &folderPath, const QStringList &names)
{
    return likeliestMainPrograms(folderPath, names).value(0);
}

QString productFileName(const QString &mainExeName)
{
    const QString baseName = QFileInfo(mainExeName).baseName();
#ifdef Q_OS_WIN
    return baseName + QStringLiteral(".exe");
#else
    return hasExeSuffix(mainExeName) ? baseName + QStringLiteral(".exe") : baseName;
#endif
}

} // namespace mainprogram
