#include "reconnector.h"

Reconnector::Reconnector(QObject *parent) : QObject(parent)
{
    m_wait.setSingleShot(true);
    m_wait.setInterval(kDefaultIntervalMs);
    connect(&m_wait, &QTimer::timeout, this, [this] { emit attempt(++m_attempts); });
}

void Reconnector::lost()
{
    m_active = true;
    m_wait.start();
}

void Reconnector::connected()
{
    cancel();
}

void Reconnector::cancel()
{
    m_wait.stop();
    m_active = false;
    m_attempts = 0;
}
