#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QLabel;

// A rate in bytes per second as "512 B/s", "3.5 KB/s", "125 KB/s" or
// "12 MB/s" (1 KB = 1024 bytes); empty when nothing moved.
QString byteRateText(quint64 bytesPerSecond);

// One of the pages' byte counters: a 64-bit total shown after its caption in
// one label, and beside it, in a second label, the rate of the last interval,
// updated once per interval while bytes move and blank once they stop.
class ByteCounter : public QObject
{
    Q_OBJECT

public:
    // `caption` is a source text of the MainWindow context, marked for
    // translation where the counter is made, and translated on every show.
    ByteCounter(QLabel *countLabel, QLabel *rateLabel, const char *caption, QObject *parent);

    void add(qint64 bytes);
    void reset();
    quint64 total() const { return m_total; }
    // Writes the caption in the current language and the total again.
    void show();

    // How often the rate is taken; tests make it shorter.
    static inline int rateIntervalMs = 1000;
    // Setting a label's text lays the window out again, so while bytes stream
    // the total is shown at most this often (at once after a quiet spell).
    static constexpr int kShowIntervalMs = 100;

private:
    void takeRate();

    QLabel *m_countLabel;
    QLabel *m_rateLabel;
    const char *m_caption;
    quint64 m_total = 0;
    quint64 m_sinceRate = 0;
    bool m_showPending = false;
    QTimer m_rateTimer;
    QTimer m_showTimer;
};
