// A small SVG writer. Every number goes through num() so that the output is
// byte-identical from run to run and machine to machine: the generated files
// are committed and compared against a fresh run.
#pragma once

#include <string>
#include <vector>

namespace cardart {

struct Pt {
    double x = 0, y = 0;
};

inline Pt operator+(Pt a, Pt b)
{
    return {a.x + b.x, a.y + b.y};
}
inline Pt operator-(Pt a, Pt b)
{
    return {a.x - b.x, a.y - b.y};
}
inline Pt operator*(Pt a, double s)
{
    return {a.x * s, a.y * s};
}
inline Pt lerp(Pt a, Pt b, double t)
{
    return a + (b - a) * t;
}
// A point at distance r, at an angle in degrees measured clockwise from "up".
Pt polar(double r, double degrees);
// p turned clockwise about the origin.
Pt turn(Pt p, double degrees);
inline Pt mirrorX(Pt p)
{
    return {-p.x, p.y};
}
std::vector<Pt> mirrorX(const std::vector<Pt>& pts);

// Two decimals are finer than a device pixel at 3x the design size.
std::string num(double v);

// Path data in card units.
class Path {
public:
    Path& move(Pt p);
    Path& line(Pt p);
    Path& quad(Pt c, Pt p);
    Path& cubic(Pt c1, Pt c2, Pt p);
    Path& close();
    // A smooth curve through all the points (Catmull-Rom turned into cubics),
    // so outlines can be written as a few readable key points.
    Path& smooth(const std::vector<Pt>& pts, bool closed, double tension = 1.0);
    // The same, continuing from pts[0] (the current point) without a move.
    Path& through(const std::vector<Pt>& pts, double tension = 1.0);
    Path& circle(Pt c, double r);
    Path& ellipse(Pt c, double rx, double ry);
    Path& polygon(const std::vector<Pt>& pts);
    Path& append(const Path& other);
    const std::string& str() const { return d_; }
    bool empty() const { return d_.empty(); }

private:
    std::string d_;
};

// Presentation attributes of one element, written in a fixed order.
struct Style {
    std::string fill = "none";
    std::string stroke = "none";
    double width = 0;
    bool round = true; // round caps and joins
    double opacity = 1;
};

Style fill(const std::string& colour);
Style fillStroke(const std::string& colour, const std::string& line, double width);
Style stroke(const std::string& colour, double width);

class Svg {
public:
    Svg(double w, double h, bool withSize = true);
    void linearGradient(const std::string& id, Pt from, Pt to,
                        const std::vector<std::pair<double, std::string>>& stops);
    void radialGradient(const std::string& id, Pt centre, double r,
                        const std::vector<std::pair<double, std::string>>& stops);
    void path(const Path& p, const Style& s);
    void circle(Pt c, double r, const Style& s);
    void ellipse(Pt c, double rx, double ry, const Style& s);
    void rect(double x, double y, double w, double h, double r, const Style& s);
    void begin(const std::string& transform);
    void end();
    void comment(const std::string& text);
    std::string finish();

private:
    void attrs(const Style& s);
    std::string head_, defs_, body_;
    int depth_ = 1;
};

// transform attribute helpers
std::string translate(Pt p);
std::string place(Pt p, double degrees, double scale = 1.0);
std::string placeXY(Pt p, double degrees, double sx, double sy);

} // namespace cardart
