#pragma once

#include <QColor>
#include <QWidget>

namespace quelvara {

// One entry of the menu column: an opaque label of fixed size whose caption
// starts at its top-left corner, wraps at spaces when too wide and is
// clipped by the label's height.
class MenuEntry final : public QWidget {
    Q_OBJECT

public:
    MenuEntry(const QString& caption, const QColor& background, QWidget* parent);

    void setLook(const QFont& font, const QColor& textColour);

    QString caption() const { return m_caption; }
    QColor textColour() const { return m_textColour; }
    QColor backgroundColour() const { return m_background; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    QColor m_background;
    QColor m_textColour;
};

} // namespace quelvara
