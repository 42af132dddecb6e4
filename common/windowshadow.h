#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QRect>
#include <QSize>

class QWidget;

// A drop shadow around the rounded frame of a frameless, translucent window,
// painted by the widget that holds the frame (in the margin left around it).
// It looks as a QGraphicsDropShadowEffect with the same radius, colour and no
// offset does on the holder, but is rendered once for each size of the
// holder and then painted as a picture, where the effect renders the whole
// window again for every repaint.
class WindowShadow : public QObject
{
public:
    // Parented to `holder`. `frame` is a child of `holder`, drawn with
    // corners of `cornerRadius`.
    WindowShadow(QWidget *holder, QWidget *frame, qreal blurRadius, const QColor &color, qreal cornerRadius);

    qreal blurRadius() const { return m_blurRadius; }
    QColor color() const { return m_color; }

    // The shadow alone, of a frame at `frame` in a holder of `size`, at
    // `devicePixelRatio` device pixels per unit.
    static QImage render(QSize size, qreal devicePixelRatio, const QRect &frame, qreal blurRadius,
                         const QColor &color, qreal cornerRadius);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_holder;
    QWidget *m_frame;
    qreal m_blurRadius;
    QColor m_color;
    qreal m_cornerRadius;
    // The picture and what it was rendered for.
    QPixmap m_picture;
    QSize m_size;
    QRect m_frameRect;
};
