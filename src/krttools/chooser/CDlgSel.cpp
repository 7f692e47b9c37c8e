#include "chooser/CDlgSel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QTreeWidget>

#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "platform/ControlId.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
namespace I = Kora::Interface;

namespace {
QString GroupKey(const QString& underlying, const QString& month, const QString& group) {
    return underlying + QLatin1Char('|') + month + QLatin1Char('|') + group;
}
}  // namespace

CDlgSel::CDlgSel(QWidget* parent) : CKrDlg(kTemplateId, parent) {
    setWindowTitle(QStringLiteral("添加"));
    auto* layout = new QHBoxLayout(this);
    m_tree = new QTreeWidget(this);
    Win::SetControlId(m_tree, kTreeId);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_list = new QListWidget(this);
    Win::SetControlId(m_list, kListId);
    m_list->setViewMode(QListView::ListMode);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_list, 1);
    resize(520, 360);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { FillList(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { Choose(); });
}

bool CDlgSel::OnInitDialog() {
    // Black text stays readable on a dark terminal only on the list's own white ground.
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    m_list->setPalette(palette);
    m_list->setGridSize(QSize(120, m_list->fontMetrics().height() + 6));
    m_list->clear();
    FillTree();
    return true;
}

void CDlgSel::keyPressEvent(QKeyEvent* event) {
    // The lists pass Enter on to the dialog, which has no default button to press.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        done(QDialog::Accepted);
        return;
    }
    CKrDlg::keyPressEvent(event);
}

void CDlgSel::FillTree() {
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    if (!options) {
        return;
    }
    for (const I::QuoteKey& underlying : options->GetUnderlyings()) {
        const QString name = options->GetUnderlyingName(underlying);
        auto* root = new QTreeWidgetItem(m_tree, {name});
        for (const QString& month : options->GetMonths(underlying)) {
            auto* monthItem = new QTreeWidgetItem(root, {month});
            for (const I::QuoteKey& option : options->GetOptions(underlying, month)) {
                I::OptionRecord record;
                if (!options->GetOptionRecord(option, record)) {
                    continue;
                }
                const QString group = record.IsPut() ? QStringLiteral("认沽") : QStringLiteral("认购");
                auto [it, created] = m_groups.try_emplace(GroupKey(name, month, group));
                it->second.push_back(option);
                if (created) {
                    new QTreeWidgetItem(monthItem, {group});
                }
            }
        }
    }
}

void CDlgSel::FillList() {
    QTreeWidgetItem* item = m_tree->currentItem();
    QStringList path;
    for (QTreeWidgetItem* at = item; at && path.size() < 3; at = at->parent()) {
        path.prepend(at->text(0));
    }
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    m_listKeys.clear();
    m_selection.clear();
    auto group = m_groups.find(path.join(QLatin1Char('|')));
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    if (group != m_groups.end() && quotes) {
        for (const I::QuoteKey& key : group->second) {
            I::ContractInfo info;
            if (!quotes->GetContractInfo(key, info)) {
                continue;
            }
            new QListWidgetItem(info.name, m_list);
            m_listKeys.push_back(key);
        }
    }
    m_list->setUpdatesEnabled(true);
    if (m_list->count() > 0) {
        m_list->setCurrentRow(0);
        m_list->setFocus();
    }
}

void CDlgSel::Choose() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    m_selection.clear();
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        if (!item->isSelected()) {
            continue;
        }
        m_selection.push_back(m_listKeys[static_cast<size_t>(row)]);
        m_choice = m_selection.back();
    }
    done(QDialog::Accepted);
}
