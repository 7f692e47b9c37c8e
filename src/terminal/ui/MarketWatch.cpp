#include "ui/MarketWatch.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "kora/interface/Topics.h"
#include "ui/OptionChainView.h"
#include "ui/QuoteTableModel.h"
#include "ui/QuoteViewStyle.h"

namespace Terminal::Ui {

namespace {

using Market::InstrumentKind;

struct Category {
    const char* title;
    bool (*holds)(InstrumentKind kind);
};

const Category kCategories[] = {
    {"全部", [](InstrumentKind) { return true; }},
    {"期货", [](InstrumentKind kind) { return kind == InstrumentKind::Future; }},
    {"期货期权", [](InstrumentKind kind) { return kind == InstrumentKind::FutureOption; }},
    {"股票基金",
     [](InstrumentKind kind) { return kind == InstrumentKind::Stock || kind == InstrumentKind::Fund; }},
    {"个股期权", [](InstrumentKind kind) { return kind == InstrumentKind::StockOption; }},
};

const char* const kChainTitle = "期权T型报价";

constexpr int kColumnWidths[QuoteTableModel::kColumnCount] = {112, 132, 76, 64, 70, 76, 56, 76, 56, 76, 64};
constexpr int kRowHeight = 24;
constexpr int kNarrowest = 52;

// Rows of the chosen category, in catalogue order.
class CategoryFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetCategory(const Category* category) {
        m_category = category;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex&) const override {
        const auto* quotes = static_cast<const QuoteTableModel*>(sourceModel());
        return !m_category || m_category->holds(quotes->InstrumentAt(sourceRow).kind);
    }

private:
    const Category* m_category = nullptr;
};

}  // namespace

MarketWatch::MarketWatch(const Market::Simulator& market, NormalMsgCenter& messages, QWidget* parent)
    : QWidget(parent), m_messages(messages) {
    setObjectName(QStringLiteral("MarketWatch"));
    m_model = new QuoteTableModel(market, this);
    auto* filter = new CategoryFilter(this);
    filter->setSourceModel(m_model);
    m_filter = filter;

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("MarketCategories"));
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    for (const Category& category : kCategories) {
        m_tabs->addTab(QString::fromUtf8(category.title));
    }
    m_tabs->addTab(QString::fromUtf8(kChainTitle));

    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("QuoteList"));
    m_view->setModel(m_filter);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setAlternatingRowColors(true);
    StyleQuoteView(*m_view, kRowHeight);
    // The figures share what width there is; code and name keep theirs.
    m_view->horizontalHeader()->setMinimumSectionSize(kNarrowest);
    for (int column = QuoteTableModel::kName + 1; column < QuoteTableModel::kColumnCount; ++column) {
        m_view->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_chain = new OptionChainView(market, this);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(m_view);
    m_pages->addWidget(m_chain);
    layout->addWidget(m_tabs);
    layout->addWidget(m_pages, 1);

    connect(m_tabs, &QTabBar::currentChanged, this, &MarketWatch::ShowCategory);
    connect(m_view, &QTableView::clicked, this, [this](const QModelIndex& index) {
        Announce(Kora::Interface::Topic::kListClick, InstrumentAtRow(index.row()));
    });
    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        Announce(Kora::Interface::Topic::kListDblClick, InstrumentAtRow(index.row()));
    });
    connect(m_chain, &OptionChainView::OptionClicked, this,
            [this](int option) { Announce(Kora::Interface::Topic::kListClick, option); });
    connect(m_chain, &OptionChainView::OptionDoubleClicked, this,
            [this](int option) { Announce(Kora::Interface::Topic::kListDblClick, option); });

    m_refresh = new QTimer(this);
    connect(m_refresh, &QTimer::timeout, m_model, &QuoteTableModel::Refresh);
    m_refresh->start(kRefreshMs);
    ArrangeDefault();
}

QString MarketWatch::CategoryTitle() const {
    return m_tabs->tabText(m_tabs->currentIndex());
}

void MarketWatch::ShowCategoryTitled(const QString& title) {
    for (int tab = 0; tab < m_tabs->count(); ++tab) {
        if (m_tabs->tabText(tab) == title) {
            m_tabs->setCurrentIndex(tab);
            return;
        }
    }
}

std::map<QString, int> MarketWatch::ColumnWidths() const {
    std::map<QString, int> widths;
    const QHeaderView* header = m_view->horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        if (header->sectionResizeMode(column) == QHeaderView::Interactive) {
            widths[ColumnTitle(column)] = header->sectionSize(column);
        }
    }
    return widths;
}

void MarketWatch::SetColumnWidths(const std::map<QString, int>& widths) {
    QHeaderView* header = m_view->horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        const auto width = widths.find(ColumnTitle(column));
        if (width != widths.end() && header->sectionResizeMode(column) == QHeaderView::Interactive) {
            header->resizeSection(column, std::max(width->second, header->minimumSectionSize()));
        }
    }
}

void MarketWatch::ArrangeDefault() {
    m_tabs->setCurrentIndex(0);
    for (int column = 0; column < QuoteTableModel::kColumnCount; ++column) {
        m_view->setColumnWidth(column, kColumnWidths[column]);
    }
}

QString MarketWatch::ColumnTitle(int column) const {
    return m_view->model()->headerData(column, Qt::Horizontal).toString();
}

void MarketWatch::ShowCategory(int tab) {
    const bool chain = tab == int(std::size(kCategories));
    m_pages->setCurrentWidget(chain ? static_cast<QWidget*>(m_chain) : m_view);
    if (tab >= 0 && !chain) {
        static_cast<CategoryFilter*>(m_filter)->SetCategory(&kCategories[tab]);
    }
}

void MarketWatch::ShowChain(int underlying) {
    if (underlying >= 0) {
        m_chain->ShowUnderlying(underlying);
    }
    m_tabs->setCurrentIndex(int(std::size(kCategories)));
}

int MarketWatch::InstrumentAtRow(int viewRow) const {
    const QModelIndex index = m_filter->index(viewRow, 0);
    return index.isValid() ? m_filter->mapToSource(index).row() : -1;
}

int MarketWatch::RowOfInstrument(int instrument) const {
    return m_filter->mapFromSource(m_model->index(instrument, 0)).row();
}

void MarketWatch::Choose(int instrument) {
    if (RowOfInstrument(instrument) < 0 || m_pages->currentWidget() != m_view) {
        m_tabs->setCurrentIndex(0);
    }
    const int row = RowOfInstrument(instrument);
    if (row < 0) {
        return;
    }
    m_view->selectRow(row);
    m_view->scrollTo(m_filter->index(row, 0));
    Announce(Kora::Interface::Topic::kListClick, instrument);
}

void MarketWatch::Announce(const QString& topic, int instrument) {
    if (instrument < 0) {
        return;
    }
    Json::Value payload(Json::objectValue);
    payload["Stock"] = m_model->KeyAt(instrument).ToText().toStdString();
    payload["CWID"] = kWindowId;
    payload["KRTFrame"] = kFrameId;
    m_messages.Post(topic, std::move(payload));
}

}  // namespace Terminal::Ui
