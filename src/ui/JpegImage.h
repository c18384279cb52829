#pragma once
// JPEG decoding with libjpeg, straight into a QImage (no Qt image plugin involved).
#include <QByteArray>
#include <QImage>
#include <QString>

namespace tarvix {

// Decodes a whole JPEG file held in memory. On failure returns a null image and, when `error` is given,
// puts the decoder's reason there. Damaged data is a failure, not a partly grey picture.
QImage DecodeJpeg(const QByteArray& data, QString* error = nullptr);

// Reads and decodes a file (also a ":/" resource path).
QImage LoadJpeg(const QString& fileName, QString* error = nullptr);

} // namespace tarvix
