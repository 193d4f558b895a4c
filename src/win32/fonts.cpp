#include "win32/fonts.h"

#include "core/typefaces.h"
#include "win32/conversions.h"

#include <cmath>

namespace gd {

Fonts::Fonts(int dpi)
    : m_dpi(dpi > 0 ? dpi : 96)
{
}

int Fonts::pixels(float points) const
{
    return static_cast<int>(std::lround(points * m_dpi / 72.0));
}

namespace {

int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0; // one is enough
}

bool systemHas(const std::wstring& face)
{
    LOGFONTW wanted {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    if (HDC dc = GetDC(nullptr)) {
        EnumFontFamiliesExW(dc, &wanted, faceFound, reinterpret_cast<LPARAM>(&found), 0);
        ReleaseDC(nullptr, dc);
    }
    return found;
}

} // namespace

std::wstring Fonts::faceToUse(std::string_view face)
{
    const std::wstring own = toWide(face);
    if (systemHas(own))
        return own;
    for (std::string_view substitute : substitutesFor(face))
        if (std::wstring stand = toWide(substitute); systemHas(stand))
            return stand;
    return own; // the system's own font mapper picks the nearest
}

double Typeface::width(std::string_view latin1) const
{
    double width = 0;
    for (char c : latin1)
        width += advance[static_cast<unsigned char>(c)];
    return width;
}

namespace {

HFONT makeFont(int pixels, bool bold, const std::wstring& face)
{
    return CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
        DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

// The measures of a font made at `pixels`: its ascent and descent at that size, the typographic
// ones where the face asks for them to be used (USE_TYPO_METRICS), else the ones it gives Windows,
// as FreeType and Qt read them on Linux; and the advances the face is designed with, read from the
// face at its own em size and scaled.
Typeface measure(HFONT font, double pixels, bool bold, const std::wstring& face)
{
    Typeface t;
    t.font = font;
    HDC dc = GetDC(nullptr);
    if (!dc)
        return t;
    {
        Selected selected(dc, font);
        OUTLINETEXTMETRICW metrics {};
        metrics.otmSize = sizeof metrics;
        if (GetOutlineTextMetricsW(dc, sizeof metrics, &metrics)) {
            constexpr UINT kUseTypoMetrics = 0x80;
            const bool typographic = metrics.otmfsSelection & kUseTypoMetrics;
            t.ascent = typographic ? metrics.otmAscent : int(metrics.otmTextMetrics.tmAscent);
            t.descent = typographic ? -metrics.otmDescent : int(metrics.otmTextMetrics.tmDescent);
            const int em = int(metrics.otmEMSquare);
            GdiObject<HFONT> design(makeFont(em, bold, face));
            Selected atEm(dc, design.get());
            INT units[256] {};
            if (GetCharWidth32W(dc, 0, 255, units))
                for (std::size_t c = 0; c < t.advance.size(); ++c)
                    t.advance[c] = units[c] * pixels / em;
        } else {
            // A face without outlines: the system's own rounded measures.
            TEXTMETRICW tm {};
            GetTextMetricsW(dc, &tm);
            t.ascent = tm.tmAscent;
            t.descent = tm.tmDescent;
            INT widths[256] {};
            GetCharWidth32W(dc, 0, 255, widths);
            for (std::size_t c = 0; c < t.advance.size(); ++c)
                t.advance[c] = widths[c];
        }
    }
    ReleaseDC(nullptr, dc);
    return t;
}

} // namespace

const Typeface& Fonts::get(std::string_view face, float points, bool bold)
{
    for (const auto& made : m_made)
        if (made->face == face && made->points == points && made->bold == bold)
            return made->typeface;
    const std::wstring use = faceToUse(face);
    // The font is made at a whole number of pixels, the text laid out at the exact size (9.75
    // points at 144 dots per inch are 19.5 pixels), as the Linux build lays it out.
    HFONT font = makeFont(pixels(points), bold, use);
    m_made.push_back(std::make_unique<Made>(Made { std::string(face), points, bold,
        GdiObject<HFONT>(font), measure(font, points * m_dpi / 72.0, bold, use) }));
    return m_made.back()->typeface;
}

} // namespace gd
