#include "archiveroutput.h"
#include "packagingsteps.h"
#include "worker.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace packaging;

class PackagingStepsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void archiverArguments_data();
    void archiverArguments();
    void editorArguments_data();
    void editorArguments();
    void configurationBlock_data();
    void configurationBlock();
    void progressFromRecordedOutput_data();
    void progressFromRecordedOutput();
    void progressFirstPercentageOnly();
    void logLinesFromRecordedOutput_data();
    void logLinesFromRecordedOutput();
    void validateIconData_data();
    void validateIconData();
};

void PackagingStepsTest::archiverArguments_data()
{
    QTest::addColumn<QString>("archive");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("dictionary");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("level 9, LZMA2, 64M")
        << "/w/temp.7z" << "/src" << "9" << "LZMA2" << "64M"
        << QStringList{"a", "-t7z", "/w/temp.7z", "/src/*", "-r", "-mx=9", "-m0=LZMA2", "-md=64M", "-ms=4m", "-bsp1", "-ssc"};
    // Store copies whatever the method; Copy takes no dictionary switch.
    for (const char *method : {"LZMA", "LZMA2"})
        QTest::addRow("level 0, %s, 64K", method)
            << "/w/temp.7z" << "/src" << "0" << method << "64K"
            << QStringList{"a", "-t7z", "/w/temp.7z", "/src/*", "-r", "-mx=0", "-m0=Copy", "-bsp1", "-ssc"};
    QTest::newRow("empty dictionary: no -md= switch")
        << "/w/temp.7z" << "/src" << "5" << "LZMA2" << ""
        << QStringList{"a", "-t7z", "/w/temp.7z", "/src/*", "-r", "-mx=5", "-m0=LZMA2", "-ms=4m", "-bsp1", "-ssc"};
    QTest::newRow("texts used verbatim")
        << "/w/temp.7z" << "/src" << "x" << "PPMd" << "3M"
        << QStringList{"a", "-t7z", "/w/temp.7z", "/src/*", "-r", "-mx=x", "-m0=PPMd", "-md=3M", "-ms=4m", "-bsp1", "-ssc"};
    QTest::newRow("spaces and Chinese stay one argument")
        << "/工作 目录/temp.7z" << "/源 文件夹" << "5" << "LZMA2" << "16M"
        << QStringList{"a", "-t7z", "/工作 目录/temp.7z", "/源 文件夹/*", "-r", "-mx=5", "-m0=LZMA2", "-md=16M",
                       "-ms=4m", "-bsp1", "-ssc"};
    // The platform's separator throughout: a backslash here packs nothing.
    QTest::newRow("forward slashes, trailing slash")
        << "/a/b/temp.7z" << "/a/src/" << "1" << "LZMA" << "1M"
        << QStringList{"a", "-t7z", "/a/b/temp.7z", "/a/src//*", "-r", "-mx=1", "-m0=LZMA", "-md=1M", "-ms=4m", "-bsp1", "-ssc"};
}

void PackagingStepsTest::archiverArguments()
{
    QFETCH(QString, archive);
    QFETCH(QString, folder);
    QFETCH(QString, level);
    QFETCH(QString, method);
    QFETCH(QString, dictionary);
    QFETCH(QStringList, expected);
    const QStringList arguments = packaging::archiverArguments(archive, folder, level, method, dictionary);
    QCOMPARE(arguments, expected);
    for (const QString &argument : arguments)
        QVERIFY2(!argument.contains(QLatin1Char('\\')), qPrintable(argument));
}

void PackagingStepsTest::editorArguments_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("ico"); // empty: the delete step
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("delete") << "/out/app.exe" << ""
                            << QStringList{"-open", "/out/app.exe", "-save", "/out/app.exe", "-action", "delete",
                                           "-mask", "ICONGROUP,", "-log", "NUL"};
    QTest::newRow("add") << "/out/app.exe" << "/t/crateforge-icons/run-1/temp_icon.ico"
                         << QStringList{"-open", "/out/app.exe", "-save", "/out/app.exe", "-action", "addoverwrite",
                                        "-resource", "/t/crateforge-icons/run-1/temp_icon.ico", "-mask", "ICONGROUP,MAINICON,",
                                        "-log", "NUL"};
    // The path goes on exactly as given: no separator conversion, no quoting.
    QTest::newRow("spaces, Chinese, backslash kept")
        << "C:\\输出 目录/my app.exe" << ""
        << QStringList{"-open", "C:\\输出 目录/my app.exe", "-save", "C:\\输出 目录/my app.exe", "-action",
                       "delete", "-mask", "ICONGROUP,", "-log", "NUL"};
    QTest::newRow("relative path") << "app.exe" << "i.ico"
                                   << QStringList{"-open", "app.exe", "-save", "app.exe", "-action", "addoverwrite",
                                                  "-resource", "i.ico", "-mask", "ICONGROUP,MAINICON,", "-log", "NUL"};
}

void PackagingStepsTest::editorArguments()
{
    QFETCH(QString, exe);
    QFETCH(QString, ico);
    QFETCH(QStringList, expected);
    QCOMPARE(ico.isEmpty() ? packaging::editorDeleteArguments(exe) : packaging::editorAddArguments(exe, ico),
             expected);
}

void PackagingStepsTest::configurationBlock_data()
{
    QTest::addColumn<QString>("mainExe");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("outputName");

    const auto block = [](const char *title, const char *exe, const char *install) {
        return QByteArray(";!@Install@!UTF-8!\nTitle=\"") + title + " Portable\"\nProgress=\"no\"\nExecuteFile=\""
            + exe + "\"\nInstallPath=\"%%T\\" + install + "\"\nGUIMode=\"2\"\nOverwrite=\"1\"\n;!@InstallEnd@!\n";
    };
    QTest::newRow("app.exe") << "app.exe" << block("app", "app.exe", "app") << "app.exe";
    QTest::newRow("my.tool.exe: cut before the first dot")
        << "my.tool.exe" << block("my", "my.tool.exe", "my") << "my.exe";
    QTest::newRow("in a subfolder: ExecuteFile keeps the folder")
        << "bin/app.exe" << block("app", "bin/app.exe", "app") << "app.exe";
    QTest::newRow("Chinese name with a space")
        << "工具 箱.exe" << block("工具 箱", "工具 箱.exe", "工具 箱") << "工具 箱.exe";
    // Substituted once: a name holding a placeholder is not filled again.
    QTest::newRow("placeholder in the name") << "%2.exe" << block("%2", "%2.exe", "%2") << "%2.exe";
    // Off Windows the product is named like its main program.
    QTest::newRow("a program without .exe") << "socat" << block("socat", "socat", "socat") << "socat";
    QTest::newRow("a script") << "run.sh" << block("run", "run.sh", "run") << "run";
}

void PackagingStepsTest::configurationBlock()
{
    QFETCH(QString, mainExe);
    QFETCH(QByteArray, expected);
    QFETCH(QString, outputName);
    const QByteArray block = packaging::configurationBlock(mainExe);
    QCOMPARE(block, expected);
    QVERIFY(!block.contains('\r'));
    QCOMPARE(outputFilePath(QStringLiteral("/out/dir"), mainExe), QStringLiteral("/out/dir/") + outputName);
    if (mainExe == QLatin1String("app.exe"))
        QCOMPARE(block.size(), 140);
}

void PackagingStepsTest::progressFromRecordedOutput_data()
{
    QTest::addColumn<int>("chunkSize");
    for (int size : {1, 3, 7, 64, 500, 4096, 1 << 20})
        QTest::addRow("chunks of %d bytes", size) << size;
}

// The archiver's real "-bsp1" output, fed as it could arrive from the pipe.
void PackagingStepsTest::progressFromRecordedOutput()
{
    QFETCH(int, chunkSize);
    QFile fixture(QStringLiteral(ENGINE_FIXTURES "/7zr-bsp1.txt"));
    QVERIFY(fixture.open(QIODevice::ReadOnly));
    const QByteArray output = fixture.readAll();

    QList<int> all;
    static const QRegularExpression percentage(QStringLiteral("(\\d+)%"));
    for (auto it = percentage.globalMatch(QString::fromLocal8Bit(output)); it.hasNext();)
        all << it.next().captured(1).toInt();
    QVERIFY(all.size() > 50);

    ProgressReader reader;
    QList<int> reported;
    int chunks = 0;
    for (qsizetype at = 0; at < output.size(); at += chunkSize, ++chunks) {
        if (const std::optional<int> value = reader.feed(QString::fromLocal8Bit(output.mid(at, chunkSize))))
            reported << *value;
    }
    QVERIFY(!reported.isEmpty());
    QVERIFY(reported.size() <= chunks);
    // Every value reported is one the archiver printed, in its order: a number
    // split between two chunks is never reported as its tail alone.
    qsizetype next = 0;
    for (int value : reported) {
        while (next < all.size() && all[next] != value)
            ++next;
        QVERIFY2(next < all.size(), qPrintable(QStringLiteral("value %1 out of sequence").arg(value)));
    }
    if (chunkSize == 1)
        QCOMPARE(reported, all);
    if (chunkSize >= output.size())
        QCOMPARE(reported, QList<int>{0});
}

void PackagingStepsTest::progressFirstPercentageOnly()
{
    ProgressReader reader;
    QCOMPARE(reader.feed(QStringLiteral(" 12% 1 + a\b\b\b 13% 2 + b")), std::optional<int>(12));
    QCOMPARE(reader.feed(QStringLiteral("Everything is Ok")), std::nullopt);
    QCOMPARE(reader.feed(QString()), std::nullopt);
    QCOMPARE(reader.feed(QStringLiteral(" 4")), std::nullopt);
    QCOMPARE(reader.feed(QStringLiteral("5% x")), std::optional<int>(45));
    QCOMPARE(reader.feed(QStringLiteral("99999999999999999999%")), std::optional<int>(0));
}

void PackagingStepsTest::logLinesFromRecordedOutput_data()
{
    QTest::addColumn<QString>("recording");
    QTest::addColumn<QByteArray>("lineEnd"); // the recording's line feeds become this
    QTest::addColumn<bool>("returns");       // backspaces become carriage returns
    QTest::addColumn<int>("chunkSize");
    for (const char *recording : {"7zr-bsp1", "7zr-bsp1-names"})
        for (const bool crlf : {false, true})
            for (int size : {1, 3, 64, 1 << 20})
                QTest::addRow("%s, %s, chunks of %d", recording, crlf ? "CR LF, CR redraws" : "LF", size)
                    << recording << QByteArray(crlf ? "\r\n" : "\n") << crlf << size;
}

// The real archiver's output, fed as it could arrive from the pipe: its own
// lines reach the log as printed, its redraws never do.
void PackagingStepsTest::logLinesFromRecordedOutput()
{
    QFETCH(QString, recording);
    QFETCH(QByteArray, lineEnd);
    QFETCH(bool, returns);
    QFETCH(int, chunkSize);
    QFile raw(QStringLiteral(ENGINE_FIXTURES "/") + recording + QStringLiteral(".txt"));
    QFile expected(QStringLiteral(ENGINE_FIXTURES "/") + recording + QStringLiteral(".log"));
    QVERIFY(raw.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
    QByteArray output = raw.readAll().replace("\n", lineEnd);
    if (returns)
        output.replace('\b', '\r');

    ArchiverOutput filter;
    QStringList lines;
    for (qsizetype at = 0; at < output.size(); at += chunkSize)
        lines << filter.feed(output.mid(at, chunkSize)).lines;
    lines << filter.finish();
    QCOMPARE(lines, QString::fromUtf8(expected.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts));
}

void PackagingStepsTest::validateIconData_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("line");

    QImage image(32, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "ICO"));
    const QByteArray ico = buffer.data();
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&png, "PNG"));

    QTest::newRow("empty") << QByteArray() << false << "图标数据太小，至少需要6字节";
    QTest::newRow("5 bytes") << QByteArray("\0\0\1\0\0", 5) << false << "图标数据太小，至少需要6字节";
    QTest::newRow("header only") << QByteArray("\0\0\1\0\0\0", 6) << false << "无法将数据加载为ICO格式";
    QTest::newRow("cursor") << QByteArray("\0\0\2\0\1\0", 6) + ico.mid(6) << false << "无效的ICO文件头";
    QTest::newRow("PNG named .ico") << png.data() << false << "无效的ICO文件头";
    QTest::newRow("truncated ICO") << ico.left(30) << false << "无法将数据加载为ICO格式";
    QTest::newRow("32x16 ICO") << ico << true << "图标验证通过 - 尺寸: 32x16";
}

void PackagingStepsTest::validateIconData()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, valid);
    QFETCH(QString, line);
    Worker worker;
    QSignalSpy log(&worker, &Worker::logMessage);
    QVERIFY(log.isValid());
    QCOMPARE(worker.validateIconData(data), valid);
    QCOMPARE(log.size(), 1);
    QCOMPARE(log.at(0).at(0).toString(), line);
}

QTEST_MAIN(PackagingStepsTest)
#include "tst_packagingsteps.moc"
