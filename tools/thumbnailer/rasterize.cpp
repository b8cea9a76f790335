#include "rasterize.h"

#include "icon_error.h"

#include <algorithm>
#include <cmath>

namespace thumb {

namespace {

constexpr int SampleLines = 16;
// Edges of all polygons of one fill: far beyond any real drawable, short of exhausting memory.
constexpr size_t MaxEdges = 4u << 20;

struct Edge
{
    double x0, y0, y1, dxdy;
    int direction;
};

struct Crossing
{
    double x;
    int direction;
};

} // namespace

void rasterize(const std::vector<Polyline> &polygons, FillRule rule, int width, int height,
               const CoverageRow &row)
{
    std::vector<Edge> edges;
    double top = height, bottom = 0;
    for (const Polyline &polygon : polygons) {
        const size_t n = polygon.points.size();
        for (size_t i = 0; i < n; ++i) {
            Point a = polygon.points[i], b = polygon.points[(i + 1) % n];
            if (!(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) && std::isfinite(b.y)) ||
                a.y == b.y)
                continue;
            int direction = 1;
            if (a.y > b.y) {
                std::swap(a, b);
                direction = -1;
            }
            if (b.y <= 0 || a.y >= height)
                continue;
            if (edges.size() == MaxEdges)
                throw IconError("vector drawable with implausibly many edges");
            edges.push_back({a.x, a.y, b.y, (b.x - a.x) / (b.y - a.y), direction});
            top = std::min(top, a.y);
            bottom = std::max(bottom, b.y);
        }
    }
    if (edges.empty())
        return;
    std::sort(edges.begin(), edges.end(), [](const Edge &l, const Edge &r) { return l.y0 < r.y0; });
    const int firstRow = std::max(0, int(std::floor(top))),
              lastRow = std::min(height, int(std::ceil(bottom)));

    // Per row: whole-pixel runs as differences (`steps`), partly covered pixels directly.
    std::vector<float> steps(size_t(width) + 1), partial(size_t(width) + 1),
        coverage(static_cast<size_t>(width));
    std::vector<size_t> active;
    std::vector<Crossing> crossings;
    size_t next = 0;
    const float weight = 1.0f / SampleLines;
    for (int y = firstRow; y < lastRow; ++y) {
        int minX = width, maxX = 0;
        auto addSpan = [&](double from, double to) {
            from = std::clamp(from, 0.0, double(width));
            to = std::clamp(to, 0.0, double(width));
            if (to <= from)
                return;
            const int a = int(from), b = int(to);
            minX = std::min(minX, a);
            maxX = std::max(maxX, std::min(b + 1, width));
            if (a == b) {
                partial[size_t(a)] += float(to - from) * weight;
                return;
            }
            partial[size_t(a)] += float(a + 1 - from) * weight;
            steps[size_t(a) + 1] += weight;
            steps[size_t(b)] -= weight;
            partial[size_t(b)] += float(to - b) * weight;
        };
        for (int s = 0; s < SampleLines; ++s) {
            const double sy = y + (s + 0.5) / SampleLines;
            while (next < edges.size() && edges[next].y0 <= sy)
                active.push_back(next++);
            active.erase(
                std::remove_if(active.begin(), active.end(), [&](size_t i) { return edges[i].y1 <= sy; }),
                active.end());
            crossings.clear();
            for (size_t i : active) {
                const Edge &e = edges[i];
                if (e.y0 <= sy)
                    crossings.push_back({e.x0 + (sy - e.y0) * e.dxdy, e.direction});
            }
            std::sort(crossings.begin(), crossings.end(),
                      [](const Crossing &l, const Crossing &r) { return l.x < r.x; });
            int winding = 0;
            double start = 0;
            for (const Crossing &c : crossings) {
                const bool wasInside = rule == FillRule::EvenOdd ? winding % 2 != 0 : winding != 0;
                winding += c.direction;
                const bool inside = rule == FillRule::EvenOdd ? winding % 2 != 0 : winding != 0;
                if (!wasInside && inside)
                    start = c.x;
                else if (wasInside && !inside)
                    addSpan(start, c.x);
            }
        }
        if (minX >= maxX)
            continue;
        float run = 0;
        for (int x = minX; x < maxX; ++x) {
            run += steps[size_t(x)];
            coverage[size_t(x)] = std::clamp(run + partial[size_t(x)], 0.0f, 1.0f);
            steps[size_t(x)] = partial[size_t(x)] = 0;
        }
        steps[size_t(maxX)] = partial[size_t(maxX)] = 0;
        row(y, minX, maxX, coverage.data() + minX);
    }
}

std::vector<Polyline> strokeOutline(const std::vector<Polyline> &lines, double width)
{
    const double half = width / 2;
    constexpr double MiterLimit = 4;
    std::vector<Polyline> out;
    // Every piece wound the same way, so that overlapping pieces add up under the non-zero rule.
    auto add = [&out](std::vector<Point> points) {
        double area = 0;
        for (size_t i = 0; i < points.size(); ++i) {
            const Point a = points[i], b = points[(i + 1) % points.size()];
            area += a.x * b.y - b.x * a.y;
        }
        if (area < 0)
            std::reverse(points.begin(), points.end());
        if (area != 0)
            out.push_back({std::move(points), true});
    };
    for (const Polyline &line : lines) {
        std::vector<Point> p;
        for (const Point &q : line.points)
            if (p.empty() || q.x != p.back().x || q.y != p.back().y)
                p.push_back(q);
        if (line.closed && p.size() > 1 && p.front().x == p.back().x && p.front().y == p.back().y)
            p.pop_back();
        const size_t n = p.size();
        if (n < 2)
            continue;
        const size_t segments = line.closed ? n : n - 1;
        auto normal = [&](size_t i) {
            const Point a = p[i], b = p[(i + 1) % n];
            const double length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
            return Point{-(b.y - a.y) / length * half, (b.x - a.x) / length * half};
        };
        for (size_t i = 0; i < segments; ++i) {
            const Point a = p[i], b = p[(i + 1) % n], m = normal(i);
            add({{a.x + m.x, a.y + m.y},
                 {b.x + m.x, b.y + m.y},
                 {b.x - m.x, b.y - m.y},
                 {a.x - m.x, a.y - m.y}});
        }
        // Corners: between segment i - 1 and segment i, at point i.
        for (size_t i = line.closed ? 0 : 1; i < segments; ++i) {
            const size_t before = (i + segments - 1) % segments;
            const Point v = p[i], m1 = normal(before), m2 = normal(i);
            const double turn = m1.x * m2.y - m1.y * m2.x;
            if (turn == 0)
                continue;
            // The outer side is the one the path turns away from.
            const double side = turn > 0 ? -1 : 1;
            const Point a{v.x + side * m1.x, v.y + side * m1.y}, b{v.x + side * m2.x, v.y + side * m2.y};
            const double cosine = (m1.x * m2.x + m1.y * m2.y) / (half * half);
            if (1 + cosine > 2 / (MiterLimit * MiterLimit)) {
                const double k = side / (1 + cosine);
                add({v, a, {v.x + k * (m1.x + m2.x), v.y + k * (m1.y + m2.y)}, b});
            } else {
                add({v, a, b});
            }
        }
    }
    return out;
}

} // namespace thumb
