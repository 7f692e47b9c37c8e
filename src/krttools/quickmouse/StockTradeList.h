#pragma once

#include <json/value.h>

#include <QAbstractTableModel>
#include <vector>

// The stock window's list of the stock's latest trades, newest first: "时间", "价格", "数量",
// "方向". It shows what the advanced data service reports as the contract's trades
// ([{"Time", "Price", "Volume", "Direction": "B" or "S"}], oldest first); malformed entries are
// left out.
class StockTradeList : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kShown = 50;

    explicit StockTradeList(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // Replaces the trades; prices are printed with `decimals`.
    void SetTrades(const Json::Value& trades, int decimals);
    void Clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Trade {
        QString time;
        QString price;
        QString volume;
        bool buy = false;
        bool operator==(const Trade&) const = default;
    };

    std::vector<Trade> m_trades;
};
