#include "i18n/Format.h"

#include "base/Exceptions.h"
#include "i18n/Catalogue.h"
#include "i18n/MessageIds.h"

namespace tarvix {
namespace {

// Builds the format error without the formatter itself, so that a broken error text cannot recurse.
[[noreturn]] void RaiseFormatError(int id, std::string_view format)
{
    std::string text = LoadResString(id);
    if (auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, format);
    throw EConvertError(text);
}

} // namespace

std::string Format(std::string_view format, std::initializer_list<FormatArg> args)
{
    std::string out;
    out.reserve(format.size() + 32);
    const FormatArg* next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i + 1 >= format.size())
            RaiseFormatError(msg::FormatIncompatible, format);
        const char kind = format[++i];
        if (kind == '%') {
            out += '%';
            continue;
        }
        if (kind != 's' && kind != 'd')
            RaiseFormatError(msg::FormatIncompatible, format);
        if (next == args.end())
            RaiseFormatError(msg::NoArgumentForFormat, format);
        const FormatArg& arg = *next++;
        if (kind == 's') {
            const auto* s = std::get_if<std::string>(&arg);
            if (!s)
                RaiseFormatError(msg::FormatIncompatible, format);
            out += *s;
        } else {
            const auto* n = std::get_if<std::int64_t>(&arg);
            if (!n)
                RaiseFormatError(msg::FormatIncompatible, format);
            out += std::to_string(*n);
        }
    }
    return out;
}

std::string FormatRes(int id, std::initializer_list<FormatArg> args)
{
    return Format(LoadResString(id), args);
}

} // namespace tarvix
