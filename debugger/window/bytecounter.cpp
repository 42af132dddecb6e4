#include "bytecounter.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLocale>

QString byteRateText(quint64 bytesPerSecond)
{
    if (bytesPerSecond == 0)
        return {};
    if (bytesPerSecond < 1024)
        return QString::number(bytesPerSecond) + QStringLiteral(" B/s");
    const bool kilo = bytesPerSecond < 1024 * 1024;
    const double value = double(bytesPerSecond) / (kilo ? 1024 : 1024 * 1024);
    // Three digits at most below a thousand, so that the label stays narrow.
    return QLocale::c().toString(value, 'f', value < 10 ? 1 : 0)
        + (kilo ? QStringLiteral(" KB/s") : QStringLiteral(" MB/s"));
}

ByteCounter::ByteCounter(QLabel *countLabel, QLabel *rateLabel, const char *caption, QObject *parent)
    : QObject(parent), m_countLabel(countLabel), m_rateLabel(rateLabel), m_caption(caption)
{
    connect(&m_rateTimer, &QTimer::timeout, this, &ByteCounter::takeRate);
    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(kShowIntervalMs);
    connect(&m_showTimer, &QTimer::timeout, this, [this] {
        if (!m_showPending)
            return;
        show();
        m_showTimer.start();
    });
    m_rateLabel->clear();
    show();
}

void ByteCounter::add(qint64 bytes)
{
    if (bytes <= 0)
        return;
    m_total += quint64(bytes);
    m_sinceRate += quint64(bytes);
    // The first bytes after a quiet spell show at once; later ones join the
    // next show, which the timer makes once its interval has passed.
    if (!m_showTimer.isActive()) {
        show();
        m_showTimer.start();
    } else {
        m_showPending = true;
    }
    if (!m_rateTimer.isActive())
        m_rateTimer.start(rateIntervalMs);
}

void ByteCounter::reset()
{
    m_total = 0;
    m_sinceRate = 0;
    m_rateTimer.stop();
    m_showTimer.stop();
    m_rateLabel->clear();
    show();
}

void ByteCounter::show()
{
    m_showPending = false;
    m_countLabel->setText(QCoreApplication::translate("MainWindow", m_caption) + QString::number(m_total));
}

void ByteCounter::takeRate()
{
    m_rateLabel->setText(byteRateText(m_sinceRate * 1000 / quint64(qMax(rateIntervalMs, 1))));
    // Idle: the label is blank now and the timer waits for the next bytes.
    if (m_sinceRate == 0)
        m_rateTimer.stop();
    m_sinceRate = 0;
}
