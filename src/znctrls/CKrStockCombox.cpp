#include "CKrStockCombox.h"

#include <QCompleter>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

QString EntryText(const CKrStockCombox::Entry& entry) {
    return entry.name.isEmpty() ? entry.contractCode : entry.contractCode + QLatin1Char(' ') + entry.name;
}

}  // namespace

CKrStockCombox::CKrStockCombox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(20);
    completer()->setCaseSensitivity(Qt::CaseInsensitive);
    completer()->setCompletionMode(QCompleter::PopupCompletion);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(m_entries.size())) {
            emit contractSelected(index);
        }
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { emit codeEdited(TypedCode()); });
}

void CKrStockCombox::SetContracts(std::vector<Entry> entries) {
    const QSignalBlocker blocker(this);
    const QString shown = currentText();
    m_entries = std::move(entries);
    clear();
    for (const Entry& entry : m_entries) {
        addItem(EntryText(entry));
    }
    setCurrentIndex(-1);
    setEditText(shown);
}

int CKrStockCombox::FindCode(const QString& code) const {
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].contractCode.compare(code, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CKrStockCombox::ShowContract(const QString& exchangeCode, const QString& contractCode) {
    const QSignalBlocker blocker(this);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].exchangeCode == exchangeCode && m_entries[i].contractCode == contractCode) {
            setCurrentIndex(static_cast<int>(i));
            return;
        }
    }
    setCurrentIndex(-1);
    setEditText(contractCode);
}

QString CKrStockCombox::TypedCode() const {
    return currentText().trimmed().section(QLatin1Char(' '), 0, 0);
}
