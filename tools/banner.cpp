#include "banner.h"

#include "pagegeometry.h"

#include <QPainter>
#include <QPainterPath>

#include <random>

namespace quelvara::tools {

namespace {

// A lattice of random values, smoothly interpolated: cheap noise that only
// depends on the seed, since mt19937's sequence is fixed by the standard.
class ValueNoise final {
public:
    ValueNoise(quint32 seed, int cellsX, int cellsY)
        : m_cellsX(cellsX)
        , m_cellsY(cellsY)
    {
        std::mt19937 random(seed);
        m_values.resize(std::size_t((cellsX + 1) * (cellsY + 1)));
        for (double& value : m_values)
            value = double(random()) / double(std::mt19937::max());
    }

    // u and v run from 0 to 1 across the strip.
    double at(double u, double v) const
    {
        const double x = u * m_cellsX;
        const double y = v * m_cellsY;
        const int x0 = std::min(int(x), m_cellsX - 1);
        const int y0 = std::min(int(y), m_cellsY - 1);
        const double fx = smooth(x - x0);
        const double fy = smooth(y - y0);
        const double top = lerp(value(x0, y0), value(x0 + 1, y0), fx);
        const double bottom = lerp(value(x0, y0 + 1), value(x0 + 1, y0 + 1), fx);
        return lerp(top, bottom, fy);
    }

private:
    static double smooth(double t) { return t * t * (3 - 2 * t); }
    static double lerp(double a, double b, double t) { return a + (b - a) * t; }
    double value(int x, int y) const { return m_values[std::size_t(y * (m_cellsX + 1) + x)]; }

    int m_cellsX;
    int m_cellsY;
    std::vector<double> m_values;
};

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
        float(a.greenF() + (b.greenF() - a.greenF()) * t), float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

} // namespace

QImage renderBanner(const QString& title, const QString& version, const QString& fontFamily, quint32 seed, int scale)
{
    const int width = BannerWidth * scale;
    const int height = BannerHeight * scale;
    QImage image(width, height, QImage::Format_RGB32);

    const ValueNoise coarse(seed, 24, 3);
    const ValueNoise fine(seed + 1, 96, 8);
    const QColor darkRed(0x6a, 0x0c, 0x10);
    const QColor darkGreen(0x0c, 0x4a, 0x1a);
    const QColor shadow(0x14, 0x06, 0x06);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5) / width;
            const double v = (y + 0.5) / height;
            const double blend = std::clamp((coarse.at(u, v) - 0.5) * 2.2 + 0.5, 0.0, 1.0);
            const double grain = fine.at(u, v);
            const QColor base = mix(darkRed, darkGreen, blend);
            row[x] = mix(base, shadow, 0.55 * grain).rgb();
        }
    }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont big(fontFamily);
    big.setBold(true);
    big.setPixelSize(27 * scale);
    QFont small = big;
    small.setPixelSize(17 * scale);

    const QString versionText = QStringLiteral(" ") + version;
    const qreal titleWidth = QFontMetricsF(big).horizontalAdvance(title);
    const qreal totalWidth = titleWidth + QFontMetricsF(small).horizontalAdvance(versionText);
    const qreal left = (width - totalWidth) / 2;
    const qreal baseline = (height + QFontMetricsF(big).capHeight()) / 2;

    QPainterPath text;
    text.addText(left, baseline, big, title);
    text.addText(left + titleWidth, baseline, small, versionText);
    painter.setPen(QPen(QColor(0x10, 0x08, 0x04), 3.0 * scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(text);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xF4, 0xEE, 0xD2));
    painter.drawPath(text);
    painter.end();
    return image;
}

} // namespace quelvara::tools
