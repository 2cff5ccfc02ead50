#include "broadpen.h"

#include <cmath>

namespace cardart {

namespace {

double dot(Pt a, Pt b)
{
    return a.x * b.x + a.y * b.y;
}
double cross(Pt a, Pt b)
{
    return a.x * b.y - a.y * b.x;
}
Pt unit(Pt v)
{
    return v * (1 / std::hypot(v.x, v.y));
}
// The normal on the left of a direction of travel.
Pt left(Pt d)
{
    return {d.y, -d.x};
}

// A point of the centre line and the direction the pen moves there. At a
// corner the point comes twice, once with each direction.
struct Sample {
    Pt at, dir;
};

Pt cubicAt(Pt p0, Pt c1, Pt c2, Pt p1, double t)
{
    const double u = 1 - t;
    return p0 * (u * u * u) + c1 * (3 * u * u * t) + c2 * (3 * u * t * t) + p1 * (t * t * t);
}

Pt cubicDir(Pt p0, Pt c1, Pt c2, Pt p1, double t)
{
    const double u = 1 - t;
    return unit((c1 - p0) * (u * u) + (c2 - c1) * (2 * u * t) + (p1 - c2) * (t * t));
}

double angleBetween(Pt a, Pt b)
{
    return std::abs(std::atan2(cross(a, b), dot(a, b)));
}

// Enough samples that the pen turns by a few degrees between them, which
// keeps the outline within a few hundredths of a unit of the true curve.
std::vector<Sample> samples(const Stroke& s)
{
    std::vector<Sample> out;
    Pt from = s.start;
    for (const Stroke::Piece& p : s.pieces) {
        if (p.straight) {
            const Pt d = unit(p.to - from);
            out.push_back({from, d});
            out.push_back({p.to, d});
        } else {
            const double bend = angleBetween(p.c1 - from, p.c2 - p.c1) + angleBetween(p.c2 - p.c1, p.to - p.c2);
            const int n = std::max(2, int(std::ceil(bend / (8 * M_PI / 180))));
            for (int i = 0; i <= n; ++i) {
                const double t = double(i) / n;
                out.push_back({cubicAt(from, p.c1, p.c2, p.to, t), cubicDir(from, p.c1, p.c2, p.to, t)});
            }
        }
        from = p.to;
    }
    return out;
}

class Outline {
public:
    Outline(Pt nib, double radius)
        : nib_(nib)
        , radius_(radius)
    {
    }

    // The nib's rim seen from `at` as its normal turns by `angle` radians from
    // `from` (where the outline already is), in steps of a few degrees. Where
    // the normal passes square to the nib the rim jumps to the nib's other end,
    // drawing its flat side.
    void sweep(Pt at, Pt from, double angle)
    {
        const int steps = std::max(1, int(std::ceil(std::abs(angle) / (15 * M_PI / 180))));
        for (int i = 1; i <= steps; ++i) {
            const Pt n = turn(from, angle * i / steps * 180 / M_PI);
            add(at + (dot(n, nib_) >= 0 ? nib_ : nib_ * -1) + n * radius_);
        }
    }
    void sweepTo(Pt at, Pt from, Pt to) { sweep(at, from, std::atan2(cross(from, to), dot(from, to))); }

    std::vector<Pt> points;

private:
    // Points closer than the written precision say nothing more.
    void add(Pt p)
    {
        if (points.empty() || num(p.x) != num(points.back().x) || num(p.y) != num(points.back().y))
            points.push_back(p);
    }

    Pt nib_;
    double radius_;
};

} // namespace

Path broadPen(const std::vector<Stroke>& lines, Pt nib, double radius)
{
    Path path;
    for (const Stroke& s : lines) {
        const std::vector<Sample> line = samples(s);
        Outline o(nib, radius);
        // down the left side, round the far end, back up the right side and
        // round the near end
        for (size_t i = 0; i < line.size(); ++i)
            o.sweepTo(line[i].at, left(line[i == 0 ? 0 : i - 1].dir), left(line[i].dir));
        o.sweep(line.back().at, left(line.back().dir), M_PI);
        for (size_t i = line.size(); i-- > 0;)
            o.sweepTo(line[i].at, left(line[i + 1 == line.size() ? i : i + 1].dir) * -1,
                      left(line[i].dir) * -1);
        o.sweep(line.front().at, left(line.front().dir) * -1, M_PI);
        path.polygon(o.points);
    }
    return path;
}

} // namespace cardart
