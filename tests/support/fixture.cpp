#include "fixture.h"

#include "handlers/menu.h"
#include "model/texts.h"

#include <cstdio>
#include <cstdlib>

namespace gd {

ControlId Fixture::id(std::string_view name)
{
    const std::optional<ControlId> found = findControl(name);
    if (!found) {
        std::fprintf(stderr, "no control named %.*s\n", int(name.size()), name.data());
        std::abort();
    }
    return *found;
}

int Fixture::runOut(ControlId timer)
{
    for (int n = 0; n < 10000; ++n)
        if (!form.tick(timer))
            return n;
    return -1;
}

Names Fixture::shownPanels()
{
    Names shown;
    for (auto t = kTutorials.rbegin(); t != kTutorials.rend(); ++t)
        if (form[t->panel].visible())
            shown.emplace_back(nameOf(t->panel));
    return shown;
}

std::optional<std::string_view> tutorialText(ControlId id)
{
    for (const TextEntry& e : tutorialTexts())
        if (e.control == id)
            return e.text;
    return std::nullopt;
}

Names split(std::string_view text, std::string_view separator)
{
    Names parts;
    for (std::size_t from = 0;;) {
        const std::size_t at = text.find(separator, from);
        parts.emplace_back(text.substr(from, at == text.npos ? text.npos : at - from));
        if (at == text.npos)
            return parts;
        from = at + separator.size();
    }
}

} // namespace gd
