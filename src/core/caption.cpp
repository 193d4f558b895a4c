#include "core/caption.h"

namespace gd {

std::string wrapCaption(
    std::string_view caption, double room, const std::function<double(std::string_view)>& width)
{
    std::string wrapped;
    std::string line;
    // Every blank parts two words, so a run of blanks keeps its empty words.
    for (std::size_t at = 0;;) {
        const std::size_t blank = caption.find(' ', at);
        const std::string_view word = caption.substr(at, blank - at);
        const std::string candidate
            = line.empty() ? std::string(word) : line + ' ' + std::string(word);
        if (!line.empty() && width(candidate) > room) {
            wrapped += line + '\n';
            line = word;
        } else {
            line = candidate;
        }
        if (blank == std::string_view::npos)
            break;
        at = blank + 1;
    }
    return wrapped + line;
}

} // namespace gd
