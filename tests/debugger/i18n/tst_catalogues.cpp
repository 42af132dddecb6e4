// Catalogues of Wrenpost: the compiled catalogues embedded in the bundle load,
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
    QTest::newRow("zh_TW window title") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("雁桥") << QStringLiteral("雁橋");
    QTest::newRow("zh_TW connect") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("连接") << QStringLiteral("連線");
    QTest::newRow("zh_TW disconnect") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("断开") << QStringLiteral("中斷");
    QTest::newRow("zh_TW open port") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("打开串口") << QStringLiteral("開啟序列埠");
    QTest::newRow("zh_TW close port") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("关闭串口") << QStringLiteral("關閉序列埠");
    QTest::newRow("zh_TW open") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("打开") << QStringLiteral("開啟");
    QTest::newRow("zh_TW close") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("关闭") << QStringLiteral("關閉");
    QTest::newRow("zh_TW send") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("发送") << QStringLiteral("傳送");
    QTest::newRow("zh_TW hex send") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("HEX发送") << QStringLiteral("HEX傳送");
    QTest::newRow("zh_TW hex display") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("HEX显示") << QStringLiteral("HEX顯示");
    QTest::newRow("zh_TW show time") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("显示时间") << QStringLiteral("顯示時間");
    QTest::newRow("zh_TW line per entry") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("换行显示") << QStringLiteral("換行顯示");
    QTest::newRow("zh_TW loop send") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("循环发送") << QStringLiteral("循環傳送");
    QTest::newRow("zh_TW clear") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("清空") << QStringLiteral("清除");
    QTest::newRow("zh_TW save") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("保存") << QStringLiteral("儲存");
    QTest::newRow("zh_TW received count") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("累计接收：") << QStringLiteral("累計接收：");
    QTest::newRow("zh_TW sent count") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("累计发送：") << QStringLiteral("累計傳送：");
    QTest::newRow("zh_TW received zero") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("累计接收：0") << QStringLiteral("累計接收：0");
    QTest::newRow("zh_TW parity") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("校验位 ") << QStringLiteral("同位元 ");
    QTest::newRow("zh_TW server title") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("雁桥 - TCP服务器") << QStringLiteral("雁橋 - TCP伺服器");
    QTest::newRow("zh_TW serial title") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("雁桥 - 串口") << QStringLiteral("雁橋 - 序列埠");
    QTest::newRow("zh_TW udp") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("UDP") << QStringLiteral("UDP");
    QTest::newRow("zh_TW ms") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("ms") << QStringLiteral("ms");
    QTest::newRow("zh_TW quit question") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("确定要退出雁桥吗？") << QStringLiteral("確定要結束雁橋嗎？");
    QTest::newRow("zh_TW file name pattern") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("/yyyy年MM月dd日hh-mm-ss") << QStringLiteral("/yyyy年MM月dd日hh-mm-ss");
    QTest::newRow("zh_TW language name") << QStringLiteral("zh_TW") << "MainWindow" << QStringLiteral("English") << QStringLiteral("English");
    QTest::newRow("zh_TW about title") << QStringLiteral("zh_TW") << "AboutDialog" << QStringLiteral("关于雁桥") << QStringLiteral("關於雁橋");
    QTest::newRow("zh_TW about heading") << QStringLiteral("zh_TW") << "AboutDialog" << QStringLiteral("<h2>雁桥</h2>") << QStringLiteral("<h2>雁橋</h2>");
    QTest::newRow("zh_TW about version") << QStringLiteral("zh_TW") << "AboutDialog" << QStringLiteral("版本: 1.0.4.02") << QStringLiteral("版本: 1.0.4.02");
    QTest::newRow("en_US window title") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("雁桥") << QStringLiteral("Wrenpost");
    QTest::newRow("en_US connect") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("连接") << QStringLiteral("Connect");
    QTest::newRow("en_US disconnect") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("断开") << QStringLiteral("Disconnect");
    QTest::newRow("en_US open port") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("打开串口") << QStringLiteral("Open port");
    QTest::newRow("en_US close port") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("关闭串口") << QStringLiteral("Close port");
    QTest::newRow("en_US open") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("打开") << QStringLiteral("Open");
    QTest::newRow("en_US close") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("关闭") << QStringLiteral("Close");
    QTest::newRow("en_US send") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("发送") << QStringLiteral("Send");
    QTest::newRow("en_US hex send") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("HEX发送") << QStringLiteral("Hex send");
    QTest::newRow("en_US hex display") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("HEX显示") << QStringLiteral("Hex display");
    QTest::newRow("en_US show time") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("显示时间") << QStringLiteral("Show time");
    QTest::newRow("en_US line per entry") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("换行显示") << QStringLiteral("Line per entry");
    QTest::newRow("en_US loop send") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("循环发送") << QStringLiteral("Loop send");
    QTest::newRow("en_US clear") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("清空") << QStringLiteral("Clear");
    QTest::newRow("en_US save") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("保存") << QStringLiteral("Save");
    QTest::newRow("en_US received count") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("累计接收：") << QStringLiteral("Received: ");
    QTest::newRow("en_US sent count") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("累计发送：") << QStringLiteral("Sent: ");
    QTest::newRow("en_US received zero") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("累计接收：0") << QStringLiteral("Received: 0");
    QTest::newRow("en_US parity") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("校验位 ") << QStringLiteral("Parity ");
    QTest::newRow("en_US server title") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("雁桥 - TCP服务器") << QStringLiteral("Wrenpost - TCP server");
    QTest::newRow("en_US serial title") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("雁桥 - 串口") << QStringLiteral("Wrenpost - Serial");
    QTest::newRow("en_US udp") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("UDP") << QStringLiteral("UDP");
    QTest::newRow("en_US ms") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("ms") << QStringLiteral("ms");
    QTest::newRow("en_US quit question") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("确定要退出雁桥吗？") << QStringLiteral("Quit Wrenpost?");
    QTest::newRow("en_US file name pattern") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("/yyyy年MM月dd日hh-mm-ss") << QStringLiteral("/yyyy-MM-dd hh-mm-ss");
    QTest::newRow("en_US language name") << QStringLiteral("en_US") << "MainWindow" << QStringLiteral("English") << QStringLiteral("English");
    QTest::newRow("en_US about title") << QStringLiteral("en_US") << "AboutDialog" << QStringLiteral("关于雁桥") << QStringLiteral("About Wrenpost");
    QTest::newRow("en_US about heading") << QStringLiteral("en_US") << "AboutDialog" << QStringLiteral("<h2>雁桥</h2>") << QStringLiteral("<h2>Wrenpost</h2>");
    QTest::newRow("en_US about version") << QStringLiteral("en_US") << "AboutDialog" << QStringLiteral("版本: 1.0.4.02") << QStringLiteral("Version: 1.0.4.02");
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
