#include "filesender.h"

#include <QFileInfo>

FileSender::FileSender(QObject *parent) : QObject(parent) {}

bool FileSender::start(const QString &path, qint64 piece, qint64 window)
{
    if (isRunning())
        return false;
    m_file.setFileName(path);
    if (!QFileInfo(path).isFile() || !m_file.open(QIODevice::ReadOnly)) {
        m_error = m_file.errorString();
        if (m_error.isEmpty() || !QFileInfo(path).isFile())
            m_error = tr("不是普通文件");
        return false;
    }
    m_error.clear();
    m_piece = qMax<qint64>(1, piece);
    m_window = qMax(m_piece, window);
    m_total = m_file.size();
    m_handed = 0;
    m_written = 0;
    emit progress(0, m_total);
    pump();
    return true;
}

QString FileSender::fileName() const
{
    return QFileInfo(m_file.fileName()).fileName();
}

void FileSender::bytesWritten(qint64 bytes)
{
    if (!isRunning())
        return;
    m_written = qMin(m_total, m_written + bytes);
    emit progress(m_written, m_total);
    pump();
}

void FileSender::stop()
{
    if (isRunning())
        finish(false);
}

void FileSender::pump()
{
    // A piece's receiver may report written bytes at once; the loop below
    // then hands on what that made room for.
    if (m_pumping)
        return;
    m_pumping = true;
    while (isRunning() && m_handed < m_total && m_handed - m_written < m_window) {
        const QByteArray bytes = m_file.read(qMin(m_piece, m_total - m_handed));
        if (bytes.isEmpty()) {
            // Shortened or unreadable since it was opened.
            m_error = m_file.error() != QFileDevice::NoError ? m_file.errorString() : tr("文件在发送中变短");
            finish(false);
            break;
        }
        m_handed += bytes.size();
        emit piece(bytes);
    }
    m_pumping = false;
    if (isRunning() && m_written >= m_total)
        finish(true);
}

void FileSender::finish(bool complete)
{
    m_file.close();
    emit finished(complete);
}
