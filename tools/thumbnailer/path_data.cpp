#include "path_data.h"

#include "maths.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

namespace thumb {

namespace {

bool operator==(Point a, Point b)
{
    return a.x == b.x && a.y == b.y;
}

// The point mirrored through `centre`: a smooth curve's implied control point.
Point reflected(Point p, Point centre)
{
    return {2 * centre.x - p.x, 2 * centre.y - p.y};
}

class Scanner
{
public:
    explicit Scanner(std::string_view s) : m_s(s) {}

    void skipSeparators()
    {
        while (m_at < m_s.size() && (std::isspace(static_cast<unsigned char>(m_s[m_at])) || m_s[m_at] == ','))
            ++m_at;
    }
    bool atEnd()
    {
        skipSeparators();
        return m_at >= m_s.size();
    }
    // The next command letter, if one stands next.
    std::optional<char> command()
    {
        skipSeparators();
        if (m_at < m_s.size() && std::isalpha(static_cast<unsigned char>(m_s[m_at])) && m_s[m_at] != 'e' &&
            m_s[m_at] != 'E')
            return m_s[m_at++];
        return std::nullopt;
    }
    bool numberNext()
    {
        skipSeparators();
        if (m_at >= m_s.size())
            return false;
        const char c = m_s[m_at];
        return std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.';
    }
    std::optional<double> number()
    {
        skipSeparators();
        const size_t start = m_at;
        size_t i = m_at;
        if (i < m_s.size() && (m_s[i] == '-' || m_s[i] == '+'))
            ++i;
        bool digits = false, dot = false;
        while (i < m_s.size()) {
            const char c = m_s[i];
            if (std::isdigit(static_cast<unsigned char>(c)))
                digits = true;
            else if (c == '.' && !dot)
                dot = true;
            else
                break;
            ++i;
        }
        if (!digits)
            return std::nullopt;
        if (i < m_s.size() && (m_s[i] == 'e' || m_s[i] == 'E')) {
            size_t j = i + 1;
            if (j < m_s.size() && (m_s[j] == '-' || m_s[j] == '+'))
                ++j;
            if (j < m_s.size() && std::isdigit(static_cast<unsigned char>(m_s[j]))) {
                while (j < m_s.size() && std::isdigit(static_cast<unsigned char>(m_s[j])))
                    ++j;
                i = j;
            }
        }
        m_at = i;
        const double v = std::strtod(std::string(m_s.substr(start, i - start)).c_str(), nullptr);
        if (!std::isfinite(v))
            return std::nullopt;
        return v;
    }
    // An arc flag: a single 0 or 1, which may stand right before the next number.
    std::optional<bool> flag()
    {
        skipSeparators();
        if (m_at < m_s.size() && (m_s[m_at] == '0' || m_s[m_at] == '1'))
            return m_s[m_at++] == '1';
        return std::nullopt;
    }

private:
    std::string_view m_s;
    size_t m_at = 0;
};

// An SVG elliptical arc from the current point to `to`, as cubic curves.
void arcTo(Path &path, Point from, double rx, double ry, double angle, bool large, bool sweep, Point to)
{
    if (from == to)
        return;
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0) {
        path.lineTo(to);
        return;
    }
    const double phi = angle * M_PI / 180.0, cosPhi = maths::cos(phi), sinPhi = maths::sin(phi);
    const double dx = (from.x - to.x) / 2, dy = (from.y - to.y) / 2;
    const double x1 = cosPhi * dx + sinPhi * dy, y1 = -sinPhi * dx + cosPhi * dy;
    const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double k = den == 0 ? 0 : std::sqrt(std::max(0.0, num / den));
    if (large == sweep)
        k = -k;
    const double cx1 = k * rx * y1 / ry, cy1 = -k * ry * x1 / rx;
    const double cx = cosPhi * cx1 - sinPhi * cy1 + (from.x + to.x) / 2;
    const double cy = sinPhi * cx1 + cosPhi * cy1 + (from.y + to.y) / 2;
    auto angleOf = [](double ux, double uy, double vx, double vy) {
        return maths::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
    };
    const double theta = angleOf(1, 0, (x1 - cx1) / rx, (y1 - cy1) / ry);
    double delta = angleOf((x1 - cx1) / rx, (y1 - cy1) / ry, (-x1 - cx1) / rx, (-y1 - cy1) / ry);
    if (!sweep && delta > 0)
        delta -= 2 * M_PI;
    else if (sweep && delta < 0)
        delta += 2 * M_PI;
    const int segments = int(std::ceil(std::fabs(delta) / (M_PI / 2) - 1e-9));
    const double step = delta / std::max(1, segments);
    const double t = 4.0 / 3.0 * maths::tan(step / 4);
    auto point = [&](double a, double scale, double ox, double oy) {
        const double ex = rx * (maths::cos(a) - scale * maths::sin(a) * ox);
        const double ey = ry * (maths::sin(a) + scale * maths::cos(a) * oy);
        return Point{cx + cosPhi * ex - sinPhi * ey, cy + sinPhi * ex + cosPhi * ey};
    };
    double a = theta;
    for (int i = 0; i < segments; ++i) {
        const double b = a + step;
        const Point c1 = point(a, t, 1, 1);
        const Point c2 = point(b, -t, 1, 1);
        path.cubicTo(c1, c2, i + 1 == segments ? to : point(b, 0, 0, 0));
        a = b;
    }
}

} // namespace

Path parsePathData(std::string_view data)
{
    Path path;
    Scanner in(data);
    Point current, start, lastControl;
    char previous = 0;
    while (!in.atEnd()) {
        std::optional<char> cmd = in.command();
        if (!cmd)
            break;
        const char c = *cmd;
        const bool relative = std::islower(static_cast<unsigned char>(c));
        const char op = char(std::toupper(static_cast<unsigned char>(c)));
        if (op == 'Z') {
            path.closeSubpath();
            current = start;
            previous = op;
            continue;
        }
        // A command repeats as long as numbers follow; a moveto's extra pairs are linetos.
        bool first = true;
        do {
            const Point origin = relative ? current : Point();
            auto pointAt = [&](double x, double y) { return Point{origin.x + x, origin.y + y}; };
            std::optional<double> n[7];
            auto take = [&](int count) {
                for (int i = 0; i < count; ++i)
                    if (!(n[i] = in.number()))
                        return false;
                return true;
            };
            switch (op) {
            case 'M':
                if (!take(2))
                    return path;
                current = pointAt(*n[0], *n[1]);
                if (first) {
                    path.moveTo(current);
                    start = current;
                } else {
                    path.lineTo(current);
                }
                break;
            case 'L':
                if (!take(2))
                    return path;
                current = pointAt(*n[0], *n[1]);
                path.lineTo(current);
                break;
            case 'H':
                if (!take(1))
                    return path;
                current.x = *n[0] + origin.x;
                path.lineTo(current);
                break;
            case 'V':
                if (!take(1))
                    return path;
                current.y = *n[0] + origin.y;
                path.lineTo(current);
                break;
            case 'C': {
                if (!take(6))
                    return path;
                const Point c1 = pointAt(*n[0], *n[1]), c2 = pointAt(*n[2], *n[3]);
                current = pointAt(*n[4], *n[5]);
                path.cubicTo(c1, c2, current);
                lastControl = c2;
                break;
            }
            case 'S': {
                if (!take(4))
                    return path;
                const Point c1 =
                    (previous == 'C' || previous == 'S') ? reflected(lastControl, current) : current;
                const Point c2 = pointAt(*n[0], *n[1]);
                current = pointAt(*n[2], *n[3]);
                path.cubicTo(c1, c2, current);
                lastControl = c2;
                break;
            }
            case 'Q': {
                if (!take(4))
                    return path;
                const Point control = pointAt(*n[0], *n[1]);
                current = pointAt(*n[2], *n[3]);
                path.quadTo(control, current);
                lastControl = control;
                break;
            }
            case 'T': {
                if (!take(2))
                    return path;
                const Point control =
                    (previous == 'Q' || previous == 'T') ? reflected(lastControl, current) : current;
                current = pointAt(*n[0], *n[1]);
                path.quadTo(control, current);
                lastControl = control;
                break;
            }
            case 'A': {
                if (!take(3))
                    return path;
                const std::optional<bool> large = in.flag(), sweep = in.flag();
                if (!large || !sweep || !(n[3] = in.number()) || !(n[4] = in.number()))
                    return path;
                const Point to = pointAt(*n[3], *n[4]);
                arcTo(path, current, *n[0], *n[1], *n[2], *large, *sweep, to);
                current = to;
                break;
            }
            default:
                return path;
            }
            previous = op;
            first = false;
        } while (in.numberNext());
    }
    return path;
}

} // namespace thumb
