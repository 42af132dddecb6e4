#pragma once

// Building and running real products of the self-extractor: the real module
// (or the checked program, the same code under the sanitizers when the build
// has them), a configuration block and an archive made by the real archiver.
// Also the before/after picture of a folder tree that proves a run wrote
// nothing where it should not.

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

namespace sfxproducts {

struct Module
{
    const char *name;
    const char *path;
};

// The statically linked module that goes into every product, and the checked
// program built from the same sources.
inline QList<Module> modules()
{
    return {{"module", SFX_MODULE}, {"checked", SFX_CHECKED}};
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes, QFile::Permissions permissions = {})
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return permissions == QFile::Permissions() || QFile::setPermissions(path, permissions);
}

using Keys = QList<QPair<QString, QString>>;

inline Keys defaultKeys(const QString &executeFile = QStringLiteral("run.sh"))
{
    return {{QStringLiteral("Title"), QStringLiteral("app Portable")},
            {QStringLiteral("Progress"), QStringLiteral("no")},
            {QStringLiteral("ExecuteFile"), executeFile},
            {QStringLiteral("InstallPath"), QStringLiteral("%%T\\app")},
            {QStringLiteral("GUIMode"), QStringLiteral("2")},
            {QStringLiteral("Overwrite"), QStringLiteral("1")}};
}

inline Keys withKey(Keys keys, const QString &key, const QString &value)
{
    for (auto &pair : keys) {
        if (pair.first == key) {
            pair.second = value;
            return keys;
        }
    }
    keys.append({key, value});
    return keys;
}

inline Keys withoutKey(Keys keys, const QString &key)
{
    keys.removeIf([&key](const QPair<QString, QString> &pair) { return pair.first == key; });
    return keys;
}

inline QByteArray configBlock(const Keys &keys)
{
    QString text = QStringLiteral(";!@Install@!UTF-8!\n");
    for (const auto &[key, value] : keys)
        text += key + QStringLiteral("=\"") + value + QStringLiteral("\"\n");
    return (text + QStringLiteral(";!@InstallEnd@!\n")).toUtf8();
}

// Runs the real archiver in `folder` on `names` (folders recurse); empty on failure.
inline QByteArray makeArchive(const QString &folder, const QStringList &names, const QStringList &switches = {},
                              const QString &appendTo = {})
{
    const QString archive = appendTo.isEmpty() ? folder + QStringLiteral("/../archive.7z") : appendTo;
    if (appendTo.isEmpty())
        QFile::remove(archive);
    QProcess archiver;
    archiver.setWorkingDirectory(folder);
    archiver.start(QStringLiteral(SFX_ARCHIVER),
                   QStringList{QStringLiteral("a"), QStringLiteral("-t7z"), archive, QStringLiteral("-snl")} + switches
                       + QStringList{QStringLiteral("--")} + names);
    if (!archiver.waitForFinished(30000) || archiver.exitStatus() != QProcess::NormalExit || archiver.exitCode() != 0)
        return {};
    return readFile(archive);
}

struct Outcome
{
    bool started = false;
    bool finished = false;   // ended by itself, without a signal
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Starts the product with its own temporary folder, in that folder unless
// another is given; `modifier` runs in the child before exec.
inline QProcess *startProduct(const QString &product, const QString &tmp, const QStringList &arguments = {},
                              const std::function<void()> &modifier = {}, const QString &workingDirectory = {})
{
    auto *process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), tmp);
    process->setProcessEnvironment(env);
    if (modifier)
        process->setChildProcessModifier(modifier);
    process->setWorkingDirectory(workingDirectory.isEmpty() ? tmp : workingDirectory); // where the program runs
    process->start(product, arguments);
    return process;
}

inline Outcome finish(QProcess *process)
{
    Outcome outcome;
    outcome.started = process->waitForStarted(10000);
    if (outcome.started) {
        outcome.finished = process->waitForFinished(20000) && process->exitStatus() == QProcess::NormalExit;
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
        outcome.exitCode = process->exitCode();
    }
    outcome.out = process->readAllStandardOutput();
    outcome.err = process->readAllStandardError();
    delete process;
    return outcome;
}

inline Outcome runProduct(const QString &product, const QString &tmp, const QStringList &arguments = {},
                          const std::function<void()> &modifier = {}, const QString &workingDirectory = {})
{
    return finish(startProduct(product, tmp, arguments, modifier, workingDirectory));
}

// The folder a product unpacked into: the one folder inside its install
// folder named by a product identity; empty when there is not exactly one.
inline QString productFolder(const QString &install)
{
    const QStringList names = QDir(install).entryList(QDir::Dirs | QDir::NoDotAndDotDot).filter(
        QRegularExpression(QStringLiteral("^[0-9a-f]{16}$")));
    return names.size() == 1 ? install + QLatin1Char('/') + names.first() : QString();
}

// The target of a link as stored, not resolved; empty for anything else.
inline QString rawLinkTarget(const QString &path)
{
    char target[4096];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), target, sizeof target);
    return n > 0 ? QFile::decodeName(QByteArray(target, int(n))) : QString();
}

inline mode_t modeOf(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

// Every entry below `root` but those below `excluded`, with what it is: the
// type, the mode and the bytes of a file, the target of a link. Links are not
// followed.
inline QMap<QString, QByteArray> snapshot(const QString &root, const QString &excluded = {})
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!excluded.isEmpty() && (path == excluded || path.startsWith(excluded + QLatin1Char('/'))))
            continue;
        struct stat st;
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
            continue;
        QByteArray what = QByteArray::number(st.st_mode, 8) + ' ' + QByteArray::number(st.st_uid) + ' ';
        if (S_ISLNK(st.st_mode))
            what += rawLinkTarget(path).toUtf8();
        else if (S_ISREG(st.st_mode))
            what += QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha256).toHex();
        entries.insert(QDir(root).relativeFilePath(path), what);
    }
    return entries;
}

// Names of the unpacker's temporary files left anywhere below `root`.
inline QStringList leftoverTemporaries(const QString &root)
{
    QStringList found;
    QDirIterator it(root, {QStringLiteral(".crateforge-unpack-*")}, QDir::AllEntries | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

} // namespace sfxproducts
