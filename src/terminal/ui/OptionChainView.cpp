#include "ui/OptionChainView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/OptionChainModel.h"
#include "ui/QuoteTexts.h"
#include "ui/QuoteViewStyle.h"
#include "ui/TerminalTheme.h"

namespace Terminal::Ui {

namespace {

constexpr int kRowHeight = 24;
constexpr int kStrikeWidth = 84;

}  // namespace

OptionChainView::OptionChainView(const Market::Simulator& market, QWidget* parent)
    : QWidget(parent), m_market(market) {
    setObjectName(QStringLiteral("OptionChain"));
    m_model = new OptionChainModel(market, this);

    m_underlyings = new QComboBox(this);
    m_underlyings->setObjectName(QStringLiteral("OptionChainUnderlying"));
    m_underlyings->setMinimumContentsLength(14);
    m_months = new QComboBox(this);
    m_months->setObjectName(QStringLiteral("OptionChainMonth"));
    m_months->setMinimumContentsLength(6);
    m_underlyingQuote = new QLabel(this);
    m_underlyingQuote->setObjectName(QStringLiteral("OptionChainUnderlyingQuote"));

    auto* calls = new QLabel(QStringLiteral("认购"), this);
    auto* puts = new QLabel(QStringLiteral("认沽"), this);
    calls->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(Theme::kRise.name()));
    puts->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(Theme::kFall.name()));

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(8, 4, 8, 4);
    bar->addWidget(new QLabel(QStringLiteral("标的"), this));
    bar->addWidget(m_underlyings);
    bar->addSpacing(12);
    bar->addWidget(new QLabel(QStringLiteral("月份"), this));
    bar->addWidget(m_months);
    bar->addSpacing(16);
    bar->addWidget(m_underlyingQuote);
    bar->addStretch(1);
    bar->addWidget(calls);
    bar->addSpacing(24);
    bar->addWidget(puts);

    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("OptionChainTable"));
    m_view->setModel(m_model);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    StyleQuoteView(*m_view, kRowHeight);
    for (int column = 0; column < OptionChainModel::kColumnCount; ++column) {
        m_view->horizontalHeader()->setSectionResizeMode(
            column, column == OptionChainModel::kStrike ? QHeaderView::Fixed : QHeaderView::Stretch);
    }
    m_view->setColumnWidth(OptionChainModel::kStrike, kStrikeWidth);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);

    connect(m_underlyings, &QComboBox::currentIndexChanged, this, &OptionChainView::FillMonths);
    connect(m_months, &QComboBox::currentIndexChanged, this, &OptionChainView::ShowMonth);
    auto optionAt = [this](const QModelIndex& index) {
        return m_model->data(index, OptionChainModel::kInstrumentRole).toInt();
    };
    connect(m_view, &QTableView::clicked, this, [this, optionAt](const QModelIndex& index) {
        if (const int option = optionAt(index); option >= 0) {
            emit OptionClicked(option);
        }
    });
    connect(m_view, &QTableView::doubleClicked, this, [this, optionAt](const QModelIndex& index) {
        if (const int option = optionAt(index); option >= 0) {
            emit OptionDoubleClicked(option);
        }
    });

    FillUnderlyings();
    m_refresh = new QTimer(this);
    connect(m_refresh, &QTimer::timeout, this, &OptionChainView::RefreshQuotes);
    m_refresh->start(kRefreshMs);
}

void OptionChainView::FillUnderlyings() {
    const QSignalBlocker quiet(m_underlyings);
    const QVariant shown = m_underlyings->currentData();
    m_underlyings->clear();
    m_listedUnderlyings = m_market.Catalogue().Underlyings();
    for (int underlying : m_listedUnderlyings) {
        const Market::Instrument& instrument = *m_market.Catalogue().At(underlying);
        m_underlyings->addItem(QStringLiteral("%1 %2").arg(QString::fromStdString(instrument.code),
                                                           QString::fromStdString(instrument.name)),
                               underlying);
    }
    m_underlyings->setCurrentIndex(std::max(m_underlyings->findData(shown), 0));
    FillMonths();
}

void OptionChainView::FillMonths() {
    const QSignalBlocker quiet(m_months);
    m_months->clear();
    const int underlying = m_underlyings->currentData().toInt();
    if (m_underlyings->currentIndex() >= 0) {
        for (const std::string& month : m_market.Catalogue().Months(underlying)) {
            m_months->addItem(QString::fromStdString(month));
        }
    }
    ShowMonth();
}

void OptionChainView::ShowMonth() {
    if (m_underlyings->currentIndex() < 0 || m_months->currentIndex() < 0) {
        return;
    }
    m_model->Show(m_underlyings->currentData().toInt(), m_months->currentText().toStdString());
    RefreshQuotes();
    if (m_model->AtTheMoneyRow() >= 0) {
        m_view->scrollTo(m_model->index(m_model->AtTheMoneyRow(), OptionChainModel::kStrike),
                         QAbstractItemView::PositionAtCenter);
    }
}

bool OptionChainView::ShowUnderlying(int underlying) {
    const int item = m_underlyings->findData(underlying);
    if (item < 0) {
        return false;
    }
    m_underlyings->setCurrentIndex(item);
    return true;
}

void OptionChainView::RefreshQuotes() {
    if (m_market.Catalogue().Underlyings() != m_listedUnderlyings) {
        FillUnderlyings();  // a trading day rolled: an index month expired, another was listed
    }
    m_model->Refresh();
    const Market::Instrument* underlying = m_market.Catalogue().At(m_model->Underlying());
    if (!underlying) {
        return;
    }
    const Kora::Interface::QuoteSnapshot quote = m_market.Snapshot(underlying->index);
    const int64_t last = quote.last > 0 ? quote.last : quote.referencePrice;
    m_underlyingQuote->setText(QStringLiteral("最新价 <b><span style=\"color:%1\">%2</span></b>  涨跌 %3")
                                   .arg(QuoteTexts::AgainstReference(last, quote.referencePrice).name(),
                                        QuoteTexts::Price(*underlying, last),
                                        QuoteTexts::Change(*underlying, last, quote.referencePrice)));
}

}  // namespace Terminal::Ui
