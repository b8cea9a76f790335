#include "windows/details/raw_metadata_window.h"

#include "inspect/package_reader.h"
#include "skin/frame/jcforms.h"
#include "windows/common/dialog_frame.h"
#include "windows/common/twips.h"
#include "windows/details/details_font.h"

#include <QPlainTextEdit>

ForShow::ForShow(QWidget *owner, const QString &packagePath, PackageReader *reader)
    : QDialog(owner), m_frame((setDetailsFont(this), dressWindow(this, owner, tr("程序原信息"), 9300, 6750))),
      m_text(new QPlainTextEdit(this))
{
    m_frame->FormMenuShow(0);

    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setGeometry(twipsRect(120, 570, 9015, 6015));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setTabStopDistance(4 * m_text->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Only an iOS package (its name ending in "ipa", as the list tells the kinds apart) has the entry.
    if (!packagePath.endsWith(QLatin1String("ipa"))) {
        m_loaded = true;
        return;
    }
    connect(reader, &PackageReader::packageRead, this, [this](quint64 ticket, const PackageReading &reading) {
        if (ticket != m_ticket)
            return;
        m_ticket = 0;
        m_text->setPlainText(reading.plists.storeMetadata.value_or(QString()));
        m_loaded = true;
        emit loaded();
    });
    m_ticket = reader->read(ReadKind::StoreMetadata, packagePath);
}
