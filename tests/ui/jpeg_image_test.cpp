// Decoding the built-in JPEG images and the image list of state icons made from them.
#include "support/Application.h"

#include "ui/ImageList.h"
#include "ui/JpegImage.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>

#include <cstdio>
#include <jpeglib.h>

namespace tarvix {
namespace {

QByteArray BannerBytes()
{
    BannerImage(); // registers the resources
    QFile file(BannerResourcePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Encodes a solid picture with libjpeg in the given colour space (1, 3 or 4 components).
QByteArray Encode(int width, int height, J_COLOR_SPACE space, std::vector<unsigned char> pixel)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = static_cast<int>(pixel.size());
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row;
    for (int x = 0; x < width; ++x)
        row.insert(row.end(), pixel.begin(), pixel.end());
    while (info.next_scanline < info.image_height) {
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&info, &p, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray out(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return out;
}

void ExpectNear(QRgb actual, QRgb expected)
{
    EXPECT_NEAR(qRed(actual), qRed(expected), 6);
    EXPECT_NEAR(qGreen(actual), qGreen(expected), 6);
    EXPECT_NEAR(qBlue(actual), qBlue(expected), 6);
}

TEST(JpegImageTest, BannerDecodesAtItsOwnSize)
{
    test::EnsureApplication<QApplication>("test_ui");
    QString error;
    const QImage banner = BannerImage(&error);
    ASSERT_FALSE(banner.isNull()) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(banner.size(), QSize(145, 135));
    // White corners around a dark card: the picture really was decoded.
    ExpectNear(banner.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_LT(qGray(banner.pixel(72, 60)), 128);
}

TEST(JpegImageTest, ColourSpacesComeOutAsTheirColours)
{
    const QImage rgb = DecodeJpeg(Encode(16, 8, JCS_RGB, {200, 40, 30}));
    ASSERT_FALSE(rgb.isNull());
    ExpectNear(rgb.pixel(5, 5), qRgb(200, 40, 30));

    const QImage gray = DecodeJpeg(Encode(16, 8, JCS_GRAYSCALE, {90}));
    ASSERT_FALSE(gray.isNull());
    EXPECT_EQ(gray.format(), QImage::Format_Grayscale8);
    ExpectNear(gray.pixel(3, 3), qRgb(90, 90, 90));

    // libjpeg stores CMYK the Adobe way (inverted inks): full cyan-free, magenta and yellow ink is red.
    const QImage cmyk = DecodeJpeg(Encode(16, 8, JCS_CMYK, {255, 0, 0, 255}));
    ASSERT_FALSE(cmyk.isNull());
    ExpectNear(cmyk.pixel(3, 3), qRgb(255, 0, 0));
}

TEST(JpegImageTest, DamagedDataIsAClearFailure)
{
    const QByteArray banner = BannerBytes();
    ASSERT_GT(banner.size(), 1000);
    QString error;

    EXPECT_TRUE(DecodeJpeg(QByteArray(), &error).isNull());
    EXPECT_FALSE(error.isEmpty());

    error.clear();
    EXPECT_TRUE(DecodeJpeg(QByteArray("not a picture at all"), &error).isNull());
    EXPECT_TRUE(error.startsWith(QStringLiteral("JPEG: "))) << error.toStdString();

    error.clear();
    EXPECT_TRUE(DecodeJpeg(banner.left(banner.size() / 2), &error).isNull()) << "a truncated file";
    EXPECT_FALSE(error.isEmpty());

    error.clear();
    EXPECT_TRUE(DecodeJpeg(banner.left(200), &error).isNull()) << "the header only";
    EXPECT_FALSE(error.isEmpty());

    // Random damage in the middle of the data: never a crash, and a failure or a whole picture.
    QRandomGenerator random(12345);
    for (int round = 0; round < 50; ++round) {
        QByteArray damaged = banner;
        for (int i = 0; i < 20; ++i)
            damaged[random.bounded(200, static_cast<int>(damaged.size()))] = static_cast<char>(random.bounded(256));
        error.clear();
        const QImage image = DecodeJpeg(damaged, &error);
        EXPECT_TRUE(image.isNull() ? !error.isEmpty() : image.size() == QSize(145, 135));
    }

    error.clear();
    EXPECT_TRUE(LoadJpeg(QStringLiteral("/nonexistent/banner.jpg"), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

TEST(ImageListTest, FourteenImagesOfSixteenPixels)
{
    test::EnsureApplication<QApplication>("test_ui");
    for (int i = 0; i < images::Count; ++i) {
        const QPixmap pixmap = ImageListPixmap(i);
        ASSERT_FALSE(pixmap.isNull()) << i;
        EXPECT_EQ(pixmap.size(), QSize(16, 16)) << i;
        const QIcon icon = ImageListIcon(i);
        EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32)})) << i;
        const QImage image = pixmap.toImage();
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                opaque += qAlpha(image.pixel(x, y)) > 0;
        if (i == 11)
            EXPECT_EQ(opaque, 0) << "image 11 is unused and blank";
        else
            EXPECT_GT(opaque, 20) << i;
    }
    EXPECT_TRUE(ImageListPixmap(images::Count).isNull());
    EXPECT_TRUE(ImageListIcon(-1).isNull());
    EXPECT_EQ(ApplicationIcon().availableSizes().size(), 5);
}

TEST(ImageListTest, StateArrowsDifferByColour)
{
    test::EnsureApplication<QApplication>("test_ui");
    // The middle of the arrow's body: white, cyan, cyan, yellow, red.
    const QRgb centre[] = {ImageListPixmap(0).toImage().pixel(5, 8), ImageListPixmap(1).toImage().pixel(5, 8),
                           ImageListPixmap(3).toImage().pixel(5, 8), ImageListPixmap(4).toImage().pixel(5, 8)};
    EXPECT_GT(qGray(centre[0]), 200);
    EXPECT_GT(qBlue(centre[1]), qRed(centre[1]) + 80);
    EXPECT_GT(qGreen(centre[2]), qBlue(centre[2]) + 80);
    EXPECT_GT(qRed(centre[3]), qGreen(centre[3]) + 80);
    // The connection-open arrow is longer than the listening one.
    EXPECT_GT(qAlpha(ImageListPixmap(2).toImage().pixel(1, 8)), 0);
    EXPECT_EQ(qAlpha(ImageListPixmap(1).toImage().pixel(1, 8)), 0);
}

} // namespace
} // namespace tarvix
