#include "core/package_list.h"

#include <QCoreApplication>

int PackageList::append(const QString &folder, const QString &fileName)
{
    PackageInfo row;
    row.rowNumber = QString::number(m_rows.size() + 1);
    row.fileName = fileName;
    row.folder = folder;
    row.id = m_nextId++;
    emit aboutToAppend(int(m_rows.size()));
    m_rows.append(row);
    emit appended();
    return count();
}

int PackageList::positionOf(quint64 id) const
{
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).id == id)
            return int(i) + 1;
    }
    return 0;
}

bool PackageList::containsPath(const QString &folder, const QString &fileName) const
{
    const QString path = folder + fileName;
    for (const PackageInfo &row : m_rows) {
        if (row.fullPath() == path)
            return true;
    }
    return false;
}

void PackageList::setCell(int position, PackageInfo::Column column, const QString &text)
{
    if (!isValidPosition(position))
        return;
    PackageInfo &row = m_rows[position - 1];
    if (row.cell(column) == text)
        return;
    row.setCell(column, text);
    emit cellChanged(position - 1, column);
}

void PackageList::setSelected(int position, bool selected)
{
    if (isValidPosition(position))
        m_rows[position - 1].selected = selected;
}

PackageList::Labels PackageList::removeSelected()
{
    emit aboutToReset();
    for (qsizetype i = m_rows.size(); i > 0; --i) {
        if (m_rows.at(i - 1).selected)
            m_rows.removeAt(i - 1);
    }
    emit reset();
    return labels();
}

void PackageList::clear()
{
    emit aboutToReset();
    m_rows.clear();
    emit reset();
}

PackageList::Labels PackageList::labels() const
{
    return {QCoreApplication::translate("PackageList", "总数: ") + QString::number(count()),
            QCoreApplication::translate("PackageList", "提示: 双击软件列表可显示详细信息."),
            QCoreApplication::translate("PackageList", "状态: 您也可以将所要处理的文件拖放到窗体内.")};
}
