#pragma once

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QString>
#include <QStringView>
#include <QTimer>

// Writes what a receive area is given to a file, as the area's plain text
// would read if it were saved: paragraphs separated by "\n", the area's line
// ends ("\r\n", "\r", paragraph and line separators) as "\n", no-break spaces
// as blanks, encoded with the local 8-bit encoding. The file is opened for
// appending and never truncated.
//
// Text is gathered in memory and written at least twice a second, so a crash
// loses at most the last half second. A write that fails ends the recording
// and emits failed() once.
class ReceiveRecorder : public QObject
{
    Q_OBJECT

public:
    explicit ReceiveRecorder(QObject *parent = nullptr);
    // Writes what is pending.
    ~ReceiveRecorder() override;

    // `areaHasText`: the area already shows text, so its next paragraph
    // begins with a line end. False when the file cannot be opened.
    bool start(const QString &path, bool areaHasText);
    // Writes what is pending and closes the file.
    void stop();
    bool isRecording() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }

    // A new paragraph at the end of the area, or text inserted after what is there.
    void addText(QStringView text, bool paragraph);
    // Received bytes shown as hex: their hex text, which is ASCII in every
    // local encoding, goes into the file as it is.
    void addHex(const QByteArray &bytes, bool paragraph);

Q_SIGNALS:
    void failed();

private:
    void beginEntry(bool paragraph, bool empty);
    // Writes what is pending; ends the recording if that fails.
    bool writePending();
    void fail();

    QFile m_file;
    QByteArray m_pending;
    QTimer m_timer;
    // The next paragraph begins with a line end.
    bool m_separate = false;
};
