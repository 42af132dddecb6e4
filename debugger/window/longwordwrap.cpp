#include "longwordwrap.h"

#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// A space the layout may break at; a no-break space belongs to its word.
bool isBreakingSpace(QChar c)
{
    return c.isSpace() && c.decompositionTag() != QChar::NoBreak;
}

// Whether a run without breaking spaces holds kLongWord characters between
// two line-break opportunities.
bool runHasLongWord(QStringView run)
{
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, run.data(), run.size());
    qsizetype last = 0;
    for (qsizetype at = breaks.toNextBoundary(); at >= 0; at = breaks.toNextBoundary()) {
        if (at - last >= LongWordWrap::kLongWord)
            return true;
        last = at;
    }
    return false;
}

} // namespace

LongWordWrap::LongWordWrap(QTextEdit *area)
    : QObject(area), m_area(area), m_wordMode(area->wordWrapMode())
{
    m_recheck.setSingleShot(true);
    m_recheck.setInterval(kRecheckMs);
    connect(&m_recheck, &QTimer::timeout, this, &LongWordWrap::recheck);
    connect(area->document(), &QTextDocument::contentsChange, this, &LongWordWrap::onContentsChange);
}

bool LongWordWrap::hasLongWord(QStringView text)
{
    // Only runs of kLongWord characters without a space can hold a long
    // word: the cheap scan finds them, the line-break rules decide.
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isBreakingSpace(text[i]))
            continue;
        if (i - start >= kLongWord && runHasLongWord(text.mid(start, i - start)))
            return true;
        start = i + 1;
    }
    return false;
}

void LongWordWrap::replaceText(const QString &text)
{
    if (!m_anywhere && hasLongWord(text))
        setWrapAnywhere(true);
    const Qt::ScrollBarPolicy policy = m_area->verticalScrollBarPolicy();
    if (policy == Qt::ScrollBarAsNeeded && text.size() > kLongWord)
        m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_area->setPlainText(text);
    m_area->setVerticalScrollBarPolicy(policy);
}

// Called before the area lays the change out, so that a long word coming in
// is laid out once, already wrapping anywhere.
void LongWordWrap::onContentsChange(int from, int removed, int added)
{
    if (m_anywhere) {
        if (removed > 0)
            m_recheck.start();
        return;
    }
    if (added <= 0)
        return;
    QTextDocument *document = m_area->document();
    const int end = from + added;
    for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() <= end;
         block = block.next()) {
        if (block.length() > kLongWord && hasLongWord(block.text())) {
            setWrapAnywhere(true);
            return;
        }
    }
}

void LongWordWrap::recheck()
{
    for (QTextBlock block = m_area->document()->begin(); block.isValid(); block = block.next()) {
        if (block.length() > kLongWord && hasLongWord(block.text()))
            return;
    }
    setWrapAnywhere(false);
}

void LongWordWrap::setWrapAnywhere(bool anywhere)
{
    m_anywhere = anywhere;
    m_area->setWordWrapMode(anywhere ? QTextOption::WrapAnywhere : m_wordMode);
}
