#include "windows/details/raw_metadata_window.h"

#include "inspect/store_metadata_text.h"
#include "skin/frame/jcforms.h"
#include "windows/common/dialog_frame.h"
#include "windows/common/twips.h"
#include "windows/details/details_font.h"

#include <QPlainTextEdit>

ForShow::ForShow(QWidget *owner, const QString &packagePath)
    : QDialog(owner),
      m_frame((setDetailsFont(this), dressWindow(this, owner, QStringLiteral("程序原信息"), 9300, 6750))),
      m_text(new QPlainTextEdit(this))
{
    m_frame->FormMenuShow(0);

    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setGeometry(twipsRect(120, 570, 9015, 6015));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setTabStopDistance(4 * m_text->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setPlainText(ReadStoreMetadataText(packagePath));
}
