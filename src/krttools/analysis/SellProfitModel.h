#pragma once

#include <QAbstractTableModel>

#include "option/pricing/ShortOptionAnalysis.h"

// The seller analysis's profit table ("盈亏分析") and its summary row, read from one analysis and
// formatted when drawn: a row's price label with the contract's decimals, then per regime
// "%.04f(%.02f%%)" of the profit and of the probability in percent; the summary "平均盈利" and
// "%.04f" of each regime's average profit. Columns: "标的价格", "波动趋平", "正常波动", "波动加剧".
class SellProfitModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Part { kRows, kSummary };
    static constexpr int kColumnCount = 1 + OptionPricing::kRegimes;
    static int ColumnWidth(int column);

    explicit SellProfitModel(Part part, QObject* parent = nullptr);

    // Shows the analysis (rows labelled with `decimals` decimals); an empty one clears the table.
    void Show(const OptionPricing::ShortOptionAnalysis& analysis, int decimals);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString Text(int row, int column) const;

    Part m_part;
    OptionPricing::ShortOptionAnalysis m_analysis;
    int m_decimals = 0;
};
