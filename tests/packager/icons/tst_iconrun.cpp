#include "iconfixtures.h"
#include "imagecompare.h"
#include "producttools.h"
#include "toolfolder.h"
#include "worker.h"

#include <QBuffer>
#include <QImageReader>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// Whole packaging runs: which icon the product ends up with, and that it
// always runs, whatever happens in the icon phase.
class tst_IconRun : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_carriedEditor; // a stand-in the worker is to take for its own

    static QString fixture(const QString &name) { return QStringLiteral(ICON_FIXTURE_DIR "/") + name; }

    struct Run
    {
        QList<bool> finished;
        QStringList log;
        QByteArray product;
        QString productPath;
    };

    Run packageFolder(const QString &name, const QByteArray &mainProgram, const QString &iconPath)
    {
        const QString source = m_dir.filePath(name + QStringLiteral("/source"));
        const QString output = m_dir.filePath(name + QStringLiteral("/output"));
        QDir().mkpath(source);
        QDir().mkpath(output);
        producttools::writeFile(source + QStringLiteral("/app.exe"), mainProgram);
        QFile::setPermissions(source + QStringLiteral("/app.exe"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        Worker worker;
        Worker::Timing timing;
        timing.iconCachePauseMs = 0;
        timing.afterIconPauseMs = 0;
        worker.setTiming(timing);
        Worker::ToolSources tools;
        if (!m_carriedEditor.isEmpty())
            tools.editor = m_carriedEditor;
        worker.setToolSources(tools);
        Run run;
        connect(&worker, &Worker::logMessage, &worker, [&run](const QString &line) { run.log << line; });
        connect(&worker, &Worker::finished, &worker, [&run](bool ok) { run.finished << ok; });
        worker.createPortableApp(source, m_dir.filePath(name + QStringLiteral("/temp.7z")), output,
                                 QStringLiteral("app.exe"), iconPath, QStringLiteral("5"), QStringLiteral("LZMA2"),
                                 QString());
        run.productPath = output + QStringLiteral("/app.exe");
        run.product = producttools::readFile(run.productPath);
        return run;
    }

    // The probe program with an icon block behind its ELF image: a main
    // program that carries an icon and still runs here.
    static QByteArray mainProgram(const QString &ico)
    {
        const QByteArray program = producttools::readFile(QStringLiteral(ICON_PROBE_APP));
        return ico.isEmpty() ? program : program + producttools::iconBlock(producttools::readFile(fixture(ico)));
    }

    void checkRuns(const Run &run)
    {
        QCOMPARE(run.finished, QList<bool>{true});
        QVERIFY(run.log.contains(QStringLiteral("输出文件: %1").arg(run.productPath)));
        const producttools::Run result = producttools::runProgram(run.productPath, {QStringLiteral("go")});
        QVERIFY2(producttools::ranProbe(result), result.output.constData());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QByteArray plain = producttools::makeProduct(m_dir.filePath(QStringLiteral("baseline")), QStringLiteral("app"));
        QVERIFY(!plain.isEmpty());
        const QString path = m_dir.filePath(QStringLiteral("baseline/app.exe"));
        producttools::writeFile(path, plain);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const producttools::Run baseline = producttools::runProgram(path);
        QVERIFY2(producttools::ranProbe(baseline), baseline.output.constData());
    }

    void init()
    {
        m_carriedEditor.clear();
        QFile::remove(toolFolderPath() + QStringLiteral("/ResourceHacker.exe"));
    }

    void userIconValid()
    {
        const Run run = packageFolder(QStringLiteral("valid"), mainProgram(QStringLiteral("multi.ico")),
                                      fixture(QStringLiteral("png256x128.ico")));
        QVERIFY(run.log.contains(QStringLiteral("使用用户提供的图标文件")));
        QVERIFY(run.log.contains(QStringLiteral("图标替换成功！")));
        QVERIFY(!run.log.contains(QStringLiteral("尝试从主程序提取图标...")));
        QCOMPARE(producttools::productIcon(run.product), producttools::readFile(fixture(QStringLiteral("png256x128.ico"))));
        checkRuns(run);
    }

    // Without a usable icon of the user's, the product takes the main
    // program's icon, rendered from its small image and scaled to 256 x 256.
    void fallsBackToMainProgram_data()
    {
        QTest::addColumn<QString>("iconPath");
        QTest::addColumn<QString>("warning");
        QTest::newRow("invalid icon file") << QStringLiteral("@bad") << QStringLiteral("警告：提供的图标文件无效，将尝试从主程序提取图标");
        QTest::newRow("missing icon file") << fixture(QStringLiteral("none.ico")) << QString();
        QTest::newRow("no icon given") << QString() << QString();
    }
    void fallsBackToMainProgram()
    {
        QFETCH(QString, iconPath);
        QFETCH(QString, warning);
        if (iconPath == QStringLiteral("@bad")) {
            iconPath = m_dir.filePath(QStringLiteral("bad.ico"));
            producttools::writeFile(iconPath, QByteArray("\0\0\1\0\1\0garbage", 13));
        }
        const Run run = packageFolder(QStringLiteral("fallback"), mainProgram(QStringLiteral("multi.ico")), iconPath);
        if (!warning.isEmpty())
            QVERIFY(run.log.contains(warning));
        QVERIFY(!run.log.filter(QStringLiteral("警告：无法打开图标文件")).size());
        QVERIFY(run.log.contains(QStringLiteral("成功从主程序提取图标")));
        QVERIFY(run.log.contains(QStringLiteral("图标替换成功！")));

        const QImage icon = QImage::fromData(producttools::productIcon(run.product), "ICO");
        const QImage expected = fixtures::expectedImage(fixtures::Kind::Bmp32Alpha, 1, 16, 16)
                                    .scaled(QSize(256, 256), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const QString difference = imageDifference(icon, expected, 3);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        checkRuns(run);
    }

    // An image chosen as the icon becomes an ICO of 256, 48, 32 and 16 pixels.
    void imageIcons_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("PNG") << QByteArray("PNG");
        QTest::newRow("SVG, drawn at 256 px") << QByteArray("SVG");
    }
    void imageIcons()
    {
        QFETCH(QByteArray, format);
        const QString iconPath = m_dir.filePath(QStringLiteral("icon.") + QString::fromLatin1(format).toLower());
        if (format == "SVG") {
            producttools::writeFile(iconPath, "<svg xmlns='http://www.w3.org/2000/svg' width='20' height='10'>"
                                              "<rect width='20' height='10' fill='#0000ff'/></svg>");
        } else {
            QImage image(64, 32, QImage::Format_RGB32);
            image.fill(QColor(0, 0, 255));
            QVERIFY(image.save(iconPath, format.constData()));
        }
        const Run run = packageFolder(QStringLiteral("image"), mainProgram(QString()), iconPath);
        QVERIFY(run.log.contains(QStringLiteral("已将图标图片转换为ICO格式（256、48、32、16像素）")));
        QVERIFY(run.log.contains(QStringLiteral("图标替换成功！")));
        const QByteArray ico = producttools::productIcon(run.product);
        QBuffer buffer;
        buffer.setData(ico);
        QImageReader reader(&buffer, "ICO");
        QList<QSize> sizes;
        do {
            const QImage image = reader.read();
            QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
            sizes << image.size();
            // Centred, proportions kept: blue in the middle, clear above.
            QVERIFY(qAbs(image.pixelColor(image.width() / 2, image.height() / 2).blue() - 255) < 8);
            QCOMPARE(image.pixelColor(image.width() / 2, 0).alpha(), 0);
        } while (reader.jumpToNextImage());
        QCOMPARE(sizes, (QList<QSize>{{256, 256}, {48, 48}, {32, 32}, {16, 16}}));
        checkRuns(run);
    }

    void noIconAnywhere_data()
    {
        QTest::addColumn<QString>("iconPath");
        QTest::newRow("no icon given") << QString();
        QTest::newRow("invalid icon file") << fixture(QStringLiteral("x86_64/multi.exe"));
    }
    void noIconAnywhere()
    {
        QFETCH(QString, iconPath);
        const Run run = packageFolder(QStringLiteral("none"), mainProgram(QString()), iconPath);
        QVERIFY(run.log.contains(QStringLiteral("主程序没有图标，制作出的程序将不带图标")));
        QVERIFY(!run.log.contains(QStringLiteral("警告：无法从EXE提取图标")));
        QVERIFY(producttools::productIcon(run.product).isEmpty());
        checkRuns(run);
    }

    // A failing icon step costs only the icon.
    void iconStepFailureStillRuns()
    {
        const QString editor = toolFolderPath() + QStringLiteral("/ResourceHacker.exe");
        QVERIFY(producttools::writeFile(editor, "#!/bin/sh\nexit 1\n"));
        QVERIFY(QFile::setPermissions(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        m_carriedEditor = editor;
        const Run run = packageFolder(QStringLiteral("failing"), mainProgram(QString()),
                                      fixture(QStringLiteral("png16.ico")));
        QVERIFY(run.log.contains(QStringLiteral("错误：ResourceHacker添加新图标失败")));
        QVERIFY(run.log.contains(QStringLiteral("警告：图标替换失败")));
        QVERIFY(producttools::productIcon(run.product).isEmpty());
        checkRuns(run);
    }
};

QTEST_MAIN(tst_IconRun)
#include "tst_iconrun.moc"
