#pragma once

#include <QFrame>
#include <QImage>

namespace quelvara {

// The area inside a picture box's border. It draws its bitmap unscaled at its
// top-left corner over its background, and clips the arrows placed on it.
class PictureView final : public QWidget {
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent);

    // The view only refers to the picture; its owner keeps it alive.
    void setPicture(const QImage* picture);
    const QImage* picture() const { return m_picture; }

    void setBackground(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* m_picture { nullptr };
    QColor m_background { Qt::black };
};

// A framed picture box: the platform's sunken border, 2 px wide on every side,
// around a PictureView.
class PictureBox final : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent);

    PictureView* view() const { return m_view; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    PictureView* m_view;
};

} // namespace quelvara
