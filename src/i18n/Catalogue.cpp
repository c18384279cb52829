#include "i18n/Catalogue.h"
#include "i18n/CatalogueModule.h"

#include <QTranslator>

#include <atomic>

namespace tarvix {
namespace {
std::atomic<const QTranslator*> gModule{nullptr};
constexpr int kMaxTextLength = 1023;
} // namespace

void SetCatalogueModule(const QTranslator* module)
{
    gModule.store(module);
}

const QTranslator* CatalogueModule()
{
    return gModule.load();
}

QString LoadResQString(int id)
{
    const char* french = BuiltInText(id);
    QString text;
    if (const QTranslator* module = gModule.load()) {
        // A module without the id gives an empty text: there is no second lookup in the built-in table.
        if (french)
            text = module->translate(kCatalogueContext, french, QByteArray::number(id).constData());
    } else if (french) {
        text = QString::fromUtf8(french);
    }
    if (text.size() > kMaxTextLength)
        text.truncate(kMaxTextLength);
    return text;
}

std::string LoadResString(int id)
{
    return LoadResQString(id).toStdString();
}

} // namespace tarvix
