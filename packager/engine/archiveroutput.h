#pragma once

#include "packagingsteps.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace packaging {

// Splits the archiver's standard output into what the log shows and what
// moves the progress bar. Under "-bsp1" the archiver redraws its progress
// line in place: a status text (" 42% 7 + name"), backspaces, blanks over
// it, backspaces again. Everything on a line up to its last backspace or
// carriage return has been drawn over, so only what follows is the line's
// text; a line left empty, or holding nothing but a percentage, is a redraw
// and never reaches the log. Every other line comes out as the archiver
// printed it. Lines are decoded whole, so a character split between two
// reads stays intact, and a redraw never piles up in memory: what a
// backspace erases is dropped as soon as it arrives.
class ArchiverOutput
{
public:
    struct Part
    {
        std::optional<int> progress; // the first percentage of the chunk, as printed
        QStringList lines;           // finished lines for the log
    };

    Part feed(const QByteArray &chunk);
    // The text after the last line end, once the archiver has ended.
    QStringList finish();

private:
    void takeLine(QStringList &lines);

    ProgressReader m_progress;
    QByteArray m_line;     // the current line since its last backspace or carriage return
    bool m_returned = false; // a carriage return came last
};

} // namespace packaging
