// Packs a generated folder with the real worker and compares, in one run:
//   1. the worker's whole run against the bare archiver with the same arguments;
//   2. the product's start (exec to the main program having run) against
//      unpacking the same archive with "7zr x";
//   3. the peak memory of the worker (its join) and of the self-extractor;
//   4. the product's first start (empty install folder), its second start
//      (nothing to unpack) and its start after one shipped file was rewritten
//      (it restores that file) against the start of a makeself archive of the
//      same folder (gzip, makeself's default), which unpacks on every start;
//   5. the archive's size against one made without the bound on solid blocks.
//
//   crateforge_bench [--size MB | --source DIR [--main NAME]] [--rewrite FILE]
//                    [--level L] [--method M] [--dictionary D]
//                    [--repeat N] [--work DIR] [--keep]
//
// With --source the folder is packed as it is and its main program (--main,
// "app.exe" by default) only has to exit with 0.
//
// Each measured program runs as a child of its own (posix_spawn + wait4), so
// its time and peak resident size are its own and not this process's.

#include "packagingsteps.h"
#include "worker.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

const char *const kDriveMode = "--drive";

struct Measured
{
    double seconds = 0;
    long peakKiB = 0;      // the child's own peak, or its largest waited-for child's
    int exitCode = -1;     // -1 when it did not exit normally
};

double monotonicSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Runs a program to its end with its standard output (and error) in a file
// and the given extra environment entries.
Measured runMeasured(const QStringList &command, const QString &outputFile, const QStringList &extraEnvironment = {})
{
    std::vector<QByteArray> storage;
    for (const QString &part : command)
        storage.push_back(QFile::encodeName(part));
    std::vector<char *> argv;
    for (QByteArray &part : storage)
        argv.push_back(part.data());
    argv.push_back(nullptr);

    std::vector<QByteArray> envStorage;
    for (const QString &entry : extraEnvironment)
        envStorage.push_back(entry.toLocal8Bit());
    for (char **entry = environ; *entry; ++entry) {
        const QByteArray text(*entry);
        const QByteArray key = text.left(text.indexOf('=') + 1);
        const bool replaced = std::any_of(envStorage.begin(), envStorage.end(),
                                          [&key](const QByteArray &own) { return own.startsWith(key); });
        if (!replaced)
            envStorage.push_back(text);
    }
    std::vector<char *> envp;
    for (QByteArray &entry : envStorage)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    const QByteArray outputName = QFile::encodeName(outputFile);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputName.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);

    Measured result;
    const double start = monotonicSeconds();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        return result;
    }
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    result.seconds = monotonicSeconds() - start;
    result.peakKiB = usage.ru_maxrss;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

long ownPeakKiB(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_maxrss;
}

// The child side of the worker measurement: one run, then its own peaks.
int drive(const QStringList &args)
{
    Worker worker;
    bool success = false;
    QTextStream out(stdout);
    QObject::connect(&worker, &Worker::logMessage, [&out](const QString &line) { out << line << Qt::endl; });
    QObject::connect(&worker, &Worker::finished, [&success](bool ok) { success = ok; });
    const long before = ownPeakKiB(RUSAGE_SELF);
    worker.createPortableApp(args[0], args[1], args[2], args[3], QString(), args[4], args[5], args[6]);
    out << "PEAK-BEFORE " << before << "\nPEAK-SELF " << ownPeakKiB(RUSAGE_SELF) << "\nPEAK-CHILDREN "
        << ownPeakKiB(RUSAGE_CHILDREN) << Qt::endl;
    return success ? 0 : 1;
}

// Many small files in nested folders (half text-like, half random) and a few
// large ones, about `megabytes` in all.
qint64 generateFolder(const QString &root, int megabytes)
{
    QRandomGenerator random(20261208);
    static const char *const words[] = {"alpha", "packet", "serial", "frame", "window", "buffer", "thread",
                                        "socket", "archive", "module", "header", "record", "stream", "value"};
    const auto fill = [&random](QByteArray &data, bool textLike) {
        if (textLike) {
            char *p = data.data();
            qsizetype left = data.size();
            while (left > 0) {
                const char *word = words[random.bounded(int(std::size(words)))];
                const qsizetype n = std::min<qsizetype>(left, qsizetype(std::strlen(word)));
                std::memcpy(p, word, size_t(n));
                p += n;
                left -= n;
                if (left > 0) {
                    *p++ = random.bounded(12) == 0 ? '\n' : ' ';
                    --left;
                }
            }
        } else {
            random.fillRange(reinterpret_cast<quint32 *>(data.data()), data.size() / 4);
        }
    };

    const qint64 total = qint64(megabytes) * 1024 * 1024;
    qint64 written = 0;
    int index = 0;
    QByteArray data;
    while (written < total / 2) {
        const QString folder = QStringLiteral("%1/small/%2/%3").arg(root).arg(index / 1000).arg(index / 100 % 10);
        QDir().mkpath(folder);
        data.resize(512 + random.bounded(16 * 1024));
        fill(data, index % 2 == 0);
        QFile file(QStringLiteral("%1/f%2.dat").arg(folder).arg(index));
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
            return -1;
        written += data.size();
        ++index;
    }
    const int largeFiles = 4;
    const qint64 largeSize = (total - written) / largeFiles;
    data.resize(1024 * 1024);
    QDir().mkpath(root + QStringLiteral("/large"));
    for (int i = 0; i < largeFiles; ++i) {
        QFile file(QStringLiteral("%1/large/big%2.bin").arg(root).arg(i));
        if (!file.open(QIODevice::WriteOnly))
            return -1;
        for (qint64 done = 0; done < largeSize; done += data.size()) {
            fill(data, i % 2 == 0);
            if (file.write(data) != data.size())
                return -1;
        }
        written += file.size();
    }
    return written;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

long loggedNumber(const QString &log, const QString &key)
{
    for (const QString &line : log.split(QLatin1Char('\n')))
        if (line.startsWith(key + QLatin1Char(' ')))
            return line.mid(key.size() + 1).toLong();
    return -1;
}

QString mib(long kib)
{
    return QString::number(double(kib) / 1024.0, 'f', 1) + QStringLiteral(" MiB");
}

QString percentAgainst(double value, double reference)
{
    return QString::asprintf("%+.1f %%", reference > 0 ? (value - reference) / reference * 100.0 : 0.0);
}

int bench(const QCommandLineParser &options)
{
    QTextStream out(stdout);
    const int megabytes = options.value(QStringLiteral("size")).toInt();
    const QString level = options.value(QStringLiteral("level"));
    const QString method = options.value(QStringLiteral("method"));
    const QString dictionary = options.value(QStringLiteral("dictionary"));
    const int repeat = std::max(1, options.value(QStringLiteral("repeat")).toInt());
    const QString archiver = QStringLiteral(BENCH_ARCHIVER);

    QTemporaryDir scratch(options.isSet(QStringLiteral("work")) ? options.value(QStringLiteral("work"))
                                                                   + QStringLiteral("/crateforge-bench-XXXXXX")
                                                             : QString());
    if (!scratch.isValid()) {
        std::fprintf(stderr, "cannot create a work folder\n");
        return 1;
    }
    scratch.setAutoRemove(!options.isSet(QStringLiteral("keep")));
    const QString work = scratch.path();
    QString source = work + QStringLiteral("/source");
    const QString temp = work + QStringLiteral("/tmp");   // the products' %%T: private, so used as it is
    QDir().mkpath(source);
    QDir().mkpath(temp);
    QFile::setPermissions(temp, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(work, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    const bool given = options.isSet(QStringLiteral("source"));
    const QString mainProgram = options.value(QStringLiteral("main"));
    qint64 bytes = 0;
    if (given) {
        source = QFileInfo(options.value(QStringLiteral("source"))).absoluteFilePath();
        if (!QFileInfo(source + QLatin1Char('/') + mainProgram).isExecutable()) {
            std::fprintf(stderr, "%s is no program in %s\n", qPrintable(mainProgram), qPrintable(source));
            return 1;
        }
    } else {
        out << "generating about " << megabytes << " MB in " << source << Qt::endl;
        bytes = generateFolder(source, megabytes);
        if (bytes < 0 || !QFile::copy(QStringLiteral(BENCH_TEST_APP), source + QLatin1Char('/') + mainProgram)) {
            std::fprintf(stderr, "cannot generate the folder\n");
            return 1;
        }
    }
    QStringList shipped; // regular files but the main program, relative, sorted
    for (QDirIterator it(source, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QFileInfo file(it.next());
        const QString relative = QDir(source).relativeFilePath(file.filePath());
        if (given && !file.isSymLink())
            bytes += file.size();
        if (!file.isSymLink() && relative != mainProgram)
            shipped << relative;
    }
    std::sort(shipped.begin(), shipped.end());
    const int files = int(shipped.size()) + 1;
    const QString rewritten =
        options.isSet(QStringLiteral("rewrite")) ? options.value(QStringLiteral("rewrite")) : shipped.value(shipped.size() / 2);
    if (!shipped.contains(rewritten)) {
        std::fprintf(stderr, "%s is not a shipped file\n", qPrintable(rewritten));
        return 1;
    }
    out << files << " files, " << QString::number(double(bytes) / 1e6, 'f', 1) << " MB; level " << level
        << ", " << method << ", dictionary " << (dictionary.isEmpty() ? QStringLiteral("(none)") : dictionary)
        << ", " << repeat << " repetition(s)" << Qt::endl;

    const QString outputDir = work + QStringLiteral("/out");
    QDir().mkpath(outputDir);
    const QString archive = work + QStringLiteral("/app.7z");
    const QString product = packaging::outputFilePath(outputDir, mainProgram);
    const QString bareArchive = work + QStringLiteral("/bare.7z");
    const QString self = QCoreApplication::applicationFilePath();
    const QStringList tempEnvironment{QStringLiteral("TMPDIR=") + temp};

    std::vector<double> workerTimes, bareTimes;
    long workerSelf = 0, workerBefore = 0, workerArchiver = 0;
    for (int i = 0; i < repeat; ++i) {
        const Measured run = runMeasured({self, QString::fromLatin1(kDriveMode), source, archive, outputDir,
                                          mainProgram, level, method, dictionary},
                                         work + QStringLiteral("/worker.log"), tempEnvironment);
        const QString log = readAll(work + QStringLiteral("/worker.log"));
        if (run.exitCode != 0) {
            std::fprintf(stderr, "the worker's run failed:\n%s\n", qPrintable(log));
            return 1;
        }
        workerTimes.push_back(run.seconds);
        workerBefore = loggedNumber(log, QStringLiteral("PEAK-BEFORE"));
        workerSelf = std::max(workerSelf, loggedNumber(log, QStringLiteral("PEAK-SELF")));
        workerArchiver = std::max(workerArchiver, loggedNumber(log, QStringLiteral("PEAK-CHILDREN")));

        QFile::remove(bareArchive);
        QStringList bare{archiver};
        bare << packaging::archiverArguments(bareArchive, source, level, method, dictionary);
        const Measured plain = runMeasured(bare, work + QStringLiteral("/bare.log"));
        if (plain.exitCode != 0) {
            std::fprintf(stderr, "the bare archiver failed:\n%s\n", qPrintable(readAll(work + QStringLiteral("/bare.log"))));
            return 1;
        }
        bareTimes.push_back(plain.seconds);
    }
    const qint64 productSize = QFileInfo(product).size();
    const qint64 archiveSize = QFileInfo(archive).size();

    // makeself's archive of the same folder, started like the product.
    const QString makeself = QStandardPaths::findExecutable(QStringLiteral("makeself"));
    const QString makeselfArchive = work + QStringLiteral("/app.run");
    if (!makeself.isEmpty()
        && runMeasured({makeself, QStringLiteral("--nox11"), source, makeselfArchive, QStringLiteral("bench"),
                        QStringLiteral("./") + mainProgram},
                       work + QStringLiteral("/makeself.log"))
                   .exitCode
            != 0) {
        std::fprintf(stderr, "makeself failed:\n%s\n", qPrintable(readAll(work + QStringLiteral("/makeself.log"))));
        return 1;
    }

    const QString installFolder = temp + QStringLiteral("/app");
    const QString extracted = work + QStringLiteral("/x");
    const QString record = work + QStringLiteral("/record.txt");
    // One start of `command`; the generated folder's main program records
    // where it ran from, a given folder's has only to succeed.
    const auto start = [&](const QStringList &command, const QString &from, std::vector<double> &times) {
        QFile::remove(record);
        const Measured run = runMeasured(command, work + QStringLiteral("/start.log"), tempEnvironment);
        const QStringList recorded = readAll(record).split(QLatin1Char('\n'));
        if (run.exitCode != 0 || (!given && !recorded.value(1).startsWith(from + QLatin1Char('/')))) {
            std::fprintf(stderr, "%s did not run its main program from %s:\n%s\n", qPrintable(command.first()),
                         qPrintable(from), qPrintable(readAll(work + QStringLiteral("/start.log"))));
            return Measured();
        }
        times.push_back(run.seconds);
        return run;
    };
    std::vector<double> startTimes, secondTimes, repairTimes, makeselfTimes, unpackTimes;
    long productPeak = 0, unpackPeak = 0;
    for (int i = 0; i < std::max(5, repeat); ++i) {
        QDir(installFolder).removeRecursively();
        const QStringList productCommand =
            given ? QStringList{product} : QStringList{product, QStringLiteral("--record=") + record};
        const Measured first = start(productCommand, installFolder, startTimes);
        if (first.exitCode != 0 || start(productCommand, installFolder, secondTimes).exitCode != 0)
            return 1;
        // As a program that rewrites one of its files does: new bytes, same size.
        const QStringList unpacked = QDir(installFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QFile changed(installFolder + QLatin1Char('/') + unpacked.value(0) + QLatin1Char('/') + rewritten);
        QByteArray bytes = changed.open(QIODevice::ReadOnly) ? changed.readAll() : QByteArray();
        changed.close();
        if (!bytes.isEmpty())
            bytes[0] = char(~bytes[0]);
        if (unpacked.size() != 1 || !changed.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || changed.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot rewrite %s\n", qPrintable(changed.fileName()));
            return 1;
        }
        changed.close();
        if (start(productCommand, installFolder, repairTimes).exitCode != 0)
            return 1;
        productPeak = std::max(productPeak, first.peakKiB);
        if (!makeself.isEmpty()
            && start({makeselfArchive, QStringLiteral("--quiet"), QStringLiteral("--"), QStringLiteral("--record=") + record},
                     temp, makeselfTimes)
                       .exitCode
                != 0)
            return 1;

        QDir(extracted).removeRecursively();
        const Measured unpack = runMeasured({archiver, QStringLiteral("x"), archive, QStringLiteral("-o") + extracted,
                                             QStringLiteral("-y")},
                                            work + QStringLiteral("/unpack.log"));
        if (unpack.exitCode != 0) {
            std::fprintf(stderr, "7zr x failed\n");
            return 1;
        }
        unpackTimes.push_back(unpack.seconds);
        unpackPeak = std::max(unpackPeak, unpack.peakKiB);
    }

    const double workerTime = median(workerTimes);
    const double bareTime = median(bareTimes);
    const double startTime = median(startTimes);
    const double unpackTime = median(unpackTimes);
    const double secondTime = median(secondTimes);
    const double repairTime = median(repairTimes);

    // The same archive without the bound on solid blocks, for its size.
    QFile::remove(bareArchive);
    QStringList unbounded{archiver};
    unbounded << packaging::archiverArguments(bareArchive, source, level, method, dictionary);
    unbounded.removeIf([](const QString &argument) { return argument.startsWith(QLatin1String("-ms=")); });
    if (runMeasured(unbounded, work + QStringLiteral("/bare.log")).exitCode != 0) {
        std::fprintf(stderr, "the bare archiver failed:\n%s\n", qPrintable(readAll(work + QStringLiteral("/bare.log"))));
        return 1;
    }
    const qint64 unboundedSize = QFileInfo(bareArchive).size();
    out << Qt::endl
        << "archive " << QString::number(double(archiveSize) / 1e6, 'f', 1) << " MB, product "
        << QString::number(double(productSize) / 1e6, 'f', 1) << " MB" << Qt::endl
        << "1. packing    worker " << QString::number(workerTime, 'f', 2) << " s   bare archiver "
        << QString::number(bareTime, 'f', 2) << " s   " << percentAgainst(workerTime, bareTime) << Qt::endl
        << "2. unpacking  product start " << QString::number(startTime, 'f', 2) << " s   7zr x "
        << QString::number(unpackTime, 'f', 2) << " s   " << percentAgainst(startTime, unpackTime) << Qt::endl
        << "3. peak memory  worker " << mib(workerSelf) << " (" << mib(workerBefore) << " before the run), archiver "
        << mib(workerArchiver) << ", self-extractor " << mib(productPeak) << ", 7zr x " << mib(unpackPeak)
        << Qt::endl
        << "4. starting   first start " << QString::number(startTime, 'f', 3) << " s   second start "
        << QString::number(secondTime, 'f', 3) << " s (" << QString::number(secondTime / startTime, 'f', 3)
        << " x first)   after " << rewritten << " was rewritten " << QString::number(repairTime, 'f', 3) << " s ("
        << QString::number(repairTime / startTime, 'f', 3) << " x first)   makeself (gzip) "
        << (makeself.isEmpty() ? QStringLiteral("not installed")
                               : QString::number(median(makeselfTimes), 'f', 3) + QStringLiteral(" s"))
        << Qt::endl
        << "5. size       archive " << archiveSize << " bytes, without the bound on solid blocks " << unboundedSize
        << " bytes (" << percentAgainst(double(archiveSize), double(unboundedSize)) << ")" << Qt::endl;
    if (options.isSet(QStringLiteral("keep")))
        out << "kept " << work << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 9 && args.at(1) == QLatin1String(kDriveMode))
        return drive(args.mid(2));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Packs a folder and compares with the bare archiver."));
    options.addHelpOption();
    options.addOptions({
        {QStringLiteral("size"), QStringLiteral("Size of the generated folder in MB."), QStringLiteral("MB"), QStringLiteral("200")},
        {QStringLiteral("source"), QStringLiteral("Pack this folder instead of a generated one."), QStringLiteral("DIR")},
        {QStringLiteral("main"), QStringLiteral("The main program, relative to the folder."), QStringLiteral("NAME"),
         QStringLiteral("app.exe")},
        {QStringLiteral("rewrite"), QStringLiteral("The shipped file rewritten before the third start (default: the middle one)."),
         QStringLiteral("FILE")},
        {QStringLiteral("level"), QStringLiteral("Compression level."), QStringLiteral("L"), QStringLiteral("5")},
        {QStringLiteral("method"), QStringLiteral("Compression method."), QStringLiteral("M"), QStringLiteral("LZMA")},
        {QStringLiteral("dictionary"), QStringLiteral("Dictionary size."), QStringLiteral("D"), QStringLiteral("16M")},
        {QStringLiteral("repeat"), QStringLiteral("Packing runs of each kind."), QStringLiteral("N"), QStringLiteral("1")},
        {QStringLiteral("work"), QStringLiteral("Folder for the work files."), QStringLiteral("DIR")},
        {QStringLiteral("keep"), QStringLiteral("Keep the work files.")},
    });
    options.process(app);
    return bench(options);
}
