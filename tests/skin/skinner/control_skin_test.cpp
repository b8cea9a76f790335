// The other skinned controls as painted: combo boxes, check and option boxes, progress bars,
// header items and list outlines.
#include "skinner_test_support.h"

#include "skin/skinner/control_painting.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QHeaderView>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QRadioButton>
#include <QStandardItemModel>

using namespace skin;
using namespace skintest;

namespace {

const QColor kOutline = rgb(84, 165, 213);
const QColor kDisabledOutline = rgb(164, 206, 233);
const QColor kGlyph = rgb(19, 97, 156);
const QColor kWhite = rgb(255, 255, 255);

void enterAt(QWidget *w, QPoint at)
{
    QEnterEvent e(at, w->mapToGlobal(at), w->mapToGlobal(at));
    QApplication::sendEvent(w, &e);
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

void mouse(QWidget *w, QEvent::Type type, QPoint at)
{
    QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

using SkinnedControls = SkinnerTest;

TEST_F(SkinnedControls, ComboBoxOutlineAndDropButton)
{
    auto *editable = add(QRect(10, 10, 140, 24), new QComboBox);
    editable->setEditable(true);
    editable->addItem(QStringLiteral("%Name% %Version%"));
    auto *list = add(QRect(10, 50, 140, 24), new QComboBox);
    list->addItem(QStringLiteral("安卓应用"));
    showWindow();
    MSkinner::start(window.get());

    for (QComboBox *combo : {editable, list}) {
        const QRect button = comboButtonRect(combo);
        QImage img = shot(combo);
        EXPECT_EQ(img.pixelColor(0, 12), kOutline);
        EXPECT_EQ(img.pixelColor(139, 12), kOutline);
        EXPECT_EQ(img.pixelColor(70, 0), kOutline);
        EXPECT_EQ(img.pixelColor(button.left() + 1, 2), kWhite); // the drop button at rest

        enterAt(combo, QPoint(130, 12));
        img = shot(combo);
        EXPECT_EQ(img.pixelColor(button.left(), 12), kOutline); // the hot cell's edge
        EXPECT_NE(img.pixelColor(button.left() + 2, 2), kWhite);
        mouse(combo, QEvent::MouseButtonPress, QPoint(130, 12));
        img = shot(combo);
        EXPECT_EQ(img.pixelColor(button.left(), 12), kGlyph); // the pressed cell's edge
        // The press opened the list; closing it lets the drop button go.
        combo->hidePopup();
        EXPECT_EQ(shot(combo).pixelColor(button.left(), 12), kOutline);

        combo->setEnabled(false);
        img = shot(combo);
        EXPECT_EQ(img.pixelColor(0, 12), kDisabledOutline);
        EXPECT_EQ(img.pixelColor(70, 23), kDisabledOutline);
    }
}

TEST_F(SkinnedControls, CheckedCheckBoxAndOptionButtonShowTheirGlyphs)
{
    auto *check = add(QRect(10, 10, 120, 22), new QCheckBox(QStringLiteral("保留")));
    auto *option = add(QRect(10, 40, 120, 22), new QRadioButton(QStringLiteral("按名称")));
    auto *unchecked = add(QRect(10, 70, 120, 22), new QCheckBox(QStringLiteral("空")));
    check->setChecked(true);
    option->setChecked(true);
    showWindow();
    MSkinner::start(window.get());

    const QRect box = checkIndicatorRect(check);
    QImage img = shot(check);
    EXPECT_EQ(img.pixelColor(box.left(), box.center().y()), rgb(112, 151, 189)); // the normal box
    EXPECT_GE(countColour(img, box, kGlyph), 20);                                // the check mark
    EXPECT_EQ(countColour(shot(unchecked), checkIndicatorRect(unchecked), kGlyph), 0);

    const QRect round = checkIndicatorRect(option);
    img = shot(option);
    EXPECT_EQ(img.pixelColor(round.center()), kGlyph); // the dot
    EXPECT_GE(countColour(img, round, kGlyph), 9);

    // Hot and pressed boxes are drawn from their own cells.
    enterAt(unchecked, QPoint(5, 11));
    EXPECT_EQ(shot(unchecked).pixelColor(box.left(), box.center().y()), kOutline);
    mouse(unchecked, QEvent::MouseButtonPress, QPoint(5, 11));
    EXPECT_EQ(shot(unchecked).pixelColor(box.left(), box.center().y()), kGlyph);
}

TEST_F(SkinnedControls, ProgressBarFillsToItsValue)
{
    QProgressBar *bars[3];
    for (int i = 0; i < 3; ++i) {
        bars[i] = add(QRect(10, 10 + 30 * i, 100, 16), new QProgressBar);
        bars[i]->setRange(0, 200);
        bars[i]->setValue(i * 100);
    }
    showWindow();
    MSkinner::start(window.get());
    auto filled = [](const QImage &img, int x) {
        const QColor c = img.pixelColor(x, 8);
        return c != kWhite && c.blue() > c.red();
    };
    const QImage empty = shot(bars[0]), half = shot(bars[1]), full = shot(bars[2]);
    for (const QImage *img : {&empty, &half, &full}) {
        EXPECT_EQ(img->pixelColor(0, 8), kOutline);
        EXPECT_EQ(img->pixelColor(50, 15), kOutline);
    }
    EXPECT_FALSE(filled(empty, 3));
    EXPECT_FALSE(filled(empty, 50));
    EXPECT_TRUE(filled(half, 3));
    EXPECT_TRUE(filled(half, 41));
    EXPECT_FALSE(filled(half, 60));
    EXPECT_FALSE(filled(half, 96));
    EXPECT_TRUE(filled(full, 3));
    EXPECT_TRUE(filled(full, 94));
}

TEST_F(SkinnedControls, HeaderItemsNormalHotAndPressed)
{
    auto *model = new QStandardItemModel(0, 3, window.get());
    model->setHorizontalHeaderLabels(
        {QStringLiteral("文件名"), QStringLiteral("版本"), QStringLiteral("大小")});
    auto *header = add(QRect(10, 10, 240, 22), new QHeaderView(Qt::Horizontal));
    header->setModel(model);
    for (int i = 0; i < 3; ++i)
        header->resizeSection(i, 80);
    showWindow();
    MSkinner::start(window.get());
    QWidget *viewport = header->viewport();
    const int bottom = viewport->height() - 1;
    auto base = [&](int section) { return shot(viewport).pixelColor(section * 80 + 2, bottom); };

    EXPECT_EQ(base(0), rgb(168, 188, 208));
    EXPECT_EQ(base(1), rgb(168, 188, 208));
    enterAt(viewport, QPoint(120, 10));
    EXPECT_EQ(base(1), kOutline); // hot
    EXPECT_EQ(base(0), rgb(168, 188, 208));
    mouse(viewport, QEvent::MouseButtonPress, QPoint(120, 10));
    EXPECT_EQ(base(1), kGlyph); // pressed
    mouse(viewport, QEvent::MouseButtonRelease, QPoint(120, 10));
    EXPECT_EQ(base(1), kOutline);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(viewport, &leave);
    EXPECT_EQ(base(1), rgb(168, 188, 208));

    // The text is centred and shortened to the item.
    header->resizeSection(0, 30);
    const QImage img = shot(viewport);
    EXPECT_EQ(img.pixelColor(29, 10), rgb(176, 196, 216)); // the item's right edge, not text
}

TEST_F(SkinnedControls, ListOutlineFollowsTheEnabledState)
{
    auto *list = add(QRect(10, 10, 150, 80), new QListWidget);
    list->addItem(QStringLiteral("微信 8.0.apk"));
    const QFrame::Shape shape = list->frameShape();
    showWindow();
    MSkinner::start(window.get());
    EXPECT_EQ(shot(list).pixelColor(0, 40), kOutline);
    EXPECT_EQ(shot(list).pixelColor(149, 79), kOutline);
    list->setEnabled(false);
    EXPECT_EQ(shot(list).pixelColor(0, 40), kDisabledOutline);
    MSkinner::unskinWindow(window.get());
    EXPECT_EQ(list->frameShape(), shape);
}
