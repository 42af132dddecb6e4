#include "bytecounter.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLocale>

QString byteCountText(quint64 count)
{
    QString digits = QString::number(count);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

QString byteRateText(quint64 bytesPerSecond)
{
    if (bytesPerSecond == 0)
        return {};
    if (bytesPerSecond < 1024)
        return QString::number(bytesPerSecond) + QStringLiteral(" B/s");
    const QLocale c = QLocale::c();
    if (bytesPerSecond < 1024 * 1024)
        return c.toString(double(bytesPerSecond) / 1024, 'f', 1) + QStringLiteral(" KB/s");
    return c.toString(double(bytesPerSecond) / (1024 * 1024), 'f', 1) + QStringLiteral(" MB/s");
}

ByteCounter::ByteCounter(QLabel *countLabel, QLabel *rateLabel, const char *caption, QObject *parent)
    : QObject(parent), m_countLabel(countLabel), m_rateLabel(rateLabel), m_caption(caption)
{
    connect(&m_rateTimer, &QTimer::timeout, this, &ByteCounter::takeRate);
    m_rateLabel->clear();
    show();
}

void ByteCounter::add(qint64 bytes)
{
    if (bytes <= 0)
        return;
    m_total += quint64(bytes);
    m_sinceRate += quint64(bytes);
    show();
    if (!m_rateTimer.isActive())
        m_rateTimer.start(rateIntervalMs);
}

void ByteCounter::reset()
{
    m_total = 0;
    m_sinceRate = 0;
    m_rateTimer.stop();
    m_rateLabel->clear();
    show();
}

void ByteCounter::show()
{
    m_countLabel->setText(QCoreApplication::translate("MainWindow", m_caption) + byteCountText(m_total));
}

void ByteCounter::takeRate()
{
    m_rateLabel->setText(byteRateText(m_sinceRate * 1000 / quint64(qMax(rateIntervalMs, 1))));
    // Idle: the label is blank now and the timer waits for the next bytes.
    if (m_sinceRate == 0)
        m_rateTimer.stop();
    m_sinceRate = 0;
}
