// The frame's window menu: its fixed items, added items, captions and tooltips.
#include "frame_test_support.h"

using namespace frametest;

TEST_F(FrameBehaviour, WindowMenuWithAnAddedAboutEntry)
{
    window->show();
    frame->FormMenuAdd(QStringLiteral("关于(&A)"), true);
    QStringList shown;
    for (QAction *a : frame->SysMnu()->actions()) {
        if (a->isVisible())
            shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(shown, (QStringList{"移动(&M)", "-", "关闭(&C)", "-", "置顶(&T)", "-", "关于(&A)"}));
    // Separators are drawn as lines: a style would draw a separator's text ("-") beside its line.
    for (int index : {int(jcForms::MenuClose) - 1, int(jcForms::MenuOnTop) - 1, 9}) {
        EXPECT_TRUE(frame->menuItem(index)->isSeparator()) << index;
        EXPECT_TRUE(frame->menuItem(index)->text().isEmpty()) << index;
        EXPECT_EQ(frame->GetMenuItemValue(index, 0).toString(), "-") << index;
    }

    QSignalSpy selected(frame, &jcForms::MenuItemSelected);
    frame->menuItem(10)->trigger();
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected[0][0].toInt(), 10);
    EXPECT_EQ(selected[0][1].toString(), "关于(&A)");

    // The fixed items do their own work and raise nothing.
    frame->menuItem(jcForms::MenuOnTop)->trigger();
    EXPECT_TRUE(frame->menuItem(jcForms::MenuOnTop)->isChecked());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    frame->SetAlwaysOnTop(false);
    EXPECT_FALSE(frame->menuItem(jcForms::MenuOnTop)->isChecked());
    EXPECT_TRUE(window->isVisible());

    // A window not shown yet is not shown by it.
    QWidget hidden;
    jcForms other(&hidden);
    other.SetAlwaysOnTop(true);
    EXPECT_FALSE(hidden.isVisible());
    EXPECT_TRUE(other.menuItem(jcForms::MenuOnTop)->isChecked());
    EXPECT_EQ(selected.count(), 1);
}

TEST_F(FrameBehaviour, MenuOpensOnlyWhenEnabled)
{
    window->show();
    const int t = frame->titleHeight();
    auto rightClickInTitle = [&] {
        press(frame, QPoint(80, t / 2), Qt::RightButton);
        release(frame, QPoint(80, t / 2), Qt::RightButton);
        const bool open = frame->SysMnu()->isVisible();
        frame->SysMnu()->hide();
        return open;
    };
    auto clickOnIcon = [&] {
        press(frame, QPoint(10, t / 2));
        release(frame, QPoint(10, t / 2));
        const bool open = frame->SysMnu()->isVisible();
        frame->SysMnu()->hide();
        return open;
    };
    EXPECT_FALSE(rightClickInTitle());
    EXPECT_FALSE(clickOnIcon());
    frame->FormMenuShow(2);
    EXPECT_FALSE(rightClickInTitle());
    frame->FormMenuShow(1);
    EXPECT_TRUE(rightClickInTitle());
    EXPECT_TRUE(clickOnIcon());
    // Not on or right of the caption buttons, and not below the title.
    const int bl = frame->captionButton(frame->leftmostButton()).left;
    press(frame, QPoint(bl + 1, 2), Qt::RightButton);
    release(frame, QPoint(bl + 1, 2), Qt::RightButton);
    EXPECT_FALSE(frame->SysMnu()->isVisible());
    press(frame, QPoint(80, t + 10), Qt::RightButton);
    release(frame, QPoint(80, t + 10), Qt::RightButton);
    EXPECT_FALSE(frame->SysMnu()->isVisible());
}

TEST_F(FrameBehaviour, AddedItemsCanBeChangedAndRemoved)
{
    frame->FormMenuAdd(QStringLiteral("甲"));
    frame->FormMenuAdd(QStringLiteral("乙"), true, false, true, true);
    EXPECT_EQ(frame->menuItemCount(), 12);
    EXPECT_EQ(frame->GetMenuItemValue(11, 0).toString(), "乙");
    EXPECT_FALSE(frame->GetMenuItemValue(11, 1).toBool());
    EXPECT_TRUE(frame->GetMenuItemValue(11, 2).toBool());
    EXPECT_FALSE(frame->GetMenuItemValue(42, 0).isValid());

    frame->ModifyAddedMenu(9, QString(), true, true, false);
    EXPECT_EQ(frame->GetMenuItemValue(9, 0).toString(), "甲");
    EXPECT_FALSE(frame->GetMenuItemValue(9, 3).toBool());
    frame->ModifyAddedMenu(6, QStringLiteral("x"), false, false, false); // fixed items stay
    EXPECT_EQ(frame->GetMenuItemValue(6, 0).toString(), "关闭(&C)");

    // Removing the last item takes the separator before it along.
    frame->FormMenuRemove(11);
    EXPECT_EQ(frame->menuItemCount(), 10);
    frame->FormMenuRemove(8);
    EXPECT_EQ(frame->menuItemCount(), 10);
}

TEST_F(FrameBehaviour, LocalisedCaptionsAndTooltips)
{
    EXPECT_EQ(frame->captionButton(jcForms::MinSlot).tooltip, "最小化");
    EXPECT_EQ(frame->captionButton(jcForms::MaxSlot).tooltip, "最大化");
    for (int i : {0, 2, 3, 4})
        EXPECT_FALSE(frame->menuItem(i)->isVisible()) << i;

    frame->SetjcFormsMenuCaption(6, QStringLiteral("退出"));
    EXPECT_EQ(frame->menuItem(6)->text(), "退出            Alt+F4");
    EXPECT_EQ(frame->captionButton(jcForms::CloseSlot).tooltip, "退出");
    frame->SetjcFormsMenuCaption(5, QStringLiteral("x"));
    EXPECT_TRUE(frame->menuItem(5)->isSeparator());

    frame->applyLanguage(QStringLiteral("Spanish"));
    EXPECT_EQ(frame->menuItem(6)->text(), "&Cerrar");
    EXPECT_EQ(frame->menuItem(8)->text(), "&Siempre Visible");
    EXPECT_EQ(frame->captionButton(jcForms::CloseSlot).tooltip, "Cerrar");
    EXPECT_EQ(frame->captionButton(jcForms::MinSlot).tooltip, "Minimizar");
}

TEST_F(FrameBehaviour, FixedMenuItemsMoveAndClose)
{
    showActive();
    frame->menuItem(jcForms::MenuMove)->trigger();
    EXPECT_EQ(QWidget::mouseGrabber(), frame);
    // The next press ends the keyboard move.
    press(frame, QPoint(50, 5));
    release(frame, QPoint(50, 5));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    QSignalSpy selected(frame, &jcForms::MenuItemSelected);
    QSignalSpy closeClicks(frame, &jcForms::jcCloseClick);
    frame->menuItem(jcForms::MenuClose)->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(frame->isReady());
    EXPECT_EQ(selected.count(), 0);
    EXPECT_EQ(closeClicks.count(), 0);
}
