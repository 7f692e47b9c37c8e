#include "CKrOwnerDrawList.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <utility>

#include "platform/ColorRef.h"

namespace {

constexpr uint32_t kBackground = 0xFFFFFF;
constexpr uint32_t kSelected = 0xF5E8DD;
constexpr uint32_t kSummary = 0xEEF3F7;
constexpr uint32_t kGrid = 0xE0E0E0;
constexpr uint32_t kTextColour = 0x202020;
constexpr uint32_t kRise = 0x2020D8;  // red
constexpr uint32_t kFall = 0x309A10;  // green

// Hides itself with its list, chosen or not, so no stray box stays over the cell.
class ClosingComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    void hidePopup() override {
        QComboBox::hidePopup();
        hide();
    }
};

}  // namespace

class CKrOwnerDrawList::Model : public QAbstractTableModel {
public:
    explicit Model(CKrOwnerDrawList& list) : QAbstractTableModel(&list), m_list(list) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_list.m_rows; }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : m_list.ColumnCount();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole) {
            return m_list.CellText(index.row(), index.column());
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 || section >= m_list.ColumnCount()) {
            return {};
        }
        if (role == Qt::DisplayRole) {
            return m_list.m_columns[static_cast<size_t>(section)].title;
        }
        if (role == Qt::TextAlignmentRole) {
            return int(Qt::AlignCenter);
        }
        return {};
    }

    void Resize(int from, int to) {
        if (to > from) {
            beginInsertRows({}, from, to - 1);
            m_list.m_rows = to;
            endInsertRows();
        } else if (to < from) {
            beginRemoveRows({}, to, from - 1);
            m_list.m_rows = to;
            endRemoveRows();
        }
        // Every text may have changed: the whole page is drawn again.
        m_list.viewport()->update();
    }
    void ColumnsChanged() {
        beginResetModel();
        endResetModel();
    }

private:
    CKrOwnerDrawList& m_list;
};

class CKrOwnerDrawList::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(CKrOwnerDrawList& list) : QStyledItemDelegate(&list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int row = index.row();
        const int column = index.column();
        const bool summary = m_list.m_summaryLastRow && row == m_list.m_rows - 1;
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(option.rect, Win::FromColorRef(summary    ? kSummary
                                                         : selected ? kSelected
                                                                    : kBackground));
        const QString text = m_list.CellText(row, column);
        const Column& c = m_list.m_columns[static_cast<size_t>(column)];
        const auto hook = m_list.m_painters.find(c.key);
        const bool drawn = hook != m_list.m_painters.end() && hook->second(*painter, option.rect, row, text);
        if (!drawn) {
            QFont font = option.font;
            font.setBold(summary);
            painter->setFont(font);
            uint32_t colour = kTextColour;
            if (c.displayClass == kSignedFigure) {
                const double value = text.toDouble();
                colour = value > 0 ? kRise : value < 0 ? kFall : kTextColour;
            }
            painter->setPen(Win::FromColorRef(colour));
            const QRect area = option.rect.adjusted(3, 0, -3, 0);
            painter->drawText(area, Qt::AlignCenter | Qt::TextSingleLine,
                              painter->fontMetrics().elidedText(text, Qt::ElideRight, area.width()));
        }
        painter->restore();
    }

private:
    CKrOwnerDrawList& m_list;
};

CKrOwnerDrawList::CKrOwnerDrawList(QWidget* parent)
    : QTableView(parent), m_model(new Model(*this)), m_owner(parent) {
    setModel(m_model);
    setItemDelegate(new Delegate(*this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setStretchLastSection(false);
    setGridStyle(Qt::SolidLine);
    setStyleSheet(
        QStringLiteral("QTableView { background: white; gridline-color: %1; border: 1px solid #C8C8C8; }"
                       "QHeaderView { background: #F0F0F0; }"
                       "QHeaderView::section { background: #F0F0F0; color: #202020; border: none;"
                       " border-right: 1px solid #D8D8D8; border-bottom: 1px solid #D0D0D0; padding: 3px; }")
            .arg(Win::FromColorRef(kGrid).name()));
    SetRowHeight(22);

    m_editor = new QLineEdit(viewport());
    m_editor->setAlignment(Qt::AlignCenter);
    m_editor->hide();
    m_editor->installEventFilter(this);
    connect(m_editor, &QLineEdit::editingFinished, this, [this] {
        if (auto done = std::exchange(m_editDone, {})) {
            m_editor->hide();
            done(m_editor->text());
        }
    });
    m_chooser = new ClosingComboBox(viewport());
    m_chooser->hide();
    connect(m_chooser, &QComboBox::activated, this, [this](int index) {
        m_chooser->hide();
        if (auto chosen = std::exchange(m_choiceDone, {})) {
            chosen(m_chooser->itemText(index));
        }
    });
}

CKrOwnerDrawList::~CKrOwnerDrawList() = default;

void CKrOwnerDrawList::InsertColumn(const QString& title, const QString& key, int width, int displayClass) {
    m_columns.push_back({title, key, width, displayClass});
    m_model->ColumnsChanged();
    for (size_t i = 0; i < m_columns.size(); ++i) {
        setColumnWidth(static_cast<int>(i), m_columns[i].width);
    }
}

QString CKrOwnerDrawList::ColumnKey(int column) const {
    return column >= 0 && column < ColumnCount() ? m_columns[static_cast<size_t>(column)].key : QString();
}

int CKrOwnerDrawList::ColumnOf(const QString& key) const {
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].key == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CKrOwnerDrawList::ColumnDisplayClass(int column) const {
    return column >= 0 && column < ColumnCount() ? m_columns[static_cast<size_t>(column)].displayClass : 0;
}

void CKrOwnerDrawList::SetTextSource(TextSource source) {
    m_source = std::move(source);
    viewport()->update();
}

void CKrOwnerDrawList::SetCellPainter(const QString& key, CellPainter painter) {
    m_painters[key] = std::move(painter);
}

void CKrOwnerDrawList::SetSummaryLastRow(bool summary) {
    m_summaryLastRow = summary;
    viewport()->update();
}

void CKrOwnerDrawList::SetRowHeight(int height) {
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(height);
}

void CKrOwnerDrawList::SetItemCount(int rows) {
    m_model->Resize(m_rows, std::max(0, rows));
}

QString CKrOwnerDrawList::CellText(int row, int column) const {
    if (!m_source || row < 0 || row >= m_rows || column < 0 || column >= ColumnCount()) {
        return {};
    }
    return m_source(row, m_columns[static_cast<size_t>(column)].key);
}

std::vector<int> CKrOwnerDrawList::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

QRect CKrOwnerDrawList::CellRect(int row, int column) const {
    return visualRect(m_model->index(row, column));
}

void CKrOwnerDrawList::mousePressEvent(QMouseEvent* event) {
    CloseEditors();
    QTableView::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid()) {
        return;
    }
    const QRect cell = visualRect(index);
    m_lastClick = {index.row(), index.column(), ColumnKey(index.column()), cell,
                   event->position().toPoint() - cell.topLeft()};
    Win::SendMessage(m_owner, kCellClicked, 1, reinterpret_cast<Win::LPARAM>(this));
}

void CKrOwnerDrawList::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    emit painted();
}

void CKrOwnerDrawList::EditCell(const QRect& area, const QString& text,
                                std::function<void(const QString&)> done) {
    CloseEditors();
    m_editDone = std::move(done);
    m_editor->setGeometry(area);
    m_editor->setText(text);
    m_editor->show();
    m_editor->setFocus();
    m_editor->selectAll();
}

void CKrOwnerDrawList::ChooseInCell(const QRect& area, const QStringList& choices, const QString& current,
                                    std::function<void(const QString&)> chosen) {
    CloseEditors();
    m_choiceDone = std::move(chosen);
    m_chooser->clear();
    m_chooser->addItems(choices);
    m_chooser->setCurrentText(current);
    m_chooser->setGeometry(area);
    m_chooser->show();
    m_chooser->showPopup();
}

void CKrOwnerDrawList::CloseEditors() {
    m_editDone = {};
    m_choiceDone = {};
    m_editor->hide();
    m_chooser->hide();
}

bool CKrOwnerDrawList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editor && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        CloseEditors();
        return true;
    }
    return QTableView::eventFilter(watched, event);
}
