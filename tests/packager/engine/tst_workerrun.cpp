#include "packagingsteps.h"
#include "toolfolder.h"
#include "worker.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Run
{
    QStringList log;
    QList<int> progress;
    QList<bool> finished;
    QString failure; // a failed run's closing line, taken off `log`
};

struct Request
{
    QString folder, archive, output, mainExe, icon;
    QString level = QStringLiteral("1"), method = QStringLiteral("LZMA2"), dictionary = QStringLiteral("1M");
};

// The icon phase's pauses are cut; the time limits stay as designed unless given.
Run runWorker(const Request &r, Worker::Timing timing = {}, const Worker::ToolSources &tools = {})
{
    Worker worker;
    timing.iconCachePauseMs = 0;
    timing.afterIconPauseMs = 0;
    worker.setTiming(timing);
    worker.setToolSources(tools);
    Run run;
    QObject::connect(&worker, &Worker::logMessage, [&run](const QString &line) { run.log << line; });
    QObject::connect(&worker, &Worker::progressChanged, [&run](int value) { run.progress << value; });
    QObject::connect(&worker, &Worker::finished, [&run](bool ok) { run.finished << ok; });
    worker.createPortableApp(r.folder, r.archive, r.output, r.mainExe, r.icon, r.level, r.method, r.dictionary);
    if (!run.log.isEmpty() && run.log.last().startsWith(QStringLiteral("错误：制作失败：")))
        run.failure = run.log.takeLast();
    return run;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data, mode_t mode = 0644)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(data), data.size());
    file.close();
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

mode_t permissions(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// Every file below `folder`, relative, with its bytes and mode.
QMap<QString, QPair<QByteArray, mode_t>> snapshot(const QString &folder)
{
    QMap<QString, QPair<QByteArray, mode_t>> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), {readAll(path), permissions(path)});
    }
    return files;
}

} // namespace

class WorkerRunTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void packsAndRuns();
    void largeFileFastCompression();
    void mainProgramNames_data();
    void mainProgramNames();
    void refusedBeforeAnythingIsWritten_data();
    void refusedBeforeAnythingIsWritten();
    void storeKeepsInsideLinks_data();
    void storeKeepsInsideLinks();
    void eachRunStartsAFreshArchive();
    void iconPhase_data();
    void iconPhase();
    void inputFailures_data();
    void inputFailures();
    void outputFolderFailures_data();
    void outputFolderFailures();
    void fullDiskDuringJoin();
    void archiverFaults_data();
    void archiverFaults();
    void plantedArchiverNeverRuns();
    void outsideLinksPackedAsCopies();
    void staleToolReplaced();
    void productReadBack_data();
    void productReadBack();
    void unsafeWorkFolderIsRefused();

private:
    QString path(const QString &relative) const { return m_root->filePath(relative); }
    QString makeSource(const QString &relative);
    Request request(const QString &source, const QString &mainExe = QStringLiteral("app.exe"));
    void installFakeArchiver(const QByteArray &script, mode_t mode = 0700);
    void verifyLogShape(const Run &run, const Request &r, const QStringList &iconLines);
    void verifyProduct(const Request &r, const QString &mainExe);
    void verifyRunsFrom(const QString &product, const QString &sourceFolder, const QString &installName,
                        const QString &record = {});

    QTemporaryDir *m_root = nullptr;
    QByteArray m_savedTmp;
    QString m_mount;
};

void WorkerRunTest::init()
{
    m_root = new QTemporaryDir;
    QVERIFY(m_root->isValid());
    m_savedTmp = qgetenv("TMPDIR");
    // A tool folder of its own for every test: fakes never reach the next one.
    QDir().mkpath(path(QStringLiteral("tmp")));
    ::chmod(QFile::encodeName(path(QStringLiteral("tmp"))).constData(), 0700);
    qputenv("TMPDIR", QFile::encodeName(path(QStringLiteral("tmp"))));
    QDir().mkpath(path(QStringLiteral("work")));
    QDir().mkpath(path(QStringLiteral("out")));
}

void WorkerRunTest::cleanup()
{
    if (!m_mount.isEmpty()) {
        QProcess::execute(QStringLiteral("umount"), {m_mount});
        m_mount.clear();
    }
    qputenv("TMPDIR", m_savedTmp);
    delete m_root;
    m_root = nullptr;
}

QString WorkerRunTest::makeSource(const QString &relative)
{
    const QString folder = path(relative);
    QDir().mkpath(folder);
    QFile::copy(QStringLiteral(TEST_APP_PATH), folder + QStringLiteral("/app.exe"));
    return folder;
}

Request WorkerRunTest::request(const QString &source, const QString &mainExe)
{
    Request r;
    r.folder = source;
    r.archive = path(QStringLiteral("work/temp.7z"));
    r.output = path(QStringLiteral("out"));
    r.mainExe = mainExe;
    return r;
}

void WorkerRunTest::installFakeArchiver(const QByteArray &script, mode_t mode)
{
    writeFile(toolFolderPath() + QStringLiteral("/7zr.exe"), "#!/bin/sh\n" + script + "\n", mode);
}

void WorkerRunTest::verifyLogShape(const Run &run, const Request &r, const QStringList &iconLines)
{
    const QString mainPath = r.folder + QLatin1Char('/') + r.mainExe;
    const QString archiver = toolFolderPath() + QStringLiteral("/7zr.exe");
    QStringList head{QStringLiteral("开始创建便携应用..."),
                     QStringLiteral("源文件夹: ") + r.folder,
                     QStringLiteral("主程序: ") + r.mainExe,
                     QStringLiteral("输出目录: ") + r.output,
                     QStringLiteral("压缩级别: ") + r.level,
                     QStringLiteral("压缩方法: ") + r.method,
                     QStringLiteral("字典大小: ") + r.dictionary,
                     QStringLiteral("源文件夹中的所有EXE文件:")};
    const QStringList exes = QDir(r.folder).entryList({QStringLiteral("*.exe")}, QDir::Files);
    QStringList listed = run.log.mid(head.size(), exes.size());
    listed.sort();
    for (const QString &exe : exes)
        head << QStringLiteral("  ") + exe;
    QCOMPARE(QStringList(head.mid(0, 8)) + listed, head);
    head << QStringLiteral("用户选择的主程序: ") + r.mainExe << QStringLiteral("主程序路径验证成功: ") + mainPath
         << QStringLiteral("7zr.exe已复制到临时目录")
         << QStringLiteral("执行命令: %1 %2")
                .arg(archiver, packaging::archiverArguments(r.archive, r.folder, r.level, r.method, r.dictionary)
                                   .join(QLatin1Char(' ')))
         << QStringLiteral("7z进程已启动，开始压缩...");
    QCOMPARE(run.log.mid(exes.size() + 8, head.size() - exes.size() - 8), head.mid(exes.size() + 8));

    const qint64 archiveSize = QFileInfo(r.archive).size();
    const QString output = packaging::outputFilePath(r.output, r.mainExe);
    const qsizetype created = run.log.indexOf(QStringLiteral("压缩包创建成功"));
    QVERIFY2(created > head.size(), "the archiver's output comes as one line per chunk");
    QStringList tail{QStringLiteral("压缩包创建成功"),
                     QStringLiteral("压缩包大小: %1 字节").arg(archiveSize),
                     QStringLiteral("SFX模块写入成功"),
                     QStringLiteral("配置写入成功，大小: %1 字节").arg(packaging::configurationBlock(r.mainExe).size()),
                     QStringLiteral("准备写入压缩包数据，大小: %1 字节").arg(archiveSize),
                     QStringLiteral("压缩包数据写入完成，共写入: %1 字节").arg(archiveSize),
                     QStringLiteral("开始处理图标...")};
    tail << iconLines
         << QStringLiteral("成功创建便携应用！最终文件大小: %1 字节").arg(QFileInfo(output).size())
         << QStringLiteral("输出文件: ") + output;
    QCOMPARE(run.log.mid(created), tail);
    QCOMPARE(run.finished, QList<bool>{true});

    // Progress: the archiver's own figures, then the join's, then 100.
    const int chunks = int((archiveSize + 1048575) / 1048576);
    QVERIFY(run.progress.size() >= chunks + 1);
    const QList<int> join = run.progress.mid(run.progress.size() - chunks - 1, chunks);
    for (int i = 0; i < join.size(); ++i) {
        QVERIFY(join[i] >= 50 && join[i] <= 100);
        if (i > 0)
            QVERIFY(join[i] > join[i - 1]);
    }
    QCOMPARE(join.last(), 100);
    QCOMPARE(run.progress.last(), 100);
    for (int value : run.progress.mid(0, run.progress.size() - chunks - 1))
        QVERIFY(value >= 0 && value <= 100);
}

void WorkerRunTest::verifyProduct(const Request &r, const QString &mainExe)
{
    const QString output = packaging::outputFilePath(r.output, mainExe);
    const QByteArray product = readAll(output);
    const QByteArray module = readAll(toolFolderPath() + QStringLiteral("/7zSD.sfx"));
    const QByteArray block = packaging::configurationBlock(mainExe);
    const QByteArray archive = readAll(r.archive);
    QCOMPARE(module, readAll(QStringLiteral(SFX_MODULE_PATH)));
    QVERIFY(!archive.isEmpty());
    QCOMPARE(product.size(), module.size() + block.size() + archive.size());
    QVERIFY(product.startsWith(module));
    QCOMPARE(product.mid(module.size(), block.size()), block);
    QVERIFY(product.endsWith(archive));
    QCOMPARE(permissions(output), mode_t(0755));
}

void WorkerRunTest::verifyRunsFrom(const QString &product, const QString &sourceFolder, const QString &installName,
                                   const QString &record)
{
    const QString runTmp = path(QStringLiteral("run-") + installName);
    QDir().mkpath(runTmp);
    ::chmod(QFile::encodeName(runTmp).constData(), 0700);
    const QString recordFile = record.isEmpty() ? path(QStringLiteral("record.txt")) : record;
    QFile::remove(recordFile);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), runTmp);
    env.insert(QStringLiteral("TEST_APP_RECORD"), recordFile);
    env.insert(QStringLiteral("TEST_APP_EXIT"), QStringLiteral("42"));
    process.setProcessEnvironment(env);
    const QString caller = path(QStringLiteral("caller"));
    QDir().mkpath(caller);
    process.setWorkingDirectory(caller);
    process.start(product, {QStringLiteral("one"), QStringLiteral("two words"), QStringLiteral("中文 参数"), QString()});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(QString::fromLocal8Bit(process.readAllStandardError()), QString());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 42);

    // The program runs in the caller's folder from a folder of its product
    // inside the install folder, and knows the product.
    QStringList lines = QString::fromUtf8(readAll(recordFile)).split(QLatin1Char('\n'));
    const QString installPath = runTmp + QLatin1Char('/') + installName;
    const QStringList folders = QDir(installPath).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(folders.size(), 1);
    const QString install = installPath + QLatin1Char('/') + folders.first();
    QVERIFY2(lines.value(1) == install || lines.value(1).startsWith(install + QLatin1Char('/')), qPrintable(lines.value(1)));
    lines[1] = install;
    QCOMPARE(lines, (QStringList{caller, install, QFileInfo(product).absoluteFilePath(), QStringLiteral("one"), QStringLiteral("two words"),
                                 QStringLiteral("中文 参数"), QString(), QString()}));
    const auto expected = snapshot(sourceFolder);
    const auto unpacked = snapshot(install);
    QCOMPARE(unpacked.keys(), expected.keys());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        QVERIFY2(unpacked[it.key()].first == it.value().first, qPrintable(it.key()));
        QCOMPARE(unpacked[it.key()].second, it.value().second);
    }
}

void WorkerRunTest::packsAndRuns()
{
    const QString source = makeSource(QStringLiteral("源 文件夹"));
    writeFile(source + QStringLiteral("/readme.txt"), "hello\n");
    writeFile(source + QStringLiteral("/empty.dat"), QByteArray());
    writeFile(source + QStringLiteral("/sub/deeper/数据 文件.txt"), "深处的数据\n", 0600);
    writeFile(source + QStringLiteral("/sub/tool.sh"), "#!/bin/sh\nexit 0\n", 0750);
    writeFile(source + QStringLiteral("/.hidden"), "dot file", 0640);
    writeFile(source + QStringLiteral("/helper.exe"), "not the main program", 0755);
    QDir().mkpath(source + QStringLiteral("/empty folder"));

    const Request r = request(source);
    const Run run = runWorker(r);
    verifyLogShape(run, r,
                   {QStringLiteral("尝试从主程序提取图标..."), QStringLiteral("主程序没有图标，制作出的程序将不带图标")});
    verifyProduct(r, QStringLiteral("app.exe"));
    verifyRunsFrom(path(QStringLiteral("out/app.exe")), source, QStringLiteral("app"));
    const QStringList unpacked = QDir(path(QStringLiteral("run-app/app"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(unpacked.size(), 1);
    QVERIFY(QFileInfo(path(QStringLiteral("run-app/app/")) + unpacked.first() + QStringLiteral("/empty folder")).isDir());
    QVERIFY(QFile::exists(r.archive)); // kept for the window's work folder
}

void WorkerRunTest::largeFileFastCompression()
{
    const QString source = makeSource(QStringLiteral("large"));
    QByteArray big(50 * 1024 * 1024, Qt::Uninitialized);
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = char((i * 7919) >> 9);
    writeFile(source + QStringLiteral("/big.bin"), big);
    Request r = request(source);
    r.level = QStringLiteral("0");
    r.dictionary.clear();
    const Run run = runWorker(r);
    QCOMPARE(run.finished, QList<bool>{true});
    QVERIFY(run.log.contains(QStringLiteral("字典大小: ")));
    QVERIFY(!run.log.filter(QStringLiteral("执行命令: ")).first().contains(QStringLiteral("-md=")));
    QVERIFY(QFileInfo(r.archive).size() > 0);
    verifyLogShape(run, r, run.log.mid(run.log.indexOf(QStringLiteral("开始处理图标...")) + 1, 2));
    verifyProduct(r, QStringLiteral("app.exe"));
    verifyRunsFrom(path(QStringLiteral("out/app.exe")), source, QStringLiteral("app"));
}

void WorkerRunTest::mainProgramNames_data()
{
    QTest::addColumn<QString>("mainExe");
    QTest::addColumn<QString>("productName");
    QTest::addColumn<QString>("installName");
    QTest::newRow("dots in the name") << "my.tool.exe" << "my.exe" << "my";
    QTest::newRow("in a subfolder") << "bin/app.exe" << "app.exe" << "app";
    QTest::newRow("Chinese name with a space") << "工具 箱.exe" << "工具 箱.exe" << "工具 箱";
    QTest::newRow("a program without .exe") << "socat" << "socat" << "socat";
    QTest::newRow("a program named like a script") << "run.sh" << "run" << "run";
}

void WorkerRunTest::mainProgramNames()
{
    QFETCH(QString, mainExe);
    QFETCH(QString, productName);
    QFETCH(QString, installName);
    const QString source = path(QStringLiteral("names"));
    QDir().mkpath(QFileInfo(source + QLatin1Char('/') + mainExe).absolutePath());
    QVERIFY(QFile::copy(QStringLiteral(TEST_APP_PATH), source + QLatin1Char('/') + mainExe));
    writeFile(source + QStringLiteral("/data.txt"), "data");
    const Request r = request(source, mainExe);
    const Run run = runWorker(r);
    QCOMPARE(run.finished, QList<bool>{true});
    QCOMPARE(run.log.last(), QStringLiteral("输出文件: ") + path(QStringLiteral("out/")) + productName);
    verifyProduct(r, mainExe);
    verifyRunsFrom(path(QStringLiteral("out/")) + productName, source, installName);
}

void WorkerRunTest::refusedBeforeAnythingIsWritten_data()
{
    QTest::addColumn<QString>("mainExe");
    QTest::addColumn<QString>("output"); // relative to the test's root
    QTest::addColumn<QString>("link");   // "name=target" made in the source folder, or empty
    QTest::addColumn<QString>("error");  // %SRC% and %OUT% stand for the two folders

    const QString replaces = QStringLiteral("错误：输出文件会覆盖源文件夹中的文件: %SRC%/");
    const QString inside = QStringLiteral("错误：输出目录不能是源文件夹或其中的文件夹: %OUT%");
    const QString encloses = QStringLiteral("错误：链接指向源文件夹本身或其上级文件夹，无法打包: ");
    QTest::newRow("output = source, the main program's name") << "app.exe" << "src" << "" << replaces + "app.exe";
    QTest::newRow("output = source, another file's name") << "my.tool.exe" << "src" << "" << replaces + "my.exe";
    QTest::newRow("output = source, a free name") << "other.tool.exe" << "src" << "" << inside;
    QTest::newRow("output inside the source") << "app.exe" << "src/sub" << "" << inside;
    QTest::newRow("product name links into the source") << "app.exe" << "out" << "=" << replaces + "app.exe";
    QTest::newRow("missing output folder") << "app.exe" << "none" << ""
        << "错误：无法写入输出目录: %OUT%，原因: No such file or directory";
    QTest::newRow("output folder is a file") << "app.exe" << "src/my.exe" << ""
        << "错误：无法写入输出目录: %OUT%，原因: Not a directory";
    QTest::newRow("link to the source folder") << "app.exe" << "out" << "sub/self=%SRC%" << encloses + "sub/self -> %SRC%";
    QTest::newRow("link to the folder above") << "app.exe" << "out" << "up=.." << encloses + "up -> ..";
}

// Nothing is written: no tool copied out, no archive, no product, the source
// folder as it was.
void WorkerRunTest::refusedBeforeAnythingIsWritten()
{
    QFETCH(QString, mainExe);
    QFETCH(QString, output);
    QFETCH(QString, link);
    QFETCH(QString, error);
    const QString source = makeSource(QStringLiteral("src"));
    QFile::copy(source + QStringLiteral("/app.exe"), source + QLatin1Char('/') + mainExe);
    writeFile(source + QStringLiteral("/my.exe"), "the user's own");
    writeFile(source + QStringLiteral("/sub/data.txt"), "data");
    if (link == QLatin1String("="))
        QVERIFY(QFile::link(source + QStringLiteral("/app.exe"), path(QStringLiteral("out/app.exe"))));
    link.replace(QStringLiteral("%SRC%"), source);
    if (!link.isEmpty() && link != QLatin1String("="))
        QCOMPARE(::symlink(QFile::encodeName(link.section(QLatin1Char('='), 1)).constData(),
                           QFile::encodeName(source + QLatin1Char('/') + link.section(QLatin1Char('='), 0, 0)).constData()), 0);
    const auto before = snapshot(source);
    Request r = request(source, mainExe);
    r.output = path(output);
    error.replace(QStringLiteral("-> %SRC%"), QStringLiteral("-> ") + source)
        .replace(QStringLiteral("%SRC%"), QFileInfo(source).canonicalFilePath())
        .replace(QStringLiteral("%OUT%"), r.output);

    const Run run = runWorker(r);
    QCOMPARE(run.finished, QList<bool>{false});
    QCOMPARE(run.log.last(), error);
    QCOMPARE(run.failure, QStringLiteral("错误：制作失败：") + error.mid(3));
    QCOMPARE(run.log.at(run.log.size() - 2), QStringLiteral("主程序路径验证成功: ") + source + QLatin1Char('/') + mainExe);
    QVERIFY(run.progress.isEmpty());
    QVERIFY(snapshot(source) == before);
    QVERIFY(QDir(path(QStringLiteral("work"))).isEmpty());
    QVERIFY(QDir(path(QStringLiteral("tmp"))).isEmpty());
}

void WorkerRunTest::storeKeepsInsideLinks_data()
{
    QTest::addColumn<QString>("method");
    QTest::newRow("LZMA") << "LZMA";
    QTest::newRow("LZMA2") << "LZMA2";
}

// Store packs every file with Copy; links inside the folder stay links and
// the product reads through them.
void WorkerRunTest::storeKeepsInsideLinks()
{
    QFETCH(QString, method);
    const QString source = makeSource(QStringLiteral("src"));
    writeFile(source + QStringLiteral("/sub/data.txt"), QByteArray(100000, 'a'));
    QVERIFY(QFile::link(QStringLiteral("../app.exe"), source + QStringLiteral("/sub/app-link")));
    QVERIFY(QFile::link(QStringLiteral("sub/data.txt"), source + QStringLiteral("/data-link")));
    Request r = request(source);
    r.level = QStringLiteral("0");
    r.method = method;
    QCOMPARE(runWorker(r).finished, QList<bool>{true});

    QProcess list;
    list.start(QStringLiteral(REAL_ARCHIVER), {QStringLiteral("l"), QStringLiteral("-slt"), r.archive});
    QVERIFY(list.waitForFinished(30000));
    const QString listing = QString::fromUtf8(list.readAllStandardOutput());
    QCOMPARE(listing.count(QStringLiteral("Method = Copy")), 5); // the archive and its four files
    QVERIFY(!listing.contains(QStringLiteral("LZMA")));
    QCOMPARE(listing.count(QStringLiteral("lrwxrwxrwx")), 2);
    verifyRunsFrom(path(QStringLiteral("out/app.exe")), source, QStringLiteral("app"));
}

void WorkerRunTest::eachRunStartsAFreshArchive()
{
    const QString first = makeSource(QStringLiteral("first"));
    writeFile(first + QStringLiteral("/only-in-first.txt"), "first");
    QCOMPARE(runWorker(request(first)).finished, QList<bool>{true});
    const QString second = makeSource(QStringLiteral("second"));
    writeFile(second + QStringLiteral("/only-in-second.txt"), "second");
    const Request r = request(second);
    QCOMPARE(runWorker(r).finished, QList<bool>{true});
    verifyProduct(r, QStringLiteral("app.exe"));
    verifyRunsFrom(path(QStringLiteral("out/app.exe")), second, QStringLiteral("app"));
}

void WorkerRunTest::iconPhase_data()
{
    QTest::addColumn<QString>("iconKind");
    QTest::addColumn<QStringList>("expectedLines");
    QTest::newRow("missing file: no line of its own")
        << "missing" << QStringList{QStringLiteral("开始处理图标..."), QStringLiteral("尝试从主程序提取图标...")};
    QTest::newRow("invalid file")
        << "invalid"
        << QStringList{QStringLiteral("开始处理图标..."), QStringLiteral("无效的ICO文件头"),
                       QStringLiteral("警告：提供的图标文件无效，将尝试从主程序提取图标"),
                       QStringLiteral("尝试从主程序提取图标...")};
    QTest::newRow("valid file")
        << "valid"
        << QStringList{QStringLiteral("开始处理图标..."), QStringLiteral("图标验证通过 - 尺寸: 48x48"),
                       QStringLiteral("使用用户提供的图标文件"), QStringLiteral("开始替换EXE图标...")};
}

// Icon trouble only costs the icon: the run still succeeds.
void WorkerRunTest::iconPhase()
{
    QFETCH(QString, iconKind);
    QFETCH(QStringList, expectedLines);
    const QString source = makeSource(QStringLiteral("icon"));
    Request r = request(source);
    r.icon = path(QStringLiteral("icon.ico"));
    if (iconKind == QLatin1String("invalid")) {
        writeFile(r.icon, "\x89PNG\r\n\x1a\n not an icon");
    } else if (iconKind == QLatin1String("valid")) {
        QImage image(48, 48, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&buffer, "ICO"));
        writeFile(r.icon, buffer.data());
    }
    const Run run = runWorker(r);
    const qsizetype start = run.log.indexOf(QStringLiteral("开始处理图标..."));
    QVERIFY(start > 0);
    QCOMPARE(run.log.mid(start, expectedLines.size()), expectedLines);
    if (iconKind == QLatin1String("valid")) {
        const QStringList after = run.log.mid(start + expectedLines.size());
        QVERIFY(after.contains(QStringLiteral("图标替换成功！")) || after.contains(QStringLiteral("警告：图标替换失败")));
    }
    QCOMPARE(run.finished, QList<bool>{true});
    QCOMPARE(run.progress.last(), 100);
    verifyRunsFrom(path(QStringLiteral("out/app.exe")), source, QStringLiteral("app"));
}

void WorkerRunTest::inputFailures_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("mainExe");
    QTest::addColumn<QStringList>("tail");
    QTest::addColumn<bool>("listsFiles");

    QTest::newRow("missing folder") << "missing" << "app.exe" << QStringList{"错误：源文件夹不存在"} << false;
    QTest::newRow("empty folder path") << "" << "app.exe" << QStringList{"错误：源文件夹不存在"} << false;
    QTest::newRow("missing main program") << "src" << "other.exe"
        << QStringList{"错误：主程序 other.exe 不存在于源文件夹中"} << true;
    QTest::newRow("main program outside the folder") << "src" << "../outside.exe"
        << QStringList{"错误：主程序 ../outside.exe 不存在于源文件夹中"} << true;
    QTest::newRow("main program is a folder") << "src" << "dir.exe"
        << QStringList{"错误：主程序 dir.exe 不存在于源文件夹中"} << true;
    QTest::newRow("empty main program name") << "src" << ""
        << QStringList{"错误：主程序  不存在于源文件夹中"} << true;
    QTest::newRow("empty folder") << "empty" << "app.exe"
        << QStringList{"错误：主程序 app.exe 不存在于源文件夹中"} << true;
}

void WorkerRunTest::inputFailures()
{
    QFETCH(QString, folder);
    QFETCH(QString, mainExe);
    QFETCH(QStringList, tail);
    QFETCH(bool, listsFiles);
    const QString source = makeSource(QStringLiteral("src"));
    writeFile(source + QStringLiteral("/notes.txt"), "n");
    QDir().mkpath(source + QStringLiteral("/dir.exe"));
    writeFile(path(QStringLiteral("outside.exe")), "outside", 0755);
    QDir().mkpath(path(QStringLiteral("empty")));

    const QString folderPath = folder.isEmpty() ? QString() : path(folder);
    const Run run = runWorker(request(folderPath, mainExe));
    QCOMPARE(run.finished, QList<bool>{false});
    QVERIFY(run.progress.isEmpty());
    QCOMPARE(run.log.first(), QStringLiteral("开始创建便携应用..."));
    const qsizetype at = run.log.indexOf(tail.first());
    QVERIFY2(at > 0, qPrintable(run.log.join(QLatin1Char('\n'))));
    QCOMPARE(run.log.at(at - 1), QStringLiteral("用户选择的主程序: ") + mainExe);
    if (listsFiles) {
        QCOMPARE(run.log.at(at + 1), QStringLiteral("完整路径: ") + folderPath + QLatin1Char('/') + mainExe);
        QCOMPARE(run.log.at(at + 2), QStringLiteral("源文件夹中的文件列表:"));
        QStringList listed = run.log.mid(at + 3);
        listed.sort();
        QStringList expected;
        for (const QString &name : QDir(folderPath).entryList(QDir::Files))
            expected << QStringLiteral("  ") + name;
        QCOMPARE(listed, expected);
    } else {
        QCOMPARE(run.log.mid(at), tail);
        QCOMPARE(run.log.at(at - 2), QStringLiteral("源文件夹中的所有EXE文件:"));
    }
    QVERIFY(QDir(path(QStringLiteral("out"))).isEmpty());
    QVERIFY(QDir(path(QStringLiteral("work"))).isEmpty());
    QVERIFY(QDir(path(QStringLiteral("tmp"))).isEmpty());
}

void WorkerRunTest::outputFolderFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("output name is a folder") << "folder";
}

void WorkerRunTest::outputFolderFailures()
{
    QFETCH(QString, kind);
    const QString source = makeSource(QStringLiteral("src"));
    const Request r = request(source);
    QDir().mkpath(path(QStringLiteral("out/app.exe")));
    const Run run = runWorker(r);
    QCOMPARE(run.finished, QList<bool>{false});
    QCOMPARE(run.log.last(),
             QStringLiteral("错误：无法创建输出文件: ") + packaging::outputFilePath(r.output, r.mainExe));
    QCOMPARE(run.log.at(run.log.size() - 2), QStringLiteral("压缩包大小: %1 字节").arg(QFileInfo(r.archive).size()));
    QVERIFY(QFileInfo(r.archive).size() > 0);
    QCOMPARE(run.progress.last(), 100 == run.progress.last() ? 100 : run.progress.last());
    QVERIFY(!QFileInfo(packaging::outputFilePath(r.output, r.mainExe)).isFile());
}

void WorkerRunTest::fullDiskDuringJoin()
{
    if (::geteuid() != 0)
        QSKIP("mounting a small tmpfs needs root");
    const QString small = path(QStringLiteral("small"));
    QDir().mkpath(small);
    const qint64 module = QFileInfo(QStringLiteral(SFX_MODULE_PATH)).size();
    const QString size = QString::number((module + 3 * 1048576) / 1024) + QLatin1Char('k');
    if (QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                    QStringLiteral("size=") + size, QStringLiteral("tmpfs"), small})
        != 0)
        QSKIP("mounting a tmpfs is not permitted here");
    m_mount = small;

    const QString source = makeSource(QStringLiteral("src"));
    QByteArray noise(6 * 1048576, Qt::Uninitialized);
    quint32 x = 12345;
    for (char &c : noise)
        c = char((x = x * 1103515245u + 12345u) >> 24);
    writeFile(source + QStringLiteral("/noise.bin"), noise);
    Request r = request(source);
    r.output = small;
    r.level = QStringLiteral("0");
    const Run run = runWorker(r);
    QCOMPARE(run.finished, QList<bool>{false});
    QVERIFY2(run.log.last().startsWith(QStringLiteral("写入错误: ")), qPrintable(run.log.last()));
    QVERIFY2(run.failure.endsWith(run.log.last().mid(6)), qPrintable(run.failure));
    QVERIFY(run.log.contains(QStringLiteral("SFX模块写入成功")));
    QVERIFY(!QFile::exists(small + QStringLiteral("/app.exe")));
    QVERIFY(QDir(small).isEmpty());
    QVERIFY(QFileInfo(r.archive).size() > 6 * 1048576); // the archive stays
}

void WorkerRunTest::archiverFaults_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("tail");
    QTest::addColumn<QList<int>>("progress");

    QTest::newRow("exits non-zero with an error text")
        << QByteArray("echo ' 7%'\necho 'cannot open file' >&2\nexit 2") << 0700
        << QStringList{"7z进程已启动，开始压缩...", "7z错误输出: cannot open file\n", "7z退出代码: 2"} << QList<int>{7};
    QTest::newRow("exits non-zero silently") << QByteArray("exit 7") << 0700
        << QStringList{"7z进程已启动，开始压缩...", "7z错误输出: ", "7z退出代码: 7"} << QList<int>{};
    QTest::newRow("crashes") << QByteArray("kill -SEGV $$") << 0700
        << QStringList{"7z进程已启动，开始压缩...", "7z错误输出: ", "7z退出代码: 11"} << QList<int>{};
    QTest::newRow("prints nothing and hangs") << QByteArray("exec sleep 30") << 0700
        << QStringList{"7z进程已启动，开始压缩...", "错误：7z进程超过2秒没有结束，已终止"} << QList<int>{};
    QTest::newRow("prints progress, then hangs") << QByteArray("echo ' 12%'\nexec sleep 30") << 0700
        << QStringList{"7z进程已启动，开始压缩...", "错误：7z进程超过2秒没有结束，已终止"} << QList<int>{12};
    QTest::newRow("cannot start") << QByteArray("exit 0") << 0600
        << QStringList{"错误：无法启动7z.exe，路径: %TOOL%", "错误详情: execve: Permission denied"} << QList<int>{};
    QTest::newRow("reports success without an archive") << QByteArray("echo '100%'\nexit 0") << 0700
        << QStringList{"压缩包创建成功", "压缩包大小: 0 字节", "SFX模块写入成功", "配置写入成功，大小: 140 字节",
                       "错误：无法读取压缩包文件"}
        << QList<int>{100};
}

void WorkerRunTest::archiverFaults()
{
    QFETCH(QByteArray, script);
    QFETCH(int, mode);
    QFETCH(QStringList, tail);
    QFETCH(QList<int>, progress);
    Worker::Timing timing;
    timing.archiverStartMs = 2000;
    timing.archiverSilenceMs = 1000;
    timing.archiverFinishMs = 1000;
    timing.archiverStopMs = 2000;
    const QString source = makeSource(QStringLiteral("src"));
    installFakeArchiver(script, mode_t(mode));
    const QString tool = toolFolderPath() + QStringLiteral("/7zr.exe");
    tail.replaceInStrings(QStringLiteral("%TOOL%"), tool);

    QElapsedTimer timer;
    timer.start();
    Worker::ToolSources tools;
    tools.archiver = tool;
    const Run run = runWorker(request(source), timing, tools);
    QVERIFY(timer.elapsed() < 15000);
    // The closing line names the archiver's own error lines, or else the last line's failure.
    const QString last = run.log.last().startsWith(QStringLiteral("错误：")) ? run.log.last().mid(3) : run.log.last();
    QCOMPARE(run.failure, QStringLiteral("错误：制作失败：") + (script.contains(">&2") ? QStringLiteral("7z报告：cannot open file") : last));
    QCOMPARE(run.finished, QList<bool>{false});
    QCOMPARE(run.log.mid(run.log.size() - tail.size()), tail);
    QVERIFY(!run.log.contains(QStringLiteral("7zr.exe已复制到临时目录"))); // a trusted archiver is used as it is
    QCOMPARE(run.progress, progress);
    QVERIFY(QDir(path(QStringLiteral("out"))).isEmpty());
}

// In a temporary folder shared by all users, a "7zr.exe" that someone else
// put where the tools live is replaced, never run.
void WorkerRunTest::plantedArchiverNeverRuns()
{
    if (::geteuid() != 0)
        QSKIP("planting a file of another user needs root");
    const QString shared = path(QStringLiteral("shared"));
    QDir().mkpath(shared);
    ::chmod(QFile::encodeName(shared).constData(), 01777);
    qputenv("TMPDIR", QFile::encodeName(shared));
    const QString tools = toolFolderPath();
    QCOMPARE(tools, shared + QStringLiteral("/crateforge-") + QString::number(::geteuid()));
    const QString marker = path(QStringLiteral("planted-ran"));
    const QString planted = tools + QStringLiteral("/7zr.exe");
    writeFile(planted, "#!/bin/sh\ntouch '" + QFile::encodeName(marker) + "'\nexit 0\n", 0777);
    QCOMPARE(::chown(QFile::encodeName(planted).constData(), 65534, 65534), 0);

    const QString source = makeSource(QStringLiteral("src"));
    const Request r = request(source);
    const Run run = runWorker(r);
    QCOMPARE(run.finished, QList<bool>{true});
    QVERIFY(run.log.contains(QStringLiteral("7zr.exe已复制到临时目录")));
    QVERIFY(!QFile::exists(marker));
    QVERIFY(isTrustedTool(planted));
    verifyProduct(r, QStringLiteral("app.exe"));

    // A private folder that is not ours stops the run before anything runs.
    const QString other = path(QStringLiteral("shared2"));
    QDir().mkpath(other + QStringLiteral("/crateforge-") + QString::number(::geteuid()));
    ::chmod(QFile::encodeName(other).constData(), 01777);
    QCOMPARE(::chown(QFile::encodeName(other + QStringLiteral("/crateforge-") + QString::number(::geteuid())).constData(),
                     65534, 65534),
             0);
    qputenv("TMPDIR", QFile::encodeName(other));
    const Run refused = runWorker(request(source));
    QCOMPARE(refused.finished, QList<bool>{false});
    QCOMPARE(refused.log.last(), QStringLiteral("错误：无法复制7zr.exe到临时目录"));
}

void WorkerRunTest::unsafeWorkFolderIsRefused()
{
    const QString source = makeSource(QStringLiteral("src"));
    const QString open = path(QStringLiteral("open-work"));
    QDir().mkpath(open);
    ::chmod(QFile::encodeName(open).constData(), 0777);
    Request r = request(source);
    r.archive = open + QStringLiteral("/temp.7z");
    Run run = runWorker(r);
    QCOMPARE(run.finished, QList<bool>{false});
    QCOMPARE(run.log.last(), QStringLiteral("错误：工作目录不存在或不安全: ") + open);

    const QString link = path(QStringLiteral("linked-work"));
    QCOMPARE(::symlink(QFile::encodeName(path(QStringLiteral("work"))).constData(), QFile::encodeName(link).constData()), 0);
    r.archive = link + QStringLiteral("/temp.7z");
    run = runWorker(r);
    QCOMPARE(run.log.last(), QStringLiteral("错误：工作目录不存在或不安全: ") + link);
    QVERIFY(QDir(path(QStringLiteral("out"))).isEmpty());
}

// A Python-like tree: its site file links to the system's configuration, a
// data folder links outside, one link's target is gone, one stays inside.
void WorkerRunTest::outsideLinksPackedAsCopies()
{
    const QString source = makeSource(QStringLiteral("python"));
    writeFile(path(QStringLiteral("etc/sitecustomize.py")), "import sys\n", 0640);
    writeFile(path(QStringLiteral("share/data/words.txt")), "words\n");
    writeFile(path(QStringLiteral("share/data/deeper/more.txt")), "more\n", 0600);
    writeFile(source + QStringLiteral("/lib/os.py"), "pass\n");
    const auto link = [&](const QString &target, const QString &name) {
        QCOMPARE(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(source + QLatin1Char('/') + name).constData()), 0);
    };
    link(path(QStringLiteral("etc/sitecustomize.py")), QStringLiteral("sitecustomize.py"));
    link(QStringLiteral("../../share/data"), QStringLiteral("lib/data"));
    link(QStringLiteral("/nonexistent/config"), QStringLiteral("lib/gone"));
    link(QStringLiteral("os.py"), QStringLiteral("lib/inside.py"));

    const Run run = runWorker(request(source));
    QCOMPARE(run.finished, QList<bool>{true});
    const QString copied = QStringLiteral("链接指向源文件夹以外，打包其目标的副本: ");
    QCOMPARE(run.log.filter(QStringLiteral("链接")),
             (QStringList{copied + "lib/data -> ../../share/data",
                          "警告：链接的目标不存在，未打包此链接: lib/gone -> /nonexistent/config",
                          copied + "sitecustomize.py -> " + path(QStringLiteral("etc/sitecustomize.py"))}));

    const QString runTmp = path(QStringLiteral("run"));
    QDir().mkpath(runTmp);
    ::chmod(QFile::encodeName(runTmp).constData(), 0700);
    QProcess product;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), runTmp);
    product.setProcessEnvironment(env);
    product.start(path(QStringLiteral("out/app.exe")), {});
    QVERIFY(product.waitForFinished(30000));
    QCOMPARE(product.exitCode(), 0);
    const QStringList folders = QDir(runTmp + QStringLiteral("/app")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(folders.size(), 1);
    const QString install = runTmp + QStringLiteral("/app/") + folders.first();
    QCOMPARE(QFileInfo(install + QStringLiteral("/sitecustomize.py")).isSymLink(), false);
    QCOMPARE(readAll(install + QStringLiteral("/sitecustomize.py")), QByteArray("import sys\n"));
    QCOMPARE(permissions(install + QStringLiteral("/sitecustomize.py")), mode_t(0640));
    QCOMPARE(readAll(install + QStringLiteral("/lib/data/deeper/more.txt")), QByteArray("more\n"));
    QCOMPARE(readAll(install + QStringLiteral("/lib/data/words.txt")), QByteArray("words\n"));
    QVERIFY(!QFileInfo(install + QStringLiteral("/lib/data")).isSymLink());
    QVERIFY(!QFileInfo::exists(install + QStringLiteral("/lib/gone")) && !QFileInfo(install + QStringLiteral("/lib/gone")).isSymLink());
    QCOMPARE(QFileInfo(install + QStringLiteral("/lib/inside.py")).symLinkTarget(), install + QStringLiteral("/lib/os.py"));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("work/linked"))));
}

// A module the user owns but not the one carried (here damaged, as one a
// full disk left): replaced before use.
void WorkerRunTest::staleToolReplaced()
{
    const QString module = toolFolderPath() + QStringLiteral("/7zSD.sfx");
    writeFile(module, QByteArray(439, 'x'), 0700);
    const QString source = makeSource(QStringLiteral("src"));
    const Request r = request(source);
    QCOMPARE(runWorker(r).finished, QList<bool>{true});
    verifyProduct(r, QStringLiteral("app.exe"));
    verifyRunsFrom(path(QStringLiteral("out/app.exe")), source, QStringLiteral("app"));
}

void WorkerRunTest::productReadBack_data()
{
    QTest::addColumn<QByteArray>("module");   // empty: the carried one
    QTest::addColumn<QByteArray>("archiver"); // a stand-in's script, empty: the carried one
    QTest::addColumn<QString>("fault");
    QTest::newRow("no module") << QByteArray(439, 'x') << QByteArray() << "开头没有自解压模块";
    QTest::newRow("archive with a wrong checksum") << QByteArray()
        << QByteArray("printf '7z\\274\\257\\047\\034\\000\\004%032d' 0 > \"$3\"") << "压缩包起始头与其校验和不符";
}

// A product the self-extractor could not read is removed, and the run fails.
void WorkerRunTest::productReadBack()
{
    QFETCH(QByteArray, module);
    QFETCH(QByteArray, archiver);
    QFETCH(QString, fault);
    Worker::ToolSources tools;
    if (!module.isEmpty()) {
        tools.module = path(QStringLiteral("module"));
        writeFile(tools.module, module);
    }
    if (!archiver.isEmpty()) {
        installFakeArchiver(archiver);
        tools.archiver = toolFolderPath() + QStringLiteral("/7zr.exe");
    }
    const Request r = request(makeSource(QStringLiteral("src")));
    const Run run = runWorker(r, {}, tools);
    QCOMPARE(run.finished, QList<bool>{false});
    const QString product = path(QStringLiteral("out/app.exe"));
    const QString line = QStringLiteral("制作出的程序无法读取（%1），已删除: %2").arg(fault, product);
    QCOMPARE(run.log.last(), QStringLiteral("错误：") + line);
    QCOMPARE(run.failure, QStringLiteral("错误：制作失败：") + line);
    QVERIFY(!QFileInfo::exists(product));
}

QTEST_MAIN(WorkerRunTest)
#include "tst_workerrun.moc"
