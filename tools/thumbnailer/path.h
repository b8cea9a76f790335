// Outlines as vector drawables describe them: subpaths of lines and cubic curves, moved by
// affine transforms, and flattened into polygons for filling.
#pragma once

#include <cstdint>
#include <vector>

namespace thumb {

struct Point
{
    double x = 0;
    double y = 0;
};

struct Transform
{
    // x' = a x + c y + e, y' = b x + d y + f
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    Point map(Point p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    double determinant() const { return a * d - b * c; }
    // This transform applied first, then `next`.
    Transform then(const Transform &next) const;
    static Transform translation(double dx, double dy) { return {1, 0, 0, 1, dx, dy}; }
    static Transform scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    // Clockwise on screen (y pointing down), in degrees.
    static Transform rotation(double degrees);
};

// A flattened subpath: a polygon when closed, a polyline when open.
struct Polyline
{
    std::vector<Point> points;
    bool closed = false;
};

struct Bounds
{
    double left = 0, top = 0, right = 0, bottom = 0;
};

enum class FillRule { NonZero, EvenOdd };

class Path
{
public:
    void moveTo(Point p);
    void lineTo(Point p);
    void quadTo(Point control, Point to);
    void cubicTo(Point c1, Point c2, Point to);
    void closeSubpath();

    bool isEmpty() const { return m_ops.empty(); }
    Path transformed(const Transform &t) const;

    // Curves as lines no further than `tolerance` from them. Curves whose control points lie
    // all outside `visible` become single lines: enough for filling what is visible.
    std::vector<Polyline> flattened(double tolerance, const Bounds *visible = nullptr) const;

    // Of the flattened outline (a hundredth of a unit close).
    Bounds bounds() const;
    bool contains(Point p, FillRule rule = FillRule::NonZero) const;

    // A rectangle with circular corners of `radius`.
    static Path roundedRect(double x, double y, double width, double height, double radius);

private:
    enum class Op : uint8_t { Move, Line, Cubic, Close };
    void ensureStarted();

    std::vector<Op> m_ops;
    std::vector<Point> m_points; // one for Move and Line, three for Cubic, none for Close
    Point m_start;
    bool m_open = false;
};

} // namespace thumb
