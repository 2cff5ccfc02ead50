#include "svg.h"

#include <cmath>
#include <cstdio>

namespace cardart {

namespace {

// Joins the parts by appending; GCC 12 warns falsely (-Wrestrict) about
// "literal" + std::string chains.
template <typename... Parts>
std::string cat(const Parts&... parts)
{
    std::string s;
    (s.append(parts), ...);
    return s;
}

} // namespace

std::string num(double v)
{
    double r = std::round(v * 100.0) / 100.0;
    if (r == 0.0)
        r = 0.0; // no "-0"
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", r);
    std::string s = buf;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s;
}

Pt polar(double r, double degrees)
{
    const double a = degrees * M_PI / 180.0;
    return {r * std::sin(a), -r * std::cos(a)};
}

Pt turn(Pt p, double degrees)
{
    const double a = degrees * M_PI / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    return {p.x * c - p.y * s, p.x * s + p.y * c};
}

std::vector<Pt> mirrorX(const std::vector<Pt>& pts)
{
    std::vector<Pt> out;
    for (Pt p : pts)
        out.push_back(mirrorX(p));
    return out;
}

static std::string pt(Pt p)
{
    return cat(num(p.x), ",", num(p.y));
}

Path& Path::move(Pt p)
{
    d_ += cat("M", pt(p));
    return *this;
}
Path& Path::line(Pt p)
{
    d_ += cat("L", pt(p));
    return *this;
}
Path& Path::quad(Pt c, Pt p)
{
    d_ += cat("Q", pt(c), " ", pt(p));
    return *this;
}
Path& Path::cubic(Pt c1, Pt c2, Pt p)
{
    d_ += cat("C", pt(c1), " ", pt(c2), " ", pt(p));
    return *this;
}
Path& Path::close()
{
    d_ += "Z";
    return *this;
}

Path& Path::smooth(const std::vector<Pt>& pts, bool closed, double tension)
{
    const int n = int(pts.size());
    if (n < 2)
        return *this;
    auto at = [&](int i) {
        if (closed)
            return pts[size_t((i % n + n) % n)];
        return pts[size_t(i < 0 ? 0 : (i >= n ? n - 1 : i))];
    };
    move(pts[0]);
    const int segments = closed ? n : n - 1;
    const double k = tension / 6.0;
    for (int i = 0; i < segments; ++i) {
        Pt p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        cubic(p1 + (p2 - p0) * k, p2 - (p3 - p1) * k, p2);
    }
    if (closed)
        close();
    return *this;
}

Path& Path::through(const std::vector<Pt>& pts, double tension)
{
    const int n = int(pts.size());
    auto at = [&](int i) { return pts[size_t(i < 0 ? 0 : (i >= n ? n - 1 : i))]; };
    const double k = tension / 6.0;
    for (int i = 0; i + 1 < n; ++i) {
        Pt p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        cubic(p1 + (p2 - p0) * k, p2 - (p3 - p1) * k, p2);
    }
    return *this;
}

Path& Path::ellipse(Pt c, double rx, double ry)
{
    // Four cubic quarters; arcs are avoided because their flags make the
    // data harder to read and to transform by hand.
    const double k = 0.5523;
    move({c.x + rx, c.y});
    cubic({c.x + rx, c.y + ry * k}, {c.x + rx * k, c.y + ry}, {c.x, c.y + ry});
    cubic({c.x - rx * k, c.y + ry}, {c.x - rx, c.y + ry * k}, {c.x - rx, c.y});
    cubic({c.x - rx, c.y - ry * k}, {c.x - rx * k, c.y - ry}, {c.x, c.y - ry});
    cubic({c.x + rx * k, c.y - ry}, {c.x + rx, c.y - ry * k}, {c.x + rx, c.y});
    return close();
}

Path& Path::circle(Pt c, double r)
{
    return ellipse(c, r, r);
}

Path& Path::polygon(const std::vector<Pt>& pts)
{
    if (pts.empty())
        return *this;
    move(pts[0]);
    for (size_t i = 1; i < pts.size(); ++i)
        line(pts[i]);
    return close();
}

Path& Path::append(const Path& other)
{
    d_ += other.d_;
    return *this;
}

Style fill(const std::string& colour)
{
    Style s;
    s.fill = colour;
    return s;
}

Style fillStroke(const std::string& colour, const std::string& line, double width)
{
    Style s;
    s.fill = colour;
    s.stroke = line;
    s.width = width;
    return s;
}

Style stroke(const std::string& colour, double width)
{
    Style s;
    s.stroke = colour;
    s.width = width;
    return s;
}

Svg::Svg(double w, double h, bool withSize)
{
    head_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\"";
    if (withSize)
        head_ += cat(" width=\"", num(w), "\" height=\"", num(h), "\"");
    head_ += cat(" viewBox=\"0 0 ", num(w), " ", num(h), "\">\n");
}

static std::string stopList(const std::vector<std::pair<double, std::string>>& stops)
{
    std::string s;
    for (const auto& [offset, colour] : stops)
        s += cat("  <stop offset=\"", num(offset), "\" stop-color=\"", colour, "\"/>\n");
    return s;
}

void Svg::linearGradient(const std::string& id, Pt from, Pt to,
                         const std::vector<std::pair<double, std::string>>& stops)
{
    defs_ += cat(" <linearGradient id=\"", id, "\" x1=\"", num(from.x), "\" y1=\"", num(from.y),
                 "\" x2=\"", num(to.x), "\" y2=\"", num(to.y), "\">\n", stopList(stops),
                 " </linearGradient>\n");
}

void Svg::radialGradient(const std::string& id, Pt centre, double r,
                         const std::vector<std::pair<double, std::string>>& stops)
{
    defs_ += cat(" <radialGradient id=\"", id, "\" cx=\"", num(centre.x), "\" cy=\"", num(centre.y),
                 "\" r=\"", num(r), "\">\n", stopList(stops), " </radialGradient>\n");
}

void Svg::attrs(const Style& s)
{
    body_ += cat(" fill=\"", s.fill, "\"");
    if (s.stroke != "none") {
        body_ += cat(" stroke=\"", s.stroke, "\" stroke-width=\"", num(s.width), "\"");
        if (s.round)
            body_ += " stroke-linecap=\"round\" stroke-linejoin=\"round\"";
    }
    if (s.opacity < 1)
        body_ += cat(" opacity=\"", num(s.opacity), "\"");
    body_ += "/>\n";
}

static std::string indent(int depth)
{
    return std::string(size_t(depth), ' ');
}

void Svg::path(const Path& p, const Style& s)
{
    if (p.empty())
        return;
    body_ += cat(indent(depth_), "<path d=\"", p.str(), "\"");
    attrs(s);
}

void Svg::circle(Pt c, double r, const Style& s)
{
    body_ += cat(indent(depth_), "<circle cx=\"", num(c.x), "\" cy=\"", num(c.y), "\" r=\"", num(r),
                 "\"");
    attrs(s);
}

void Svg::ellipse(Pt c, double rx, double ry, const Style& s)
{
    body_ += cat(indent(depth_), "<ellipse cx=\"", num(c.x), "\" cy=\"", num(c.y), "\" rx=\"", num(rx),
                 "\" ry=\"", num(ry), "\"");
    attrs(s);
}

void Svg::rect(double x, double y, double w, double h, double r, const Style& s)
{
    body_ += cat(indent(depth_), "<rect x=\"", num(x), "\" y=\"", num(y), "\" width=\"", num(w),
                 "\" height=\"", num(h), "\"");
    if (r > 0)
        body_ += cat(" rx=\"", num(r), "\" ry=\"", num(r), "\"");
    attrs(s);
}

void Svg::begin(const std::string& transform)
{
    body_ += cat(indent(depth_), "<g transform=\"", transform, "\">\n");
    ++depth_;
}

void Svg::end()
{
    --depth_;
    body_ += cat(indent(depth_), "</g>\n");
}

void Svg::comment(const std::string& text)
{
    body_ += cat(indent(depth_), "<!-- ", text, " -->\n");
}

std::string Svg::finish()
{
    std::string out = head_;
    if (!defs_.empty())
        out += cat("<defs>\n", defs_, "</defs>\n");
    out += cat(body_, "</svg>\n");
    return out;
}

std::string translate(Pt p)
{
    return cat("translate(", num(p.x), ",", num(p.y), ")");
}

std::string place(Pt p, double degrees, double scale)
{
    return placeXY(p, degrees, scale, scale);
}

std::string placeXY(Pt p, double degrees, double sx, double sy)
{
    std::string t = translate(p);
    if (degrees != 0)
        t += cat(" rotate(", num(degrees), ")");
    if (sx != 1 || sy != 1)
        t += sx == sy ? cat(" scale(", num(sx), ")") : cat(" scale(", num(sx), ",", num(sy), ")");
    return t;
}

} // namespace cardart
