#include "palette.h"

#include <QHash>

#include <algorithm>
#include <map>

namespace quelvara::tools {

namespace {

struct ColourCount {
    QRgb colour;
    qint64 count;
};

int channel(QRgb colour, int axis)
{
    switch (axis) {
    case 0:
        return qRed(colour);
    case 1:
        return qGreen(colour);
    default:
        return qBlue(colour);
    }
}

struct Box {
    std::vector<ColourCount> colours;
    double error { 0 };
    int axis { 0 };

    void measure()
    {
        double weight = 0;
        std::array<double, 3> sum {};
        std::array<double, 3> sumSquares {};
        for (const ColourCount& entry : colours) {
            weight += double(entry.count);
            for (int a = 0; a < 3; ++a) {
                const double v = channel(entry.colour, a);
                sum[std::size_t(a)] += v * double(entry.count);
                sumSquares[std::size_t(a)] += v * v * double(entry.count);
            }
        }
        error = 0;
        double widest = -1;
        for (int a = 0; a < 3; ++a) {
            const double variance = sumSquares[std::size_t(a)] - sum[std::size_t(a)] * sum[std::size_t(a)] / weight;
            error += variance;
            if (variance > widest) {
                widest = variance;
                axis = a;
            }
        }
        if (colours.size() < 2)
            error = 0;
    }

    QRgb mean() const
    {
        double weight = 0;
        std::array<double, 3> sum {};
        for (const ColourCount& entry : colours) {
            weight += double(entry.count);
            for (int a = 0; a < 3; ++a)
                sum[std::size_t(a)] += channel(entry.colour, a) * double(entry.count);
        }
        return qRgb(int(sum[0] / weight + 0.5), int(sum[1] / weight + 0.5), int(sum[2] / weight + 0.5));
    }
};

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

} // namespace

QImage quantize(const QImage& source, const QList<QRgb>& keep, int maxColours)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);

    // An ordered map keeps the histogram, and so the palette, independent of
    // hashing.
    std::map<QRgb, qint64> histogram;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++histogram[row[x] | 0xFF000000u];
    }

    QList<QRgb> palette;
    for (QRgb colour : keep)
        palette.append(colour | 0xFF000000u);

    std::vector<ColourCount> rest;
    for (const auto& [colour, count] : histogram) {
        if (!palette.contains(colour))
            rest.push_back({ colour, count });
    }

    const int room = maxColours - int(palette.size());
    if (int(rest.size()) <= room) {
        for (const ColourCount& entry : rest)
            palette.append(entry.colour);
    } else {
        std::vector<Box> boxes(1);
        boxes[0].colours = std::move(rest);
        boxes[0].measure();
        while (int(boxes.size()) < room) {
            auto worst = std::max_element(
                boxes.begin(), boxes.end(), [](const Box& a, const Box& b) { return a.error < b.error; });
            if (worst->error <= 0)
                break;
            const int axis = worst->axis;
            std::vector<ColourCount> colours = std::move(worst->colours);
            std::sort(colours.begin(), colours.end(), [axis](const ColourCount& a, const ColourCount& b) {
                const int ca = channel(a.colour, axis);
                const int cb = channel(b.colour, axis);
                return ca != cb ? ca < cb : a.colour < b.colour;
            });
            qint64 total = 0;
            for (const ColourCount& entry : colours)
                total += entry.count;
            qint64 running = 0;
            std::size_t split = 1;
            for (std::size_t i = 0; i + 1 < colours.size(); ++i) {
                running += colours[i].count;
                split = i + 1;
                if (running * 2 >= total)
                    break;
            }
            Box low;
            Box high;
            low.colours.assign(colours.begin(), colours.begin() + std::ptrdiff_t(split));
            high.colours.assign(colours.begin() + std::ptrdiff_t(split), colours.end());
            low.measure();
            high.measure();
            *worst = std::move(low);
            boxes.push_back(std::move(high));
        }
        for (const Box& box : boxes)
            palette.append(box.mean());
    }

    QImage result(image.size(), QImage::Format_Indexed8);
    result.setColorTable(palette);
    QHash<QRgb, uchar> nearest;
    for (const auto& [colour, count] : histogram) {
        Q_UNUSED(count)
        int best = 0;
        for (int i = 1; i < palette.size(); ++i) {
            if (distance(colour, palette[i]) < distance(colour, palette[best]))
                best = i;
        }
        nearest.insert(colour, uchar(best));
    }
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = result.scanLine(y);
        for (int x = 0; x < image.width(); ++x)
            out[x] = nearest.value(in[x] | 0xFF000000u);
    }
    return result;
}

} // namespace quelvara::tools
