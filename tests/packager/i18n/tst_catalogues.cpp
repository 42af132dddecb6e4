// Catalogues of Crateforge: the compiled catalogues embedded in the bundle load,
// translate key texts as intended, keep the form of every source text, and the
// source language's catalogue translates nothing.
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTime>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

const QString kCatalogue = QStringLiteral(":/translations/lang_%1.qm");
const QString kCatalogueSource = QStringLiteral(":/translations/lang_%1.ts");

// Characters that only Simplified Chinese writes this way; none may be left in
// the Traditional Chinese catalogue.
const QString kSimplifiedOnly = QStringLiteral("连设发务选择压缩认错误显图标开关闭时间单线为这级载输区据项");

struct Message
{
    QString context;
    QString source;
    QString translation;
};

// Reads the catalogue source carried beside the compiled catalogue, which the
// build compiles the .qm from.
QList<Message> readSource(const QString &language)
{
    QList<Message> messages;
    QFile file(kCatalogueSource.arg(language));
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("message"))
            current = Message{context, {}, {}};
        else if (xml.name() == QLatin1String("source"))
            current.source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            current.translation = xml.readElementText();
            messages.append(current);
        }
    }
    return messages;
}

QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%L?\\d+|<[^>]+>|\\n"));
    QStringList found;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    found.sort();
    return found;
}

bool hasCjk(const QString &text)
{
    for (QChar c : text) {
        const ushort u = c.unicode();
        if ((u >= 0x4e00 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef) || (u >= 0x3000 && u <= 0x303f))
            return true;
    }
    return false;
}

} // namespace

class tst_Catalogues : public QObject
{
    Q_OBJECT

private slots:
    void loads_data();
    void loads();
    void keyTexts_data();
    void keyTexts();
    void sourceLanguageTranslatesNothing_data();
    void sourceLanguageTranslatesNothing();
    void everyMessage_data();
    void everyMessage();
};

void tst_Catalogues::loads_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("empty");
    QTest::newRow("zh_CN") << QStringLiteral("zh_CN") << true;
    QTest::newRow("zh_TW") << QStringLiteral("zh_TW") << false;
    QTest::newRow("en_US") << QStringLiteral("en_US") << false;
}

void tst_Catalogues::loads()
{
    QFETCH(QString, language);
    QFETCH(bool, empty);
    const QString path = kCatalogue.arg(language);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    QTranslator translator;
    QVERIFY2(translator.load(path), qPrintable(path));
    QCOMPARE(translator.isEmpty(), empty);
    if (!empty) {
        // Every message of the catalogue source is finished and present.
        const QList<Message> messages = readSource(language);
        QVERIFY(!messages.isEmpty());
        QFile file(kCatalogueSource.arg(language));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(!text.contains("type=\"unfinished\""), "unfinished messages left");
        QVERIFY2(!text.contains("type=\"vanished\"") && !text.contains("type=\"obsolete\""), "stale messages left");
    }
}

void tst_Catalogues::keyTexts_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zh_TW window title") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("匣坊") << QStringLiteral("匣坊");
    QTest::newRow("zh_TW start") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("开始制作") << QStringLiteral("開始製作");
    QTest::newRow("zh_TW choose") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("选择") << QStringLiteral("選擇");
    QTest::newRow("zh_TW source folder") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("源文件夹") << QStringLiteral("來源資料夾");
    QTest::newRow("zh_TW normal level") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("标准") << QStringLiteral("標準");
    QTest::newRow("zh_TW store level") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("存储") << QStringLiteral("儲存");
    QTest::newRow("zh_TW lzma") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("LZMA") << QStringLiteral("LZMA");
    QTest::newRow("zh_TW dictionary") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("64 KB") << QStringLiteral("64 KB");
    QTest::newRow("zh_TW reset") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("一键重置") << QStringLiteral("一鍵重設");
    QTest::newRow("zh_TW quit question") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("确定要退出 匣坊 吗？") << QStringLiteral("確定要結束 匣坊 嗎？");
    QTest::newRow("zh_TW missing program") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("选择的主程序不存在于源文件夹中！\n请重新选择主程序。") << QStringLiteral("選擇的主程式不在來源資料夾中！\n請重新選擇主程式。");
    QTest::newRow("zh_TW exe filter") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("可执行文件 (*.exe)") << QStringLiteral("可執行檔 (*.exe)");
    QTest::newRow("zh_TW error title") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("错误") << QStringLiteral("錯誤");
    QTest::newRow("zh_TW about title") << QStringLiteral("zh_TW") << "AboutDialog" << QStringLiteral("关于匣坊") << QStringLiteral("關於匣坊");
    QTest::newRow("zh_TW about heading") << QStringLiteral("zh_TW") << "AboutDialog" << QStringLiteral("<h2>匣坊</h2>") << QStringLiteral("<h2>匣坊</h2>");
    QTest::newRow("zh_TW about version") << QStringLiteral("zh_TW") << "AboutDialog" << QStringLiteral("版本: 1.0.6.02") << QStringLiteral("版本: 1.0.6.02");
    QTest::newRow("en_US window title") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("匣坊") << QStringLiteral("Crateforge");
    QTest::newRow("en_US start") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("开始制作") << QStringLiteral("Build");
    QTest::newRow("en_US choose") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("选择") << QStringLiteral("Browse");
    QTest::newRow("en_US source folder") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("源文件夹") << QStringLiteral("Source folder");
    QTest::newRow("en_US normal level") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("标准") << QStringLiteral("Normal");
    QTest::newRow("en_US store level") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("存储") << QStringLiteral("Store");
    QTest::newRow("en_US lzma") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("LZMA") << QStringLiteral("LZMA");
    QTest::newRow("en_US dictionary") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("64 KB") << QStringLiteral("64 KB");
    QTest::newRow("en_US reset") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("一键重置") << QStringLiteral("Reset");
    QTest::newRow("en_US quit question") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("确定要退出 匣坊 吗？") << QStringLiteral("Quit Crateforge?");
    QTest::newRow("en_US missing program") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("选择的主程序不存在于源文件夹中！\n请重新选择主程序。") << QStringLiteral("The main program is not in the source folder!\nPlease choose it again.");
    QTest::newRow("en_US exe filter") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("可执行文件 (*.exe)") << QStringLiteral("Executables (*.exe)");
    QTest::newRow("en_US error title") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("错误") << QStringLiteral("Error");
    QTest::newRow("en_US about title") << QStringLiteral("en_US") << "AboutDialog" << QStringLiteral("关于匣坊") << QStringLiteral("About Crateforge");
    QTest::newRow("en_US about heading") << QStringLiteral("en_US") << "AboutDialog" << QStringLiteral("<h2>匣坊</h2>") << QStringLiteral("<h2>Crateforge</h2>");
    QTest::newRow("en_US about version") << QStringLiteral("en_US") << "AboutDialog" << QStringLiteral("版本: 1.0.6.02") << QStringLiteral("Version: 1.0.6.02");
}

void tst_Catalogues::keyTexts()
{
    QFETCH(QString, language);
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QTranslator translator;
    QVERIFY(translator.load(kCatalogue.arg(language)));
    QCOMPARE(translator.translate(context.toUtf8().constData(), source.toUtf8().constData()), expected);
}

void tst_Catalogues::sourceLanguageTranslatesNothing_data()
{
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    for (const Message &m : readSource(QStringLiteral("zh_TW")))
        QTest::newRow(qPrintable(m.context + QLatin1Char(' ') + m.source)) << m.context << m.source;
}

void tst_Catalogues::sourceLanguageTranslatesNothing()
{
    QFETCH(QString, context);
    QFETCH(QString, source);
    QTranslator translator;
    QVERIFY(translator.load(kCatalogue.arg(QStringLiteral("zh_CN"))));
    QVERIFY(translator.translate(context.toUtf8().constData(), source.toUtf8().constData()).isEmpty());
}

void tst_Catalogues::everyMessage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");
    for (const QString &language : {QStringLiteral("zh_TW"), QStringLiteral("en_US")}) {
        const QList<Message> messages = readSource(language);
        QVERIFY2(!messages.isEmpty(), qPrintable(language));
        for (const Message &m : messages)
            QTest::newRow(qPrintable(language + QLatin1Char(' ') + m.context + QLatin1Char(' ') + m.source))
                << language << m.context << m.source << m.translation;
    }
}

void tst_Catalogues::everyMessage()
{
    QFETCH(QString, language);
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, translation);
    const bool english = language == QLatin1String("en_US");
    // Language names in the language menu are shown in their own language.
    const QStringList ownLanguage{QStringLiteral("简体中文"), QStringLiteral("繁體中文"), QStringLiteral("English")};

    QVERIFY2(!translation.isEmpty(), "no translation");
    QTranslator translator;
    QVERIFY(translator.load(kCatalogue.arg(language)));
    QCOMPARE(translator.translate(context.toUtf8().constData(), source.toUtf8().constData()), translation);

    QCOMPARE(placeholders(translation), placeholders(source));
    if (source.endsWith(QChar(0xff1a)))
        QVERIFY2(english ? translation.endsWith(QLatin1String(": ")) : translation.endsWith(QChar(0xff1a)),
                 qPrintable(translation));
    else if (source.endsWith(QLatin1Char(' ')))
        QVERIFY2(translation.endsWith(QLatin1Char(' ')), qPrintable(translation));
    else
        QVERIFY2(!translation.endsWith(QLatin1Char(' ')), qPrintable(translation));
    QCOMPARE(translation.startsWith(QLatin1Char(' ')), source.startsWith(QLatin1Char(' ')));
    QCOMPARE(translation.startsWith(QLatin1Char('/')), source.startsWith(QLatin1Char('/')));

    if (!ownLanguage.contains(source)) {
        if (english) {
            QVERIFY2(!hasCjk(translation), qPrintable(translation));
        } else {
            for (QChar c : kSimplifiedOnly)
                QVERIFY2(!translation.contains(c), qPrintable(translation));
        }
    }

    if (source.contains(QLatin1String("yyyy"))) {
        // A date pattern must still be one: every field is filled in.
        const QString shown = QDateTime(QDate(2026, 12, 8), QTime(20, 1, 9)).toString(translation);
        for (const char *part : {"2026", "12", "08", "20-01-09"})
            QVERIFY2(shown.contains(QLatin1String(part)), qPrintable(shown));
        QVERIFY2(!shown.contains(QRegularExpression(QStringLiteral("[yMdhms]"))), qPrintable(shown));
    }
}

QTEST_GUILESS_MAIN(tst_Catalogues)
#include "tst_catalogues.moc"
