#pragma once

#include <QObject>
#include <QTimer>

// The TCP client's automatic reconnection: after each failure or peer close
// it waits the interval and asks for the next attempt, counting them, until
// a connection stands or it is cancelled.
class Reconnector : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDefaultIntervalMs = 2000;

    explicit Reconnector(QObject *parent = nullptr);

    void setIntervalMs(int ms) { m_wait.setInterval(ms); }
    // Attempts asked for since the connection was lost.
    int attempts() const { return m_attempts; }
    bool isActive() const { return m_active; }

    // The connection failed or was closed by the peer: the next attempt
    // comes one interval from now.
    void lost();
    // A connection stands, or the user gave up: counting starts afresh.
    void connected();
    void cancel();

Q_SIGNALS:
    void attempt(int number);

private:
    QTimer m_wait;
    int m_attempts = 0;
    bool m_active = false;
};
