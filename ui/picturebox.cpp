#include "picturebox.h"

#include <QPaintEvent>
#include <QPainter>

namespace quelvara {

PictureView::PictureView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::setPicture(const QPixmap* picture)
{
    if (picture == m_picture)
        return;
    m_picture = picture;
    update();
}

void PictureView::setBackground(const QColor& colour)
{
    m_background = colour;
    update();
}

void PictureView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_picture) {
        painter.drawPixmap(0, 0, *m_picture);
        // Whatever the bitmap does not cover shows the background.
        const QRegion uncovered
            = QRegion(event->rect()) - QRect(QPoint(0, 0), m_picture->deviceIndependentSize().toSize());
        for (const QRect& rect : uncovered)
            painter.fillRect(rect, m_background);
    } else {
        painter.fillRect(event->rect(), m_background);
    }
}

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
    , m_view(new PictureView(this))
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    m_view->setGeometry(contentsRect());
}

} // namespace quelvara
