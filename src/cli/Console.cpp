#include "cli/Console.h"

#include <cstdio>

namespace tarvix::cli {

void PrintLine(const std::string& text)
{
    std::string line;
    line.reserve(text.size() + 1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            if (!line.empty() && line.back() != ' ')
                line += ' ';
        } else {
            line += c;
        }
    }
    line += '\n';
    // One call per line: stdio locks the stream for it, so lines of peer threads never interleave.
    std::fputs(line.c_str(), stderr);
}

void PrintError(const std::string& text)
{
    PrintLine("tarvix-relay: " + text);
}

} // namespace tarvix::cli
