#include "ui/JpegImage.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace tarvix {
namespace {

// Pictures larger than this are refused before any pixel memory is taken.
constexpr long long kMaxPixels = 64LL * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr base; // first member: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void EmitMessage(j_common_ptr info, int level)
{
    // Level -1 is a warning about damaged data: stop there rather than show a made-up remainder.
    if (level < 0) {
        auto* manager = reinterpret_cast<ErrorManager*>(info->err);
        info->err->format_message(info, manager->message);
        std::longjmp(manager->jump, 1);
    }
}

// No C++ object lives in this frame across setjmp: the image is written only through `out`.
bool Decode(const QByteArray& data, QImage* out, char* message, std::size_t messageSize)
{
    jpeg_decompress_struct info{};
    ErrorManager manager{};
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = ErrorExit;
    manager.base.emit_message = EmitMessage;
    if (setjmp(manager.jump)) {
        std::snprintf(message, messageSize, "%s", manager.message);
        jpeg_destroy_decompress(&info);
        *out = QImage();
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);

    QImage::Format format = QImage::Format_RGB888;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (info.jpeg_color_space == JCS_GRAYSCALE) {
        info.out_color_space = JCS_GRAYSCALE;
        format = QImage::Format_Grayscale8;
    } else if (cmyk) {
        info.out_color_space = JCS_CMYK;
        format = QImage::Format_RGB32;
    } else {
        info.out_color_space = JCS_RGB;
    }
    if (static_cast<long long>(info.image_width) * info.image_height > kMaxPixels) {
        std::snprintf(message, messageSize, "Image too large (%ux%u)", info.image_width, info.image_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    *out = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), format);
    if (out->isNull()) {
        std::snprintf(message, messageSize, "Out of memory for a %ux%u image", info.output_width, info.output_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW row = out->scanLine(y);
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk) {
            // Four bytes per pixel were written in place; most CMYK files store the inks inverted (Adobe).
            auto* pixel = reinterpret_cast<QRgb*>(row);
            for (unsigned x = 0; x < info.output_width; ++x) {
                const unsigned char* p = row + 4 * x;
                int c = p[0], m = p[1], yl = p[2], k = p[3];
                if (!info.saw_Adobe_marker) {
                    c = 255 - c, m = 255 - m, yl = 255 - yl, k = 255 - k;
                }
                pixel[x] = qRgb(c * k / 255, m * k / 255, yl * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& data, QString* error)
{
    QImage image;
    char message[JMSG_LENGTH_MAX + 64] = {};
    if (data.isEmpty()) {
        if (error)
            *error = QStringLiteral("Empty JPEG data");
        return image;
    }
    if (!Decode(data, &image, message, sizeof message)) {
        if (error)
            *error = QStringLiteral("JPEG: ") + QString::fromLocal8Bit(message);
        return QImage();
    }
    if (error)
        error->clear();
    return image;
}

QImage LoadJpeg(const QString& fileName, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return QImage();
    }
    return DecodeJpeg(file.readAll(), error);
}

} // namespace tarvix
