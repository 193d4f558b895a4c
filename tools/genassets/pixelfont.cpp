#include "pixelfont.h"

#include <QPainter>

namespace genassets::pixelfont {

namespace {

struct Glyph {
    char ch;
    const char* rows[height];
};

// clang-format off
const Glyph glyphs[] = {
    { 'A', { ".#.", "#.#", "###", "#.#", "#.#" } },
    { 'B', { "##.", "#.#", "##.", "#.#", "##." } },
    { 'C', { ".##", "#..", "#..", "#..", ".##" } },
    { 'D', { "##.", "#.#", "#.#", "#.#", "##." } },
    { 'E', { "###", "#..", "##.", "#..", "###" } },
    { 'F', { "###", "#..", "##.", "#..", "#.." } },
    { 'G', { ".##", "#..", "#.#", "#.#", ".##" } },
    { 'H', { "#.#", "#.#", "###", "#.#", "#.#" } },
    { 'I', { "###", ".#.", ".#.", ".#.", "###" } },
    { 'J', { "..#", "..#", "..#", "#.#", ".#." } },
    { 'K', { "#.#", "#.#", "##.", "#.#", "#.#" } },
    { 'L', { "#..", "#..", "#..", "#..", "###" } },
    { 'M', { "#...#", "##.##", "#.#.#", "#...#", "#...#" } },
    { 'N', { "#..#", "##.#", "#.##", "#..#", "#..#" } },
    { 'O', { ".#.", "#.#", "#.#", "#.#", ".#." } },
    { 'P', { "##.", "#.#", "##.", "#..", "#.." } },
    { 'Q', { ".#.", "#.#", "#.#", "##.", ".##" } },
    { 'R', { "##.", "#.#", "##.", "#.#", "#.#" } },
    { 'S', { ".##", "#..", ".#.", "..#", "##." } },
    { 'T', { "###", ".#.", ".#.", ".#.", ".#." } },
    { 'U', { "#.#", "#.#", "#.#", "#.#", "###" } },
    { 'V', { "#.#", "#.#", "#.#", "#.#", ".#." } },
    { 'W', { "#...#", "#...#", "#.#.#", "##.##", "#...#" } },
    { 'X', { "#.#", "#.#", ".#.", "#.#", "#.#" } },
    { 'Y', { "#.#", "#.#", ".#.", ".#.", ".#." } },
    { 'Z', { "###", "..#", ".#.", "#..", "###" } },
    { '0', { "###", "#.#", "#.#", "#.#", "###" } },
    { '1', { ".#.", "##.", ".#.", ".#.", "###" } },
    { '2', { "##.", "..#", ".#.", "#..", "###" } },
    { '3', { "##.", "..#", ".#.", "..#", "##." } },
    { '4', { "#.#", "#.#", "###", "..#", "..#" } },
    { '5', { "###", "#..", "##.", "..#", "##." } },
    { '6', { ".##", "#..", "###", "#.#", "###" } },
    { '7', { "###", "..#", ".#.", ".#.", ".#." } },
    { '8', { "###", "#.#", "###", "#.#", "###" } },
    { '9', { "###", "#.#", "###", "..#", "##." } },
    { ':', { ".", "#", ".", "#", "." } },
    { '%', { "#..#", "..#.", ".#..", "#...", "#..#" } },
    { ' ', { "..", "..", "..", "..", ".." } },
};
// clang-format on

const Glyph* find(QChar c)
{
    for (const Glyph& g : glyphs) {
        if (QChar(g.ch) == c.toUpper())
            return &g;
    }
    return nullptr;
}

int glyphWidth(const Glyph& g) { return int(qstrlen(g.rows[0])); }

} // namespace

int textWidth(const QString& text, int scale)
{
    int w = 0;
    for (QChar c : text) {
        if (const Glyph* g = find(c))
            w += glyphWidth(*g) + 1;
    }
    return w > 0 ? (w - 1) * scale : 0;
}

void drawText(QPainter& p, QPoint topLeft, const QString& text, const QColor& colour, int scale)
{
    int x = topLeft.x();
    for (QChar c : text) {
        const Glyph* g = find(c);
        if (!g)
            continue;
        for (int row = 0; row < height; ++row) {
            for (int col = 0; col < glyphWidth(*g); ++col) {
                if (g->rows[row][col] == '#')
                    p.fillRect(x + col * scale, topLeft.y() + row * scale, scale, scale, colour);
            }
        }
        x += (glyphWidth(*g) + 1) * scale;
    }
}

void drawShadowedCentred(QPainter& p, int centreX, int top, const QString& text,
    const QColor& colour, const QColor& shadow)
{
    const int left = centreX - textWidth(text) / 2;
    drawText(p, QPoint(left + 1, top + 1), text, shadow);
    drawText(p, QPoint(left, top), text, colour);
}

} // namespace genassets::pixelfont
