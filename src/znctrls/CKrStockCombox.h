#pragma once

#include <QComboBox>
#include <vector>

// The contract chooser: an editable combo box that lists contracts as "code name" and takes a
// code typed by the user. It reports a list entry the user picks and every edit the user makes
// to the typed text; what a typed code names is the owner's to decide. Changes the owner makes
// (a new list, the contract shown) are never reported back.
class CKrStockCombox : public QComboBox {
    Q_OBJECT
public:
    struct Entry {
        QString exchangeCode;
        QString contractCode;
        QString name;
    };

    explicit CKrStockCombox(QWidget* parent = nullptr);

    // Replaces the list; the text shown stays as it was.
    void SetContracts(std::vector<Entry> entries);
    const std::vector<Entry>& Contracts() const { return m_entries; }
    // The entry whose code is `code`, compared without regard to case; -1 when none.
    int FindCode(const QString& code) const;
    // Shows a contract as the current one: its entry when listed, else its code.
    void ShowContract(const QString& exchangeCode, const QString& contractCode);
    // The code in the edit: the text up to the first space, trimmed.
    QString TypedCode() const;

signals:
    // The user picked the entry at `index` of Contracts().
    void contractSelected(int index);
    // The user changed the typed text; `code` is TypedCode().
    void codeEdited(const QString& code);

private:
    std::vector<Entry> m_entries;
};
