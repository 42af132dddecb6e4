#include "archiveroutput.h"

#include <QRegularExpression>

namespace packaging {

ArchiverOutput::Part ArchiverOutput::feed(const QByteArray &chunk)
{
    Part part;
    part.progress = m_progress.feed(QString::fromLocal8Bit(chunk));
    for (const char c : chunk) {
        if (c == '\n') {
            takeLine(part.lines);
        } else if (c == '\r') {
            // Only a carriage return followed by more text on the same line
            // draws over it; one right before the line feed ends a line the
            // Windows way.
            m_returned = true;
        } else if (c == '\b') {
            m_line.clear();
            m_returned = false;
        } else {
            if (m_returned)
                m_line.clear();
            m_returned = false;
            m_line.append(c);
        }
    }
    return part;
}

QStringList ArchiverOutput::finish()
{
    QStringList lines;
    takeLine(lines);
    return lines;
}

void ArchiverOutput::takeLine(QStringList &lines)
{
    static const QRegularExpression barePercentage(QStringLiteral("^\\s*\\d+%\\s*$"));
    const QString line = QString::fromLocal8Bit(m_line);
    m_line.clear();
    m_returned = false;
    if (!line.trimmed().isEmpty() && !barePercentage.match(line).hasMatch())
        lines << line;
}

} // namespace packaging
