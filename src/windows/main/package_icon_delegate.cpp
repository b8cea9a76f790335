#include "windows/main/package_icon_delegate.h"

#include "app/package_icons.h"
#include "core/package_info.h"

#include <QAbstractItemView>

namespace {

QString packagePathAt(const QModelIndex &index)
{
    return index.siblingAtColumn(PackageInfo::Folder).data().toString() +
           index.siblingAtColumn(PackageInfo::FileName).data().toString();
}

} // namespace

PackageIconDelegate::PackageIconDelegate(PackageIcons *icons, QAbstractItemView *view)
    : QStyledItemDelegate(view), m_view(view), m_icons(icons), m_pixmaps(1000)
{
    connect(icons, &PackageIcons::iconReady, view, [view](const QString &, int size) {
        if (size == IconSize)
            view->viewport()->update();
    });
    icons->setWanted([this](const QString &path, int size) { return size == IconSize && isInView(path); });
}

PackageIconDelegate::~PackageIconDelegate()
{
    if (m_icons)
        m_icons->setWanted({});
}

bool PackageIconDelegate::isInView(const QString &path) const
{
    const QAbstractItemModel *model = m_view->model();
    if (!model || model->rowCount() == 0)
        return false;
    const QRect area = m_view->viewport()->rect();
    const QModelIndex top = m_view->indexAt(area.topLeft());
    const QModelIndex bottom = m_view->indexAt(QPoint(0, area.bottom()));
    const int first = top.isValid() ? top.row() : 0;
    const int last = bottom.isValid() ? bottom.row() : model->rowCount() - 1;
    for (int row = first; row <= last; ++row) {
        if (packagePathAt(model->index(row, PackageInfo::FileName)) == path)
            return true;
    }
    return false;
}

void PackageIconDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QString path = packagePathAt(index);
    const QByteArray png = m_icons ? m_icons->icon(path, IconSize) : QByteArray();
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
