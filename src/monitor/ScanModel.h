#pragma once

#include "diagnosis/BusScan.h"

#include <QAbstractTableModel>
#include <optional>

// The 扫描 page's table: the addresses that answered, in the order found, with
// the reply, the response time and the value the reply carried.
class ScanModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Address, Reply, ResponseMs, Value, ColumnCount };

    explicit ScanModel(QObject* parent = nullptr);

    void clear();
    void addHit(const diagnosis::ScanHit& hit, bool hbx);
    int address(int row) const { return m_hits[row].hit.address; }
    QList<int> addresses() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Found
    {
        diagnosis::ScanHit hit;
        std::optional<double> value;
        bool hbx = false; // an HBX address, written as the command carries it
    };
    QList<Found> m_hits;
};
