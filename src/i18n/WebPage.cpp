#include "i18n/WebPage.h"

#include "i18n/DesktopOpen.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"

#include <QUrl>

namespace tarvix {

void OpenWebPage(std::function<void(const QString& message)> failed)
{
    OpenOnDesktop(QUrl(QString::fromLatin1(kProductWebPage)), [failed = std::move(failed)] {
        if (failed)
            failed(QString::fromStdString(FormatRes(msg::WebPageNotOpened, {std::string(kProductWebPage)})));
    });
}

} // namespace tarvix
