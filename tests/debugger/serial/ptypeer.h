#pragma once

// The far end of a serial line in tests: a pseudo-terminal pair whose slave
// path is handed to the code under test while the test talks through the master.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QString>

#include <memory>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

class PtyPeer
{
public:
    PtyPeer() = default;
    PtyPeer(const PtyPeer &) = delete;
    PtyPeer &operator=(const PtyPeer &) = delete;
    ~PtyPeer() { unplug(); }

    // The slave stays open here too, so that the master never sees a hang-up
    // while the code under test has the port closed.
    bool open()
    {
        char name[128] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            return false;
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        termios raw;
        ::tcgetattr(m_slave, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(m_slave, TCSANOW, &raw);
        m_path = QString::fromLocal8Bit(name);
        return true;
    }

    QString path() const { return m_path; }
    int master() const { return m_master; }

    // Collects what the code under test sends, driven by the event loop.
    void startReading()
    {
        m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { drain(); });
    }

    void drain()
    {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            m_received.append(buffer, qsizetype(n));
        }
    }

    QByteArray received() const { return m_received; }
    void clearReceived() { m_received.clear(); }

    // Writes everything, waiting for room, within a time limit.
    bool write(const QByteArray &data, int timeoutMs = 10000)
    {
        QDeadlineTimer deadline(timeoutMs);
        qsizetype done = 0;
        while (done < data.size()) {
            const ssize_t n = ::write(m_master, data.constData() + done, size_t(data.size() - done));
            if (n > 0) {
                done += n;
                continue;
            }
            if (n < 0 && errno != EAGAIN)
                return false;
            if (deadline.hasExpired())
                return false;
            pollfd p{m_master, POLLOUT, 0};
            ::poll(&p, 1, 10);
        }
        return true;
    }

    termios lineSettings() const
    {
        termios t{};
        ::tcgetattr(m_master, &t);
        return t;
    }

    // How many descriptors of this process refer to the slave, the test's own
    // included: 2 while the code under test holds the port, 1 when it is closed.
    int slaveUsers() const
    {
        int users = 0;
        const QFileInfoList fds = QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
        for (const QFileInfo &fd : fds)
            if (fd.symLinkTarget() == m_path)
                ++users;
        return users;
    }

    // The device is removed: both ends go away.
    void unplug()
    {
        m_notifier.reset();
        if (m_master >= 0)
            ::close(m_master);
        if (m_slave >= 0)
            ::close(m_slave);
        m_master = m_slave = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QByteArray m_received;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
