#include "windowshadow.h"

#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <QtMath>

WindowShadow::WindowShadow(QWidget *holder, QWidget *frame, qreal blurRadius, const QColor &color,
                           qreal cornerRadius)
    : QObject(holder), m_holder(holder), m_frame(frame), m_blurRadius(blurRadius), m_color(color),
      m_cornerRadius(cornerRadius)
{
    holder->installEventFilter(this);
}

QImage WindowShadow::render(QSize size, qreal devicePixelRatio, const QRect &frame, qreal blurRadius,
                            const QColor &color, qreal cornerRadius)
{
    // The effect itself blurs, so the shadow is the one it draws. It draws
    // its item over the shadow, though: the item stands to the left of the
    // picture, and the shadow is moved right by the effect's offset onto it.
    const int shift = size.width() + 4 * qCeil(blurRadius) + 2;
    QGraphicsScene scene;
    scene.setSceneRect(0, 0, shift + size.width(), size.height());
    QPainterPath shape;
    shape.addRoundedRect(QRectF(frame), cornerRadius, cornerRadius);
    QGraphicsPathItem *item = scene.addPath(shape, Qt::NoPen, Qt::black);
    auto *effect = new QGraphicsDropShadowEffect;
    effect->setBlurRadius(blurRadius);
    effect->setColor(color);
    effect->setOffset(shift, 0);
    item->setGraphicsEffect(effect);

    QImage both((QSizeF(scene.sceneRect().size()) * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    both.setDevicePixelRatio(devicePixelRatio);
    both.fill(Qt::transparent);
    {
        QPainter painter(&both);
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter, scene.sceneRect(), scene.sceneRect());
    }
    QImage shadow = both.copy(qRound(shift * devicePixelRatio), 0, qRound(size.width() * devicePixelRatio),
                              both.height());
    shadow.setDevicePixelRatio(devicePixelRatio);
    return shadow;
}

bool WindowShadow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_holder && event->type() == QEvent::Paint) {
        const qreal ratio = m_holder->devicePixelRatioF();
        const QRect frame = m_frame->geometry();
        if (m_picture.isNull() || m_size != m_holder->size() || m_frameRect != frame
            || m_picture.devicePixelRatio() != ratio) {
            m_size = m_holder->size();
            m_frameRect = frame;
            m_picture = QPixmap::fromImage(render(m_size, ratio, frame, m_blurRadius, m_color, m_cornerRadius));
        }
        QPainter painter(m_holder);
        painter.drawPixmap(0, 0, m_picture);
    }
    return false;
}
