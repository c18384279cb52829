#pragma once
// Colour arithmetic for the flat menus: lighten, darken, grey, and per-pixel image transforms.

#include <QColor>
#include <QImage>

namespace tarvix {

// Colour arithmetic of the flat menus. Each result keeps the input's alpha.

// Towards white by percent (capped at 100); halves round to even.
QColor Lighten(const QColor& color, int percent);
// Each channel lowered by amount, green by two less; clamped to 0..255. A negative amount lightens.
QColor Darken(const QColor& color, int amount);
// A light grey as bright as the colour's mean plus percent (capped at 100), at most 240.
QColor Grey(const QColor& color, int percent);

using ColorOperation = QColor (*)(const QColor&, int);

// The image as non-premultiplied ARGB32 with every pixel passed through op(pixel, arg), alpha kept.
// A run of equal pixels costs one call.
QImage TransformPixels(const QImage& image, ColorOperation op, int arg);

// The image in one colour, keeping its alpha: the silhouette a lifted icon casts.
QImage Silhouette(const QImage& image, const QColor& color);

// The image as ARGB32; an image without alpha has its bottom-left pixel's colour made transparent.
QImage WithTransparency(const QImage& image);

} // namespace tarvix
