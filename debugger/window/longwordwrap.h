#pragma once

#include <QObject>
#include <QTextOption>
#include <QStringView>
#include <QTimer>

class QTextEdit;

// A text area wraps its lines at word boundaries and breaks a word longer than
// a line anywhere. Laid out that way, a word that fills many lines costs time
// quadratic in its length: each line searches again for the word's end before
// it falls back to breaking anywhere. While an area holds a word of
// kLongWord characters or more, it therefore wraps anywhere, which lays such
// a word out in linear time and shows it the same way. Once no such word is
// left, the area wraps at word boundaries again.
//
// A word here is a run of characters without a line-break opportunity, as the
// text layout finds them: Chinese text breaks between characters and has no
// long words, a long run of letters, digits or base64 has.
class LongWordWrap : public QObject
{
    Q_OBJECT

public:
    static constexpr qsizetype kLongWord = 512;
    // After text leaves the area, it is looked over again once changes have
    // stopped for this long.
    static constexpr int kRecheckMs = 250;

    // Parented to the area, so that the two go together.
    explicit LongWordWrap(QTextEdit *area);

    // Puts `text` in place of what the area holds (an imported file), set up
    // for it first so that it is laid out only once: wrapping anywhere if it
    // holds a long word, and with the vertical scroll bar already shown, so
    // that the bar's coming does not lay the text out again, narrower.
    void replaceText(const QString &text);
    bool wrapsAnywhere() const { return m_anywhere; }
    void setRecheckDelay(int ms) { m_recheck.setInterval(ms); }

    static bool hasLongWord(QStringView text);

private:
    void onContentsChange(int from, int removed, int added);
    void recheck();
    void setWrapAnywhere(bool anywhere);

    QTextEdit *m_area;
    const QTextOption::WrapMode m_wordMode;
    QTimer m_recheck;
    bool m_anywhere = false;
};
