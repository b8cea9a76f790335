// The gallery's sheets of multistyle buttons: every style in every look, one style a row,
// and the buttons as the program's own windows dress them.
#include "gallery.h"

#include "skin/button/jcbutton.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

using skin::ColourRef;
using skin::jcbutton;
using skin::kSysButtonFace;

namespace {

// A small green tick on a round badge, drawn here so the sheet needs no image files.
QPixmap badge(const QColor &fill)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(fill.darker(140));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5.5)}));
    return pm;
}

void send(QWidget *target, QEvent::Type type, Qt::MouseButton button)
{
    const QPointF at(target->width() / 2, target->height() / 2);
    QMouseEvent e(type, at, target->mapToGlobal(at), button,
                  type == QEvent::MouseMove ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

enum Look { Normal, Hot, Pressed, Disabled, Focused, Checked, WithPicture, PictureHot, LookCount };

const char *const kLookNames[LookCount] = {"正常", "热点", "按下", "禁用",
                                           "焦点", "选中", "图片", "图片·热点"};

const char *const kStyleNotes[16] = {"经典", "标准", "圆角",       "信息", "玻璃", "阴影", "淡紫", "工具栏",
                                     "扁平", "工具", "圆角工具栏", "立体", "悬停", "浅蓝", "胶囊", "蓝灰"};

QFont sheetFont(int points, bool bold = false)
{
    QFont f(QStringLiteral("WenQuanYi Zen Hei"), points);
    f.setBold(bold);
    return f;
}

// The buttons as the program's windows dress them, at their window sizes.
void addProgramButtons(QWidget *sheet, QVBoxLayout *outer)
{
    auto *heading = new QLabel(QStringLiteral("本程序窗口中的按钮"), sheet);
    heading->setFont(sheetFont(11, true));
    heading->setStyleSheet(QStringLiteral("color: #304058;"));
    outer->addSpacing(6);
    outer->addWidget(heading);

    struct Use
    {
        const char *caption;
        const char *note;
        int style;
        ColourRef back;
        QSize size;
    };
    const Use uses[] = {
        {"添加系统菜单", "主窗口", 5, 0x9C6113, QSize(104, 25)},
        {"退出程序", "主窗口", 5, 0x9C6113, QSize(88, 25)},
        {"退出", "详细信息窗口", 5, 0xAA6D00, QSize(72, 25)},
        {"Apple Store", "详细信息窗口", 1, kSysButtonFace, QSize(84, 22)},
        {"重命名", "详细信息窗口", 1, kSysButtonFace, QSize(64, 22)},
        {"Info.", "详细信息窗口", 3, kSysButtonFace, QSize(64, 19)},
        {"退出", "关于窗口", 4, 0xE3E3E3, QSize(57, 25)},
    };
    auto *row = new QGridLayout;
    row->setHorizontalSpacing(18);
    row->setVerticalSpacing(4);
    int col = 0;
    for (const Use &u : uses) {
        auto *b = new jcbutton(sheet);
        b->setButtonStyle(jcbutton::Style(u.style));
        b->setBackColor(u.back);
        if (u.style == 5)
            b->setShowFocusRect(true);
        b->setCaption(QString::fromUtf8(u.caption));
        b->setFixedSize(u.size);
        row->addWidget(b, 0, col, Qt::AlignCenter);
        auto *note = new QLabel(QString::fromUtf8(u.note), sheet);
        note->setFont(sheetFont(8));
        note->setStyleSheet(QStringLiteral("color: #50607a;"));
        row->addWidget(note, 1, col, Qt::AlignCenter);
        ++col;
    }
    row->setColumnStretch(col, 1);
    outer->addLayout(row);
}

// Builds the sheet; putInLooks() then gives the shown sheet its hot and pressed buttons.
QWidget *createButtonSheet(QWidget *parent)
{
    auto *sheet = new QWidget(parent);
    sheet->setObjectName(QStringLiteral("buttonSheet"));
    sheet->setAutoFillBackground(true);
    QPalette pal = sheet->palette();
    pal.setColor(QPalette::Window, QColor(0xF4, 0xF6, 0xF9));
    sheet->setPalette(pal);
    sheet->setFont(sheetFont(9));

    auto *outer = new QVBoxLayout(sheet);
    outer->setContentsMargins(18, 14, 18, 18);
    outer->setSpacing(10);
    auto *title = new QLabel(QStringLiteral("多样式按钮 · 十六种样式"), sheet);
    title->setFont(sheetFont(13, true));
    outer->addWidget(title);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    outer->addLayout(grid);

    for (int look = 0; look < LookCount; ++look) {
        auto *head = new QLabel(QString::fromUtf8(kLookNames[look]), sheet);
        head->setAlignment(Qt::AlignCenter);
        head->setStyleSheet(QStringLiteral("color: #50607a;"));
        grid->addWidget(head, 0, look + 1);
    }
    const QPixmap tick = badge(QColor(0x3C, 0xA0, 0x4C));
    const QPixmap tickHot = badge(QColor(0xE0, 0x8A, 0x1E));
    for (int style = 0; style < 16; ++style) {
        auto *name = new QLabel(
            QStringLiteral("样式 %1  %2").arg(style).arg(QString::fromUtf8(kStyleNotes[style])), sheet);
        name->setStyleSheet(QStringLiteral("color: #304058;"));
        grid->addWidget(name, style + 1, 0);
        for (int look = 0; look < LookCount; ++look) {
            auto *b = new jcbutton(sheet);
            b->setObjectName(QStringLiteral("sheet_%1_%2").arg(style).arg(look));
            b->setButtonStyle(jcbutton::Style(style));
            b->setFixedSize(96, 28);
            b->setCaption(look == Checked ? QStringLiteral("已选中") : QStringLiteral("确定"));
            b->setProperty("sheetLook", look);
            switch (look) {
            case Disabled:
                b->setEnabled(false);
                break;
            case Focused:
                b->setDefault(true);
                b->setShowFocusRect(true);
                break;
            case Checked:
                b->setCheckBoxMode(true);
                b->setValue(true);
                break;
            case WithPicture:
            case PictureHot:
                b->setPicture(tick);
                b->setPictureHover(tickHot);
                break;
            case Pressed:
                // Held down side by side, none may take the focus from another.
                b->setFocusPolicy(Qt::NoFocus);
                break;
            default:
                break;
            }
            grid->addWidget(b, style + 1, look + 1);
        }
    }
    addProgramButtons(sheet, outer);
    return sheet;
}

// Puts the hot and pressed buttons of a shown sheet into their looks, as the pointer would.
void putInLooks(QWidget *sheet)
{
    // The sheet keeps the focus, so that only the focus column shows the focus look.
    sheet->setFocusPolicy(Qt::StrongFocus);
    sheet->setFocus();
    for (jcbutton *b : sheet->findChildren<jcbutton *>()) {
        const int look = b->property("sheetLook").toInt();
        if (look == Hot || look == PictureHot || look == Pressed)
            send(b, QEvent::MouseMove, Qt::NoButton);
        if (look == Pressed)
            send(b, QEvent::MouseButtonPress, Qt::LeftButton);
    }
}

bool renderSheet(QWidget *sheet, const QString &dir, const QString &fileName)
{
    sheet->show();
    sheet->activateWindow();
    QApplication::processEvents();
    putInLooks(sheet);
    QApplication::processEvents();
    return gallery::saveImage(sheet->grab().toImage(), dir, fileName);
}

} // namespace

static const bool registered = gallery::addSheet(QStringLiteral("buttons"), [](const QString &dir) {
    std::unique_ptr<QWidget> sheet(createButtonSheet(nullptr));
    return renderSheet(sheet.get(), dir, QStringLiteral("buttons.png"));
});
