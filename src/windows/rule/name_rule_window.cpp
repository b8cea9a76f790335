#include "windows/rule/name_rule_window.h"

#include "rename/name_rule.h"
#include "rename/name_rule_check.h"
#include "skin/button/jcbutton.h"
#include "skin/frame/jcforms.h"
#include "windows/common/button_looks.h"
#include "windows/common/dialog_frame.h"
#include "windows/common/message_box.h"
#include "windows/common/owner_disabled.h"
#include "windows/common/twips.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>

namespace {

QLabel *fixedLabel(QWidget *parent, const QString &name, const QString &text, const QRect &where)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(where);
    return label;
}

skin::jcbutton *button(QWidget *parent, const QString &name, const QString &caption, const QRect &where)
{
    auto *b = new skin::jcbutton(parent);
    b->setObjectName(name);
    dressButton(b, ButtonLook::Command);
    b->setCaption(caption);
    b->setGeometry(where);
    return b;
}

} // namespace

FoPrint::FoPrint(QWidget *mainWindow) : QDialog(mainWindow ? mainWindow->window() : nullptr)
{
    m_frame = setUpDialog(this, mainWindow, QStringLiteral("FoPrint"), tr("命名规则设置"), 5655, 2715);
    m_frame->FormMenuShow(0);

    fixedLabel(this, QStringLiteral("Label1"), tr("格式串:"), twipsRect(240, 720, 630, 180));
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("Combo1"));
    m_combo->setEditable(true);
    // A rule is typed as it is meant: no completion from the presets, no list entries added.
    m_combo->setCompleter(nullptr);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->addItems(presetNameRules());
    m_combo->setGeometry(twipsRect(240, 960, 5175, 300));
    m_combo->setEditText(NameRule::stored());
    fixedLabel(this, QStringLiteral("Label2"), tr("%Name%       程序名称(规则名请勿修改)"),
               twipsRect(240, 1320, 3330, 180));
    fixedLabel(this, QStringLiteral("Label3"), tr("%Version%    程序版本(规则名请勿修改)"),
               twipsRect(240, 1560, 3330, 180));

    m_save = button(this, QStringLiteral("ComPrint"), tr("保存"), twipsRect(1560, 2160, 1215, 375));
    m_exit = button(this, QStringLiteral("ComExit"), tr("退出"), twipsRect(3000, 2160, 1215, 375));
    connect(m_save, &skin::jcbutton::Click, this, &FoPrint::save);
    connect(m_exit, &skin::jcbutton::Click, this, &QDialog::reject);
}

void FoPrint::save()
{
    switch (applyNameRule(m_combo->currentText())) {
    case NameRuleChange::Refused: {
        int style = 0;
        dwMessageBox(tr("规则命名错误,请确认."), style, tr("确认"), this);
        return;
    }
    case NameRuleChange::NotStored: {
        int style = 0;
        dwMessageBox(tr("命名规则无法保存,仅本次运行有效."), style, tr("确认"), this);
        break;
    }
    case NameRuleChange::Saved:
        break;
    }
    accept();
}

void openNameRuleWindow(QWidget *mainWindow)
{
    const OwnerDisabled disabled(mainWindow);
    QPointer<FoPrint> window = new FoPrint(mainWindow);
    window->exec();
    delete window;
}
