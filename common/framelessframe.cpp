#include "framelessframe.h"

#include "windowshadow.h"

#include <QAbstractButton>
#include <QColor>
#include <QCoreApplication>
#include <QLayout>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {

// The frame's corners (as the style sheets draw them) and its shadow.
constexpr qreal kCornerRadius = 8;
constexpr qreal kShadowBlur = 20;
const QColor kShadowColor(0, 0, 0, 80);

Qt::CursorShape cursorFor(Qt::Edges edges)
{
    const bool left = edges & Qt::LeftEdge, right = edges & Qt::RightEdge;
    const bool top = edges & Qt::TopEdge, bottom = edges & Qt::BottomEdge;
    if ((left && top) || (right && bottom))
        return Qt::SizeFDiagCursor;
    if ((right && top) || (left && bottom))
        return Qt::SizeBDiagCursor;
    return left || right ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

} // namespace

FramelessFrame::FramelessFrame(QWidget *window, const Widgets &widgets, std::function<Question()> quitQuestion,
                               Sizing sizing)
    : QObject(window), m_window(window), m_widgets(widgets), m_quitQuestion(std::move(quitQuestion)),
      m_resizable(sizing == Sizing::Resizable)
{
    window->setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    window->setAttribute(Qt::WA_TranslucentBackground);
    // Rendered once: an effect would render the whole window again for every repaint.
    new WindowShadow(widgets.holder, widgets.frame, kShadowBlur, kShadowColor, kCornerRadius);

    connect(widgets.minButton, &QAbstractButton::clicked, window, &QWidget::showMinimized);
    connect(widgets.closeButton, &QAbstractButton::clicked, this, &FramelessFrame::askToQuit);
    if (m_resizable && widgets.holder->layout()) {
        m_shadowMargins = widgets.holder->layout()->contentsMargins();
        // Moves over the shadow's margin reach the window, which shows the
        // grip there; the frame keeps the ordinary pointer.
        widgets.holder->setMouseTracking(true);
        window->setMouseTracking(true);
        widgets.frame->setCursor(Qt::ArrowCursor);
    }
    // Presses the title bar and side column leave unhandled reach the window.
    window->installEventFilter(this);
}

void FramelessFrame::askToQuit()
{
    const Question question = m_quitQuestion();
    // No is the default: an Enter meant for something else does not quit.
    const QMessageBox::StandardButton answer = QMessageBox::question(
        m_window, question.title, question.text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes)
        QCoreApplication::quit();
}

Qt::Edges FramelessFrame::edgesAt(QSize size, QPoint at, int grip)
{
    if (grip <= 0 || !QRect(QPoint(0, 0), size).contains(at))
        return {};
    // Along an edge, the last stretch before a corner takes the corner.
    const int corner = 2 * grip;
    Qt::Edges edges;
    const bool nearLeft = at.x() < corner, nearRight = at.x() >= size.width() - corner;
    const bool nearTop = at.y() < corner, nearBottom = at.y() >= size.height() - corner;
    if (at.x() < grip || (nearLeft && (at.y() < grip || at.y() >= size.height() - grip)))
        edges |= Qt::LeftEdge;
    if (at.x() >= size.width() - grip || (nearRight && (at.y() < grip || at.y() >= size.height() - grip)))
        edges |= Qt::RightEdge;
    if (at.y() < grip || (nearTop && (at.x() < grip || at.x() >= size.width() - grip)))
        edges |= Qt::TopEdge;
    if (at.y() >= size.height() - grip || (nearBottom && (at.x() < grip || at.x() >= size.width() - grip)))
        edges |= Qt::BottomEdge;
    return edges;
}

QRect FramelessFrame::resized(const QRect &start, Qt::Edges edges, QPoint travel, QSize minimum, QSize maximum)
{
    QRect rect = start;
    const auto bounded = [](int length, int low, int high) { return qMax(low, qMin(length, high)); };
    if (edges & Qt::LeftEdge)
        rect.setLeft(start.right() + 1 - bounded(start.width() - travel.x(), minimum.width(), maximum.width()));
    else if (edges & Qt::RightEdge)
        rect.setWidth(bounded(start.width() + travel.x(), minimum.width(), maximum.width()));
    if (edges & Qt::TopEdge)
        rect.setTop(start.bottom() + 1 - bounded(start.height() - travel.y(), minimum.height(), maximum.height()));
    else if (edges & Qt::BottomEdge)
        rect.setHeight(bounded(start.height() + travel.y(), minimum.height(), maximum.height()));
    return rect;
}

int FramelessFrame::grip() const
{
    if (!m_resizable || (m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return 0;
    return qMin(qMin(m_shadowMargins.left(), m_shadowMargins.right()),
                qMin(m_shadowMargins.top(), m_shadowMargins.bottom()));
}

bool FramelessFrame::onHandle(QPoint at, bool titleBarOnly) const
{
    // The frames sit inside the shadow's margin: the press is mapped from
    // the window itself, not from each frame's parent.
    for (const QWidget *handle : {m_widgets.titleBar, titleBarOnly ? nullptr : m_widgets.sideColumn})
        if (handle && handle->rect().contains(handle->mapFrom(m_window, at)))
            return true;
    return false;
}

void FramelessFrame::showGrip(QPoint at)
{
    const Qt::Edges edges = edgesAt(m_window->size(), at, grip());
    if (edges)
        m_widgets.holder->setCursor(cursorFor(edges));
    else
        m_widgets.holder->unsetCursor();
}

void FramelessFrame::followState()
{
    // Maximised, the window fills the screen: no margin for a shadow or a grip.
    const bool full = m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    m_widgets.holder->layout()->setContentsMargins(full ? QMargins() : m_shadowMargins);
    if (full)
        m_widgets.holder->unsetCursor();
}

bool FramelessFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    const auto type = event->type();
    if (type == QEvent::WindowStateChange && m_resizable) {
        followState();
        return false;
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease
        && type != QEvent::MouseButtonDblClick)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint at = mouse->position().toPoint();
    QWindow *handle = m_window->windowHandle();

    if (type == QEvent::MouseButtonDblClick) {
        if (!m_resizable || mouse->button() != Qt::LeftButton || !onHandle(at, true))
            return false;
        if (m_window->isMaximized())
            m_window->showNormal();
        else
            m_window->showMaximized();
    } else if (type == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton)
            return false;
        const Qt::Edges edges = edgesAt(m_window->size(), at, grip());
        if (edges) {
            // The system's own resizing works everywhere (Wayland too); where
            // there is none (no window manager) the frame resizes itself.
            if (!handle || !handle->startSystemResize(edges)) {
                m_resizeEdges = edges;
                m_dragStart = mouse->globalPosition().toPoint();
                m_geometryStart = m_window->geometry();
            }
        } else if (onHandle(at, false)) {
            // The system's move starts with the first move, so that a
            // double-click still reaches the title bar.
            m_dragging = true;
            m_systemMoveAsked = false;
            m_dragStart = mouse->globalPosition().toPoint();
            m_windowStart = m_window->frameGeometry().topLeft();
        } else {
            return false;
        }
    } else if (type == QEvent::MouseMove) {
        if (!(mouse->buttons() & Qt::LeftButton)) {
            if (mouse->buttons() == Qt::NoButton && m_resizable)
                showGrip(at);
            return false;
        }
        const QPoint travel = mouse->globalPosition().toPoint() - m_dragStart;
        if (m_resizeEdges) {
            m_window->setGeometry(resized(m_geometryStart, m_resizeEdges, travel, m_window->minimumSize(),
                                          m_window->maximumSize()));
        } else if (m_dragging) {
            const bool systemMoves = !m_systemMoveAsked && handle && handle->startSystemMove();
            m_systemMoveAsked = true;
            if (systemMoves)
                m_dragging = false;
            else
                m_window->move(m_windowStart + travel);
        } else {
            return false;
        }
    } else {
        if (mouse->button() != Qt::LeftButton || (!m_dragging && !m_resizeEdges))
            return false;
        m_dragging = false;
        m_resizeEdges = {};
    }
    event->accept();
    return true;
}
