#include "ui/ImageList.h"

#include "ui/JpegImage.h"

#include <mutex>

// Resources of a static library must be registered by name, outside any namespace.
static void InitUiResources()
{
    Q_INIT_RESOURCE(ui);
}

namespace tarvix {
namespace {

void EnsureResources()
{
    static std::once_flag once;
    std::call_once(once, InitUiResources);
}

QString ImagePath(int index, const char* suffix)
{
    return QStringLiteral(":/icons/%1%2.png").arg(index, 2, 10, QLatin1Char('0')).arg(QLatin1String(suffix));
}

} // namespace

QIcon ImageListIcon(int index)
{
    if (index < 0 || index >= images::Count)
        return {};
    EnsureResources();
    QIcon icon;
    icon.addFile(ImagePath(index, ""), QSize(16, 16));
    icon.addFile(ImagePath(index, "@2x"), QSize(32, 32));
    return icon;
}

QPixmap ImageListPixmap(int index)
{
    if (index < 0 || index >= images::Count)
        return {};
    EnsureResources();
    return QPixmap(ImagePath(index, ""));
}

QIcon ApplicationIcon()
{
    EnsureResources();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/icons/tarvix-%1.png").arg(size), QSize(size, size));
    return icon;
}

QString BannerResourcePath()
{
    return QStringLiteral(":/banner.jpg");
}

QImage BannerImage(QString* error)
{
    EnsureResources();
    return LoadJpeg(BannerResourcePath(), error);
}

} // namespace tarvix
