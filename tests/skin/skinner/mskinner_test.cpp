// The skinner as a whole: what it recognises, skinning once, its reach to owned windows and
// drop-down lists, and the life of its cached images.
#include "skinner_test_support.h"

#include "skin/skinner/skin_images.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>

using namespace skin;
using namespace skintest;

using Skinner = SkinnerTest;

TEST_F(Skinner, RecognisesEachKind)
{
    auto *tree = new QTreeView(window.get());
    EXPECT_EQ(skinKindOf(window.get()), SkinKind::Container);
    EXPECT_EQ(skinKindOf(new QPushButton(window.get())), SkinKind::PushButton);
    EXPECT_EQ(skinKindOf(new QComboBox(window.get())), SkinKind::ComboBox);
    EXPECT_EQ(skinKindOf(new QProgressBar(window.get())), SkinKind::ProgressBar);
    EXPECT_EQ(skinKindOf(new QListView(window.get())), SkinKind::ListBox);
    EXPECT_EQ(skinKindOf(tree->header()->viewport()), SkinKind::Header);
    EXPECT_EQ(skinKindOf(tree->header()), SkinKind::Other);
    EXPECT_EQ(skinKindOf(tree), SkinKind::Other);
    EXPECT_EQ(skinKindOf(new QLabel(window.get())), SkinKind::Other);
    EXPECT_EQ(skinKindOf(nullptr), SkinKind::Other);
}

TEST_F(Skinner, SkinsEveryDescendantOnceAndASecondTimeChangesNothing)
{
    auto *button = new QPushButton(QStringLiteral("确定"), window.get());
    auto *label = new QLabel(QStringLiteral("说明"), window.get());
    auto *tree = new QTreeView(window.get());
    showWindow();

    EXPECT_FALSE(MSkinner::start(nullptr));
    EXPECT_TRUE(MSkinner::start(window.get()));
    const int count = MSkinner::skinnedCount();
    EXPECT_EQ(count, 1 + int(window->findChildren<QWidget *>().size()));
    EXPECT_TRUE(MSkinner::isSkinned(label)); // hooked, not painted
    EXPECT_EQ(MSkinner::buttonSkin(label), nullptr);
    EXPECT_TRUE(MSkinner::isSkinned(tree->header()->viewport()));
    ButtonSkin *skinned = MSkinner::buttonSkin(button);
    ASSERT_NE(skinned, nullptr);
    const QRegion mask = button->mask();

    EXPECT_FALSE(MSkinner::SkinWindow(window.get()));
    EXPECT_FALSE(MSkinner::start(window.get()));
    EXPECT_FALSE(MSkinner::SkinWindow(button));
    EXPECT_EQ(MSkinner::skinnedCount(), count);
    EXPECT_EQ(MSkinner::buttonSkin(button), skinned);
    EXPECT_EQ(button->mask(), mask);

    // Unskinned, the button is as it was, and may be skinned again.
    MSkinner::unskinWindow(button);
    EXPECT_FALSE(MSkinner::isSkinned(button));
    EXPECT_TRUE(button->mask().isEmpty());
    EXPECT_EQ(MSkinner::skinnedCount(), count - 1);
    EXPECT_TRUE(MSkinner::SkinWindow(button));
}

TEST_F(Skinner, ReachesOwnedWindowsWhenShownAndControlsAddedLater)
{
    showWindow();
    MSkinner::start(window.get());

    auto *dialog = new QDialog(window.get());
    auto *ok = new QPushButton(QStringLiteral("确定"), dialog);
    EXPECT_FALSE(MSkinner::isSkinned(dialog)); // not before it is shown
    dialog->show();
    EXPECT_TRUE(MSkinner::isSkinned(dialog));
    EXPECT_NE(MSkinner::buttonSkin(ok), nullptr);

    // A window nobody skinned owns stays as it is.
    QDialog stranger;
    auto *other = new QPushButton(QStringLiteral("取消"), &stranger);
    stranger.show();
    EXPECT_FALSE(MSkinner::isSkinned(other));

    // A control put on a skinned window later is skinned once shown.
    auto *later = new QPushButton(QStringLiteral("后来"), window.get());
    later->show();
    EXPECT_NE(MSkinner::buttonSkin(later), nullptr);
    delete dialog;
}

TEST_F(Skinner, ReachesTheQtOpenFileDialogAndAComboBoxDropDownList)
{
    auto *combo = new QComboBox(window.get());
    combo->addItems({QStringLiteral("一"), QStringLiteral("二")});
    showWindow();
    MSkinner::start(window.get());

    combo->showPopup();
    QAbstractItemView *list = combo->view();
    EXPECT_TRUE(MSkinner::isSkinned(list));
    EXPECT_EQ(skinKindOf(list), SkinKind::ListBox);
    combo->hidePopup();

    auto *dialog = new QFileDialog(window.get(), QStringLiteral("请选择文件"));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->show();
    EXPECT_TRUE(MSkinner::isSkinned(dialog));
    const auto buttons = dialog->findChildren<QPushButton *>();
    ASSERT_FALSE(buttons.isEmpty());
    for (QPushButton *b : buttons)
        EXPECT_NE(MSkinner::buttonSkin(b), nullptr) << qPrintable(b->text());
    for (QComboBox *c : dialog->findChildren<QComboBox *>())
        EXPECT_TRUE(MSkinner::isSkinned(c));
    delete dialog;
}

TEST(SkinnerImages, PaintedAtStartFreedWithTheLastSkinnedWidgetAndPaintedAgain)
{
    ASSERT_EQ(MSkinner::skinnedCount(), 0);
    EXPECT_FALSE(MSkinner::isPrepared());
    auto window = std::make_unique<QWidget>();
    new QPushButton(window.get());
    MSkinner::start(window.get());
    ASSERT_TRUE(MSkinner::isPrepared());
    const SkinImages *images = MSkinner::images();
    EXPECT_EQ(images->buttonFaces.size(), QSize(7, 84));
    EXPECT_EQ(images->comboButton.size(), QSize(15, 18));
    EXPECT_EQ(images->glyphs.size(), QSize(18, 24));
    EXPECT_EQ(images->boxes.size(), QSize(13, 52));
    EXPECT_EQ(images->headerItems.size(), QSize(9, 20));
    // Glyphs stand on magenta, which drawing leaves out.
    EXPECT_EQ(images->glyphs.pixel(17, 23), SkinImages::kTransparent);
    EXPECT_EQ(images->glyphs.pixel(0, 18), SkinImages::kTransparent); // the dot's round corner
    EXPECT_NE(images->glyphs.pixel(2, 20), SkinImages::kTransparent);

    window.reset();
    EXPECT_EQ(MSkinner::skinnedCount(), 0);
    EXPECT_FALSE(MSkinner::isPrepared());
    EXPECT_EQ(MSkinner::images(), nullptr);

    QWidget again;
    MSkinner::start(&again);
    EXPECT_TRUE(MSkinner::isPrepared());
    EXPECT_EQ(MSkinner::images()->boxes.size(), QSize(13, 52));
}
