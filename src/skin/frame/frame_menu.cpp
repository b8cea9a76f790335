// The themed window frame: the window menu, its added items and their captions.
#include "skin/frame/jcforms.h"

#include "skin/common/draw_primitives.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

namespace skin {

// ---------------------------------------------------------------------------------------
// Window menu

void jcForms::applyLanguage(const QString &languageName)
{
    m_languageName = languageName;
    if (!m_menu) {
        m_menu = new QMenu(QStringLiteral("Menu"), this);
        const QStringList design = {QStringLiteral("还原"),
                                    QStringLiteral("移动"),
                                    QStringLiteral("大小"),
                                    QStringLiteral("最小化"),
                                    QStringLiteral("最大化"),
                                    QStringLiteral("-"),
                                    QStringLiteral("关闭(&C)        Alt+F4"),
                                    QStringLiteral("-"),
                                    QStringLiteral("总在最前面")};
        for (int i = 0; i < design.size(); ++i) {
            // A separator carries no text: styles draw a separator's text beside its line.
            const bool separator = design[i] == QLatin1String("-");
            auto *a = new QAction(separator ? QString() : design[i], m_menu);
            a->setSeparator(separator);
            connect(a, &QAction::triggered, this, [this, i] { menuChosen(i); });
            m_menu->addAction(a);
            m_items.insert(i, a);
        }
        m_items[MenuOnTop]->setCheckable(true);
        m_items[MenuRestore]->setEnabled(false);
    }
    const bool spanish = languageName == QLatin1String("Spanish");
    const QMap<int, QString> captions =
        spanish
            ? QMap<int, QString>{{0, QStringLiteral("&Restaurar")},      {1, QStringLiteral("&Mover")},
                                 {2, QStringLiteral("&Tamaño")},         {3, QStringLiteral("Mi&nimizar")},
                                 {4, QStringLiteral("Ma&ximizar")},      {6, QStringLiteral("&Cerrar")},
                                 {8, QStringLiteral("&Siempre Visible")}}
            : QMap<int, QString>{{0, tr("还原(&R)")},   {1, tr("移动(&M)")},   {2, tr("大小(&S)")},
                                 {3, tr("最小化(&X)")}, {4, tr("最大化(&N)")}, {6, tr("关闭(&C)")},
                                 {8, tr("置顶(&T)")}};
    for (auto it = captions.begin(); it != captions.end(); ++it)
        m_items[it.key()]->setText(it.value());
    if (spanish) {
        // The Spanish captions have no fixed-width prefix to cut a tooltip from.
        auto plain = [](QString s) { return s.remove(QLatin1Char('&')); };
        m_closeTip = plain(captions[6]);
        m_minTip = plain(captions[3]);
        m_maxTip = plain(captions[4]);
        m_restoreTip = plain(captions[0]);
    } else {
        m_closeTip = tr("关闭");
        m_minTip = tr("最小化");
        m_maxTip = tr("最大化");
        m_restoreTip = tr("向下还原");
    }
    for (int i : {0, 2, 3, 4})
        m_items[i]->setVisible(false);
    m_items[MenuClose]->setEnabled(CloseButton());
    CaptionBtnSetup();
}

void jcForms::showMenuAtCursor()
{
    if (m_menu)
        m_menu->popup(QCursor::pos());
}

void jcForms::menuChosen(int index)
{
    switch (index) {
    case MenuRestore:
    case MenuMaximise:
        jcWindowState(true);
        break;
    case MenuMove:
        keyboardMoveOrSize(false);
        break;
    case MenuSize:
        keyboardMoveOrSize(true);
        break;
    case MenuMinimise:
        buttonAction(MinSlot); // as the minimise button does
        break;
    case MenuClose:
        closeWindow(true);
        break;
    case MenuOnTop:
        SetAlwaysOnTop(m_items[MenuOnTop]->isChecked());
        break; // already flipped by the menu
    default:
        if (QAction *a = m_items.value(index)) {
            // Check marks of added items belong to the window, not to the click.
            if (a->isCheckable())
                a->setChecked(!a->isChecked());
            emit MenuItemSelected(index, a->text());
        }
        break;
    }
}

void jcForms::keyboardMoveOrSize(bool size)
{
    if (!m_window)
        return;
    m_keyboardGrab = true;
    grabMouse(Qt::SizeAllCursor);
    const int y = size ? m_window->height() / 2 : 16;
    QCursor::setPos(m_window->mapToGlobal(QPoint(m_window->width() / 2, y)));
}

void jcForms::FormMenuAdd(const QString &caption, bool addSeparator, bool enabled, bool checked, bool visible)
{
    if (!m_menu)
        return;
    auto append = [this]() {
        const int index = m_items.isEmpty() ? 0 : m_items.lastKey() + 1;
        auto *a = new QAction(m_menu);
        connect(a, &QAction::triggered, this, [this, index] { menuChosen(index); });
        m_menu->addAction(a);
        m_items.insert(index, a);
        return a;
    };
    if (addSeparator) {
        QAction *sep = append();
        sep->setSeparator(true);
    }
    QAction *a = append();
    a->setText(caption);
    a->setEnabled(enabled);
    a->setCheckable(checked);
    a->setChecked(checked);
    a->setVisible(visible);
}

void jcForms::FormMenuShow(qint16 n)
{
    m_popupEnabled = n == 1;
}

void jcForms::ModifyAddedMenu(int index, const QString &caption, bool enabled, bool checked, bool visible)
{
    QAction *a = index > 8 ? m_items.value(index) : nullptr;
    if (!a)
        return;
    if (!caption.isEmpty())
        a->setText(caption);
    a->setEnabled(enabled);
    if (checked)
        a->setCheckable(true);
    a->setChecked(checked);
    a->setVisible(visible);
}

void jcForms::FormMenuRemove(int index)
{
    if (index <= 8 || !m_items.contains(index))
        return;
    const bool wasLast = index == m_items.lastKey();
    delete m_items.take(index);
    // An added separator left at the end goes with the item it introduced.
    if (wasLast && !m_items.isEmpty()) {
        const int before = m_items.lastKey();
        if (before > 8 && m_items[before]->isSeparator())
            delete m_items.take(before);
    }
}

QVariant jcForms::GetMenuItemValue(int index, int property) const
{
    QAction *a = m_items.value(index);
    if (!a)
        return QVariant();
    switch (property) {
    case 0:
        return a->isSeparator() ? QStringLiteral("-") : a->text();
    case 1:
        return a->isEnabled();
    case 2:
        return a->isChecked();
    case 3:
        return a->isVisible();
    default:
        return QVariant();
    }
}

void jcForms::SetjcFormsMenuCaption(int index, const QString &caption)
{
    if (caption.isEmpty() || (!(index >= 0 && index <= 4) && index != 6 && index != 8))
        return;
    QAction *a = m_items.value(index);
    if (!a)
        return;
    if (index == MenuClose) {
        a->setText(caption + QStringLiteral("            Alt+F4"));
        m_closeTip = caption;
    } else {
        a->setText(caption);
        if (index == MenuMinimise)
            m_minTip = caption;
    }
    CaptionBtnSetup();
}

void jcForms::SetAlwaysOnTop(bool on)
{
    if (m_window && m_window->isWindow()) {
        // Qt hides a window whose flags change; a shown window is shown again, a window
        // not shown yet stays hidden until its owner shows it.
        const bool shown = m_window->isVisible();
        m_window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
        if (shown)
            m_window->show();
    }
    if (QAction *a = m_items.value(MenuOnTop))
        a->setChecked(on);
}

} // namespace skin
