#include "receiverecorder.h"

#include "hexcodec.h"

#include <QFileInfo>

namespace {

// Pending text is written at least this often, and at once beyond this size.
constexpr int kWriteIntervalMs = 500;
constexpr qsizetype kWriteAtBytes = 1024 * 1024;

bool breaksLine(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator
        || c == 0xFDD0 || c == 0xFDD1; // frame marks end a paragraph too
}

// The text as the area's plain text gives it back.
QString asAreaText(QStringView text)
{
    bool same = true;
    for (const QChar c : text)
        if (c.unicode() == QChar::Nbsp || (breaksLine(c.unicode()) && c != u'\n'))
            same = false;
    if (same)
        return text.toString();

    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue; // one line end, written by the "\n"
        if (breaksLine(c))
            plain += u'\n';
        else
            plain += c == QChar::Nbsp ? QChar(u' ') : QChar(c);
    }
    return plain;
}

} // namespace

ReceiveRecorder::ReceiveRecorder(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(kWriteIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ReceiveRecorder::writePending);
}

ReceiveRecorder::~ReceiveRecorder()
{
    stop();
}

bool ReceiveRecorder::start(const QString &path, bool areaHasText)
{
    stop();
    m_file.setFileName(path);
    // Unbuffered: the gathered text is the buffer, and a failing write shows at once.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    m_separate = areaHasText;
    m_timer.start();
    return true;
}

void ReceiveRecorder::stop()
{
    if (!isRecording())
        return;
    if (writePending())
        m_file.close();
    m_timer.stop();
}

void ReceiveRecorder::beginEntry(bool paragraph, bool empty)
{
    if (paragraph && m_separate)
        m_pending += '\n';
    if (!empty)
        m_separate = true;
}

void ReceiveRecorder::addText(QStringView text, bool paragraph)
{
    if (!isRecording())
        return;
    beginEntry(paragraph, text.isEmpty());
    m_pending += LocalTextToBytes(asAreaText(text));
    if (m_pending.size() >= kWriteAtBytes)
        writePending();
}

void ReceiveRecorder::addHex(const QByteArray &bytes, bool paragraph)
{
    if (!isRecording())
        return;
    beginEntry(paragraph, bytes.isEmpty());
    m_pending += bytes.toHex(' '); // BytesToHexText's pairs, already as bytes
    if (m_pending.size() >= kWriteAtBytes)
        writePending();
}

bool ReceiveRecorder::writePending()
{
    if (!isRecording())
        return false;
    // A file whose folder was removed takes writes that no one can read.
    if (!QFileInfo::exists(m_file.fileName())) {
        fail();
        return false;
    }
    if (!m_pending.isEmpty()) {
        if (m_file.write(m_pending) != m_pending.size()) {
            fail();
            return false;
        }
        m_pending.clear();
    }
    return true;
}

void ReceiveRecorder::fail()
{
    m_timer.stop();
    m_pending.clear();
    m_file.close();
    emit failed();
}
