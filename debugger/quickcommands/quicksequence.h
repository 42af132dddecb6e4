#pragma once

#include <QObject>
#include <QTimer>

class QuickCommandModel;

// Sends the quick-command list in order, once or over and over, pausing after
// each command for its own delay. It asks for each send through
// sendRequested; whoever sends calls stop() when a command cannot go out, and
// the page stops it when its channel closes.
class QuickSequence : public QObject
{
    Q_OBJECT

public:
    explicit QuickSequence(const QuickCommandModel *model, QObject *parent = nullptr);

    bool isRunning() const { return m_running; }
    // The first command goes at once. An empty list does not start.
    void start(bool loop);
    void stop();

Q_SIGNALS:
    void sendRequested(int row);
    void runningChanged(bool running);

private:
    void step();

    const QuickCommandModel *m_model;
    QTimer m_pause;
    int m_next = 0;
    bool m_loop = false;
    bool m_running = false;
};
