#include "framelessframe.h"

#include "windowshadow.h"

#include <QAbstractButton>
#include <QColor>
#include <QCoreApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWidget>

namespace {

// The frame's corners (as the style sheets draw them) and its shadow.
constexpr qreal kCornerRadius = 8;
constexpr qreal kShadowBlur = 20;
const QColor kShadowColor(0, 0, 0, 80);

} // namespace

FramelessFrame::FramelessFrame(QWidget *window, const Widgets &widgets, std::function<Question()> quitQuestion)
    : QObject(window), m_window(window), m_widgets(widgets), m_quitQuestion(std::move(quitQuestion))
{
    window->setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    window->setAttribute(Qt::WA_TranslucentBackground);
    // Rendered once: an effect would render the whole window again for every repaint.
    new WindowShadow(widgets.holder, widgets.frame, kShadowBlur, kShadowColor, kCornerRadius);

    connect(widgets.minButton, &QAbstractButton::clicked, window, &QWidget::showMinimized);
    connect(widgets.closeButton, &QAbstractButton::clicked, this, &FramelessFrame::askToQuit);
    // Presses the title bar and side column leave unhandled reach the window.
    window->installEventFilter(this);
}

void FramelessFrame::askToQuit()
{
    const Question question = m_quitQuestion();
    const QMessageBox::StandardButton answer = QMessageBox::question(
        m_window, question.title, question.text, QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        QCoreApplication::quit();
}

bool FramelessFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);

    if (type == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton)
            return false;
        // The frames sit inside the shadow's margin: the press is mapped from
        // the window itself, not from each frame's parent.
        const QPoint at = mouse->position().toPoint();
        bool onHandle = false;
        for (const QWidget *handle : {m_widgets.titleBar, m_widgets.sideColumn})
            onHandle = onHandle || (handle && handle->rect().contains(handle->mapFrom(m_window, at)));
        if (!onHandle)
            return false;
        m_dragging = true;
        m_dragStart = mouse->globalPosition().toPoint();
        m_windowStart = m_window->frameGeometry().topLeft();
    } else if (type == QEvent::MouseMove) {
        if (!m_dragging || !(mouse->buttons() & Qt::LeftButton))
            return false;
        m_window->move(m_windowStart + (mouse->globalPosition().toPoint() - m_dragStart));
    } else {
        if (mouse->button() != Qt::LeftButton || !m_dragging)
            return false;
        m_dragging = false;
    }
    event->accept();
    return true;
}
