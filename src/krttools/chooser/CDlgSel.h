#pragma once

#include <QString>
#include <map>
#include <vector>

#include "CKrDlg.h"
#include "kora/interface/QuoteKey.h"

class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

// "添加" (template 11006): picks listed options from a tree of underlyings, expiry months and
// "认购"/"认沽" groups. A double click on the list chooses its selected options; a caller reads
// Choice() (negative market: nothing chosen) or Selection() after the dialog closes.
class CDlgSel : public CKrDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11006;
    static constexpr int kTreeId = 11086;
    static constexpr int kListId = 11087;

    explicit CDlgSel(QWidget* parent = nullptr);

    const Kora::Interface::QuoteKey& Choice() const { return m_choice; }
    const std::vector<Kora::Interface::QuoteKey>& Selection() const { return m_selection; }

    QTreeWidget* Tree() const { return m_tree; }
    QListWidget* List() const { return m_list; }

    // Fills the list from the group of the tree's current item; exposed for the tree's signal.
    void FillList();
    // Chooses the list's selected options and closes with OK.
    void Choose();

protected:
    bool OnInitDialog() override;
    // Enter is the dialog's OK: it closes as accepted and chooses nothing a double click did not.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FillTree();

    QTreeWidget* m_tree = nullptr;
    QListWidget* m_list = nullptr;
    std::vector<Kora::Interface::QuoteKey> m_selection;
    Kora::Interface::QuoteKey m_choice;
    std::map<QString, std::vector<Kora::Interface::QuoteKey>> m_groups;
    // The keys of the list's items, by row.
    std::vector<Kora::Interface::QuoteKey> m_listKeys;
};
