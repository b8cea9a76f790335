// The message box driven as a user would: its buttons per style, their centred row, the answer
// codes, and closing it without a button (Escape, the frame's close button).
#include "modal_driver.h"
#include "skin/button/jcbutton.h"
#include "skin/frame/jcforms.h"
#include "windows/common/message_box.h"
#include "windows/common/message_box_answers.h"
#include "windows/common/message_box_window.h"
#include "windows/common/user_notice.h"

#include <QLabel>
#include <QTest>

namespace {

QStringList visibleCaptions(const ForMsgx *box)
{
    QStringList captions;
    for (int i = 0; i < 3; ++i)
        if (box->cmdButton(i)->isVisible())
            captions.append(box->cmdButton(i)->Caption());
    return captions;
}

void expectCentredRow(const ForMsgx *box, int count)
{
    if (count == 0)
        return;
    const QRect first = box->cmdButton(0)->geometry();
    const QRect last = box->cmdButton(count - 1)->geometry();
    EXPECT_LE(std::abs(first.left() + last.right() - (box->width() - 1)), 1) << "row not centred";
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(box->cmdButton(i)->y(), last.y());
        if (i > 0) {
            EXPECT_EQ(box->cmdButton(i)->x() - box->cmdButton(i - 1)->geometry().right() - 1, 8);
        }
    }
}

struct StyleCase
{
    int style;
    int normalised;
    QStringList captions;
    int press; // button to click, -1 for Escape
    int answer;
};

} // namespace

TEST(MessageBox, EachStyleShowsItsButtonsCentredAndAnswersTheirCodes)
{
    const QList<StyleCase> cases = {
        {0, 0, {"OK"}, 0, MessageResult::Ok},
        {1, 1, {"OK", "Cancel"}, 1, MessageResult::Cancel},
        {2, 2, {"OK", "Ignore"}, 1, MessageResult::Ignore},
        {3, 3, {"Yes", "No"}, 0, MessageResult::Yes},
        {4, 4, {"Yes", "No", "Cancel"}, 2, MessageResult::Cancel},
        {16, 0, {"OK"}, 0, MessageResult::Ok},
        {19, 3, {"Yes", "No"}, 1, MessageResult::No},
        {52, 4, {"Yes", "No", "Cancel"}, 1, MessageResult::No},
        {80, 80, {}, -1, MessageResult::None},
        {5, 5, {}, -1, MessageResult::None},
    };
    for (const StyleCase &c : cases) {
        SCOPED_TRACE(c.style);
        whenShown<ForMsgx>([&c](ForMsgx *box) {
            EXPECT_EQ(box->windowTitle(), "标题");
            EXPECT_EQ(visibleCaptions(box), c.captions);
            expectCentredRow(box, int(c.captions.size()));
            if (c.press >= 0)
                QTest::mouseClick(box->cmdButton(c.press), Qt::LeftButton, {}, QPoint(10, 10));
            else
                QTest::keyClick(box, Qt::Key_Escape);
            EXPECT_FALSE(box->isVisible());
        });
        int style = c.style;
        EXPECT_EQ(dwMessageBox("问题", style, "标题", nullptr), c.answer);
        EXPECT_EQ(style, c.normalised);
    }
}

TEST(MessageBox, ClosingWithoutAButtonAnswersNoneEvenAfterAnEarlierYes)
{
    QWidget owner;
    owner.show();
    int style = 3;
    whenShown<ForMsgx>([](ForMsgx *box) {
        QTest::mouseClick(box->cmdButton(0), Qt::LeftButton, {}, {10, 10});
    });
    ASSERT_EQ(dwMessageBox("是否要清空当前列表?", style, "确认", &owner), MessageResult::Yes);

    whenShown<ForMsgx>([](ForMsgx *box) {
        box->cmdButton(1)->setFocus(); // the buttons keep keys for themselves; Escape still closes
        QTest::keyClick(box->cmdButton(1), Qt::Key_Escape);
    });
    EXPECT_EQ(dwMessageBox("是否要清空当前列表?", style, "确认", &owner), MessageResult::None);

    whenShown<ForMsgx>([](ForMsgx *box) {
        const QPoint close = captionButtonCentre(box->frame(), skin::jcForms::CloseSlot);
        QTest::mouseMove(box->frame(), close);
        QTest::mouseClick(box->frame(), Qt::LeftButton, {}, close);
        EXPECT_FALSE(box->isVisible());
    });
    EXPECT_EQ(dwMessageBox("是否要清空当前列表?", style, "确认", &owner), MessageResult::None);
}

TEST(MessageBox, PromptKeepsItsLinesInAFixedLabelThatCutsInsteadOfWrapping)
{
    ForMsgx box(nullptr);
    const QRect design = box.lbText()->geometry();
    const QSize boxSize = box.size();
    box.prepare("Tavrel v4.0.0112 (apk/ipa)\r\n第二行\r\n2018-01-12", 0, "关于软件");
    EXPECT_EQ(box.lbText()->text(), "Tavrel v4.0.0112 (apk/ipa)\n第二行\n2018-01-12");

    box.prepare(QString(200, QChar(u'长')) + "<b>粗</b>", 0, "t");
    EXPECT_FALSE(box.lbText()->wordWrap());
    EXPECT_EQ(box.lbText()->textFormat(), Qt::PlainText); // a package's text is never markup
    EXPECT_EQ(box.lbText()->geometry(), design);
    EXPECT_GT(box.lbText()->sizeHint().width(), design.width());
    EXPECT_EQ(box.size(), boxSize);
    EXPECT_FALSE(box.frame()->MaxButton());
    EXPECT_FALSE(box.frame()->MinButton());
    EXPECT_EQ(box.frame()->Style(), 5);
}

TEST(MessageBox, AnswersGuardRecordsTheBoxesAndStartupNoticesGoThroughTheBox)
{
    MessageBoxAnswers outer({MessageResult::No});
    {
        MessageBoxAnswers inner({MessageResult::Yes});
        int style = 19;
        EXPECT_EQ(dwMessageBox("a", style, "t", nullptr), MessageResult::Yes);
        EXPECT_EQ(style, 3);
        EXPECT_EQ(dwMessageBox("b", style, "t", nullptr), MessageResult::None); // used up
        ASSERT_EQ(inner.asked().size(), 2);
        EXPECT_EQ(inner.asked()[0].style, 19);
        EXPECT_EQ(inner.asked()[1].prompt, "b");
    }
    showStartupNotice(nullptr, "提示:", "软件已在运行...", 16);
    ASSERT_EQ(outer.asked().size(), 1);
    EXPECT_EQ(outer.asked()[0].prompt, "软件已在运行...");
    EXPECT_EQ(outer.asked()[0].style, 16);
    EXPECT_EQ(outer.asked()[0].title, "提示:");
    EXPECT_EQ(outer.unused(), 0);
    EXPECT_EQ(MessageBoxAnswers::current(), &outer);
}
