#pragma once

#include <QObject>

class QToolButton;
class QWidget;

// The padlock beside a quick-mouse window's code: two image buttons at one place, children of
// the window, the one showing telling whether the code is locked (11007) or not (11011); a click
// changes it. A locked window keeps its contract when other windows link another one to it.
class CodeLock : public QObject {
    Q_OBJECT
public:
    static constexpr int kLockedId = 11007;
    static constexpr int kUnlockedId = 11011;

    explicit CodeLock(QWidget& window);

    // Both buttons, for the window's layout: they stand at one place.
    QToolButton* LockedButton() const { return m_locked; }
    QToolButton* UnlockedButton() const { return m_unlocked; }

    bool IsLocked() const { return m_isLocked; }
    void SetLocked(bool locked);

signals:
    // The trader locked or unlocked the code.
    void lockChanged(bool locked);

private:
    QToolButton* m_locked;
    QToolButton* m_unlocked;
    bool m_isLocked = false;
};
