// A stand-in window for the skinner's tests: top-level, shown offscreen, destroyed by the
// test (so that every test leaves no skinned widget behind).
#pragma once

#include "skin/skinner/mskinner.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace skintest {

class SkinnerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A test before this one that failed half-way may not leave skinned widgets around.
        ASSERT_EQ(skin::MSkinner::skinnedCount(), 0);
        window = std::make_unique<QWidget>();
        window->resize(320, 240);
    }
    void TearDown() override
    {
        window.reset();
        EXPECT_EQ(skin::MSkinner::skinnedCount(), 0);
    }
    void showWindow()
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    template <typename W> W *add(QRect geometry, W *w)
    {
        w->setParent(window.get());
        w->setGeometry(geometry);
        return w;
    }
    static QImage shot(QWidget *w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    std::unique_ptr<QWidget> window;
};

inline QColor rgb(int r, int g, int b)
{
    return QColor(r, g, b);
}

inline int countColour(const QImage &image, const QRect &area, const QColor &colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y).rgb() == colour.rgb();
    return n;
}

} // namespace skintest
