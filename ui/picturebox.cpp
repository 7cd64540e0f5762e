#include "picturebox.h"

#include <QPaintEvent>
#include <QPainter>

namespace quelvara {

PictureView::PictureView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::setPicture(const QImage* picture)
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
        painter.drawImage(0, 0, *m_picture);
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

// The sunken border in the platform's colours, drawn as rectangles of whole
// pixels so it stays exactly 2 px wide at any scale: shadow above and left,
// light below and right, and inside them the darker shadow and the midlight.
void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const QRect outer = rect();
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    auto bevel = [&](const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    };
    bevel(outer, colours.color(QPalette::Dark), colours.color(QPalette::Light));
    bevel(inner, colours.color(QPalette::Shadow), colours.color(QPalette::Midlight));
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    m_view->setGeometry(contentsRect());
}

} // namespace quelvara
