#include "windows/details/ipa_details_window.h"

#include "inspect/ipa_details.h"
#include "inspect/store_links.h"
#include "rename/name_rule.h"
#include "skin/frame/jcforms.h"
#include "windows/common/twips.h"

#include <QFrame>
#include <QLineEdit>

ForOuta::ForOuta(QWidget *owner, PackageList *list, PackageReader *reader, const DetailTarget &target)
    : DetailsForm(owner, list, reader, target, tr("IPA程序信息"), QStringLiteral("Apple Store"))
{
    frame()->setThemeColor(6);

    struct Row
    {
        const char *label;
        int top;
        int width;
    };
    const Row rows[] = {{QT_TR_NOOP("程序名称:"), 680, 2500},  {QT_TR_NOOP("程序版本:"), 980, 2500},
                        {QT_TR_NOOP("软件大小:"), 1280, 2500}, {QT_TR_NOOP("软件标识:"), 1580, 2500},
                        {QT_TR_NOOP("软件类别:"), 1880, 3375}, {QT_TR_NOOP("支持设备:"), 2180, 3375},
                        {QT_TR_NOOP("系统需求:"), 2480, 3375}, {QT_TR_NOOP("软件作者:"), 2780, 3375},
                        {QT_TR_NOOP("软件授权:"), 3080, 3375}, {QT_TR_NOOP("软件收费:"), 3380, 3375}};
    int number = 1;
    for (const Row &row : rows)
        addField(QStringLiteral("Text%1").arg(number++), tr(row.label), 1680, row.top, row.width);
    addNameFields();

    // Beige fields, the new name excepted (it is the one meant to be edited).
    const QColor beige(236, 233, 216);
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        if (edit->objectName() == QLatin1String("Text12"))
            continue;
        QPalette pal = edit->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            pal.setColor(group, QPalette::Base, beige);
        edit->setPalette(pal);
    }

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setGeometry(twips(240), twips(5160) - 1, twips(5040) - twips(240), 3);
}

void ForOuta::fillFrom(const PackageReading &reading)
{
    fill(IpaDetailsFromPlists(reading.plists, reading.path, NameRule::active()));
}

void ForOuta::fill(const IpaDetails &details)
{
    const QString texts[] = {details.name,    details.version, details.size,        details.identifier,
                             details.genre,   details.devices, details.minSystem,   details.artist,
                             details.account, details.price,   details.currentName, details.newName};
    for (int i = 0; i < 12; ++i) {
        QLineEdit *edit = field(QStringLiteral("Text%1").arg(i + 1));
        edit->setText(texts[i]);
        edit->setCursorPosition(0);
    }
    m_storeItemId = details.storeItemId;
}

QUrl ForOuta::storeUrl() const
{
    return AppStoreUrl(m_storeItemId, field(QStringLiteral("Text4"))->text());
}
