#include "menuentry.h"

#include <QPainter>

namespace quelvara {

MenuEntry::MenuEntry(const QString& caption, const QColor& background, QWidget* parent)
    : QWidget(parent)
    , m_caption(caption)
    , m_background(background)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MenuEntry::setLook(const QFont& font, const QColor& textColour)
{
    if (font == this->font() && textColour == m_textColour)
        return;
    setFont(font);
    m_textColour = textColour;
    update();
}

void MenuEntry::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setPen(m_textColour);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_caption);
}

} // namespace quelvara
