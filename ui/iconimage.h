#pragma once

#include <QPixmap>
#include <QWidget>

namespace quelvara {

// A transparent icon: its masked pixels show whatever lies beneath.
class IconImage final : public QWidget {
    Q_OBJECT

public:
    IconImage(const QPixmap& picture, QWidget* parent);

    const QPixmap& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace quelvara
