// The gallery's window frames: every style in every colour theme, active and inactive,
// and the details that matter (icon, long captions, hot and pressed caption buttons).
#include "gallery.h"

#include "skin/frame/jcforms.h"

#include <QApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <memory>

using skin::jcForms;

namespace {

const QColor kSheetBack(0xF4, 0xF6, 0xF9);
const QColor kHeading(0x30, 0x40, 0x58);
const QColor kNote(0x50, 0x60, 0x7A);

QFont sheetFont(int points, bool bold = false)
{
    QFont f(QStringLiteral("WenQuanYi Zen Hei"), points);
    f.setBold(bold);
    return f;
}

// The program's icon, drawn here so the gallery needs no image files.
QIcon appIcon()
{
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, QColor(0x4C, 0xB0, 0x5A));
    g.setColorAt(1, QColor(0x1E, 0x7A, 0x35));
    QPainterPath path;
    path.addRoundedRect(QRectF(2, 2, 60, 60), 14, 14);
    p.fillPath(path, g);
    p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(18, 20), QPointF(46, 20));
    p.drawLine(QPointF(32, 20), QPointF(32, 48));
    return QIcon(pm);
}

struct FrameLook
{
    int style = 5;
    int theme = 0;
    bool active = true;
    bool icon = true;
    QString caption = QStringLiteral("Tavrel 安装包改名");
    QSize size = QSize(300, 120);
    int hot = -1;     // caption button slot shown hot
    int pressed = -1; // caption button slot shown pressed
    bool maxButton = true;
    bool minButton = true;
    bool closeButton = true;
    std::function<void(QWidget *)> content;
};

QImage renderFrame(const FrameLook &look)
{
    auto window = std::make_unique<QWidget>();
    window->setFont(sheetFont(9));
    window->setWindowTitle(look.caption);
    if (look.icon)
        window->setWindowIcon(appIcon());
    window->resize(look.size);
    auto *frame = new jcForms(window.get());
    frame->setFrameStyle(look.style);
    frame->setThemeColor(look.theme);
    frame->setMaxButton(look.maxButton);
    frame->setMinButton(look.minButton);
    frame->setCloseButton(look.closeButton);
    frame->setActiveLook(look.active);
    if (look.content)
        look.content(window.get());
    const int slot = look.pressed >= 0 ? look.pressed : look.hot;
    if (slot >= 0) {
        const auto &b = frame->captionButton(slot);
        const QPointF at(b.left + b.width / 2, b.top + b.height / 2);
        QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(frame, &move);
        if (look.pressed >= 0) {
            QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(frame, &press);
        }
    }
    window->setAttribute(Qt::WA_DontShowOnScreen);
    window->show();
    QApplication::processEvents();
    return window->grab().toImage();
}

// Lays out labelled pictures on a sheet.
class Sheet
{
public:
    Sheet(int width, int height, const QString &title, const QString &note)
        : m_image(width, height, QImage::Format_RGB32)
    {
        m_image.fill(kSheetBack);
        QPainter p(&m_image);
        p.setPen(kHeading);
        p.setFont(sheetFont(14, true));
        p.drawText(QRect(24, 14, width - 48, 30), Qt::AlignLeft | Qt::AlignVCenter, title);
        p.setPen(kNote);
        p.setFont(sheetFont(9));
        p.drawText(QRect(24, 44, width - 48, 20), Qt::AlignLeft | Qt::AlignVCenter, note);
    }

    void label(int x, int y, int w, const QString &text, bool bold = false,
               Qt::Alignment align = Qt::AlignLeft)
    {
        QPainter p(&m_image);
        p.setPen(bold ? kHeading : kNote);
        p.setFont(sheetFont(9, bold));
        p.drawText(QRect(x, y, w, 20), align | Qt::AlignVCenter, text);
    }

    void place(int x, int y, const QImage &picture)
    {
        QPainter p(&m_image);
        // A soft drop shadow so the frames read as windows on the sheet.
        for (int i = 4; i >= 1; --i)
            p.fillRect(QRect(x + i, y + i, picture.width(), picture.height()), QColor(0, 0, 0, 14));
        p.drawImage(x, y, picture);
    }

    const QImage &image() const { return m_image; }

private:
    QImage m_image;
};

const QStringList kThemeNames = {QStringLiteral("0 蓝色"),    QStringLiteral("1 银色"),
                                 QStringLiteral("2 橄榄绿"),  QStringLiteral("3 灰绿"),
                                 QStringLiteral("4 金色"),    QStringLiteral("5 自定义"),
                                 QStringLiteral("6 跟随桌面")};

bool styleSheets(const QString &dir)
{
    bool ok = true;
    const QSize frameSize(300, 110);
    for (int style = 0; style <= 5; ++style) {
        const int rowHeight = frameSize.height() + (style == 1 ? 22 : 12) + 10;
        const int top = 96;
        Sheet sheet(24 + 110 + 2 * (frameSize.width() + 28), top + 7 * rowHeight + 16,
                    QStringLiteral("窗口框架 · 样式 %1").arg(style),
                    QStringLiteral("七种配色，左列为活动窗口，右列为非活动窗口（颜色变浅）。"));
        sheet.label(24 + 110, top - 26, frameSize.width(), QStringLiteral("活动"), true);
        sheet.label(24 + 110 + frameSize.width() + 28, top - 26, frameSize.width(), QStringLiteral("非活动"),
                    true);
        for (int theme = 0; theme <= 6; ++theme) {
            const int y = top + theme * rowHeight;
            sheet.label(24, y + 8, 100, kThemeNames[theme], true);
            for (int col = 0; col < 2; ++col) {
                FrameLook look;
                look.style = style;
                look.theme = theme;
                look.active = col == 0;
                look.size = QSize(frameSize.width(), frameSize.height() + (style == 1 ? 10 : 0));
                sheet.place(24 + 110 + col * (frameSize.width() + 28), y, renderFrame(look));
            }
        }
        ok &= gallery::saveImage(sheet.image(), dir, QStringLiteral("frame_style%1.png").arg(style));
    }
    return ok;
}

bool detailSheet(const QString &dir)
{
    struct Item
    {
        QString title;
        FrameLook look;
    };
    QList<Item> items;
    auto add = [&items](const QString &title, std::function<void(FrameLook &)> change) {
        FrameLook look;
        change(look);
        items.append({title, look});
    };
    add(QStringLiteral("带图标"), [](FrameLook &) {});
    add(QStringLiteral("无图标：标题从 x = 9 开始"), [](FrameLook &s) { s.icon = false; });
    add(QStringLiteral("标题过长，以“...”结尾"), [](FrameLook &s) {
        s.caption = QStringLiteral("这是一个非常非常长的窗口标题，标题栏放不下它的全部文字");
    });
    add(QStringLiteral("关闭按钮：热点"), [](FrameLook &s) { s.hot = jcForms::CloseSlot; });
    add(QStringLiteral("关闭按钮：按下"), [](FrameLook &s) { s.pressed = jcForms::CloseSlot; });
    add(QStringLiteral("最大化按钮：热点"), [](FrameLook &s) { s.hot = jcForms::MaxSlot; });
    add(QStringLiteral("最小化按钮：按下"), [](FrameLook &s) { s.pressed = jcForms::MinSlot; });
    add(QStringLiteral("只有关闭按钮（程序的窗口）"), [](FrameLook &s) {
        s.maxButton = false;
        s.minButton = false;
    });
    add(QStringLiteral("没有标题栏按钮"), [](FrameLook &s) {
        s.maxButton = false;
        s.minButton = false;
        s.closeButton = false;
        s.caption = QStringLiteral("没有按钮时，标题可以一直延伸到右边界附近为止");
    });
    add(QStringLiteral("非活动 · 热点"), [](FrameLook &s) {
        s.active = false;
        s.hot = jcForms::CloseSlot;
    });
    add(QStringLiteral("样式 0 · 热点（浮雕标题）"), [](FrameLook &s) {
        s.style = 0;
        s.hot = jcForms::CloseSlot;
    });
    add(QStringLiteral("样式 2 · 按下"), [](FrameLook &s) {
        s.style = 2;
        s.theme = 2;
        s.pressed = jcForms::CloseSlot;
    });

    const int cols = 3, w = 300, h = 110, gapX = 28, rowH = h + 44;
    const int top = 80;
    Sheet sheet(24 + cols * (w + gapX) - gapX + 24, top + ((int(items.size()) + cols - 1) / cols) * rowH + 8,
                QStringLiteral("窗口框架 · 细节"),
                QStringLiteral("图标、过长的标题、标题栏按钮的热点与按下状态，以及只有部分按钮的窗口。"));
    for (int i = 0; i < items.size(); ++i) {
        const int x = 24 + (i % cols) * (w + gapX), y = top + (i / cols) * rowH;
        sheet.label(x, y, w, items[i].title, true);
        items[i].look.size = QSize(w, h);
        sheet.place(x, y + 24, renderFrame(items[i].look));
    }
    return gallery::saveImage(sheet.image(), dir, QStringLiteral("frame_details.png"));
}

// A window as the program shows it: the frame behind a list and a row of controls.
bool windowSheet(const QString &dir)
{
    FrameLook look;
    look.caption = QStringLiteral("Tavrel - 安卓与苹果安装包改名");
    look.size = QSize(560, 300);
    look.maxButton = false;
    look.content = [](QWidget *window) {
        auto *list = new QLabel(window);
        list->setGeometry(14, 44, 532, 196);
        list->setAutoFillBackground(true);
        QPalette pal = list->palette();
        pal.setColor(QPalette::Window, Qt::white);
        list->setPalette(pal);
        list->setFrameShape(QFrame::Box);
        list->setAlignment(Qt::AlignCenter);
        list->setText(QStringLiteral("将 .apk 或 .ipa 文件拖放到这里"));
        auto *hint = new QLabel(QStringLiteral("共 0 个文件"), window);
        hint->setGeometry(16, 254, 300, 24);
    };
    Sheet sheet(560 + 48, 300 + 100, QStringLiteral("窗口框架 · 程序窗口"),
                QStringLiteral("样式 5、配色 0：主窗口的样子，框架位于其它控件之后。"));
    sheet.place(24, 80, renderFrame(look));
    return gallery::saveImage(sheet.image(), dir, QStringLiteral("frame_window.png"));
}

const bool registered = gallery::addSheet(QStringLiteral("frames"), [](const QString &dir) {
    bool ok = styleSheets(dir);
    ok &= detailSheet(dir);
    ok &= windowSheet(dir);
    return ok;
});

} // namespace
