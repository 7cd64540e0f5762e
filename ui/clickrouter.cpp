#include "clickrouter.h"

#include <QMouseEvent>

namespace quelvara {

void ClickRouter::watch(QWidget* control, std::function<void()> onClick)
{
    m_controls.insert(control, std::move(onClick));
    control->installEventFilter(this);
}

bool ClickRouter::activate(QWidget* control) const
{
    const auto found = m_controls.constFind(control);
    if (found == m_controls.constEnd())
        return false;
    (*found)();
    return true;
}

bool ClickRouter::eventFilter(QObject* watched, QEvent* event)
{
    const auto control = m_controls.constFind(watched);
    if (control == m_controls.constEnd())
        return false;

    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            m_pressed = static_cast<QWidget*>(watched);
        return true;
    }
    case QEvent::MouseButtonDblClick:
        // The second press of a double-click is never a click; a double-click
        // of another button leaves a held primary button alone.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_pressed = nullptr;
        return true;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return true;
        auto* widget = static_cast<QWidget*>(watched);
        // Only the part of the control that can be seen counts: the page area
        // clips the hands at its edges.
        const bool clicked = m_pressed == widget && widget->visibleRegion().contains(mouse->position().toPoint());
        m_pressed = nullptr;
        if (clicked)
            (*control)();
        return true;
    }
    default:
        return false;
    }
}

} // namespace quelvara
