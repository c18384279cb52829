#pragma once
// The one formatter for catalogue texts: fills %s and %d in order ("%%" is a percent sign).
// Arguments are never parsed, so user text containing "%d" shows unchanged.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace tarvix {

using FormatArg = std::variant<std::int64_t, std::string>;

// Throws EConvertError with the catalogue's format error when the format wants more arguments than given,
// an argument of another kind, or holds a placeholder other than %s, %d and %%. Extra arguments are left out.
std::string Format(std::string_view format, std::initializer_list<FormatArg> args);

// Looks up the id and formats it.
std::string FormatRes(int id, std::initializer_list<FormatArg> args);

} // namespace tarvix
