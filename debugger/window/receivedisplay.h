#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringDecoder>
#include <QStringView>
#include <QTextCharFormat>
#include <QTimer>

#include "receiverecorder.h"

#include <type_traits>

class QTextBrowser;
class QWidget;

// The rules both receive areas follow, as plain functions.

// A time-stamp line: the local time as "yyyy.MM.dd hh:mm:ss.zzz" followed by
// `label` as written (the network page's "   Recive", the serial page's
// "  Recive：" and so on).
QString stampLine(const QDateTime &at, QStringView label);

// What a batch of received bytes shows: lower-case hex pairs or the bytes
// decoded with the local 8-bit encoding.
QString shownText(const QByteArray &bytes, bool hex);

// Counters wrap modulo 2^bits of their type and are shown unsigned.
template <typename Count>
Count addToCount(Count count, qint64 amount)
{
    using Unsigned = std::make_unsigned_t<Count>;
    return Count(Unsigned(Unsigned(count) + Unsigned(quint64(amount))));
}

template <typename Count>
QString countText(Count count)
{
    return QString::number(std::make_unsigned_t<Count>(count));
}

// Puts entries into a receive area as plain text: a peer's bytes or typed text
// that look like markup are shown as they are. A paragraph goes at the end of
// the area (a new block unless the area is empty); an insertion goes in at the
// area's text cursor, which advances past it.
//
// Entries are gathered for up to 16 ms (within a frame) and written together
// in one edit, so that a fast stream neither lays out the area's last
// paragraph again nor repaints the window for every batch; while entries
// keep coming, one write follows another after 100 ms at the soonest. A
// received batch's line ends break lines within its paragraph, so that a
// stream of short lines makes one paragraph per batch to lay out. Writing stops after
// about 30 ms of work and goes on in the next turn of the event loop, so the
// window keeps responding while it catches up.
//
// The area keeps only its newest text (at most kLimitCharacters, older
// paragraphs leaving from the top), recording or not; entries that would
// leave within the same frame are dropped before they are laid out, so a
// stream faster than the area can show never builds a backlog. Once text has
// left, the area's first line says how many received bytes left with it (one
// line, updated as more leaves, until the area is emptied). While the area is
// recorded to a file, the recorder gets every entry as it arrives.
//
// A received batch longer than kPartBytes is shown in parts of at most that
// size, each its own entry with its own time stamp, so that no single
// paragraph takes long to lay out.
class ReceiveDisplay : public QObject
{
    Q_OBJECT

public:
    // Parented to the area, so that the two go together.
    explicit ReceiveDisplay(QTextBrowser *area);

    void addParagraph(const QString &text);
    // The echo of what the window sent, a paragraph in the colour the style
    // sheet gives sent echoes (the area's hidden child "SentEcho"), so that
    // it stands apart from received data even without time stamps.
    void addSent(const QString &text);
    // A line of the window's own (a channel's state), after a bare time stamp
    // when `stamped`.
    void addStatusLine(const QString &text, bool stamped);
    void addInsertion(const QString &text);
    // Received bytes. As hex they are kept as they are until written (a third
    // of their hex text's size). As text they are decoded at once with the
    // local 8-bit encoding by a decoder that keeps its state from one batch to
    // the next, so that a character cut between two batches shows whole.
    // With `stampLabel` set, each part starts with a time-stamp line of the
    // batch's arrival.
    // A `sender` ("address:port") is named after the label of each stamp line;
    // without stamps, in a line of its own before the batch whenever the
    // previous entry was not received from it. A batch after a named line or
    // a status line starts a paragraph of its own.
    void addReceived(const QByteArray &bytes, bool hex, bool paragraph, QStringView stampLabel = {},
                     const QString &sender = {});
    // The length of the first part of `bytes` shown as one entry: at most
    // kPartBytes; as text it ends after a line feed in the part's last
    // quarter where there is one, and never between "\r" and "\n".
    static qsizetype partLength(QByteArrayView bytes, bool hex);
    static constexpr qsizetype kPartBytes = 16 * 1024;
    // Forgets a character cut at the end of the last batch (a new channel).
    void resetDecoder() { m_decoder.resetState(); }

    // Writes everything gathered so far (before the area's text is read).
    void flush();
    // Empties the area and drops what is gathered, and the decoder's state;
    // the memory the area held goes back to the system.
    void clear();
    bool hasPending() const { return !m_pending.isEmpty(); }
    // The area's text as received, for saving: the area's plain text less the
    // line ends it shows only to keep its paragraphs short.
    QString plainText() const;

    // The text document copies an area's whole text from time to time to
    // drop what has left it; at 4 Mi characters one copy stays short enough
    // not to stall the window, and the area still holds some 50,000 lines.
    static constexpr qsizetype kLimitCharacters = 4 * 1024 * 1024;
    void setLimit(qsizetype characters) { m_limit = characters; }
    // Received bytes that have left the area (or never entered it) since it
    // was last emptied, as its first line says.
    qint64 cutBytes() const { return m_cutBytes; }
    // Received bytes the area shows.
    qint64 shownBytes() const { return m_areaBytes; }
    // Writes what is gathered, then records from here on into `path`
    // (appending). False when the file cannot be opened.
    bool startRecording(const QString &path);
    // Ends the recording after writing what is pending.
    void stopRecording() { m_recorder.stop(); }
    bool isRecording() const { return m_recorder.isRecording(); }
    // Emits failed() when a write fails; the recording has then ended.
    ReceiveRecorder *recorder() { return &m_recorder; }

private:
    struct Entry
    {
        bool paragraph;
        bool hex;
        QByteArray bytes;
        QString text;
        // The received bytes it shows.
        qsizetype received = 0;
        // Received text: its line ends break lines within its paragraph.
        bool lineBreaks = false;
        bool sent = false;

        QString shown() const;
        qsizetype size() const { return bytes.isNull() ? text.size() : hex ? 3 * bytes.size() : bytes.size(); }
    };

    void add(Entry entry);
    void schedule();
    void writeSome(qint64 budgetMs);
    void write(qsizetype count);
    void onContentsChanged();
    // True when it cut the area.
    bool keepWithinLimit();
    void dropPending(qsizetype count);
    // Drops the oldest pending entries beyond the limit, without a write.
    void dropPendingBeyondLimit();
    // The area's first line, saying how much has left, written or updated.
    void showCut();
    void forget();
    // Sent echoes in their own colour; everything else in the area's.
    QTextCharFormat format(bool sent) const;

    QTextBrowser *m_area;
    // Styled by the style sheet, never shown: its text colour is that of sent echoes.
    QWidget *m_sentLook;
    QStringDecoder m_decoder{QStringDecoder::System};
    QList<Entry> m_pending;
    // The pending entries' sizes, each with one for its separator.
    qsizetype m_pendingSize = 0;
    ReceiveRecorder m_recorder;
    qsizetype m_limit = kLimitCharacters;
    qint64 m_cutBytes = 0;
    qint64 m_areaBytes = 0;
    QTimer m_timer;
    // Since the last write began.
    QElapsedTimer m_lastWrite;
    // How fast the area takes text (characters per millisecond), measured.
    double m_charactersPerMs = 500;
    bool m_writing = false;
    // The area holds only the cut line and an empty line after it, where the
    // next entry goes.
    bool m_freshLine = false;
    // Whether the last entry was received data, and who sent it.
    bool m_lastReceived = false;
    QString m_lastSender;
    // The last entry was a status line: what follows starts a new line.
    bool m_afterStatusLine = false;
};
