#pragma once
// The Qt side of the catalogue: the active language module and QString lookups.
#include <QString>

class QTranslator;

namespace tarvix {

// Makes a loaded language module the source of every catalogue text; nullptr returns to the built-in French.
// Set it at start-up, before other threads look texts up; the module must outlive its use.
void SetCatalogueModule(const QTranslator* module);
const QTranslator* CatalogueModule();

// The context under which a language module holds catalogue texts (source: the French text, comment: the id).
inline constexpr const char* kCatalogueContext = "Catalogue";

QString LoadResQString(int id);

} // namespace tarvix
