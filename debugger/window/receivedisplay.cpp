#include "receivedisplay.h"

#include "hexcodec.h"
#include "longwordwrap.h"

#include <QScrollBar>
#include <QTextBrowser>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <limits>
#include <utility>

namespace {

// Entries are gathered for at most this long before they are written.
constexpr int kGatherMs = 16;
// Work done in one turn of the event loop while catching up.
constexpr qint64 kWriteBudgetMs = 30;
// Entries are written in pieces sized to the budget by the measured speed,
// but no smaller than this, so that the last paragraph (laid out again when
// the next piece follows it) is seldom laid out twice.
constexpr qsizetype kLeastPieceCharacters = 8 * 1024;
constexpr qsizetype kShortEntry = 64;

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
    // A read-only area needs no undo, and removed text then leaves memory.
    area->document()->setUndoRedoEnabled(false);
    new LongWordWrap(area);
    connect(area->document(), &QTextDocument::contentsChanged, this, &ReceiveDisplay::onContentsChanged);
}

void ReceiveDisplay::addParagraph(const QString &text)
{
    add({true, false, QByteArray(), text});
}

void ReceiveDisplay::addStatusLine(const QString &text, bool stamped)
{
    if (stamped)
        addParagraph(stampLine(QDateTime::currentDateTime(), {}));
    addParagraph(text);
}

void ReceiveDisplay::addInsertion(const QString &text)
{
    add({false, false, QByteArray(), text});
}

void ReceiveDisplay::addReceived(const QByteArray &bytes, bool hex, bool paragraph)
{
    if (!hex) {
        add({paragraph, false, QByteArray(), m_decoder.decode(bytes)});
        return;
    }
    // An empty batch is an empty text; a null array would mean "use the text".
    add({paragraph, hex, bytes.isNull() ? QByteArray("") : bytes, QString()});
}

void ReceiveDisplay::add(Entry entry)
{
    if (m_recorder.isRecording()) {
        if (entry.bytes.isNull())
            m_recorder.addText(entry.text, entry.paragraph);
        else
            m_recorder.addHex(entry.bytes, entry.paragraph);
    }
    m_pendingSize += entry.size() + 1;
    m_pending.append(std::move(entry));
    schedule();
}

void ReceiveDisplay::flush()
{
    writeSome(-1);
}

bool ReceiveDisplay::startRecording(const QString &path)
{
    flush();
    return m_recorder.start(path, !m_area->document()->isEmpty());
}

void ReceiveDisplay::dropPending(qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i)
        m_pendingSize -= m_pending.at(i).size() + 1;
    m_pending.remove(0, count);
}

void ReceiveDisplay::clear()
{
    m_pending.clear();
    m_pendingSize = 0;
    m_timer.stop();
    m_decoder.resetState();
    m_area->clear();
}

void ReceiveDisplay::schedule()
{
    if (!m_timer.isActive())
        m_timer.start(kGatherMs);
}

// A negative budget writes everything.
void ReceiveDisplay::writeSome(qint64 budgetMs)
{
    if (m_recorder.isRecording() && keepWithinRecordingLimit() && budgetMs >= 0) {
        // Cutting the area was this turn's work; writing goes on in the next.
        m_timer.start(0);
        return;
    }
    QElapsedTimer clock;
    clock.start();
    while (!m_pending.isEmpty() && (budgetMs < 0 || clock.elapsed() < budgetMs)) {
        const qint64 left = budgetMs < 0 ? budgetMs : budgetMs - clock.elapsed();
        const qsizetype piece = left < 0 ? std::numeric_limits<qsizetype>::max()
                                         : qMax(kLeastPieceCharacters, qsizetype(m_charactersPerMs * double(left)));
        qsizetype count = 0;
        qsizetype characters = 0;
        while (count < m_pending.size() && characters < piece)
            characters += m_pending.at(count++).size() + 1;
        // The piece's last paragraph is laid out again when the next piece
        // follows it: end on a short one (a time stamp) where one comes next.
        if (count < m_pending.size() && m_pending.at(count - 1).size() > kShortEntry
            && m_pending.at(count).size() <= kShortEntry)
            characters += m_pending.at(count++).size() + 1;
        QElapsedTimer pieceClock;
        pieceClock.start();
        write(count);
        const qint64 ns = pieceClock.nsecsElapsed();
        if (characters >= kLeastPieceCharacters && ns > 0)
            m_charactersPerMs = 0.5 * m_charactersPerMs + 0.5 * double(characters) * 1e6 / double(ns);
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
                end.insertText(entry.shown());
            } else {
                m_area->insertPlainText(entry.shown());
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
                appendJoined(atEnd, entry.shown());
            } else {
                appendJoined(cursorAtEnd ? atEnd : atCursor, entry.shown());
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
    dropPending(count);

    if (atBottom)
        bar->setValue(bar->maximum());
}

// Whoever empties the area also drops what was received before.
void ReceiveDisplay::onContentsChanged()
{
    if (!m_writing && m_area->document()->isEmpty()) {
        m_pending.clear();
        m_pendingSize = 0;
        m_timer.stop();
        m_decoder.resetState();
    }
}

// Before a write: what the area holds and what is about to follow fit in the
// limit. Older paragraphs leave whole; only a paragraph longer than the
// limit itself is cut.
bool ReceiveDisplay::keepWithinRecordingLimit()
{
    QTextDocument *document = m_area->document();
    const qsizetype limit = qMax<qsizetype>(m_recordingLimit, 2);
    if (m_pendingSize >= limit) {
        // All the area holds and the oldest entries would leave in this
        // frame: none of it is laid out.
        qsizetype count = 0;
        qsizetype size = m_pendingSize;
        while (count + 1 < m_pending.size() && size > limit)
            size -= m_pending.at(count++).size() + 1;
        dropPending(count);
        if (m_pendingSize > limit) {
            Entry &entry = m_pending.first();
            const qsizetype keep = limit - 1;
            if (entry.bytes.isNull())
                entry.text = entry.text.last(qMin(keep, entry.text.size()));
            else
                entry.bytes = entry.bytes.last(qMin(keep / 3, entry.bytes.size()));
            m_pendingSize = entry.size() + 1;
        }
        m_writing = true;
        document->clear();
        m_writing = false;
        return true;
    }
    const qsizetype held = document->characterCount();
    const qsizetype excess = held + m_pendingSize - limit;
    if (excess <= 0)
        return false;
    // Paragraphs leave an eighth of the limit beyond the excess, so that the
    // area is cut (and its new first paragraph laid out again) a few times a
    // second at most rather than in every frame.
    QTextBlock last = document->findBlock(int(qMin(excess + limit / 8, held) - 1));
    if (!last.next().isValid())
        last = document->findBlock(int(excess - 1));
    const int end = last.next().isValid() ? last.next().position() : int(qMin(excess, held - 1));
    if (end <= 0)
        return false;
    QTextCursor cursor(document);
    m_writing = true;
    cursor.beginEditBlock();
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.endEditBlock();
    m_writing = false;
    return true;
}
