#include "iconimage.h"

#include <QPainter>

namespace quelvara {

IconImage::IconImage(const QPixmap& picture, QWidget* parent)
    : QWidget(parent)
    , m_picture(picture)
{
    setFixedSize(picture.deviceIndependentSize().toSize());
}

void IconImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

} // namespace quelvara
