#pragma once

#include <QString>

// One saved command of the quick-command list: what a send area and its two
// send options would hold, under a name, with the pause that follows it when
// the list is sent in order.
struct QuickCommand
{
    static constexpr int kMaxDelayMs = 3600000;

    QString name;
    QString text;
    bool hex = false;
    bool newLine = false;
    int delayMs = 0;

    friend bool operator==(const QuickCommand &a, const QuickCommand &b)
    {
        return a.name == b.name && a.text == b.text && a.hex == b.hex && a.newLine == b.newLine
            && a.delayMs == b.delayMs;
    }
};
