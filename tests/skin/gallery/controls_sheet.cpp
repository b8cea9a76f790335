// The gallery's sheet of skinned standard controls: every kind in every state, the plain
// control on the left of each pair and the skinned one on its right; and a second picture
// of the Qt open-file dialog, skinned because the window that owns it is.
#include "gallery.h"

#include "skin/frame/jcforms.h"
#include "skin/skinner/button_skin.h"
#include "skin/skinner/mskinner.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTreeView>
#include <QVBoxLayout>
#include <memory>

using skin::MSkinner;

namespace {

enum Look { Normal, Hot, Pressed, Disabled, LookCount };
const char *const kLookNames[LookCount] = {"正常", "热点", "按下", "禁用"};

QFont sheetFont(int points, bool bold = false)
{
    QFont f(QStringLiteral("WenQuanYi Zen Hei"), points);
    f.setBold(bold);
    return f;
}

QLabel *label(const QString &text, QWidget *parent, int points = 9, bool bold = false,
              const char *colour = "#50607A")
{
    auto *l = new QLabel(text, parent);
    l->setFont(sheetFont(points, bold));
    l->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(colour)));
    return l;
}

// One control of a kind; checked shows a check box or option button checked.
QWidget *makeControl(int kind, bool checked, QWidget *parent)
{
    switch (kind) {
    case 0:
        return new QPushButton(QStringLiteral("确定"), parent);
    case 1: {
        auto *c = new QComboBox(parent);
        c->setEditable(true);
        c->addItem(QStringLiteral("%Name% %Version%"));
        return c;
    }
    case 2: {
        auto *c = new QComboBox(parent);
        c->addItems({QStringLiteral("安卓应用"), QStringLiteral("苹果应用")});
        return c;
    }
    case 3: {
        auto *c = new QCheckBox(QStringLiteral("保留扩展名"), parent);
        c->setChecked(checked);
        return c;
    }
    case 4: {
        auto *r = new QRadioButton(QStringLiteral("按名称"), parent);
        r->setChecked(checked);
        r->setAutoExclusive(false);
        return r;
    }
    case 5: {
        auto *model = new QStandardItemModel(0, 3, parent);
        model->setHorizontalHeaderLabels(
            {QStringLiteral("文件名"), QStringLiteral("版本"), QStringLiteral("大小")});
        auto *header = new QHeaderView(Qt::Horizontal, parent);
        header->setModel(model);
        header->resizeSection(0, 70);
        header->resizeSection(1, 50);
        header->resizeSection(2, 50);
        header->setFixedSize(172, 22);
        return header;
    }
    default: {
        auto *list = new QListWidget(parent);
        list->addItems({QStringLiteral("微信 8.0.apk"), QStringLiteral("地图 11.2.ipa")});
        list->setFixedSize(150, 46);
        return list;
    }
    }
}

const char *const kKindNames[] = {"按钮",     "组合框（可编辑）", "组合框（列表）", "复选框",
                                  "单选按钮", "列标题",           "列表框"};
constexpr int kKinds = 7;

void pressAt(QWidget *w, QPoint at, QEvent::Type type = QEvent::MouseButtonPress)
{
    QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void moveTo(QWidget *w, QPoint at)
{
    QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Puts a control into a look as the pointer would; fades are run to their end.
void putInLook(QWidget *w, int look, bool skinned)
{
    if (look == Disabled) {
        w->setEnabled(false);
        return;
    }
    if (look == Normal)
        return;
    QWidget *target = w;
    if (auto *header = qobject_cast<QHeaderView *>(w))
        target = header->viewport();
    const QPoint at =
        qobject_cast<QHeaderView *>(w) ? QPoint(90, 10) : QPoint(w->width() / 2, w->height() / 2);
    target->setAttribute(Qt::WA_UnderMouse, true);
    QEnterEvent enter(at, target->mapToGlobal(at), target->mapToGlobal(at));
    QApplication::sendEvent(target, &enter);
    moveTo(target, at);
    if (look == Pressed) {
        pressAt(target, at);
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            b->setDown(true);
    }
    if (skinned) {
        if (skin::ButtonSkin *b = MSkinner::buttonSkin(w)) {
            while (b->isFading())
                b->fadeStep();
        }
    }
}

QWidget *createControlSheet()
{
    auto *sheet = new QWidget;
    sheet->setAttribute(Qt::WA_DontShowOnScreen);
    sheet->setAutoFillBackground(true);
    QPalette pal = sheet->palette();
    pal.setColor(QPalette::Window, QColor(0xF4, 0xF6, 0xF9));
    sheet->setPalette(pal);
    auto *outer = new QVBoxLayout(sheet);
    outer->setContentsMargins(18, 14, 18, 18);
    outer->addWidget(label(QStringLiteral("标准控件 · 换肤"), sheet, 14, true, "#304058"));
    outer->addWidget(label(
        QStringLiteral("每种状态一对：左边为原样的控件，右边为换肤后的同一控件；按钮的渐变已走完。"), sheet));
    outer->addSpacing(6);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);
    outer->addLayout(grid);
    for (int look = 0; look < LookCount; ++look)
        grid->addWidget(label(QString::fromUtf8(kLookNames[look]), sheet, 10, true, "#304058"), 0,
                        1 + look * 2, 1, 2, Qt::AlignCenter);
    std::vector<std::pair<QWidget *, int>> skinned, plain;
    for (int kind = 0; kind < kKinds; ++kind) {
        const int rows = (kind == 3 || kind == 4) ? 2 : 1; // check and option: unchecked and checked
        for (int sub = 0; sub < rows; ++sub) {
            const int row = grid->rowCount();
            QString name = QString::fromUtf8(kKindNames[kind]);
            if (rows == 2)
                name += sub ? QStringLiteral("·选中") : QStringLiteral("·未选");
            grid->addWidget(label(name, sheet), row, 0);
            for (int look = 0; look < LookCount; ++look) {
                for (int side = 0; side < 2; ++side) {
                    QWidget *w = makeControl(kind, sub == 1, sheet);
                    w->setFont(sheetFont(9));
                    if (kind == 0 || kind == 1 || kind == 2)
                        w->setFixedSize(kind == 0 ? 76 : 120, kind == 0 ? 25 : 23);
                    grid->addWidget(w, row, 1 + look * 2 + side);
                    (side ? skinned : plain).push_back({w, look});
                }
            }
        }
    }
    // Progress bars at 0, 50 and 100, plain and skinned, and one disabled.
    const int row = grid->rowCount();
    grid->addWidget(label(QStringLiteral("进度条 0、50、100、禁用"), sheet), row, 0);
    int column = 1;
    for (int value : {0, 50, 100, 70}) {
        for (int side = 0; side < 2; ++side) {
            auto *bar = new QProgressBar(sheet);
            bar->setRange(0, 100);
            bar->setValue(value);
            bar->setTextVisible(false);
            bar->setFixedSize(120, 16);
            if (value == 70)
                bar->setEnabled(false);
            grid->addWidget(bar, row, column++);
            if (side)
                MSkinner::SkinWindow(bar);
        }
    }
    for (auto [w, look] : skinned) {
        MSkinner::SkinWindow(w);
        for (QWidget *child : w->findChildren<QWidget *>())
            MSkinner::SkinWindow(child);
    }
    sheet->show();
    QApplication::processEvents();
    for (auto [w, look] : plain)
        putInLook(w, look, false);
    for (auto [w, look] : skinned)
        putInLook(w, look, true);
    QApplication::processEvents();
    return sheet;
}

// Waits for the dialog's folder to be listed (it is read on a thread).
void settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool renderFileDialog(const QString &dir)
{
    QTemporaryDir folder;
    for (const char *name : {"微信 8.0.50.apk", "高德地图 13.01.ipa", "支付宝 10.5.apk", "未命名.apk"}) {
        QFile f(QDir(folder.path()).filePath(QString::fromUtf8(name)));
        if (f.open(QIODevice::WriteOnly))
            f.write("PK");
    }
    QWidget owner;
    owner.setAttribute(Qt::WA_DontShowOnScreen);
    owner.resize(200, 100);
    MSkinner::start(&owner);
    owner.show();
    auto *dialog = new QFileDialog(&owner, QStringLiteral("请选择文件"), folder.path(),
                                   QStringLiteral("安卓与苹果安装包 (*.apk *.ipa)"));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setAttribute(Qt::WA_DontShowOnScreen);
    dialog->resize(640, 400);
    dialog->show();
    settle(600);
    const bool ok =
        gallery::saveImage(dialog->grab().toImage(), dir, QStringLiteral("controls-file-dialog.png"));
    delete dialog;
    return ok;
}

// A window of the program's kind, frame and all, with the skin started on it.
bool renderSkinnedWindow(const QString &dir)
{
    QWidget window;
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.setWindowTitle(QStringLiteral("Tavrel - 安卓与苹果安装包改名"));
    window.setFont(sheetFont(9));
    window.resize(560, 330);
    auto *frame = new skin::jcForms(&window);
    frame->setFrameStyle(5);
    frame->setMaxButton(false);
    frame->setBorderStyle(0);

    auto *model = new QStandardItemModel(0, 4, &window);
    model->setHorizontalHeaderLabels({QStringLiteral("文件名"), QStringLiteral("显示名称"),
                                      QStringLiteral("版本"), QStringLiteral("状态")});
    const char *const rows[][4] = {{"weixin.apk", "微信", "8.0.50", "修改完成"},
                                   {"amap.ipa", "高德地图", "13.01", "文件已存在"},
                                   {"alipay.apk", "支付宝", "10.5.80", ""}};
    for (const auto &r : rows) {
        QList<QStandardItem *> items;
        for (const char *cell : r)
            items << new QStandardItem(QString::fromUtf8(cell));
        model->appendRow(items);
    }
    auto *list = new QTreeView(&window);
    list->setModel(model);
    list->setRootIsDecorated(false);
    list->setGeometry(14, 44, 532, 160);
    for (int c = 0; c < 4; ++c)
        list->setColumnWidth(c, c == 0 ? 160 : 110);

    auto *rule = new QComboBox(&window);
    rule->setEditable(true);
    rule->addItem(QStringLiteral("%Name% %Version%"));
    rule->setGeometry(14, 216, 200, 24);
    auto *keep = new QCheckBox(QStringLiteral("保留扩展名"), &window);
    keep->setChecked(true);
    keep->setGeometry(230, 216, 120, 24);
    auto *bar = new QProgressBar(&window);
    bar->setRange(0, 3);
    bar->setValue(2);
    bar->setTextVisible(false);
    bar->setGeometry(14, 254, 532, 14);
    auto *rename = new QPushButton(QStringLiteral("开始改名"), &window);
    rename->setGeometry(356, 284, 92, 26);
    auto *quit = new QPushButton(QStringLiteral("退出"), &window);
    quit->setGeometry(454, 284, 92, 26);
    quit->setEnabled(false);

    MSkinner::start(&window);
    window.show();
    QApplication::processEvents();
    putInLook(rename, Hot, true);
    QApplication::processEvents();
    return gallery::saveImage(window.grab().toImage(), dir, QStringLiteral("controls-window.png"));
}

} // namespace

static const bool registered = gallery::addSheet(QStringLiteral("controls"), [](const QString &dir) {
    std::unique_ptr<QWidget> sheet(createControlSheet());
    const bool ok = gallery::saveImage(sheet->grab().toImage(), dir, QStringLiteral("controls.png"));
    const bool window = renderSkinnedWindow(dir);
    return renderFileDialog(dir) && window && ok;
});
