#pragma once
// The numbered message catalogue. Plain standard types so that the engine can use it without Qt.
#include <string>

namespace tarvix {

// Text of a catalogue id, UTF-8, looked up at the moment of use: from the active language module when one
// is loaded (empty when the module lacks the id), otherwise from the built-in French table (empty when unknown).
std::string LoadResString(int id);

// What a language module plugs in: the text of an id given its built-in French text (empty when the module
// lacks it). nullptr returns to the built-in French. Set it before other threads look texts up.
using CatalogueTranslator = std::string (*)(int id, const char* french);
void SetCatalogueTranslator(CatalogueTranslator translator);

// The built-in French text of an id, whatever module is active; nullptr when the id is unknown.
const char* BuiltInText(int id);

// Calls f(id, frenchText) for every id of the built-in table, in ascending id order.
template <typename F>
void ForEachBuiltInText(F&& f);

namespace detail {
struct CatalogueEntry {
    int id;
    const char* text;
};
const CatalogueEntry* BuiltInTable(std::size_t& count);
} // namespace detail

template <typename F>
void ForEachBuiltInText(F&& f)
{
    std::size_t count = 0;
    const detail::CatalogueEntry* table = detail::BuiltInTable(count);
    for (std::size_t i = 0; i < count; ++i)
        f(table[i].id, table[i].text);
}

} // namespace tarvix
