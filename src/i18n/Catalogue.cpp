// The Qt side of the catalogue: a loaded language module becomes the catalogue's translator.
#include "i18n/Catalogue.h"
#include "i18n/CatalogueModule.h"

#include <QByteArray>
#include <QTranslator>

#include <atomic>

namespace tarvix {
namespace {
std::atomic<const QTranslator*> gModule{nullptr};

std::string TranslateWithModule(int id, const char* french)
{
    const QTranslator* module = gModule.load();
    if (!module)
        return french;
    return module->translate(kCatalogueContext, french, QByteArray::number(id).constData()).toStdString();
}
} // namespace

void SetCatalogueModule(const QTranslator* module)
{
    gModule.store(module);
    SetCatalogueTranslator(module ? &TranslateWithModule : nullptr);
}

const QTranslator* CatalogueModule()
{
    return gModule.load();
}

QString LoadResQString(int id)
{
    return QString::fromStdString(LoadResString(id));
}

} // namespace tarvix
