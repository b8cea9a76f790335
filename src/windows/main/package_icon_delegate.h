#pragma once

#include <QCache>
#include <QPixmap>
#include <QPointer>
#include <QStyledItemDelegate>

class PackageIcons;

// Draws the package's own icon, 16 pixels, before the file name in the list's "程序原名" cell.
// Only the rows the view paints ask for icons, and an icon whose turn comes after its row has
// left the view is passed over; the view is repainted as each icon arrives.
class PackageIconDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static constexpr int IconSize = 16;

    PackageIconDelegate(PackageIcons *icons, QAbstractItemView *view);
    ~PackageIconDelegate() override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    bool isInView(const QString &path) const;

    QAbstractItemView *m_view;
    QPointer<PackageIcons> m_icons;
    mutable QCache<QString, QPixmap> m_pixmaps;
};
