#include "core/package_list_model.h"

namespace {
const PackageListModel::ColumnSpec kColumns[PackageInfo::ColumnCount] = {
    {"No.", 450, Qt::AlignLeft | Qt::AlignVCenter},
    {QT_TR_NOOP("程序原名"), 2400, Qt::AlignLeft | Qt::AlignVCenter},
    {QT_TR_NOOP("内部名称(中文)"), 1800, Qt::AlignLeft | Qt::AlignVCenter},
    {QT_TR_NOOP("版本"), 1000, Qt::AlignCenter},
    {QT_TR_NOOP("大小(MB)"), 1000, Qt::AlignCenter},
    {QT_TR_NOOP("系统要求(低)"), 1500, Qt::AlignCenter},
    {QT_TR_NOOP("系统平台"), 1500, Qt::AlignCenter},
    {QT_TR_NOOP("修改状态"), 1000, Qt::AlignCenter},
    {QT_TR_NOOP("目录地址"), 0, Qt::AlignLeft | Qt::AlignVCenter},
};
} // namespace

PackageListModel::PackageListModel(PackageList *list, QObject *parent)
    : QAbstractTableModel(parent), m_list(list)
{
    connect(list, &PackageList::aboutToAppend, this,
            [this](int index) { beginInsertRows({}, index, index); });
    connect(list, &PackageList::appended, this, [this] { endInsertRows(); });
    connect(list, &PackageList::aboutToReset, this, [this] { beginResetModel(); });
    connect(list, &PackageList::reset, this, [this] { endResetModel(); });
    connect(list, &PackageList::cellChanged, this, [this](int row, PackageInfo::Column column) {
        const QModelIndex changed = index(row, column);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    });
}

const PackageListModel::ColumnSpec &PackageListModel::columnSpec(int column)
{
    return kColumns[column];
}

int PackageListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_list->count();
}

int PackageListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(PackageInfo::ColumnCount);
}

QVariant PackageListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_list->isValidPosition(index.row() + 1))
        return {};
    const auto column = PackageInfo::Column(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return m_list->rowAt(index.row() + 1).cell(column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(kColumns[column].alignment);
    default:
        return {};
    }
}

QVariant PackageListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= PackageInfo::ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return tr(kColumns[section].header);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(kColumns[section].alignment);
    return {};
}
