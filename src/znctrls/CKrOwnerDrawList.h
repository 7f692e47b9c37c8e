#pragma once

#include <QStringList>
#include <QTableView>
#include <functional>
#include <map>
#include <vector>

#include "platform/WinMessage.h"

class QComboBox;
class QLineEdit;

// An owner-drawn grid over a row count: the owner declares its columns (title, record key,
// width, display class), sets how many rows there are and answers each cell's text by row and
// key; the grid keeps no data of its own. Cells are drawn centred in one line. The last row can
// be marked as a summary row (drawn bold on a tinted band).
//
// Display classes: 1 a number, 2 a text, 4 a signed figure, drawn red above zero and green
// below. A column's painter may draw over a cell (pictures, a check box) and say whether the
// text is still to be drawn.
//
// A left click on a cell selects its row and sends kCellClicked to the owner (WPARAM 1, LPARAM
// the grid); the owner reads LastClick(). The owner may then edit the cell in place: a line
// edit (Enter or leaving it takes the text, Escape drops it) or a drop-down choice.
class CKrOwnerDrawList : public QTableView, public Win::MessageWindow {
    Q_OBJECT
public:
    static constexpr Win::UINT kCellClicked = 5147;
    enum DisplayClass { kNumber = 1, kText = 2, kSignedFigure = 4 };

    using TextSource = std::function<QString(int row, const QString& key)>;
    // Draws over a cell after its background; true when the cell's text is not to be drawn.
    using CellPainter =
        std::function<bool(QPainter& painter, const QRect& cell, int row, const QString& text)>;

    struct Click {
        int row = -1;
        int column = -1;
        QString key;
        QRect cell;     // in the grid's viewport
        QPoint inCell;  // the click, from the cell's top left
    };

    explicit CKrOwnerDrawList(QWidget* parent = nullptr);
    ~CKrOwnerDrawList() override;

    void InsertColumn(const QString& title, const QString& key, int width, int displayClass);
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    QString ColumnKey(int column) const;
    int ColumnOf(const QString& key) const;  // -1 when none
    int ColumnDisplayClass(int column) const;
    void SetTextSource(TextSource source);
    void SetCellPainter(const QString& key, CellPainter painter);
    void SetSummaryLastRow(bool summary);
    void SetRowHeight(int height);
    // Where kCellClicked goes (the parent widget by default).
    void SetOwner(QObject* owner) { m_owner = owner; }

    // Sets the row count and repaints every row.
    void SetItemCount(int rows);
    int GetItemCount() const { return m_rows; }
    // The text drawn in a cell.
    QString CellText(int row, int column) const;

    const Click& LastClick() const { return m_lastClick; }
    // Rows selected by the user, ascending.
    std::vector<int> SelectedRows() const;
    QRect CellRect(int row, int column) const;

    // In-place editing of a cell's area (inset as given, in viewport coordinates). `done` runs
    // once with the text taken; nothing runs when the edit is dropped.
    void EditCell(const QRect& area, const QString& text, std::function<void(const QString&)> done);
    void ChooseInCell(const QRect& area, const QStringList& choices, const QString& current,
                      std::function<void(const QString&)> chosen);
    QLineEdit* CellEditor() const { return m_editor; }
    QComboBox* CellChooser() const { return m_chooser; }

signals:
    // After each paint of the rows.
    void painted();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Model;
    class Delegate;
    friend class Model;
    friend class Delegate;

    struct Column {
        QString title;
        QString key;
        int width = 0;
        int displayClass = kText;
    };

    void CloseEditors();

    std::vector<Column> m_columns;
    TextSource m_source;
    std::map<QString, CellPainter> m_painters;
    bool m_summaryLastRow = false;
    int m_rows = 0;
    Model* m_model;
    QObject* m_owner = nullptr;
    Click m_lastClick;
    QLineEdit* m_editor = nullptr;
    QComboBox* m_chooser = nullptr;
    std::function<void(const QString&)> m_editDone;
    std::function<void(const QString&)> m_choiceDone;
};
