// Catalogue look-up without Qt: the built-in French table, or the translator a language module plugs in.
#include "i18n/Catalogue.h"

#include <atomic>

namespace tarvix {
namespace {
std::atomic<CatalogueTranslator> gTranslator{nullptr};
// Texts are cut to what one Windows string-table load returned; counted in UTF-16 code units, as there.
constexpr std::size_t kMaxTextUnits = 1023;

std::string Truncated(std::string text)
{
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::size_t needed = length == 4 ? 2 : 1; // a character beyond U+FFFF takes a surrogate pair
        if (units + needed > kMaxTextUnits) {
            text.resize(i);
            break;
        }
        units += needed;
        i += length;
    }
    return text;
}
} // namespace

void SetCatalogueTranslator(CatalogueTranslator translator)
{
    gTranslator.store(translator);
}

std::string LoadResString(int id)
{
    const char* french = BuiltInText(id);
    if (const CatalogueTranslator translate = gTranslator.load())
        // A module without the id gives an empty text: there is no second lookup in the built-in table.
        return french ? Truncated(translate(id, french)) : std::string();
    return french ? Truncated(french) : std::string();
}

} // namespace tarvix
