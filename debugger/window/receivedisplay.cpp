#include "receivedisplay.h"

#include "hexcodec.h"
#include "longwordwrap.h"

#include <QScrollBar>
#include <QTextBrowser>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include <QFont>
#include <QPalette>
#include <QTextCharFormat>

#include <limits>
#include <utility>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Entries are gathered for at most this long before they are written.
constexpr int kGatherMs = 16;
// While entries keep coming, writes follow each other at this interval at
// least: each write lays out and repaints the area, and fewer, larger writes
// do that work less often for the same text.
constexpr int kFrameMs = 100;
// Work done in one turn of the event loop while catching up.
constexpr qint64 kWriteBudgetMs = 30;
// Entries are written in pieces sized to the budget by the measured speed,
// but no smaller than this, so that the last paragraph (laid out again when
// the next piece follows it) is seldom laid out twice.
constexpr qsizetype kLeastPieceCharacters = 8 * 1024;
// ... and no larger than this: the measured speed can be far too high (the
// first pieces into an empty area are quick), and a piece beyond the budget
// stalls the window; at the usual speed this one takes some 20 ms.
constexpr qsizetype kLargestPieceCharacters = 256 * 1024;
constexpr qsizetype kShortEntry = 64;
// A block's user state: the received bytes of the entries that begin in it
// (0 for the window's own lines), -1 (the default) for a line that goes on an
// entry begun above, or this for the line saying how much has left.
constexpr int kCutLineState = -2;
// Room kept for that line, in characters, in every language.
constexpr qsizetype kCutLineRoom = 128;
// Marks a paragraph that goes on the one above without a line end between
// them: a long paragraph ended softly (see endLongParagraphs). Unlike a block
// format, it is not passed on to the paragraphs that follow.
class SoftEnd : public QTextBlockUserData
{
};

bool endsSoftly(const QTextBlock &block)
{
    return dynamic_cast<const SoftEnd *>(block.userData()) != nullptr;
}

// A paragraph is laid out again whole whenever text is added to it, so one
// that a stream keeps extending costs more with every write: past this many
// characters it ends at its next line break.
constexpr qsizetype kParagraphCharacters = 4 * 1024;

// A line end split between two entries stays two line ends: "\r" then "\n"
// written apart make two paragraphs, written together they would make one.
void appendJoined(QString &into, const QString &text)
{
    if (into.endsWith(QLatin1Char('\r')) && text.startsWith(QLatin1Char('\n')))
        into.back() = QChar::ParagraphSeparator;
    into += text;
}

// Line ends ("\r\n", "\n" or a lone "\r") become line breaks within the
// paragraph. A batch of many short lines is then one paragraph to lay out
// and to place, not one per line, which is most of the cost of showing a
// stream of lines; the area's plain text still ends each line with "\n".
QString withLineBreaks(QString text)
{
    qsizetype from = 0;
    while (from < text.size() && text.at(from) != QLatin1Char('\n') && text.at(from) != QLatin1Char('\r'))
        ++from;
    if (from == text.size())
        return text;
    QChar *data = text.data();
    qsizetype to = from;
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = data[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && data[i + 1] == QLatin1Char('\n'))
                ++i;
            data[to++] = QChar::LineSeparator;
        } else {
            data[to++] = c;
        }
    }
    text.truncate(to);
    return text;
}

// Ends the paragraphs of `text` from `from` on that grow past
// kParagraphCharacters (`length` is the length of the one `text` goes on, and
// is kept up to date): at the next line break, or without one (hex, or text
// without line ends) softly, after a space past twice that length or before
// any character past three times it. Returns where soft ends were put: the
// indices of their paragraph separators.
QList<qsizetype> endLongParagraphs(QString &text, qsizetype from, qsizetype &length)
{
    QList<qsizetype> softEnds;
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QChar::ParagraphSeparator) {
            length = 0;
            continue;
        }
        if (length >= kParagraphCharacters && c == QChar::LineSeparator) {
            text[i] = QChar::ParagraphSeparator;
            length = 0;
            continue;
        }
        if (i > from && length >= 3 * kParagraphCharacters && !c.isLowSurrogate()) {
            softEnds.append(i);
            length = 0;
        }
        ++length;
        if (length >= 2 * kParagraphCharacters && c == QLatin1Char(' ') && i + 1 < text.size()) {
            softEnds.append(i + 1);
            length = 0;
        }
    }
    if (softEnds.isEmpty())
        return softEnds;
    QString ended;
    ended.reserve(text.size() + softEnds.size());
    qsizetype at = 0;
    for (qsizetype &end : softEnds) {
        ended.append(QStringView(text).sliced(at, end - at));
        at = end;
        end = ended.size();
        ended.append(QChar::ParagraphSeparator);
    }
    ended.append(QStringView(text).sliced(at));
    text = std::move(ended);
    return softEnds;
}

} // namespace

QString ReceiveDisplay::Entry::shown() const
{
    if (!bytes.isNull())
        return shownText(bytes, hex);
    return lineBreaks ? withLineBreaks(text) : text;
}

QString stampLine(const QDateTime &at, QStringView label)
{
    return at.toString(QStringLiteral("yyyy.MM.dd hh:mm:ss.zzz")).append(label);
}

QString shownText(const QByteArray &bytes, bool hex)
{
    return hex ? BytesToHexText(bytes) : BytesToLocalText(bytes);
}

ReceiveDisplay::ReceiveDisplay(QTextBrowser *area) : QObject(area), m_area(area), m_sentLook(new QWidget(area))
{
    m_sentLook->setObjectName(QStringLiteral("SentEcho"));
    m_sentLook->hide();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { writeSome(kWriteBudgetMs); });
    // A read-only area needs no undo, and removed text then leaves memory.
    area->document()->setUndoRedoEnabled(false);
    // Paragraphs run in the window's direction: laying out one then needs no
    // look through its text for the direction it starts in.
    QTextOption option = area->document()->defaultTextOption();
    option.setTextDirection(area->layoutDirection());
    area->document()->setDefaultTextOption(option);
    // Shaping (ligatures, kerning) costs most of a paragraph's layout; text
    // whose script needs it is still shaped.
    QFont font = area->font();
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    area->setFont(font);
    new LongWordWrap(area);
    connect(area->document(), &QTextDocument::contentsChanged, this, &ReceiveDisplay::onContentsChanged);
}

void ReceiveDisplay::addParagraph(const QString &text)
{
    m_lastReceived = false;
    m_afterStatusLine = false;
    add({true, false, QByteArray(), text});
}

void ReceiveDisplay::addSent(const QString &text)
{
    Entry entry{true, false, QByteArray(), text};
    entry.sent = true;
    add(std::move(entry));
}

QTextCharFormat ReceiveDisplay::format(bool sent) const
{
    QTextCharFormat format;
    if (sent) {
        m_sentLook->ensurePolished();
        format.setForeground(m_sentLook->palette().color(QPalette::WindowText));
    }
    return format;
}

void ReceiveDisplay::addStatusLine(const QString &text, bool stamped)
{
    if (stamped)
        addParagraph(stampLine(QDateTime::currentDateTime(), {}));
    addParagraph(text);
    m_afterStatusLine = true;
}

void ReceiveDisplay::addInsertion(const QString &text)
{
    m_lastReceived = false;
    m_afterStatusLine = false;
    add({false, false, QByteArray(), text});
}

void ReceiveDisplay::addReceived(const QByteArray &bytes, bool hex, bool paragraph, QStringView stampLabel,
                                 const QString &sender)
{
    QString stamp = stampLabel.isNull() ? QString() : stampLine(QDateTime::currentDateTime(), stampLabel);
    const bool named = !sender.isEmpty() && (!stamp.isNull() || !m_lastReceived || m_lastSender != sender);
    if (named) {
        if (stamp.isNull())
            addParagraph(sender);
        else
            stamp += QLatin1Char(' ') + sender;
    }
    paragraph = paragraph || named || m_afterStatusLine;
    qsizetype at = 0;
    do {
        const qsizetype length = partLength(QByteArrayView(bytes).sliced(at), hex);
        // One part is the batch itself, not a copy.
        const QByteArray part = length == bytes.size() ? bytes : bytes.mid(at, length);
        if (!stamp.isNull())
            addParagraph(stamp);
        if (hex) {
            // An empty batch is an empty text; a null array would mean "use the text".
            add({paragraph, true, part.isNull() ? QByteArray("") : part, QString(), length});
        } else {
            add({paragraph, false, QByteArray(), m_decoder.decode(part), length, true});
        }
        at += length;
    } while (at < bytes.size());
    m_lastReceived = true;
    m_lastSender = sender;
    m_afterStatusLine = false;
}

qsizetype ReceiveDisplay::partLength(QByteArrayView bytes, bool hex)
{
    if (bytes.size() <= kPartBytes)
        return bytes.size();
    if (hex)
        return kPartBytes;
    const qsizetype lineFeed = bytes.first(kPartBytes).lastIndexOf('\n');
    if (lineFeed >= kPartBytes - kPartBytes / 4)
        return lineFeed + 1;
    return bytes.at(kPartBytes - 1) == '\r' && bytes.at(kPartBytes) == '\n' ? kPartBytes - 1 : kPartBytes;
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
    // What arrives faster than the area takes it waits in a bounded queue.
    if (m_pendingSize > 2 * qMax<qsizetype>(m_limit, 2))
        dropPendingBeyondLimit();
    schedule();
}

void ReceiveDisplay::flush()
{
    writeSome(-1);
}

bool ReceiveDisplay::startRecording(const QString &path)
{
    flush();
    // The cut line alone is not text the next entry follows.
    return m_recorder.start(path, !m_area->document()->isEmpty() && !m_freshLine);
}

void ReceiveDisplay::dropPending(qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i)
        m_pendingSize -= m_pending.at(i).size() + 1;
    m_pending.remove(0, count);
}

void ReceiveDisplay::forget()
{
    m_pending.clear();
    m_pendingSize = 0;
    m_timer.stop();
    m_decoder.resetState();
    m_cutBytes = 0;
    m_areaBytes = 0;
    m_freshLine = false;
    m_lastReceived = false;
    m_afterStatusLine = false;
}

void ReceiveDisplay::clear()
{
    forget();
    m_area->clear();
    // The area's text leaves the heap in pieces that the allocator would
    // otherwise keep for the next stream.
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void ReceiveDisplay::schedule()
{
    if (m_timer.isActive())
        return;
    const qint64 sinceWrite = m_lastWrite.isValid() ? m_lastWrite.elapsed() : kFrameMs;
    m_timer.start(int(qBound(qint64(kGatherMs), kFrameMs - sinceWrite, qint64(kFrameMs))));
}

// A negative budget writes everything.
void ReceiveDisplay::writeSome(qint64 budgetMs)
{
    if (keepWithinLimit() && budgetMs >= 0) {
        // Cutting the area was this turn's work; writing goes on in the next.
        m_timer.start(0);
        return;
    }
    QElapsedTimer clock;
    clock.start();
    m_lastWrite.start();
    // A turn writes at least one piece, and another only while the least
    // piece still fits in the budget at the measured speed.
    const double leastPieceMs = double(kLeastPieceCharacters) / m_charactersPerMs;
    for (bool first = true;
         !m_pending.isEmpty() && (budgetMs < 0 || first || double(clock.elapsed()) + leastPieceMs <= double(budgetMs));
         first = false) {
        const qint64 left = budgetMs < 0 ? budgetMs : budgetMs - clock.elapsed();
        const qsizetype piece = left < 0 ? std::numeric_limits<qsizetype>::max()
                                         : qBound(kLeastPieceCharacters, qsizetype(m_charactersPerMs * double(left)),
                                                  kLargestPieceCharacters);
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
// writing them one by one. Each block where received entries begin keeps
// their byte count as its user state.
void ReceiveDisplay::write(qsizetype count)
{
    QScrollBar *bar = m_area->verticalScrollBar();
    const bool atBottom = bar->value() >= bar->maximum();
    QTextDocument *document = m_area->document();
    const QTextCursor shown = m_area->textCursor();
    auto addBytes = [this](QTextBlock block, qsizetype bytes) {
        if (block.isValid() && block.userState() != kCutLineState) {
            block.setUserState(int(qMax(block.userState(), 0) + bytes));
            m_areaBytes += bytes;
        }
    };

    m_writing = true;
    QTextCursor end(document);
    end.beginEditBlock();
    if (shown.hasSelection()) {
        // The first insertion replaces the selection; keep the exact order.
        for (qsizetype i = 0; i < count; ++i) {
            const Entry &entry = m_pending.at(i);
            if (entry.paragraph) {
                end.movePosition(QTextCursor::End);
                if (!document->isEmpty() && !std::exchange(m_freshLine, false))
                    end.insertBlock();
                addBytes(end.block(), entry.received);
                end.insertText(entry.shown(), format(entry.sent));
            } else {
                if (entry.received > 0)
                    addBytes(m_area->textCursor().block(), entry.received);
                m_area->insertPlainText(entry.shown());
            }
        }
    } else {
        // Paragraphs go at the end, insertions at the cursor; when the cursor
        // is at the end the two are one text.
        const bool cursorAtEnd = shown.atEnd();
        const bool wasEmpty = document->isEmpty() || m_freshLine;
        // What goes at the end, in runs of one format each.
        struct Run
        {
            bool sent;
            QString text;
            // Where received entries begin in `text`, and their bytes.
            QList<std::pair<qsizetype, qsizetype>> starts;
            QList<qsizetype> softEnds;
        };
        QList<Run> atEnd;
        bool atEndEmpty = true;
        qsizetype paragraphLength = wasEmpty ? 0 : document->lastBlock().length() - 1;
        QString atCursor;
        qsizetype atCursorBytes = 0;
        for (qsizetype i = 0; i < count; ++i) {
            const Entry &entry = m_pending.at(i);
            if (!entry.paragraph && !cursorAtEnd) {
                atCursorBytes += entry.received;
                appendJoined(atCursor, entry.shown());
                continue;
            }
            if (atEnd.isEmpty() || atEnd.last().sent != entry.sent)
                atEnd.append({entry.sent, QString(), {}, {}});
            Run &run = atEnd.last();
            if (entry.paragraph && (!wasEmpty || !atEndEmpty))
                run.text += QChar::ParagraphSeparator;
            if (entry.paragraph)
                paragraphLength = 0;
            if (entry.paragraph || entry.received > 0)
                run.starts.append({run.text.size(), entry.received});
            const qsizetype from = run.text.size();
            appendJoined(run.text, entry.shown());
            run.softEnds += endLongParagraphs(run.text, from, paragraphLength);
            atEndEmpty = atEndEmpty && run.text.isEmpty();
        }
        if (!atCursor.isEmpty()) {
            if (atCursorBytes > 0)
                addBytes(shown.block(), atCursorBytes);
            m_area->insertPlainText(atCursor);
        }
        for (const Run &run : std::as_const(atEnd)) {
            const int base = document->characterCount() - 1;
            end.movePosition(QTextCursor::End);
            end.insertText(run.text, format(run.sent));
            for (const qsizetype offset : run.softEnds)
                document->findBlock(int(base + offset + 1)).setUserData(new SoftEnd);
            for (const auto &[offset, bytes] : run.starts)
                addBytes(document->findBlock(int(base + offset)), bytes);
        }
        if (!atEnd.isEmpty() || !atCursor.isEmpty())
            m_freshLine = false;
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
    if (!m_writing && m_area->document()->isEmpty())
        forget();
}

void ReceiveDisplay::dropPendingBeyondLimit()
{
    // What stays leaves room for the cut line before it.
    const qsizetype limit = qMax<qsizetype>(m_limit - kCutLineRoom, 2);
    qsizetype count = 0;
    qsizetype size = m_pendingSize;
    while (count + 1 < m_pending.size() && size > limit) {
        size -= m_pending.at(count).size() + 1;
        m_cutBytes += m_pending.at(count++).received;
    }
    dropPending(count);
    if (m_pendingSize > limit) {
        Entry &entry = m_pending.first();
        const qsizetype keep = limit - 1;
        const qsizetype before = entry.size();
        if (entry.bytes.isNull())
            entry.text = entry.text.last(qMin(keep, entry.text.size()));
        else
            entry.bytes = entry.bytes.last(qMin(keep / 3, entry.bytes.size()));
        const qsizetype kept = before > 0 ? entry.received * entry.size() / before : 0;
        m_cutBytes += entry.received - kept;
        entry.received = kept;
        m_pendingSize = entry.size() + 1;
    }
}

// Before a write: what the area holds and what is about to follow fit in the
// limit. Older paragraphs leave whole; only a paragraph longer than the
// limit itself is cut. The cut line stays first.
bool ReceiveDisplay::keepWithinLimit()
{
    QTextDocument *document = m_area->document();
    const qsizetype limit = qMax<qsizetype>(m_limit, 2);
    if (m_pendingSize >= limit) {
        // All the area holds and the oldest entries would leave in this
        // frame: none of it is laid out.
        dropPendingBeyondLimit();
        m_cutBytes += std::exchange(m_areaBytes, 0);
        m_writing = true;
        document->clear();
        m_writing = false;
        showCut();
        return true;
    }
    const qsizetype held = document->characterCount();
    const qsizetype excess = held + m_pendingSize - limit;
    if (excess <= 0)
        return false;
    const QTextBlock first = document->firstBlock();
    const qsizetype from = first.userState() == kCutLineState ? first.length() : 0;
    // Paragraphs leave a quarter of the limit beyond the excess, so that the
    // area is cut (and all its paragraphs placed again) a few times a second
    // at most rather than in every frame.
    QTextBlock last = document->findBlock(int(qMin(from + excess + limit / 4, held) - 1));
    if (!last.next().isValid())
        last = document->findBlock(int(qMin(from + excess, held) - 1));
    int end = last.next().isValid() ? last.next().position() : int(qMin(from + excess, held - 1));
    // A text entry's own lines leave with it: the area then begins where an
    // entry begins, when one begins near.
    for (QTextBlock next = last.next(); next.isValid() && next.position() - end < limit / 8; next = next.next()) {
        if (next.userState() != -1) {
            end = next.position();
            break;
        }
    }
    if (end <= from)
        return false;

    // The received bytes leaving; a paragraph cut within loses its share.
    // The block that becomes the first keeps its state.
    qint64 leaving = 0;
    QTextBlock block = document->findBlock(int(from));
    for (; block.isValid() && block.position() + block.length() <= end; block = block.next())
        leaving += qMax(block.userState(), 0);
    int keptState = block.userState();
    if (block.position() < end && keptState > 0) {
        const qint64 part = qint64(keptState) * (end - block.position()) / block.length();
        leaving += part;
        keptState -= int(part);
    }
    QTextCursor cursor(document);
    m_writing = true;
    cursor.beginEditBlock();
    cursor.setPosition(int(from));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.block().setUserState(keptState);
    m_areaBytes -= leaving;
    m_cutBytes += leaving;
    // In the same edit, so that the area is laid out once for both.
    showCut();
    cursor.endEditBlock();
    m_writing = false;
    return true;
}

QString ReceiveDisplay::plainText() const
{
    const QTextDocument *document = m_area->document();
    QString text = document->toPlainText();
    // Each character of the document is one of its plain text: a soft end's
    // line end is dropped (but never one after the cut line).
    qsizetype to = 0;
    qsizetype from = 0;
    for (QTextBlock block = document->firstBlock().next(); block.isValid(); block = block.next()) {
        if (!endsSoftly(block) || block.previous().userState() == kCutLineState)
            continue;
        const qsizetype lineEnd = block.position() - 1;
        if (to != from)
            std::copy(text.cbegin() + from, text.cbegin() + lineEnd, text.begin() + to);
        to += lineEnd - from;
        from = lineEnd + 1;
    }
    if (from == 0)
        return text;
    std::copy(text.cbegin() + from, text.cend(), text.begin() + to);
    text.truncate(to + (text.size() - from));
    return text;
}

void ReceiveDisplay::showCut()
{
    QTextDocument *document = m_area->document();
    const QString text = tr("已清除较早的 %1 字节（勾选“记录到文件”可保存全部）").arg(m_cutBytes);
    QTextCharFormat format;
    format.setFontItalic(true);
    format.setForeground(m_area->palette().color(QPalette::PlaceholderText));
    m_writing = true;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    const QTextBlock first = document->firstBlock();
    if (first.userState() == kCutLineState) {
        cursor.setPosition(first.position() + first.length() - 1, QTextCursor::KeepAnchor);
        cursor.insertText(text, format);
    } else {
        const int state = first.userState();
        const bool empty = document->isEmpty();
        cursor.insertText(text, format);
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        document->firstBlock().setUserState(kCutLineState);
        document->firstBlock().next().setUserState(state);
        m_freshLine = empty;
    }
    cursor.endEditBlock();
    m_writing = false;
}
