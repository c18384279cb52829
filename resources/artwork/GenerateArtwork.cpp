// Draws the program's artwork: the 14 list images (16 x 16 and 32 x 32), the application icon in several
// sizes and the 145 x 135 banner, written as JPEG with libjpeg.
// Build and run:  cmake -S resources/artwork -B build-artwork && cmake --build build-artwork
//                 QT_QPA_PLATFORM=offscreen build-artwork/generate-artwork resources
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <functional>
#include <jpeglib.h>

namespace {

// Palette.
const QColor kOutline(0x1f, 0x2a, 0x36);
const QColor kWhite(0xff, 0xff, 0xff);
const QColor kCyan(0x1e, 0xc8, 0xe6);
const QColor kYellow(0xf7, 0xc5, 0x1c);
const QColor kRed(0xe0, 0x3c, 0x31);
const QColor kGreen(0x34, 0xb2, 0x4a);
const QColor kGrey(0xa4, 0xad, 0xb7);
const QColor kCase(0xd9, 0xde, 0xe4);
const QColor kScreenOff(0x4e, 0x58, 0x63);
const QColor kScreenLit1(0x2f, 0x86, 0xe0);
const QColor kScreenLit2(0x9a, 0xdc, 0xff);
const QColor kBlue(0x1f, 0x5f, 0xb4);

// Everything is drawn on a 16-unit grid; strokes of one unit sit on half units so that they stay crisp.
using Drawing = std::function<void(QPainter&)>;

// Pixels per grid unit of the picture being drawn: large icons get relatively finer outlines.
qreal gScale = 1;

QPen Outline(qreal width = 1.0)
{
    QPen pen(kOutline, gScale > 2 ? width * 0.6 : width);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QBrush Shaded(const QColor& base, qreal top, qreal bottom)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, base.lighter(135));
    g.setColorAt(1, base);
    return g;
}

void Arrow(QPainter& p, const QColor& fill, qreal left, qreal right, qreal top, qreal bottom, qreal bodyTop,
           qreal bodyBottom, qreal headX)
{
    const qreal middle = (top + bottom) / 2;
    QPolygonF shape{{left, bodyTop}, {headX, bodyTop},    {headX, top},      {right, middle},
                    {headX, bottom}, {headX, bodyBottom}, {left, bodyBottom}};
    p.setPen(Outline());
    p.setBrush(Shaded(fill, top, bottom));
    p.drawPolygon(shape);
}

// The arrows of the row states.
void StateArrow(QPainter& p, const QColor& fill)
{
    Arrow(p, fill, 2.5, 14.5, 2.5, 13.5, 5.5, 10.5, 9.5);
}
void LongArrow(QPainter& p, const QColor& fill)
{
    Arrow(p, fill, 0.5, 15.5, 2.5, 13.5, 5.5, 10.5, 10.5);
}

// A monitor in the upper left; `lit` fills its screen with light.
void Computer(QPainter& p, bool lit)
{
    p.setPen(Outline());
    p.setBrush(kCase);
    p.drawRect(QRectF(1.5, 2.5, 11, 8));   // stand base line below
    p.drawRect(QRectF(5.5, 10.5, 3, 1));   // neck
    p.drawRect(QRectF(3.5, 11.5, 7, 1.5)); // foot
    if (lit) {
        QLinearGradient g(0, 4, 0, 9);
        g.setColorAt(0, kScreenLit2);
        g.setColorAt(1, kScreenLit1);
        p.setBrush(g);
    } else {
        p.setBrush(kScreenOff);
    }
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(3, 4, 8, 5));
}

// The small arrow that overlays the monitor's lower right corner.
void BadgeArrow(QPainter& p, const QColor& fill)
{
    Arrow(p, fill, 6.5, 15.5, 8.5, 15.5, 10.5, 13.5, 11.5);
}

void Globe(QPainter& p)
{
    const QPointF c(8, 8);
    QRadialGradient g(QPointF(6, 5.5), 8);
    g.setColorAt(0, QColor(0x8c, 0xcb, 0xff));
    g.setColorAt(1, kBlue);
    p.setPen(Outline());
    p.setBrush(g);
    p.drawEllipse(c, 6.5, 6.5);
    QPen line(QColor(0xe4, 0xf3, 0xff), 0.8);
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 2.6, 6.3);
    p.drawLine(QPointF(8, 1.7), QPointF(8, 14.3));
    p.drawLine(QPointF(1.7, 8), QPointF(14.3, 8));
    // The parallels only where there is room for them.
    if (p.transform().m11() >= 2) {
        p.drawLine(QPointF(3, 4.8), QPointF(13, 4.8));
        p.drawLine(QPointF(3, 11.2), QPointF(13, 11.2));
    }
}

void QuitComputer(QPainter& p)
{
    Computer(p, true);
    p.setPen(Outline());
    p.setBrush(kRed);
    p.drawEllipse(QPointF(11.5, 11.5), 4, 4);
    QPen cross(kWhite, 1.6);
    cross.setCapStyle(Qt::RoundCap);
    p.setPen(cross);
    p.drawLine(QPointF(9.8, 9.8), QPointF(13.2, 13.2));
    p.drawLine(QPointF(13.2, 9.8), QPointF(9.8, 13.2));
}

void SpeechBubble(QPainter& p)
{
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1.5, 2.5, 13, 9), 3, 3);
    QPainterPath tail;
    tail.moveTo(4, 11);
    tail.lineTo(3.5, 14.5);
    tail.lineTo(8, 11);
    tail.closeSubpath();
    p.setPen(Outline());
    p.setBrush(kWhite);
    p.drawPath(bubble.united(tail));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    for (qreal x : {5.0, 8.0, 11.0})
        p.drawEllipse(QPointF(x, 7), 1.1, 1.1);
}

void OpenWindow(QPainter& p)
{
    Computer(p, false);
    p.setPen(Outline());
    p.setBrush(kWhite);
    p.drawRect(QRectF(6.5, 6.5, 9, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(kScreenLit1);
    p.drawRect(QRectF(7, 7, 8, 2));
    p.setBrush(kScreenLit2);
    p.drawRect(QRectF(8, 10.5, 6, 1));
    p.drawRect(QRectF(8, 12.5, 4, 1));
}

void CheckMark(QPainter& p)
{
    QPainterPath mark;
    mark.moveTo(4, 8.5);
    mark.lineTo(7, 11.5);
    mark.lineTo(12, 5);
    QPen under(kGreen.darker(160), 3.6);
    under.setCapStyle(Qt::RoundCap);
    under.setJoinStyle(Qt::RoundJoin);
    p.setPen(under);
    p.drawPath(mark);
    QPen over(kGreen.lighter(115), 2.0);
    over.setCapStyle(Qt::RoundCap);
    over.setJoinStyle(Qt::RoundJoin);
    p.setPen(over);
    p.drawPath(mark);
}

const Drawing kImages[14] = {
    [](QPainter& p) { StateArrow(p, kWhite); },
    [](QPainter& p) { StateArrow(p, kCyan); },
    [](QPainter& p) { LongArrow(p, kCyan); },
    [](QPainter& p) { StateArrow(p, kYellow); },
    [](QPainter& p) { StateArrow(p, kRed); },
    [](QPainter& p) { Computer(p, false), BadgeArrow(p, kGrey); },
    [](QPainter& p) { Computer(p, true), BadgeArrow(p, kGrey); },
    [](QPainter& p) { Computer(p, true), BadgeArrow(p, kGreen); },
    Globe,
    QuitComputer,
    SpeechBubble,
    [](QPainter&) {}, // not used
    OpenWindow,
    CheckMark,
};

QImage Render(const Drawing& draw, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    gScale = size / 16.0;
    p.scale(gScale, gScale);
    draw(p);
    gScale = 1;
    p.end();
    return image;
}

bool SavePng(const QImage& image, const QString& path)
{
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

bool SaveJpeg(const QImage& source, const QString& path, int quality)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full-resolution colour keeps the thin lines and the text clean.
    for (int i = 0; i < info.num_components; ++i)
        info.comp_info[i].h_samp_factor = info.comp_info[i].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPLE*>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

// Two machines joined by the relayed connection, over the product's name.
QImage Banner()
{
    const QSize size(145, 135);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white); // the window's background shows in the rounded corners
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QPainterPath card;
    card.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 9, 9);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x10, 0x2c, 0x4e));
    sky.setColorAt(1, QColor(0x0c, 0x6e, 0x84));
    p.fillPath(card, sky);
    p.setClipPath(card);

    // A quiet dotted grid, like a network plan.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 28));
    for (int y = 6; y < size.height(); y += 10)
        for (int x = 6 + (y / 10 % 2) * 5; x < size.width(); x += 10)
            p.drawEllipse(QPointF(x, y), 0.9, 0.9);

    // The machines, drawn with the image list's pieces at a larger scale.
    auto machine = [&p](qreal x, qreal y, bool lit) {
        p.save();
        p.translate(x, y);
        p.scale(2.5, 2.5);
        Computer(p, lit);
        p.restore();
    };
    machine(8, 14, true);
    machine(104, 14, true);

    // The connection between them: a dashed line with the relay in the middle.
    QPen link(QColor(0x9a, 0xe8, 0xf5), 2.0, Qt::DashLine, Qt::RoundCap);
    p.setPen(link);
    p.drawLine(QPointF(42, 34), QPointF(104, 34));
    p.setPen(QPen(kOutline, 1.2));
    QRadialGradient hub(QPointF(70, 31), 12);
    hub.setColorAt(0, kCyan.lighter(150));
    hub.setColorAt(1, kCyan.darker(115));
    p.setBrush(hub);
    p.drawEllipse(QPointF(73, 34), 10, 10);
    p.save();
    p.translate(65, 26);
    p.scale(1.0, 1.0);
    Arrow(p, kWhite, 1.5, 14.5, 2.5, 13.5, 5.5, 10.5, 9.5);
    p.restore();

    // The name.
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(27);
    title.setBold(true);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QRectF(1, 67, size.width(), 34), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("TARVIX"));
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 66, size.width(), 34), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("TARVIX"));

    p.setPen(QPen(QColor(0x9a, 0xe8, 0xf5), 1.0));
    p.drawLine(QPointF(22, 102.5), QPointF(size.width() - 22, 102.5));

    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(13);
    subtitle.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    p.setFont(subtitle);
    p.setPen(QColor(0xd6, 0xf6, 0xfb));
    p.drawText(QRectF(0, 105, size.width(), 22), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Port Mapping"));
    p.end();
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QDir().mkpath(out.filePath(QStringLiteral("icons")));
    bool ok = true;
    for (int i = 0; i < 14; ++i) {
        const QString name = QStringLiteral("icons/%1").arg(i, 2, 10, QLatin1Char('0'));
        ok &= SavePng(Render(kImages[i], 16), out.filePath(name + QStringLiteral(".png")));
        ok &= SavePng(Render(kImages[i], 32), out.filePath(name + QStringLiteral("@2x.png")));
    }
    // The application icon: the window's sizes and the desktop icon theme's.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        ok &= SavePng(Render(kImages[5], size), out.filePath(QStringLiteral("icons/tarvix-%1.png").arg(size)));
    ok &= SaveJpeg(Banner(), out.filePath(QStringLiteral("banner.jpg")), 92);
    return ok ? 0 : 1;
}
