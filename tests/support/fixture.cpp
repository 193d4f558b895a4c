#include "fixture.h"

#include "handlers/menu.h"

#include <QtGlobal>

#include <string>

namespace gd {

ControlId Fixture::id(std::string_view name)
{
    const std::optional<ControlId> found = findControl(name);
    if (!found)
        qFatal("no control named %s", std::string(name).c_str());
    return *found;
}

int Fixture::runOut(ControlId timer)
{
    for (int n = 0; n < 10000; ++n)
        if (!form.tick(timer))
            return n;
    return -1;
}

QStringList Fixture::shownPanels()
{
    QStringList shown;
    for (auto t = kTutorials.rbegin(); t != kTutorials.rend(); ++t)
        if (form[t->panel].visible())
            shown << QString::fromLatin1(
                nameOf(t->panel).data(), qsizetype(nameOf(t->panel).size()));
    return shown;
}

} // namespace gd
