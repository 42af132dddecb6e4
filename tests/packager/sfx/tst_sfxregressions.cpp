// Replays every product kept in regressions/ (inputs that once crashed, hung
// or were wrongly accepted): the dry run refuses each one quickly and with a
// reason, and a real run of it, with the checked program as its module,
// refuses it with one line naming its Title and writes nothing outside its
// install folder.
#include "extractor.h"
#include "productlayout.h"
#include "sfxproducts.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace sfxproducts;

class SfxRegressionsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void casesAreThere()
    {
        QVERIFY(!QDir(QStringLiteral(SFX_REGRESSIONS)).entryList(QDir::Files).isEmpty());
    }

    void replay_data()
    {
        QTest::addColumn<QString>("file");
        const QDir folder(QStringLiteral(SFX_REGRESSIONS));
        for (const QString &name : folder.entryList(QDir::Files, QDir::Name))
            QTest::addRow("%s", qPrintable(name)) << folder.filePath(name);
    }

    void replay()
    {
        QFETCH(QString, file);
        const QByteArray bytes = readFile(file);
        const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
        QElapsedTimer timer;
        timer.start();
        const sfx::Extraction check = sfx::checkProduct(data, std::size_t(bytes.size()));
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!check.ok);
        QVERIFY(!check.error.empty());
        QVERIFY(check.error.find('\n') == std::string::npos);

        // The same product behind the checked program, run.
        const auto read = productlayout::memoryReader(data, std::size_t(bytes.size()));
        const productlayout::ModuleResult module = productlayout::parseModule(read, std::uint64_t(bytes.size()));
        if (module.status != productlayout::Status::Ok)
            return; // nothing that could follow a module
        QString title = QStringLiteral("app.exe");
        const productlayout::ParseResult layout = productlayout::parse(read, std::uint64_t(bytes.size()));
        if (layout.status == productlayout::Status::Ok) {
            const auto keys = productlayout::parseConfig(std::string_view(
                bytes.constData() + layout.layout.configOffset, std::size_t(layout.layout.configLength)));
            if (const auto it = keys.find("Title"); it != keys.end() && !it->second.empty())
                title = QString::fromStdString(it->second);
            // A real run only where the product installs below its temporary folder.
            if (const auto it = keys.find("InstallPath"); it != keys.end() && it->second.rfind("%%T", 0) != 0)
                return;
        }
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString run = dir.filePath(QStringLiteral("run"));
        QVERIFY(QDir().mkpath(run));
        QCOMPARE(::chmod(QFile::encodeName(run).constData(), 0700), 0);
        QVERIFY(writeFile(dir.filePath(QStringLiteral("sentinel/keep.txt")), "sentinel\n"));
        const QString product = dir.filePath(QStringLiteral("app.exe"));
        QVERIFY(writeFile(product, readFile(QStringLiteral(SFX_CHECKED)) + bytes.mid(qsizetype(module.moduleLength)),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const auto before = snapshot(dir.path(), run);
        const Outcome outcome = runProduct(product, run);
        const QString err = QString::fromUtf8(outcome.err);
        QVERIFY2(outcome.finished, qPrintable(err));
        QVERIFY(outcome.exitCode != 0);
        QVERIFY2(err.endsWith(QLatin1Char('\n')) && err.count(QLatin1Char('\n')) == 1, qPrintable(err));
        QVERIFY2(err.startsWith(title + QStringLiteral(": ")), qPrintable(err));
        QCOMPARE(snapshot(dir.path(), run), before);
        QVERIFY(leftoverTemporaries(run).isEmpty());
    }
};

QTEST_GUILESS_MAIN(SfxRegressionsTest)
#include "tst_sfxregressions.moc"
