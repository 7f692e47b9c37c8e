#pragma once

#include <QElapsedTimer>
#include <QLineEdit>
#include <functional>
#include <vector>

// The ladder's inline volume editor over an order cell. It edits the volume of one group of
// working orders; when it loses the focus (or Enter is pressed) it hides and posts
// QuickMouseMsg::kChangeVolume to the ladder's parent with the group's identifiers and the
// text entered. Escape hides it without a change.
class CListEdit : public QLineEdit {
    Q_OBJECT
public:
    // `target` receives the change; it is looked up when the edit ends, so it may change.
    CListEdit(QWidget* parent, std::function<QObject*()> target);

    // Shows the editor over `rect` holding `text`, focused with the caret at the end.
    // `doubleClicked` runs instead when the click that opened the editor turns out to be the
    // first of a double click, whose second click lands on the editor.
    void Open(const QRect& rect, const std::vector<QString>& orderIds, const QString& text,
              std::function<void()> doubleClicked);
    const std::vector<QString>& OrderIds() const { return m_orderIds; }
    bool IsOpen() const { return m_open; }

    // Hides and posts the change (nothing when not open, or when the text is empty: an
    // empty volume is no order).
    void Commit();
    // Hides without posting.
    void Dismiss();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::function<QObject*()> m_target;
    std::function<void()> m_doubleClicked;
    QElapsedTimer m_opened;
    std::vector<QString> m_orderIds;
    bool m_open = false;
};
