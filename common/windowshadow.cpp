#include "windowshadow.h"

#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <QtMath>

#include <utility>

WindowShadow::WindowShadow(QWidget *holder, QWidget *frame, qreal blurRadius, const QColor &color,
                           qreal cornerRadius)
    : QObject(holder), m_holder(holder), m_frame(frame), m_blurRadius(blurRadius), m_color(color),
      m_cornerRadius(cornerRadius)
{
    holder->installEventFilter(this);
}

namespace {

// The shadow alone of a frame at `frame` in a holder of `size`.
QImage renderWhole(QSize size, qreal devicePixelRatio, const QRect &frame, qreal blurRadius, const QColor &color,
                   qreal cornerRadius)
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
    return both.copy(qRound(shift * devicePixelRatio), 0, qRound(size.width() * devicePixelRatio), both.height());
}

// Where a picture is cut into three along one axis, in device pixels: the
// part before the middle, the middle, the part after it.
struct Cuts
{
    int first;
    int second;
    int end;
};

} // namespace

QImage WindowShadow::render(QSize size, qreal devicePixelRatio, const QRect &frame, qreal blurRadius,
                            const QColor &color, qreal cornerRadius)
{
    // Away from the frame's corners the shadow is the same all along an
    // edge: the shadow of a small frame, its middle stretched, is the large
    // frame's, and blurring the small one costs a fraction.
    const int reach = 2 * qCeil(blurRadius) + qCeil(cornerRadius) + 4;
    // The effect blurs at half size, in pairs of pixels counted from the
    // picture's edges: the small frame keeps the large one's odd or even size.
    const auto smallLength = [reach](int length) {
        return length <= 2 * reach + 2 ? length : 2 * reach + 1 + ((length - 1) & 1);
    };
    const QSize smallFrame(smallLength(frame.width()), smallLength(frame.height()));
    const QSize smallSize = size - frame.size() + smallFrame;
    QImage small = renderWhole(smallSize, devicePixelRatio, QRect(frame.topLeft(), smallFrame), blurRadius, color,
                               cornerRadius);
    if (smallFrame == frame.size()) {
        small.setDevicePixelRatio(devicePixelRatio);
        return small;
    }

    const auto cuts = [devicePixelRatio, reach](int lead, int smallLength, int length, int frameLength) {
        const int before = frameLength > 2 * reach + 2 ? qRound((lead + reach) * devicePixelRatio) : 0;
        const int end = qRound(length * devicePixelRatio);
        const int smallEnd = qRound(smallLength * devicePixelRatio);
        const int after = frameLength > 2 * reach + 2 ? smallEnd - before - qRound(devicePixelRatio) : 0;
        return std::pair<Cuts, Cuts>{{before, smallEnd - after, smallEnd}, {before, end - after, end}};
    };
    const auto [fromX, toX] = cuts(frame.x(), smallSize.width(), size.width(), frame.width());
    const auto [fromY, toY] = cuts(frame.y(), smallSize.height(), size.height(), frame.height());

    QImage image(toX.end, toY.end, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        const int fromXs[] = {0, fromX.first, fromX.second, fromX.end};
        const int toXs[] = {0, toX.first, toX.second, toX.end};
        const int fromYs[] = {0, fromY.first, fromY.second, fromY.end};
        const int toYs[] = {0, toY.first, toY.second, toY.end};
        for (int column = 0; column < 3; ++column)
            for (int row = 0; row < 3; ++row) {
                const QRect from(QPoint(fromXs[column], fromYs[row]), QPoint(fromXs[column + 1] - 1, fromYs[row + 1] - 1));
                const QRect to(QPoint(toXs[column], toYs[row]), QPoint(toXs[column + 1] - 1, toYs[row + 1] - 1));
                if (!from.isEmpty() && !to.isEmpty())
                    painter.drawImage(to, small, from);
            }
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
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
