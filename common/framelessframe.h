#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QAbstractButton;
class QWidget;

// The frame both main windows share: a frameless, translucent window whose
// rounded frame casts a shadow into the margin its holder leaves around it, is
// dragged by the bare title bar and side column, and is minimised or quit from
// the title bar's own buttons; quitting asks first, with No as the default.
// A resizable frame is also resized from its edges and corners (the shadow's
// margin) and maximised or restored by a double-click on the title bar.
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
    enum class Sizing { Fixed, Resizable };

    // Parented to `window`, whose flags and attributes it sets.
    FramelessFrame(QWidget *window, const Widgets &widgets, std::function<Question()> quitQuestion,
                   Sizing sizing = Sizing::Fixed);

    bool isDragging() const { return m_dragging; }

    // The edges a press at `at` (window coordinates) in a window of `size`
    // takes hold of: those within `grip` of it, and near a corner both of the
    // corner's edges.
    static Qt::Edges edgesAt(QSize size, QPoint at, int grip);
    // `start` with `edges` moved by `travel`, kept within the size limits; an
    // edge that cannot move further leaves the opposite one in place.
    static QRect resized(const QRect &start, Qt::Edges edges, QPoint travel, QSize minimum, QSize maximum);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void askToQuit();
    bool onHandle(QPoint at, bool titleBarOnly) const;
    int grip() const;
    void showGrip(QPoint at);
    void followState();

    QWidget *m_window;
    Widgets m_widgets;
    std::function<Question()> m_quitQuestion;
    bool m_resizable;
    QMargins m_shadowMargins;  // the holder's, while the window is not maximised
    bool m_dragging = false;
    bool m_systemMoveAsked = false;  // for the drag under way
    Qt::Edges m_resizeEdges;   // held by our own resizing, where the system has none
    QPoint m_dragStart;        // global position of the press
    QPoint m_windowStart;      // the window's top left then
    QRect m_geometryStart;     // its geometry then
};
