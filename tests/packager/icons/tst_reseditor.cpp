#include "iconfixtures.h"
#include "iconsource.h"
#include "imagecompare.h"
#include "producttools.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// The resource editor as the icon replacement runs it: a separate program,
// on real products of our self-extractor module.
class tst_ResEditor : public QObject
{
    Q_OBJECT

private:
    struct Edit
    {
        int exitCode = -1;
        QByteArray standardError;
    };

    QTemporaryDir m_dir;
    QByteArray m_product; // without an icon block

    static QString fixture(const QString &name) { return QStringLiteral(ICON_FIXTURE_DIR "/") + name; }

    static Edit runEditor(const QStringList &arguments, const QString &workingDirectory = {})
    {
        QProcess editor;
        if (!workingDirectory.isEmpty())
            editor.setWorkingDirectory(workingDirectory);
        editor.start(QStringLiteral(ICON_EDITOR), arguments);
        Edit edit;
        if (!editor.waitForFinished(20000) || editor.exitStatus() != QProcess::NormalExit) {
            editor.kill();
            editor.waitForFinished(5000);
            return edit;
        }
        edit.exitCode = editor.exitCode();
        edit.standardError = editor.readAllStandardError();
        return edit;
    }

    static QStringList deleteArguments(const QString &exe, const QString &log = QStringLiteral("NUL"))
    {
        return {QStringLiteral("-open"), exe, QStringLiteral("-save"), exe, QStringLiteral("-action"),
                QStringLiteral("delete"), QStringLiteral("-mask"), QStringLiteral("ICONGROUP,"),
                QStringLiteral("-log"), log};
    }

    static QStringList addArguments(const QString &exe, const QString &ico, const QString &log = QStringLiteral("NUL"))
    {
        return {QStringLiteral("-open"), exe, QStringLiteral("-save"), exe, QStringLiteral("-action"),
                QStringLiteral("addoverwrite"), QStringLiteral("-resource"), ico, QStringLiteral("-mask"),
                QStringLiteral("ICONGROUP,MAINICON,"), QStringLiteral("-log"), log};
    }

    static QStringList filesIn(const QString &dir)
    {
        QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.sort();
        return names;
    }

    static int mode(const QString &path)
    {
        struct stat info = {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
    }

    // The product's program must run the same way after an edit: the probe
    // really runs, before and after.
    void checkRunsLikeOriginal(const QString &edited)
    {
        const QString original = m_dir.filePath(QStringLiteral("original/app.exe"));
        const producttools::Run before = producttools::runProgram(original, {QStringLiteral("x")});
        const producttools::Run after = producttools::runProgram(edited, {QStringLiteral("x")});
        QCOMPARE(after.finished, before.finished);
        QCOMPARE(after.exitCode, before.exitCode);
        QVERIFY2(producttools::ranProbe(before), before.output.constData());
        QVERIFY2(producttools::ranProbe(after), after.output.constData());
        QVERIFY(after.output.contains("arg x"));
    }

    QString freshProduct(const QString &name, const QByteArray &bytes)
    {
        const QString dir = m_dir.filePath(name);
        QDir().mkpath(dir);
        const QString path = dir + QStringLiteral("/app.exe");
        producttools::writeFile(path, bytes);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        return path;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_product = producttools::makeProduct(m_dir.path(), QStringLiteral("app"));
        QVERIFY2(!m_product.isEmpty(), "could not build a product from the module and a 7z archive");
        freshProduct(QStringLiteral("original"), m_product);
    }

    void addReplaceDelete()
    {
        const QString exe = freshProduct(QStringLiteral("cycle"), m_product);
        const QByteArray first = producttools::readFile(fixture(QStringLiteral("multi.ico")));
        const QByteArray second = producttools::readFile(fixture(QStringLiteral("png256x128.ico")));
        const QByteArray module = producttools::moduleBytes();
        const QByteArray rest = m_product.mid(module.size());

        Edit edit = runEditor(addArguments(exe, fixture(QStringLiteral("multi.ico"))));
        QCOMPARE(edit.exitCode, 0);
        QCOMPARE(edit.standardError, QByteArray());
        QCOMPARE(producttools::readFile(exe), module + producttools::iconBlock(first) + rest);
        QCOMPARE(mode(exe), 0755);
        const iconsource::Result shown = iconsource::renderFirstIcon(exe);
        QCOMPARE(shown.status, iconsource::Status::Rendered);
        QVERIFY(imageDifference(shown.image, fixtures::expectedImage(fixtures::Kind::Bmp32Alpha, 1, 16, 16)).isEmpty());
        checkRunsLikeOriginal(exe);

        edit = runEditor(addArguments(exe, fixture(QStringLiteral("png256x128.ico"))));
        QCOMPARE(edit.exitCode, 0);
        QCOMPARE(producttools::readFile(exe), module + producttools::iconBlock(second) + rest);
        QCOMPARE(producttools::productIcon(producttools::readFile(exe)), second);
        checkRunsLikeOriginal(exe);

        edit = runEditor(deleteArguments(exe));
        QCOMPARE(edit.exitCode, 0);
        QCOMPARE(producttools::readFile(exe), m_product);
        QCOMPARE(filesIn(QFileInfo(exe).path()), QStringList{QStringLiteral("app.exe")});
        checkRunsLikeOriginal(exe);
    }

    void deleteWithoutIconLeavesFileAlone()
    {
        const QString exe = freshProduct(QStringLiteral("noicon"), m_product);
        const QDateTime before = QFileInfo(exe).lastModified();
        const Edit edit = runEditor(deleteArguments(exe));
        QCOMPARE(edit.exitCode, 0);
        QCOMPARE(producttools::readFile(exe), m_product);
        QCOMPARE(QFileInfo(exe).lastModified(), before);
    }

    void savesToAnotherPath()
    {
        const QString exe = freshProduct(QStringLiteral("source"), m_product);
        const QString copy = m_dir.filePath(QStringLiteral("source/copy.exe"));
        QStringList arguments = addArguments(exe, fixture(QStringLiteral("png16.ico")));
        arguments[3] = copy;
        QCOMPARE(runEditor(arguments).exitCode, 0);
        QCOMPARE(producttools::readFile(exe), m_product);
        QCOMPARE(producttools::productIcon(producttools::readFile(copy)),
                 producttools::readFile(fixture(QStringLiteral("png16.ico"))));
    }

    void logDestinations()
    {
        const QString exe = freshProduct(QStringLiteral("logs"), m_product);
        const QString dir = QFileInfo(exe).path();
        QCOMPARE(runEditor(addArguments(exe, fixture(QStringLiteral("png16.ico")), QStringLiteral("NUL")), dir).exitCode, 0);
        QCOMPARE(runEditor(deleteArguments(exe, QStringLiteral("/dev/null")), dir).exitCode, 0);
        QCOMPARE(filesIn(dir), QStringList{QStringLiteral("app.exe")});

        const QString log = dir + QStringLiteral("/edit.log");
        QCOMPARE(runEditor(addArguments(exe, fixture(QStringLiteral("png16.ico")), log), dir).exitCode, 0);
        QVERIFY(producttools::readFile(log).contains("saved " + QFile::encodeName(exe)));
    }

    // Anything the editor refuses leaves the target byte for byte, with a
    // non-zero exit and a single line on standard error.
    void refusesWhatItCannotEdit_data()
    {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QString>("ico");
        QTest::addColumn<bool>("add");

        const QByteArray module = producttools::moduleBytes();
        const QByteArray config = producttools::configBlock(QStringLiteral("app"), QStringLiteral("app.exe"));
        const QString good = fixture(QStringLiteral("multi.ico"));
        const QByteArray elf = producttools::readFile(QStringLiteral(ICON_PROBE_APP));
        const QByteArray pe = producttools::readFile(fixture(QStringLiteral("x86_64/multi.exe")));
        QByteArray lyingBlock = module + producttools::iconBlock(QByteArray(64, 'i')) + config;
        lyingBlock[module.size() + 8] = char(0xff); // length runs far past the end

        for (bool add : {true, false}) {
            const char *action = add ? "add" : "delete";
            QTest::addRow("%s: random bytes", action) << QByteArray(5000, '\x5a') << good << add;
            QTest::addRow("%s: empty file", action) << QByteArray() << good << add;
            QTest::addRow("%s: an ordinary program", action) << elf << good << add;
            QTest::addRow("%s: module without configuration", action) << module << good << add;
            QTest::addRow("%s: unterminated configuration", action)
                << module + QByteArray(";!@Install@!UTF-8!\nTitle=\"x\"\n") << good << add;
            QTest::addRow("%s: icon block length lies", action) << lyingBlock << good << add;
            if (!pe.isEmpty())
                QTest::addRow("%s: PE executable", action) << pe << good << add;
        }
        const QByteArray product = producttools::makeProduct(m_dir.filePath(QStringLiteral("rows")), QStringLiteral("app"));
        QTest::newRow("missing icon file") << product << fixture(QStringLiteral("none.ico")) << true;
        QTest::newRow("PE file as icon") << product << fixture(QStringLiteral("x86_64/multi.exe")) << true;
        QTest::newRow("folder as icon") << product << QStringLiteral(ICON_FIXTURE_DIR) << true;
        for (const char *bad : {"empty", "cursor", "nocount", "pastend", "zerosize", "notimage", "text"})
            QTest::addRow("bad icon: %s", bad) << product << QStringLiteral("bad:") + QLatin1String(bad) << true;
    }
    void refusesWhatItCannotEdit()
    {
        QFETCH(QByteArray, target);
        QFETCH(QString, ico);
        QFETCH(bool, add);

        const QString exe = freshProduct(QStringLiteral("refused"), target);
        if (ico.startsWith(QStringLiteral("bad:"))) {
            const QString kind = ico.mid(4);
            QByteArray bytes = producttools::readFile(fixture(QStringLiteral("png16.ico")));
            if (kind == QStringLiteral("empty"))
                bytes.clear();
            else if (kind == QStringLiteral("cursor"))
                bytes[2] = 2;
            else if (kind == QStringLiteral("nocount"))
                bytes[4] = bytes[5] = 0;
            else if (kind == QStringLiteral("pastend"))
                bytes[6 + 12 + 1] = char(0x7f);
            else if (kind == QStringLiteral("zerosize"))
                bytes[6 + 8] = bytes[6 + 9] = bytes[6 + 10] = bytes[6 + 11] = 0;
            else if (kind == QStringLiteral("notimage"))
                bytes.replace(22, 8, QByteArray(8, 'x'));
            else
                bytes = "not an icon at all";
            ico = m_dir.filePath(QStringLiteral("refused/bad.ico"));
            QVERIFY(producttools::writeFile(ico, bytes));
        }
        const QStringList before = filesIn(QFileInfo(exe).path());

        const Edit edit = runEditor(add ? addArguments(exe, ico) : deleteArguments(exe));
        QVERIFY2(edit.exitCode > 0, edit.standardError.constData());
        QCOMPARE(edit.standardError.count('\n'), 1);
        QVERIFY(edit.standardError.endsWith('\n'));
        QCOMPARE(producttools::readFile(exe), target);
        QCOMPARE(filesIn(QFileInfo(exe).path()), before);
    }

    void acceptsOnlyTheTwoArgumentLists_data()
    {
        QTest::addColumn<QStringList>("arguments");
        const QString exe = QStringLiteral("@exe");
        const QString ico = fixture(QStringLiteral("multi.ico"));
        const QStringList add = addArguments(exe, ico);
        const QStringList del = deleteArguments(exe);
        QTest::newRow("none") << QStringList();
        QTest::newRow("log missing") << add.mid(0, 10);
        QTest::newRow("extra argument") << (del + QStringList{QStringLiteral("-x")});
        QStringList wrongMask = add;
        wrongMask[9] = QStringLiteral("ICONGROUP,");
        QTest::newRow("add with the delete mask") << wrongMask;
        QStringList wrongAction = del;
        wrongAction[5] = QStringLiteral("modify");
        QTest::newRow("unknown action") << wrongAction;
        QStringList swapped = del;
        swapped.swapItemsAt(0, 2);
        QTest::newRow("switches out of order") << swapped;
        QStringList deleteWithResource = add;
        deleteWithResource[5] = QStringLiteral("delete");
        QTest::newRow("delete with a resource") << deleteWithResource;
    }
    void acceptsOnlyTheTwoArgumentLists()
    {
        QFETCH(QStringList, arguments);
        const QString exe = freshProduct(QStringLiteral("arguments"), m_product);
        arguments.replaceInStrings(QStringLiteral("@exe"), exe);
        const Edit edit = runEditor(arguments);
        QCOMPARE(edit.exitCode, 2);
        QCOMPARE(edit.standardError.count('\n'), 1);
        QCOMPARE(producttools::readFile(exe), m_product);
    }
};

QTEST_GUILESS_MAIN(tst_ResEditor)
#include "tst_reseditor.moc"
