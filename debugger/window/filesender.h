#pragma once

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QString>

// Sends one file's bytes as they are, piece by piece, no faster than the
// channel takes them: at most `window` bytes are handed on and not yet
// reported written, so memory stays flat whatever the file's size. It knows
// nothing of channels: it emits the pieces and is told what was written.
class FileSender : public QObject
{
    Q_OBJECT

public:
    explicit FileSender(QObject *parent = nullptr);

    // Starts sending `path` in pieces of `piece` bytes. False, with
    // errorString(), when the file cannot be read; a send already running
    // stays as it is.
    bool start(const QString &path, qint64 piece, qint64 window);
    bool isRunning() const { return m_file.isOpen(); }
    qint64 total() const { return m_total; }
    qint64 written() const { return m_written; }
    QString fileName() const;
    QString errorString() const { return m_error; }

public Q_SLOTS:
    // The channel wrote `bytes` (of this file or of any other send on it).
    void bytesWritten(qint64 bytes);
    // Ends the send where it is (the user's Stop, the channel's close).
    void stop();

Q_SIGNALS:
    void piece(QByteArray bytes);
    void progress(qint64 written, qint64 total);
    // The send is over: `complete` when every byte was written; otherwise
    // stopped, or the file could not be read further (errorString()).
    void finished(bool complete);

private:
    void pump();
    void finish(bool complete);

    QFile m_file;
    QString m_error;
    qint64 m_piece = 0;
    qint64 m_window = 0;
    qint64 m_total = 0;
    qint64 m_handed = 0;
    qint64 m_written = 0;
    bool m_pumping = false;
};
