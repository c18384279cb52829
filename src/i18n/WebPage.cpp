#include "i18n/WebPage.h"

#include <QDesktopServices>
#include <QUrl>

namespace tarvix {

bool OpenWebPage()
{
    return QDesktopServices::openUrl(QUrl(QString::fromLatin1(kProductWebPage)));
}

} // namespace tarvix
