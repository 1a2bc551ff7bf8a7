#pragma once

#include "diagnosis/ParameterSet.h"
#include "diagnosis/ParameterTransfer.h"

#include <QAbstractTableModel>
#include <QList>
#include <optional>

// The 参数 page's table: one row per parameter read or in the open file, with
// what the instrument said, what the file holds, whether they differ (in words
// and in bold, not by colour alone) and what a write did.
class ParameterModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Code, Name, Value, Reply, FileValue, Compare, Result, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A reading starts afresh with these codes.
    void startReading(const QStringList& codes);
    void setReading(const diagnosis::ParameterReading& reading);
    // The file compared with; its codes not read yet get rows of their own.
    void setFile(const std::optional<diagnosis::ParameterSet>& set);
    void setResult(const QString& code, const QString& result);

    const std::optional<diagnosis::ParameterSet>& file() const { return m_file; }
    // The readings so far, in the rows' order.
    QList<diagnosis::ParameterReading> readings() const;
    bool differs(int row) const;
    int differenceCount() const;

private:
    struct Row
    {
        diagnosis::ParameterReading reading;
        QString result;
    };
    int rowOf(const QString& code);
    const diagnosis::ParameterEntry* fileEntry(int row) const;

    QList<Row> m_rows;
    std::optional<diagnosis::ParameterSet> m_file;
};
