#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace nimbara {

// A read-only table of texts for the progress window: what a plot shows, as rows that a screen
// reader reads cell by cell. Columns after the first hold numbers and are right-aligned.
class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit RecordTableModel(QStringList headers, QObject* parent = nullptr);

    void setRows(std::vector<QStringList> rows);
    const std::vector<QStringList>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList m_headers;
    std::vector<QStringList> m_rows;
};

}  // namespace nimbara
