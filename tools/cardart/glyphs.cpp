#include "glyphs.h"

#include <functional>
#include <map>

namespace cardart {

namespace {

// Maps glyph units to picture units for one letter.
struct Pen {
    Pt origin;
    double scale;
    double slant;
    double condense;
    std::vector<Stroke>* out;

    Pt at(double x, double y) const
    {
        return origin + Pt{(x + slant * (10 - y)) * condense, y} * scale;
    }
    const Pen& M(double x, double y) const
    {
        out->push_back({at(x, y), {}});
        return *this;
    }
    const Pen& L(double x, double y) const
    {
        out->back().pieces.push_back({{}, {}, at(x, y), true});
        return *this;
    }
    const Pen& C(double x1, double y1, double x2, double y2, double x, double y) const
    {
        out->back().pieces.push_back({at(x1, y1), at(x2, y2), at(x, y), false});
        return *this;
    }
    const Pen& O(double cx, double cy, double rx, double ry) const
    {
        const double k = 0.5523;
        M(cx + rx, cy);
        C(cx + rx, cy + ry * k, cx + rx * k, cy + ry, cx, cy + ry);
        C(cx - rx * k, cy + ry, cx - rx, cy + ry * k, cx - rx, cy);
        C(cx - rx, cy - ry * k, cx - rx * k, cy - ry, cx, cy - ry);
        C(cx + rx * k, cy - ry, cx + rx, cy - ry * k, cx + rx, cy);
        return *this;
    }
};

struct Glyph {
    double width;
    std::function<void(const Pen&)> draw;
};

const std::map<char, Glyph>& glyphs()
{
    static const std::map<char, Glyph> table{
        {'0', {6, [](const Pen& p) { p.O(3, 5.2, 2.5, 4.6); }}},
        {'1', {6, [](const Pen& p) { p.M(1.3, 2.6).L(3.5, 0.6).L(3.5, 10).M(1.6, 10).L(5.4, 10); }}},
        {'2', {6, [](const Pen& p) {
                   p.M(0.9, 2.6).C(0.9, 0.2, 5.2, 0.1, 5.2, 2.8).C(5.2, 5.2, 1.1, 7, 0.7, 10).L(5.5, 10);
               }}},
        {'3', {6, [](const Pen& p) {
                   p.M(0.8, 1.4).C(2, 0.2, 5.2, 0.2, 5.2, 2.7).C(5.2, 4.2, 3.9, 4.9, 2.5, 4.9).C(4.1, 4.9, 5.4, 5.8, 5.4, 7.4).C(5.4, 10.5, 1.3, 10.5, 0.6, 8.7);
               }}},
        {'4', {6, [](const Pen& p) { p.M(4.2, 10).L(4.2, 0.6).L(0.5, 7.1).L(5.7, 7.1); }}},
        {'5', {6, [](const Pen& p) {
                   p.M(5, 0.7).L(1.3, 0.7).L(1, 4.7).C(2.5, 3.7, 5.4, 3.9, 5.4, 7.1).C(5.4, 10.5, 1.3, 10.5, 0.6, 8.7);
               }}},
        {'6', {6, [](const Pen& p) {
                   p.M(4.8, 0.9).C(2, 0.6, 0.7, 3.4, 0.7, 6.5).C(0.7, 9, 1.8, 10, 3, 10).C(4.4, 10, 5.4, 9, 5.4, 7.3).C(5.4, 5.5, 4.3, 4.5, 3, 4.5).C(1.8, 4.5, 0.9, 5.3, 0.7, 6.5);
               }}},
        {'7', {6, [](const Pen& p) { p.M(0.6, 0.7).L(5.4, 0.7).C(3.6, 3.6, 2.6, 6.4, 2.3, 10); }}},
        {'8', {6, [](const Pen& p) {
                   p.M(3, 4.7).C(1.3, 4.7, 0.9, 3.6, 0.9, 2.6).C(0.9, 1.2, 1.9, 0.4, 3, 0.4).C(4.1, 0.4, 5.1, 1.2, 5.1, 2.6).C(5.1, 3.6, 4.7, 4.7, 3, 4.7).C(1.1, 4.7, 0.6, 6, 0.6, 7.3).C(0.6, 8.9, 1.7, 10, 3, 10).C(4.3, 10, 5.4, 8.9, 5.4, 7.3).C(5.4, 6, 4.9, 4.7, 3, 4.7);
               }}},
        {'9', {6, [](const Pen& p) {
                   p.M(1.2, 9.1).C(4, 9.4, 5.3, 6.6, 5.3, 3.5).C(5.3, 1, 4.2, 0.4, 3, 0.4).C(1.6, 0.4, 0.6, 1.4, 0.6, 3.1).C(0.6, 4.9, 1.7, 5.9, 3, 5.9).C(4.2, 5.9, 5.1, 5.1, 5.3, 3.5);
               }}},
        {' ', {3.5, [](const Pen&) {}}},
        {'L', {6.4, [](const Pen& p) {
                   p.M(-0.3, 0.5).L(2.6, 0.5).M(1.2, 0.5).L(1.2, 10).L(6.2, 10).L(6.4, 8.6);
               }}},
        {'T', {7.4, [](const Pen& p) {
                   p.M(0.3, 1.6).L(0.5, 0.5).L(7.1, 0.5).L(7.3, 1.6).M(3.8, 0.5).L(3.8, 10).M(2.4, 10).L(5.2, 10);
               }}},
        {'D', {7.6, [](const Pen& p) {
                   p.M(1, 0.6).L(1, 10).L(3.2, 10).C(6, 10, 7.2, 7.7, 7.2, 5.3).C(7.2, 2.8, 6, 0.6, 3.2, 0.6).L(1, 0.6);
               }}},
        {'a', {5.4, [](const Pen& p) {
                   p.M(4.6, 4.2).L(4.6, 9).C(4.6, 9.7, 4.9, 10, 5.4, 10).M(4.6, 6.1).C(4.2, 4.7, 3.4, 4.1, 2.6, 4.1).C(1.2, 4.1, 0.4, 5.5, 0.4, 7.1).C(0.4, 8.9, 1.3, 10, 2.6, 10).C(3.6, 10, 4.3, 9.2, 4.6, 8.2);
               }}},
        {'e', {5.4, [](const Pen& p) {
                   p.M(0.6, 7).L(5, 7).C(5, 5.2, 4, 4.1, 2.8, 4.1).C(1.4, 4.1, 0.5, 5.5, 0.5, 7.1).C(0.5, 8.9, 1.4, 10, 2.9, 10).C(3.8, 10, 4.6, 9.6, 5, 8.8);
               }}},
        {'i', {2.2, [](const Pen& p) { p.M(1, 4.2).L(1, 10).M(1, 1.9).L(1, 2.0); }}},
        {'l', {2.6, [](const Pen& p) { p.M(1, 0.2).L(1, 8.8).C(1, 9.7, 1.5, 10, 2.3, 10); }}},
        {'n', {5.8, [](const Pen& p) {
                   p.M(0.9, 4.2).L(0.9, 10).M(0.9, 6.2).C(1.3, 4.8, 2.2, 4.1, 3.2, 4.1).C(4.4, 4.1, 4.9, 4.9, 4.9, 6.2).L(4.9, 10);
               }}},
        {'o', {5.6, [](const Pen& p) { p.O(2.8, 7.05, 2.35, 2.95); }}},
        {'r', {4.4, [](const Pen& p) {
                   p.M(1, 4.2).L(1, 10).M(1, 6.6).C(1.6, 4.9, 2.6, 4.1, 4.1, 4.3);
               }}},
        {'v', {5.4, [](const Pen& p) { p.M(0.3, 4.2).L(2.7, 10).L(5.1, 4.2); }}},
        {'x', {5.2, [](const Pen& p) { p.M(0.5, 4.2).L(4.7, 10).M(4.7, 4.2).L(0.5, 10); }}},
    };
    return table;
}

// Pairs that stand too far apart at their plain widths, in glyph units.
double kerning(char a, char b)
{
    static const std::map<std::pair<char, char>, double> pairs{
        {{'L', 'a'}, -1.8}, {{'a', ' '}, -0.6}, {{' ', 'T'}, -0.6}, {{'T', 'r'}, -1.6}, {{'r', 'e'}, -0.4}, {{'v', 'a'}, -0.3}};
    const auto it = pairs.find({a, b});
    return it == pairs.end() ? 0 : it->second;
}

} // namespace

std::vector<Stroke> strokes(const std::string& text, Pt at, const Lettering& style)
{
    std::vector<Stroke> out;
    const double scale = style.size / 10.0;
    double x = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const Glyph& g = glyphs().at(text[i]);
        g.draw(Pen{at + Pt{x * scale, 0}, scale, style.slant, style.condense, &out});
        if (i + 1 < text.size())
            x += (g.width + style.spacing + kerning(text[i], text[i + 1])) * style.condense;
    }
    return out;
}

Path letters(const std::string& text, Pt at, const Lettering& style)
{
    Path path;
    for (const Stroke& s : strokes(text, at, style)) {
        path.move(s.start);
        for (const Stroke::Piece& p : s.pieces) {
            if (p.straight)
                path.line(p.to);
            else
                path.cubic(p.c1, p.c2, p.to);
        }
    }
    return path;
}

double lettersWidth(const std::string& text, const Lettering& style)
{
    double x = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        x += glyphs().at(text[i]).width;
        if (i + 1 < text.size())
            x += style.spacing + kerning(text[i], text[i + 1]);
    }
    return x * style.condense * style.size / 10.0;
}

} // namespace cardart
