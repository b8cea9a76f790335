#include "windows/common/message_box_window.h"

#include "skin/button/jcbutton.h"
#include "skin/frame/jcforms.h"
#include "windows/common/button_looks.h"
#include "windows/common/dialog_frame.h"
#include "windows/common/twips.h"

#include <QLabel>
#include <QShortcut>

namespace {

constexpr int kBoxWidth = 5070;
constexpr int kBoxHeight = 2220;
constexpr int kButtonTop = 1680;
constexpr int kButtonWidth = 1200;
constexpr int kButtonHeight = 375;
constexpr int kButtonGap = 120;
constexpr int kDesignLefts[3] = {720, 2040, 3360};

} // namespace

ForMsgx::ForMsgx(QWidget *owner) : QDialog(owner ? owner->window() : nullptr)
{
    m_frame = setUpDialog(this, owner, QStringLiteral("ForMsgx"), tr("信息"), kBoxWidth, kBoxHeight);

    m_lbText = new QLabel(this);
    m_lbText->setObjectName(QStringLiteral("lbText"));
    m_lbText->setGeometry(twipsRect(1440, 840, 3135, 735));
    m_lbText->setWordWrap(false);
    // A prompt may carry a file's or a package's own text: never read it as markup.
    m_lbText->setTextFormat(Qt::PlainText);
    m_lbText->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    for (int i = 0; i < 3; ++i) {
        auto *button = new skin::jcbutton(this);
        button->setObjectName(QStringLiteral("cmdButton%1").arg(i));
        button->setIndex(i);
        dressButton(button, ButtonLook::BoxCommand);
        button->setGeometry(twipsRect(kDesignLefts[i], kButtonTop, kButtonWidth, kButtonHeight));
        button->hide();
        connect(button, &skin::jcbutton::Click, this, &ForMsgx::press);
        m_cmdButton[i] = button;
    }

    // The buttons keep every key they get, so Escape is caught before it reaches them.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QDialog::reject);
}

void ForMsgx::prepare(const QString &prompt, int style, const QString &title)
{
    QString lines = prompt;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_lbText->setText(lines);
    setWindowTitle(title);

    const QList<MessageButton> buttons = messageButtons(style);
    QList<int> widths;
    for (int i = 0; i < int(buttons.size()); ++i) {
        m_cmdButton[i]->setCaption(buttons[i].caption);
        m_buttonResult[i] = buttons[i].result;
        widths.append(kButtonWidth);
    }
    const QList<int> lefts = centredRowLefts(kBoxWidth, widths, kButtonGap);
    for (int i = 0; i < int(lefts.size()); ++i) {
        m_cmdButton[i]->setGeometry(twipsRect(lefts[i], kButtonTop, kButtonWidth, kButtonHeight));
        m_cmdButton[i]->show();
    }
    if (!lefts.isEmpty())
        m_cmdButton[0]->setFocus();
}

void ForMsgx::press(int index)
{
    if (index < 0 || index > 2 || !m_cmdButton[index]->isVisible())
        return;
    m_answer = m_buttonResult[index];
    accept();
}
