#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>

class QAbstractButton;
class QWidget;

// The frame both main windows share: a frameless, translucent window whose
// rounded frame casts a shadow into the margin its holder leaves around it, is
// dragged by the bare title bar and side column, and is minimised or quit from
// the title bar's own buttons; quitting asks first.
class FramelessFrame : public QObject
{
public:
    // The window's widgets the frame works with.
    struct Widgets {
        QWidget *holder;      // the central widget, with the shadow's margin
        QWidget *frame;       // the rounded frame inside it
        QWidget *titleBar;    // dragged by, where nothing else is hit
        QWidget *sideColumn;  // likewise
        QAbstractButton *minButton;
        QAbstractButton *closeButton;
    };
    // The quit question's title and text, asked for each time it is put.
    struct Question {
        QString title;
        QString text;
    };

    // Parented to `window`, whose flags and attributes it sets.
    FramelessFrame(QWidget *window, const Widgets &widgets, std::function<Question()> quitQuestion);

    bool isDragging() const { return m_dragging; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void askToQuit();

    QWidget *m_window;
    Widgets m_widgets;
    std::function<Question()> m_quitQuestion;
    bool m_dragging = false;
    QPoint m_dragStart;    // global position of the press
    QPoint m_windowStart;  // the window's top left then
};
