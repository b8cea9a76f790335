#include "windows/details/apk_details_window.h"

#include "inspect/apk_details.h"
#include "inspect/store_links.h"
#include "rename/name_rule.h"
#include "skin/frame/jcforms.h"

#include <QLineEdit>
#include <QPlainTextEdit>

ForOuts::ForOuts(QWidget *owner, PackageList *list, PackageReader *reader, const DetailTarget &target)
    : DetailsForm(owner, list, reader, target, tr("程序信息"), QStringLiteral("Play Store"))
{
    frame()->setThemeColor(6);
    frame()->setCustomBackColor(skin::rgbRef(255, 255, 255));
    frame()->setBackColorStyle(2);

    addField(QStringLiteral("Text1"), tr("程序名称:"), 1680, 680, 2500);
    addField(QStringLiteral("Text2"), tr("程序版本:"), 1680, 980, 2500);
    addField(QStringLiteral("Text3"), tr("软件大小:"), 1680, 1280, 2500);
    addField(QStringLiteral("Text4"), tr("软件标识:"), 1680, 1580, 2500);
    addField(QStringLiteral("Text5_0"), tr("系统要求(最低):"), 1680, 1880, 400);
    addField(QStringLiteral("Text5_1"), QString(), 2100, 1880, 2960);
    addField(QStringLiteral("Text6_0"), tr("系统要求(最佳):"), 1680, 2180, 400);
    addField(QStringLiteral("Text6_1"), QString(), 2100, 2180, 2960);
    addField(QStringLiteral("Text7"), tr("屏幕尺寸:"), 1680, 2480, 3375);
    addField(QStringLiteral("Text8"), tr("分辨率:"), 1680, 2780, 3375);
    addLabel(QStringLiteral("Label_Text9"), tr("系统权限:"), 3080);
    m_permissions = addTextBox(QStringLiteral("Text9"), 1680, 3080, 3375, 2205);
    addNameFields();
    // The report itself is kept out of sight.
    m_report = addTextBox(QStringLiteral("Text13"), 0, 0, 0, 0);
    m_report->hide();
}

void ForOuts::fillFrom(const PackageReading &reading)
{
    fill(ApkDetailsFromReport(reading.badging.value_or(QString()), reading.path, NameRule::active()));
}

void ForOuts::fill(const ApkDetails &details)
{
    m_report->setPlainText(details.report);
    field(QStringLiteral("Text1"))->setText(details.name);
    field(QStringLiteral("Text2"))->setText(details.version);
    field(QStringLiteral("Text3"))->setText(details.size);
    field(QStringLiteral("Text4"))->setText(details.identifier);
    field(QStringLiteral("Text5_0"))->setText(details.minLevel);
    field(QStringLiteral("Text5_1"))->setText(details.minSystem);
    field(QStringLiteral("Text6_0"))->setText(details.targetLevel);
    field(QStringLiteral("Text6_1"))->setText(details.targetSystem);
    field(QStringLiteral("Text7"))->setText(details.screens);
    field(QStringLiteral("Text8"))->setText(details.densities);
    m_permissions->setPlainText(details.permissionText());
    field(QStringLiteral("Text11"))->setText(details.currentName);
    field(QStringLiteral("Text12"))->setText(details.newName);
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        edit->setCursorPosition(0);
}

QUrl ForOuts::storeUrl() const
{
    return PlayStoreUrl(field(QStringLiteral("Text4"))->text());
}
