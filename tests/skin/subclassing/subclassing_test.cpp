#include "skin/subclassing/subclasser.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <gtest/gtest.h>

using namespace skin;

namespace {

struct Report
{
    QString type, op, message;
};

// A window that counts the events it handles itself.
class CountingWidget : public QWidget
{
public:
    int handled = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            ++handled;
        return QWidget::event(e);
    }
};

class FrameSubclassing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sc.setReporter([this](const QString &t, const QString &o, const QString &m) {
            reports.append({t, o, m});
        });
    }
    Subclasser sc{Subclasser::Kind::Frame, QStringLiteral("jcForms")};
    QList<Report> reports;
    CountingWidget window;
};

} // namespace

TEST(MessageTableTest, KeepsOneEntryPerMessageAndReusesFreedSlots)
{
    MessageTable t(MSG_ENTRIES);
    t.add(10);
    EXPECT_EQ(t.add(10), MessageTable::AddResult::Present);
    EXPECT_EQ(t.count(), 1);

    t.add(11);
    t.add(12);
    EXPECT_TRUE(t.remove(11));
    EXPECT_FALSE(t.matches(11));
    t.add(13);
    EXPECT_EQ(t.count(), 3);
    EXPECT_EQ(t.entries(), (QList<int>{10, 13, 12}));
    EXPECT_FALSE(t.remove(99));
}

TEST(MessageTableTest, AllMessagesAndBackToOne)
{
    MessageTable t(MSG_ENTRIES);
    t.add(5);
    t.add(ALL_MESSAGES);
    EXPECT_EQ(t.count(), ALL_MESSAGES);
    EXPECT_TRUE(t.matches(1234));

    t.add(7);
    EXPECT_EQ(t.count(), 1);
    EXPECT_TRUE(t.matches(7));
    EXPECT_FALSE(t.matches(5));

    t.remove(ALL_MESSAGES);
    EXPECT_EQ(t.count(), 0);
    EXPECT_FALSE(t.matches(7));
}

TEST(MessageTableTest, GrowingTableHasNoLimit)
{
    MessageTable t(-1);
    for (int m = 1; m <= 100; ++m)
        EXPECT_EQ(t.add(m), MessageTable::AddResult::Added);
    EXPECT_EQ(t.count(), 100);
}

TEST_F(FrameSubclassing, OverflowIsReportedAndLeavesTheTable)
{
    ASSERT_TRUE(sc.sc_Subclass(&window, [](SubclassCall &) {}));
    for (int m = 1; m <= MSG_ENTRIES; ++m)
        sc.sc_AddMsg(&window, 1000 + m, MSG_BEFORE);
    EXPECT_TRUE(reports.isEmpty());
    const QList<int> before = sc.zMap_hWnd(&window)->before.entries();

    sc.sc_AddMsg(&window, 2000, MSG_BEFORE);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0].type, "jcForms");
    EXPECT_EQ(reports[0].op, "zAddMsg");
    EXPECT_EQ(reports[0].message, "Message table overflow. Either increase the value of Const MSG_ENTRIES or "
                                  "use ALL_MESSAGES instead of specific message values");
    EXPECT_EQ(sc.zMap_hWnd(&window)->before.entries(), before);
    EXPECT_EQ(sc.zMap_hWnd(&window)->before.count(), MSG_ENTRIES);
    EXPECT_EQ(sc.zMap_hWnd(&window)->after.count(), 0);

    // A full table still knows its own messages and takes one into a freed slot.
    sc.sc_AddMsg(&window, 1001, MSG_BEFORE);
    sc.sc_DelMsg(&window, 1005, MSG_BEFORE);
    sc.sc_AddMsg(&window, 3000, MSG_BEFORE);
    EXPECT_EQ(reports.size(), 1);
    EXPECT_EQ(sc.zMap_hWnd(&window)->before.entries()[4], 3000);
}

TEST_F(FrameSubclassing, ErrorsOfTheOperationsAreReported)
{
    EXPECT_EQ(sc.zMap_hWnd(&window), nullptr);
    EXPECT_FALSE(sc.sc_Subclass(nullptr, [](SubclassCall &) {}));
    EXPECT_FALSE(sc.sc_Subclass(&window, {}));
    ASSERT_TRUE(sc.sc_Subclass(&window, [](SubclassCall &) {}));
    EXPECT_FALSE(sc.sc_Subclass(&window, [](SubclassCall &) {}));
    sc.sc_DelMsg(&window, 0x200, MSG_AFTER);
    QWidget other;
    sc.sc_UnSubclass(&other);

    QStringList seen;
    for (const auto &r : reports)
        seen << r.op + ": " + r.message;
    EXPECT_EQ(seen,
              (QStringList{"zMap_hWnd: Subclassing hasn't been started", "sc_Subclass: Invalid window handle",
                           "sc_Subclass: Callback method not found",
                           "sc_Subclass: Window handle is already subclassed",
                           "zDelMsg: Message &H200 not found in table",
                           "sc_UnSubclass: Window handle isn't subclassed"}));
}

TEST_F(FrameSubclassing, BeforeHandlersSuppressAfterHandlersSeeTheResult)
{
    QList<QString> calls;
    bool suppress = false;
    ASSERT_TRUE(sc.sc_Subclass(&window, [&](SubclassCall &c) {
        calls << QString("%1 %2 %3").arg(c.before ? "before" : "after").arg(window.handled).arg(c.result);
        if (c.before)
            c.suppress = suppress;
        else
            c.result = false;
    }));
    sc.sc_AddMsg(&window, QEvent::User, MSG_BEFORE | MSG_AFTER);

    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(&window, &e);
    EXPECT_EQ(calls, (QList<QString>{"before 0 0", "after 1 1"}));
    EXPECT_EQ(window.handled, 1);

    calls.clear();
    suppress = true;
    QCoreApplication::sendEvent(&window, &e);
    EXPECT_EQ(calls, (QList<QString>{"before 1 0"}));
    EXPECT_EQ(window.handled, 1);

    // Unhooking restores normal delivery.
    calls.clear();
    sc.sc_UnSubclass(&window);
    QCoreApplication::sendEvent(&window, &e);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(window.handled, 2);
    EXPECT_TRUE(reports.isEmpty());
}

TEST(ButtonSubclassing, SilentGrowingTablesAndTwoInstancesOnOneWindow)
{
    int frameCalls = 0, buttonCalls = 0;
    QWidget window;
    Subclasser frame(Subclasser::Kind::Frame, "jcForms");
    Subclasser button(Subclasser::Kind::Button, "jcbutton");
    frame.setReporter([](const QString &, const QString &, const QString &) { FAIL(); });
    ASSERT_TRUE(frame.sc_Subclass(&window, [&](SubclassCall &) { ++frameCalls; }));
    ASSERT_TRUE(button.sc_Subclass(&window, [&](SubclassCall &) { ++buttonCalls; }));
    frame.sc_AddMsg(&window, QEvent::User, MSG_AFTER);
    button.sc_AddMsg(&window, QEvent::User, MSG_AFTER);
    for (int m = 1; m <= 40; ++m)
        button.sc_AddMsg(&window, 5000 + m, MSG_BEFORE);
    EXPECT_EQ(button.zMap_hWnd(&window)->before.count(), 40);
    button.sc_DelMsg(&window, 4242, MSG_BEFORE); // silently nothing

    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(&window, &e);
    EXPECT_EQ(frameCalls, 1);
    EXPECT_EQ(buttonCalls, 1);

    button.unsubclassAll();
    QCoreApplication::sendEvent(&window, &e);
    EXPECT_EQ(frameCalls, 2);
    EXPECT_EQ(buttonCalls, 1);
}

TEST(ButtonSubclassing, DestroyedWindowDropsItsHook)
{
    Subclasser sc(Subclasser::Kind::Button, "jcbutton");
    auto *w = new QWidget;
    ASSERT_TRUE(sc.sc_Subclass(w, [](SubclassCall &) {}));
    delete w;
    EXPECT_FALSE(sc.isSubclassed(w));
    sc.unsubclassAll(); // must not touch the dead window
}
