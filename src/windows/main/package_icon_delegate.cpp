#include "windows/main/package_icon_delegate.h"

#include "app/package_icons.h"
#include "core/package_info.h"

#include <QAbstractItemView>

PackageIconDelegate::PackageIconDelegate(PackageIcons *icons, QAbstractItemView *view)
    : QStyledItemDelegate(view), m_icons(icons), m_pixmaps(1000)
{
    connect(icons, &PackageIcons::iconReady, view, [view](const QString &, int size) {
        if (size == IconSize)
            view->viewport()->update();
    });
}

void PackageIconDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QString path =
        index.siblingAtColumn(PackageInfo::Folder).data().toString() + index.data().toString();
    const QByteArray png = m_icons->icon(path, IconSize);
    if (png.isEmpty())
        return;
    const QString key = path + QString::number(qHash(png));
    QPixmap *pixmap = m_pixmaps.object(key);
    if (!pixmap) {
        pixmap = new QPixmap;
        pixmap->loadFromData(png, "PNG");
        m_pixmaps.insert(key, pixmap);
    }
    if (pixmap->isNull())
        return;
    option->icon = QIcon(*pixmap);
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->decorationSize = QSize(IconSize, IconSize);
}
