// The receive areas of both pages: the shared rules as rows, and what a real
// window shows when several batches, or a burst of them, arrive together.

#include "../window/localhost_guard.h"
#include "../windowstores.h"
#include "hexcodec.h"
#include "longwordwrap.h"
#include "receivepage.h"
#include "stylesheet.h"

#include <QCheckBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTextBlock>
#include <QTest>
#include <QTextBrowser>

#include <limits>

namespace {

// The area's text with each whole time-stamp line of the page written as "@".
QString withStampsMarked(const QString &text, const ReceivePage &page)
{
    const QRegularExpression stamp(QStringLiteral("\\d{4}\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}")
                                   + QRegularExpression::escape(QString::fromUtf8(page.stampLabel)));
    return QString(text).replace(stamp, QStringLiteral("@"));
}

struct Window : ReceiveWindow
{
    Window(int page, bool hex, bool stamps, bool lines) : ReceiveWindow(page)
    {
        check(this->page.hex, hex);
        check(this->page.stamps, stamps);
        check(this->page.lines, lines);
    }
    QString shown() const { return withStampsMarked(display->plainText(), page); }
};

} // namespace

class tst_ReceiveDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { SKIP_UNLESS_LOCAL_HOST_NAME_IS_LOCAL(); }
    void init() { clearWrenpostStores(); }

    void counters_data();
    void counters();
    void stampLines_data();
    void stampLines();
    void batchesWithinOneFrame_data();
    void batchesWithinOneFrame();
    void sentEchoesStandApart_data();
    void sentEchoesStandApart();
    void burstOfSmallBatches_data();
    void burstOfSmallBatches();
    void clearDropsWhatIsGathered_data();
    void clearDropsWhatIsGathered();
    void longWordsWrapAnywhere_data();
    void longWordsWrapAnywhere();
    void partLengths_data();
    void partLengths();
    void longBatchInParts_data();
    void longBatchInParts();
    void clearWithFullArea_data();
    void clearWithFullArea();
    void endlessParagraphKeptShort_data();
    void endlessParagraphKeptShort();
};

void tst_ReceiveDisplay::counters_data()
{
    QTest::addColumn<bool>("sixteenBits");
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("added");
    QTest::addColumn<QString>("shown");

    QTest::newRow("16 bits, 70 000") << true << qint64(0) << qint64(70000) << QStringLiteral("4464");
    QTest::newRow("16 bits, last value + 1") << true << qint64(65535) << qint64(1) << QStringLiteral("0");
    QTest::newRow("32 bits, past the signed range") << false << qint64(std::numeric_limits<qint32>::max()) << qint64(1)
                                                    << QStringLiteral("2147483648");
    QTest::newRow("32 bits, last value + 1") << false << qint64(-1) << qint64(1) << QStringLiteral("0");
    QTest::newRow("32 bits, 5 GB") << false << qint64(0) << qint64(5000000000) << QStringLiteral("705032704");
}

void tst_ReceiveDisplay::counters()
{
    QFETCH(bool, sixteenBits);
    QFETCH(qint64, start);
    QFETCH(qint64, added);
    QFETCH(QString, shown);

    if (sixteenBits)
        QCOMPARE(countText(addToCount(quint16(start), added)), shown);
    else
        QCOMPARE(countText(addToCount(qint32(start), added)), shown);
}

void tst_ReceiveDisplay::stampLines_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("line");

    // Labels are written as they stand, even where they hold pattern letters.
    QTest::newRow("network receive") << QTime(9, 5, 2, 41) << QStringLiteral("   Recive")
                                     << QStringLiteral("2025.03.07 09:05:02.041   Recive");
    QTest::newRow("serial send, afternoon") << QTime(21, 5, 2, 4) << QStringLiteral("  Send：")
                                            << QStringLiteral("2025.03.07 21:05:02.004  Send：");
    QTest::newRow("server status line") << QTime(0, 0) << QString() << QStringLiteral("2025.03.07 00:00:00.000");
}

void tst_ReceiveDisplay::stampLines()
{
    QFETCH(QTime, time);
    QFETCH(QString, label);
    QFETCH(QString, line);

    QCOMPARE(stampLine(QDateTime(QDate(2025, 3, 7), time), label), line);
}

void tst_ReceiveDisplay::batchesWithinOneFrame_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<bool>("stamps");
    QTest::addColumn<bool>("lines");
    QTest::addColumn<QList<QByteArray>>("batches");
    QTest::addColumn<QString>("shown");

    // A line end split between two batches is two line ends; markup is text.
    const QList<QByteArray> split{"a<b>", "x\r", "\ny"};
    const QList<QByteArray> markup{"<b>x</b>", "&amp;", "<img src=x>", "a<br>b"};
    for (int page = 0; page < 2; ++page) {
        auto row = [page](const char *name) -> QTestData & {
            return QTest::addRow("%s, %s", kReceivePages[page].name, name) << page;
        };
        row("text") << false << false << false << split << QStringLiteral("a<b>x\n\ny");
        row("text, lines") << false << false << true << split << QStringLiteral("a<b>\nx\n\n\ny");
        row("text, stamps") << false << true << false << split << QStringLiteral("@a<b>\n@x\n\n@\ny");
        row("text, stamps, lines") << false << true << true << split << QStringLiteral("@\na<b>\n@\nx\n\n@\n\ny");
        row("hex") << true << false << false << split << QStringLiteral("61 3c 62 3e78 0d0a 79");
        row("hex, lines") << true << false << true << split << QStringLiteral("61 3c 62 3e\n78 0d\n0a 79");
        row("hex, stamps") << true << true << false << split << QStringLiteral("@61 3c 62 3e\n@78 0d\n@0a 79");
        row("hex, stamps, lines") << true << true << true << split
                                  << QStringLiteral("@\n61 3c 62 3e\n@\n78 0d\n@\n0a 79");
        row("markup") << false << false << false << markup << QStringLiteral("<b>x</b>&amp;<img src=x>a<br>b");
        row("markup, lines") << false << false << true << markup
                             << QStringLiteral("<b>x</b>\n&amp;\n<img src=x>\na<br>b");
    }
}

void tst_ReceiveDisplay::batchesWithinOneFrame()
{
    QFETCH(int, page);
    QFETCH(bool, hex);
    QFETCH(bool, stamps);
    QFETCH(bool, lines);
    QFETCH(QList<QByteArray>, batches);
    QFETCH(QString, shown);

    Window w(page, hex, stamps, lines);
    for (const QByteArray &batch : batches)
        w.deliver(batch);
    // Within a frame of their arrival, all of them, exactly.
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(w.shown(), shown, 1000);
    QVERIFY2(clock.elapsed() < 200, qPrintable(QString::number(clock.elapsed())));

    // What arrives afterwards joins the same way.
    w.deliver(batches.constLast());
    QTRY_VERIFY(w.shown().size() > shown.size());
    QVERIFY(w.shown().startsWith(shown));
}

void tst_ReceiveDisplay::sentEchoesStandApart_data()
{
    QTest::addColumn<int>("page");
    for (int page = 0; page < 2; ++page)
        QTest::newRow(kReceivePages[page].name) << page;
}

void tst_ReceiveDisplay::sentEchoesStandApart()
{
    QFETCH(int, page);
    QVERIFY(loadStyleSheet(*qApp));
    const auto unstyled = qScopeGuard([] { qApp->setStyleSheet(QString()); });
    Window w(page, false, false, false);
    w.deliver("in", Qt::DirectConnection);
    w.display->addSent(QStringLiteral("out"));
    w.deliver("after", Qt::DirectConnection);
    w.display->flush();
    const QColor sent = child<QWidget>(*w.area, "SentEcho")->palette().color(QPalette::WindowText);
    w.area->ensurePolished();
    QVERIFY(sent != w.area->palette().color(QPalette::Text));
    QStringList coloured;
    for (QTextBlock block = w.area->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().foreground().color() == sent)
                coloured << it.fragment().text();
    QCOMPARE(coloured, QStringList{QStringLiteral("out")});
    QCOMPARE(w.shown(), QStringLiteral("in\noutafter"));
}

void tst_ReceiveDisplay::burstOfSmallBatches_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("network") << 0;
    QTest::newRow("serial") << 1;
}

void tst_ReceiveDisplay::burstOfSmallBatches()
{
    QFETCH(int, page);
    constexpr int kBatches = 10000;

    Window w(page, false, true, true);
    // Queued as the transports' threads deliver them, all within a second.
    for (int i = 0; i < kBatches; ++i)
        w.deliver(QByteArray::number(i));

    QStringList expected;
    for (int i = 0; i < kBatches; ++i)
        expected << QStringLiteral("@") << QString::number(i);
    const QString whole = expected.join(QLatin1Char('\n'));
    QTRY_COMPARE_WITH_TIMEOUT(w.shown().size(), whole.size(), 20000);
    QCOMPARE(w.shown(), whole);
}

void tst_ReceiveDisplay::clearDropsWhatIsGathered_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("button");
    QTest::newRow("network, button") << 0 << true;
    QTest::newRow("network, the area emptied") << 0 << false;
    QTest::newRow("serial, button") << 1 << true;
    QTest::newRow("serial, the area emptied") << 1 << false;
}

// What arrived before the area was emptied does not come back after it.
void tst_ReceiveDisplay::clearDropsWhatIsGathered()
{
    QFETCH(int, page);
    QFETCH(bool, button);

    Window w(page, false, false, true);
    w.deliver("shown");
    QTRY_COMPARE(w.shown(), QStringLiteral("shown"));
    w.deliver("before");
    QCoreApplication::sendPostedEvents();
    if (button)
        w.window->findChild<QPushButton *>(QLatin1String(w.page.clearButton))->click();
    else
        w.area->clear();
    w.deliver("after");
    QTRY_COMPARE(w.shown(), QStringLiteral("after"));
    QTest::qWait(50);
    QCOMPARE(w.shown(), QStringLiteral("after"));
}

void tst_ReceiveDisplay::longWordsWrapAnywhere_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("anywhere");
    const qsizetype longWord = LongWordWrap::kLongWord;
    QTest::newRow("words") << QStringLiteral("lorem ipsum ").repeated(300) << false;
    QTest::newRow("hex pairs") << QStringLiteral("0a ").repeated(1000) << false;
    QTest::newRow("Chinese without a blank") << QStringLiteral("网络调试").repeated(500) << false;
    QTest::newRow("one letter short") << QString(longWord - 1, u'x') << false;
    QTest::newRow("long word") << QString(longWord, u'x') << true;
    QTest::newRow("joined by a no-break space")
        << QString(longWord / 2, u'x') + QChar::Nbsp + QString(longWord / 2, u'x') << true;
}

// A word longer than a line makes the area wrap anywhere until it is gone;
// the text shown stays as it came (a no-break space reads back as a blank).
void tst_ReceiveDisplay::longWordsWrapAnywhere()
{
    QFETCH(QString, text);
    QFETCH(bool, anywhere);

    Window w(0, false, false, true);
    w.area->findChild<LongWordWrap *>()->setRecheckDelay(0);
    w.deliver(text.toUtf8());
    QTRY_COMPARE(w.shown(), QString(text).replace(QChar::Nbsp, u' '));
    QCOMPARE(w.area->wordWrapMode(), anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
    w.window->findChild<QPushButton *>(QLatin1String(w.page.clearButton))->click();
    QTRY_COMPARE(w.area->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void tst_ReceiveDisplay::partLengths_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<qsizetype>("length");

    constexpr qsizetype part = ReceiveDisplay::kPartBytes;
    const QByteArray letters(part + 10, 'a');
    QTest::newRow("one part") << QByteArray(part, 'a') << false << part;
    QTest::newRow("hex ignores line feeds") << QByteArray(part - 10, 'a') + QByteArray(20, '\n') << true << part;
    QTest::newRow("text ends after the last line feed near the end")
        << QByteArray(letters).replace(part - 100, 1, "\n").replace(part - 50, 1, "\n") << false << part - 49;
    QTest::newRow("text with a line feed early is cut at the size")
        << QByteArray(letters).replace(100, 1, "\n") << false << part;
    QTest::newRow("a line end is not split") << QByteArray(letters).replace(part - 1, 2, "\r\n") << false << part - 1;
}

void tst_ReceiveDisplay::partLengths()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, hex);
    QFETCH(qsizetype, length);
    QCOMPARE(ReceiveDisplay::partLength(bytes, hex), length);
}

void tst_ReceiveDisplay::longBatchInParts_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("hex");
    for (int page = 0; page < 2; ++page) {
        QTest::addRow("%s, hex", kReceivePages[page].name) << page << true;
        QTest::addRow("%s, text", kReceivePages[page].name) << page << false;
    }
}

// A batch longer than a part shows as parts, each after its own stamp line,
// that together are the batch.
void tst_ReceiveDisplay::longBatchInParts()
{
    QFETCH(int, page);
    QFETCH(bool, hex);

    constexpr qsizetype part = ReceiveDisplay::kPartBytes;
    QByteArray batch;
    for (int i = 0; batch.size() < 2 * part + part / 2; ++i)
        batch += "line " + QByteArray::number(i) + '\n';
    Window w(page, hex, true, true);
    w.deliver(batch);
    QTRY_VERIFY_WITH_TIMEOUT(w.display->shownBytes() == batch.size(), 10000);

    QStringList expected;
    for (QByteArrayView rest = batch; !rest.isEmpty();) {
        const QByteArrayView shown = rest.first(ReceiveDisplay::partLength(rest, hex));
        expected << QStringLiteral("@") << (hex ? QString::fromLatin1(shown.toByteArray().toHex(' ')) : QString::fromLatin1(shown));
        rest = rest.sliced(shown.size());
    }
    QCOMPARE(expected.size(), 6);
    QCOMPARE(w.shown(), expected.join(QLatin1Char('\n')));
}

void tst_ReceiveDisplay::clearWithFullArea_data()
{
    burstOfSmallBatches_data();
}

// With the area at its bound and more waiting to be shown, clearing answers
// at once, and nothing that arrived before it comes back.
void tst_ReceiveDisplay::clearWithFullArea()
{
    QFETCH(int, page);

    Window w(page, true, true, true);
    const QByteArray batch(64 * 1024, '\x5a');
    while (w.area->document()->characterCount() < ReceiveDisplay::kLimitCharacters / 2) {
        w.deliver(batch, Qt::DirectConnection);
        QTest::qWait(10);
    }
    for (int i = 0; i < 100; ++i)
        w.deliver(batch, Qt::DirectConnection);
    QVERIFY(w.display->hasPending());

    QElapsedTimer clock;
    clock.start();
    w.window->findChild<QPushButton *>(QLatin1String(w.page.clearButton))->click();
    QVERIFY2(clock.elapsed() < 250, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(w.area->toPlainText(), QString());
    QTest::qWait(100);
    QCOMPARE(w.area->toPlainText(), QString());
    QCOMPARE(w.display->cutBytes(), 0);
}

void tst_ReceiveDisplay::endlessParagraphKeptShort_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QByteArray>("batch");
    const QByteArray lines = QByteArray("a log line of some length\n").repeated(40);
    const QByteArray letters(2000, 'x');
    for (int page = 0; page < 2; ++page) {
        QTest::addRow("%s, hex", kReceivePages[page].name) << page << true << lines;
        QTest::addRow("%s, text lines", kReceivePages[page].name) << page << false << lines;
        QTest::addRow("%s, text without a blank", kReceivePages[page].name) << page << false << letters;
    }
}

// Without "one line per batch" a stream goes on one paragraph, which would be
// laid out again whole with every batch: it is kept in paragraphs of bounded
// length, and its text as saved is still the stream.
void tst_ReceiveDisplay::endlessParagraphKeptShort()
{
    QFETCH(int, page);
    QFETCH(bool, hex);
    QFETCH(QByteArray, batch);

    Window w(page, hex, false, false);
    QString expected;
    constexpr int kBatches = 100;
    for (int i = 0; i < kBatches; ++i) {
        w.deliver(batch);
        expected += hex ? BytesToHexText(batch) : QString::fromLatin1(batch);
    }
    QTRY_VERIFY_WITH_TIMEOUT(w.display->shownBytes() == kBatches * batch.size(), 20000);
    qsizetype longest = 0;
    for (QTextBlock block = w.area->document()->begin(); block.isValid(); block = block.next())
        longest = qMax<qsizetype>(longest, block.length());
    QVERIFY2(longest <= 3 * 4096 + 1, qPrintable(QString::number(longest)));
    QVERIFY(w.area->document()->blockCount() > 10);
    QCOMPARE(w.display->plainText(), expected);
}

QTEST_MAIN(tst_ReceiveDisplay)
#include "tst_receivedisplay.moc"
