#pragma once

#include "core/package_list.h"

#include <QAbstractTableModel>

// Item model over a PackageList for the main window's list view: nine columns with the fixed
// header texts, widths and alignments.
class PackageListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct ColumnSpec
    {
        const char *header; // the source text; headerData() gives it translated
        int widthTwips;
        Qt::Alignment alignment;
    };

    explicit PackageListModel(PackageList *list, QObject *parent = nullptr);

    static const ColumnSpec &columnSpec(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    PackageList *m_list;
};
