// The compiled catalogues embedded in a program's bundle load, translate the
// program's key texts (keytexts.cpp beside each program's tests.cmake) as
// intended, keep the form of every source text, and the source language's
// catalogue translates nothing.
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

// Rows (language, context, source, expected) of the program under test.
void addKeyTextRows();

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
    addKeyTextRows();
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
