#include "win32/text.h"

#include "core/caption.h"
#include "win32/conversions.h"

#include <cmath>

namespace gd {

std::vector<std::string> captionLines(const Typeface& face, std::string_view caption, int width)
{
    std::vector<std::string> lines;
    const auto measure = [&face](std::string_view line) { return face.width(line); };
    for (std::size_t at = 0;;) {
        std::size_t end = caption.find('\n', at);
        std::string_view paragraph = caption.substr(at, end - at);
        if (!paragraph.empty() && paragraph.back() == '\r')
            paragraph.remove_suffix(1);
        const std::string wrapped = wrapCaption(paragraph, width, measure);
        for (std::size_t from = 0;;) {
            const std::size_t stop = wrapped.find('\n', from);
            lines.push_back(wrapped.substr(from, stop - from));
            if (stop == std::string::npos)
                break;
            from = stop + 1;
        }
        if (end == std::string_view::npos)
            break;
        at = end + 1;
    }
    return lines;
}

void drawLines(
    HDC dc, const Typeface& face, const std::vector<std::string>& lines, RECT box, bool centred)
{
    Selected selected(dc, face.font);
    const UINT align = SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    SetBkMode(dc, TRANSPARENT);
    int baseline = box.top + face.ascent;
    std::vector<INT> steps;
    for (const std::string& line : lines) {
        const double width = face.width(line);
        const double left = box.left + (centred ? (box.right - box.left - width) / 2 : 0.0);
        // Each glyph where its designed position rounds to: the steps between them add up.
        steps.clear();
        double at = left;
        for (char c : line) {
            const double next = at + face.advance[static_cast<unsigned char>(c)];
            steps.push_back(int(std::lround(next)) - int(std::lround(at)));
            at = next;
        }
        const std::wstring text = toWide(line);
        ExtTextOutW(dc, int(std::lround(left)), baseline, ETO_CLIPPED, &box, text.c_str(),
            UINT(text.size()), steps.data());
        baseline += face.lineHeight();
        if (baseline - face.ascent >= box.bottom)
            break;
    }
    SetTextAlign(dc, align);
}

} // namespace gd
