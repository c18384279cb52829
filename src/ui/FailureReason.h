#pragma once
// Why an outbound connection failed, in the user's words: refused, host unknown, no answer, or the code.
#include <string>

namespace tarvix {

std::string OutboundFailureText(int socketCode);

} // namespace tarvix
