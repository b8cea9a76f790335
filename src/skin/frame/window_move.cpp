#include "skin/frame/window_move.h"

#include <algorithm>
#include <climits>

namespace skin {

namespace {
DisplayQueries g_queries;
} // namespace

void setDisplayQueries(const DisplayQueries &queries)
{
    g_queries = queries;
}

const DisplayQueries &displayQueries()
{
    return g_queries;
}

QPoint reachablePosition(const QRect &window, int titleHeight, const QList<QRect> &screens, int grip)
{
    const int reach = std::min(grip, window.width());
    QPoint best = window.topLeft();
    long long bestDistance = LLONG_MAX;
    for (const QRect &area : screens) {
        if (area.isEmpty())
            continue;
        // The title bar's top-left may lie anywhere that keeps `reach` pixels of it inside.
        const int x = std::clamp(window.x(), area.left() - window.width() + reach,
                                 std::max(area.left() - window.width() + reach, area.right() + 1 - reach));
        const int y =
            std::clamp(window.y(), area.top(), std::max(area.top(), area.bottom() + 1 - titleHeight));
        const long long dx = x - window.x(), dy = y - window.y();
        const long long distance = dx * dx + dy * dy;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = QPoint(x, y);
        }
    }
    return best;
}

} // namespace skin
