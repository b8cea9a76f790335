#include "path.h"

#include "maths.h"

#include <algorithm>
#include <cmath>

namespace thumb {

Transform Transform::then(const Transform &n) const
{
    return {n.a * a + n.c * b, n.b * a + n.d * b,       n.a * c + n.c * d,
            n.b * c + n.d * d, n.a * e + n.c * f + n.e, n.b * e + n.d * f + n.f};
}

Transform Transform::rotation(double degrees)
{
    const double r = degrees * M_PI / 180.0, cs = maths::cos(r), sn = maths::sin(r);
    return {cs, sn, -sn, cs, 0, 0};
}

void Path::moveTo(Point p)
{
    m_ops.push_back(Op::Move);
    m_points.push_back(p);
    m_start = p;
    m_open = true;
}

void Path::ensureStarted()
{
    // A drawing command after a close (or first of all) starts a new subpath where the last began.
    if (!m_open)
        moveTo(m_start);
}

void Path::lineTo(Point p)
{
    ensureStarted();
    m_ops.push_back(Op::Line);
    m_points.push_back(p);
}

void Path::quadTo(Point c, Point to)
{
    ensureStarted();
    const Point from = m_points.back();
    cubicTo({from.x + 2.0 / 3 * (c.x - from.x), from.y + 2.0 / 3 * (c.y - from.y)},
            {to.x + 2.0 / 3 * (c.x - to.x), to.y + 2.0 / 3 * (c.y - to.y)}, to);
}

void Path::cubicTo(Point c1, Point c2, Point to)
{
    ensureStarted();
    m_ops.push_back(Op::Cubic);
    m_points.insert(m_points.end(), {c1, c2, to});
}

void Path::closeSubpath()
{
    if (!m_open)
        return;
    m_ops.push_back(Op::Close);
    m_open = false;
}

Path Path::transformed(const Transform &t) const
{
    Path out = *this;
    for (Point &p : out.m_points)
        p = t.map(p);
    out.m_start = t.map(m_start);
    return out;
}

std::vector<Polyline> Path::flattened(double tolerance, const Bounds *visible) const
{
    std::vector<Polyline> out;
    size_t at = 0;
    for (Op op : m_ops) {
        switch (op) {
        case Op::Move:
            if (!out.empty() && out.back().points.size() < 2)
                out.pop_back();
            out.push_back({{m_points[at++]}, false});
            break;
        case Op::Line:
            out.back().points.push_back(m_points[at++]);
            break;
        case Op::Cubic: {
            const Point p0 = out.back().points.back(), p1 = m_points[at], p2 = m_points[at + 1],
                        p3 = m_points[at + 2];
            at += 3;
            bool outside = false;
            if (visible) {
                const double xs[] = {p0.x, p1.x, p2.x, p3.x}, ys[] = {p0.y, p1.y, p2.y, p3.y};
                outside = *std::max_element(xs, xs + 4) < visible->left ||
                          *std::min_element(xs, xs + 4) > visible->right ||
                          *std::max_element(ys, ys + 4) < visible->top ||
                          *std::min_element(ys, ys + 4) > visible->bottom;
            }
            // Segments enough that the curve strays at most `tolerance` from them.
            const double ddx = std::max(std::fabs(p0.x - 2 * p1.x + p2.x), std::fabs(p1.x - 2 * p2.x + p3.x));
            const double ddy = std::max(std::fabs(p0.y - 2 * p1.y + p2.y), std::fabs(p1.y - 2 * p2.y + p3.y));
            const double dd = std::sqrt(ddx * ddx + ddy * ddy);
            int n = outside || !std::isfinite(dd) ? 1 : int(std::ceil(std::sqrt(0.75 * dd / tolerance)));
            n = std::clamp(n, 1, 256);
            for (int i = 1; i <= n; ++i) {
                const double t = double(i) / n, u = 1 - t;
                const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
                out.back().points.push_back({w0 * p0.x + w1 * p1.x + w2 * p2.x + w3 * p3.x,
                                             w0 * p0.y + w1 * p1.y + w2 * p2.y + w3 * p3.y});
            }
            break;
        }
        case Op::Close:
            out.back().closed = true;
            break;
        }
    }
    if (!out.empty() && out.back().points.size() < 2)
        out.pop_back();
    return out;
}

Bounds Path::bounds() const
{
    Bounds b;
    bool first = true;
    for (const Polyline &line : flattened(0.01))
        for (const Point &p : line.points) {
            if (first) {
                b = {p.x, p.y, p.x, p.y};
                first = false;
            }
            b.left = std::min(b.left, p.x);
            b.right = std::max(b.right, p.x);
            b.top = std::min(b.top, p.y);
            b.bottom = std::max(b.bottom, p.y);
        }
    return b;
}

bool Path::contains(Point p, FillRule rule) const
{
    int winding = 0;
    for (const Polyline &line : flattened(0.01)) {
        const size_t n = line.points.size();
        for (size_t i = 0; i < n; ++i) {
            const Point a = line.points[i], b = line.points[(i + 1) % n];
            if ((a.y <= p.y) == (b.y <= p.y))
                continue;
            const double x = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (x > p.x)
                winding += b.y > a.y ? 1 : -1;
        }
    }
    return rule == FillRule::EvenOdd ? winding % 2 != 0 : winding != 0;
}

Path Path::roundedRect(double x, double y, double width, double height, double radius)
{
    const double r = std::min({radius, width / 2, height / 2});
    const double k = r * (1 - 0.5522847498); // where a quarter circle's control points stand
    const double right = x + width, bottom = y + height;
    Path p;
    p.moveTo({x + r, y});
    p.lineTo({right - r, y});
    p.cubicTo({right - k, y}, {right, y + k}, {right, y + r});
    p.lineTo({right, bottom - r});
    p.cubicTo({right, bottom - k}, {right - k, bottom}, {right - r, bottom});
    p.lineTo({x + r, bottom});
    p.cubicTo({x + k, bottom}, {x, bottom - k}, {x, bottom - r});
    p.lineTo({x, y + r});
    p.cubicTo({x, y + k}, {x + k, y}, {x + r, y});
    p.closeSubpath();
    return p;
}

} // namespace thumb
