#include "receivedisplay.h"

#include "hexcodec.h"

#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Entries are gathered for at most this long before they are written.
constexpr int kGatherMs = 10;
// Work done in one turn of the event loop while catching up.
constexpr qint64 kWriteBudgetMs = 12;
// Entries are written in pieces of about this many characters, so that the
// budget is checked often enough but the last paragraph seldom laid out again.
constexpr qsizetype kPieceCharacters = 64 * 1024;

// A line end split between two entries stays two line ends: "\r" then "\n"
// written apart make two paragraphs, written together they would make one.
void appendJoined(QString &into, const QString &text)
{
    if (into.endsWith(QLatin1Char('\r')) && text.startsWith(QLatin1Char('\n')))
        into.back() = QChar::ParagraphSeparator;
    into += text;
}

} // namespace

QString stampLine(const QDateTime &at, QStringView label)
{
    return at.toString(QStringLiteral("yyyy.MM.dd hh:mm:ss.zzz")).append(label);
}

QString shownText(const QByteArray &bytes, bool hex)
{
    return hex ? BytesToHexText(bytes) : BytesToLocalText(bytes);
}

ReceiveDisplay::ReceiveDisplay(QTextBrowser *area) : QObject(area), m_area(area)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { writeSome(kWriteBudgetMs); });
    connect(area->document(), &QTextDocument::contentsChanged, this, &ReceiveDisplay::onContentsChanged);
}

void ReceiveDisplay::addParagraph(const QString &text)
{
    m_pending.append({true, text});
    schedule();
}

void ReceiveDisplay::addInsertion(const QString &text)
{
    m_pending.append({false, text});
    schedule();
}

void ReceiveDisplay::flush()
{
    writeSome(-1);
}

void ReceiveDisplay::clear()
{
    m_pending.clear();
    m_timer.stop();
    m_area->clear();
}

void ReceiveDisplay::schedule()
{
    writeSome(-1);
}

// A negative budget writes everything.
void ReceiveDisplay::writeSome(qint64 budgetMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!m_pending.isEmpty() && (budgetMs < 0 || clock.elapsed() < budgetMs)) {
        qsizetype count = 0;
        qsizetype characters = 0;
        while (count < m_pending.size() && characters < kPieceCharacters)
            characters += m_pending.at(count++).text.size() + 1;
        write(count);
    }
    if (!m_pending.isEmpty())
        m_timer.start(0);
}

// Writes the first `count` entries in one edit, with the same result as
// writing them one by one.
void ReceiveDisplay::write(qsizetype count)
{
    QScrollBar *bar = m_area->verticalScrollBar();
    const bool atBottom = bar->value() >= bar->maximum();
    QTextDocument *document = m_area->document();
    const QTextCursor shown = m_area->textCursor();

    m_writing = true;
    QTextCursor end(document);
    end.beginEditBlock();
    if (shown.hasSelection()) {
        // The first insertion replaces the selection; keep the exact order.
        for (qsizetype i = 0; i < count; ++i) {
            const Entry &entry = m_pending.at(i);
            if (entry.paragraph) {
                end.movePosition(QTextCursor::End);
                if (!document->isEmpty())
                    end.insertBlock();
                end.insertText(entry.text);
            } else {
                m_area->insertPlainText(entry.text);
            }
        }
    } else {
        // Paragraphs go at the end, insertions at the cursor; when the cursor
        // is at the end the two are one text.
        const bool cursorAtEnd = shown.atEnd();
        const bool wasEmpty = document->isEmpty();
        QString atEnd;
        QString atCursor;
        for (qsizetype i = 0; i < count; ++i) {
            const Entry &entry = m_pending.at(i);
            if (entry.paragraph) {
                if (!wasEmpty || !atEnd.isEmpty())
                    atEnd += QChar::ParagraphSeparator;
                appendJoined(atEnd, entry.text);
            } else {
                appendJoined(cursorAtEnd ? atEnd : atCursor, entry.text);
            }
        }
        if (!atCursor.isEmpty())
            m_area->insertPlainText(atCursor);
        if (!atEnd.isEmpty()) {
            end.movePosition(QTextCursor::End);
            end.insertText(atEnd);
        }
    }
    end.endEditBlock();
    m_writing = false;
    m_pending.remove(0, count);

    if (atBottom)
        bar->setValue(bar->maximum());
}

// Whoever empties the area also drops what was received before.
void ReceiveDisplay::onContentsChanged()
{
    if (!m_writing && m_area->document()->isEmpty()) {
        m_pending.clear();
        m_timer.stop();
    }
}
