#include "ui/MenuColors.h"

#include <algorithm>

namespace tarvix {

namespace {

int ClampChannel(int v)
{
    return std::clamp(v, 0, 255);
}

// round(numerator / 100) with halves going to the even neighbour; numerator >= 0.
int RoundPercentHalfEven(int numerator)
{
    int quotient = numerator / 100;
    const int remainder = numerator % 100;
    if (remainder > 50 || (remainder == 50 && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

int LightenChannel(int v, int percent)
{
    return v + RoundPercentHalfEven((255 - v) * percent);
}

} // namespace

QColor Lighten(const QColor& color, int percent)
{
    percent = std::clamp(percent, 0, 100);
    const QColor c = color.toRgb();
    return QColor(LightenChannel(c.red(), percent), LightenChannel(c.green(), percent),
                  LightenChannel(c.blue(), percent), c.alpha());
}

QColor Darken(const QColor& color, int amount)
{
    const QColor c = color.toRgb();
    return QColor(ClampChannel(c.red() - amount), ClampChannel(c.green() - amount + 2), ClampChannel(c.blue() - amount),
                  c.alpha());
}

QColor Grey(const QColor& color, int percent)
{
    const QColor c = color.toRgb();
    const int g = std::min(std::min(percent, 100) + (c.red() + c.green() + c.blue()) / 3, 240);
    return QColor(g, g, g, c.alpha());
}

QImage TransformPixels(const QImage& image, ColorOperation op, int arg)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    bool haveLast = false;
    QRgb lastIn = 0;
    QRgb lastOut = 0;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb in = line[x];
            if (!haveLast || in != lastIn) {
                lastIn = in;
                lastOut = op(QColor::fromRgba(in), arg).rgba();
                haveLast = true;
            }
            line[x] = lastOut;
        }
    }
    return result;
}

QImage Silhouette(const QImage& image, const QColor& color)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb rgb = color.rgb();
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            line[x] = qRgba(qRed(rgb), qGreen(rgb), qBlue(rgb), qAlpha(line[x]));
    }
    return result;
}

QImage WithTransparency(const QImage& image)
{
    if (image.isNull())
        return {};
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    if (image.hasAlphaChannel())
        return result;
    const QRgb key = result.pixel(0, result.height() - 1);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if (line[x] == key)
                line[x] = qRgba(0, 0, 0, 0);
    }
    return result;
}

} // namespace tarvix
