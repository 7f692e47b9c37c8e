#include "ladder/CodeLock.h"

#include <QToolButton>

#include "ladder/QuickMouseHost.h"
#include "platform/ControlId.h"

namespace {

QToolButton* LockButton(QWidget& window, int id, const char* image, const char* tip) {
    auto* button = Win::WithControlId(new QToolButton(&window), id);
    button->setIcon(QIcon(QuickMouseHost::TradeImage(QString::fromUtf8(image))));
    button->setIconSize(QSize(20, 20));
    button->setFixedSize(22, 22);
    button->setToolTip(QString::fromUtf8(tip));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

CodeLock::CodeLock(QWidget& window)
    : QObject(&window),
      m_locked(LockButton(window, kLockedId, "交易代码锁定按钮背景图", "代码已锁定，点击解锁")),
      m_unlocked(LockButton(window, kUnlockedId, "交易代码解锁按钮背景图", "代码未锁定，点击锁定")) {
    connect(m_locked, &QToolButton::clicked, this, [this] {
        SetLocked(false);
        emit lockChanged(false);
    });
    connect(m_unlocked, &QToolButton::clicked, this, [this] {
        SetLocked(true);
        emit lockChanged(true);
    });
    SetLocked(false);
}

void CodeLock::SetLocked(bool locked) {
    m_isLocked = locked;
    m_locked->setVisible(locked);
    m_unlocked->setVisible(!locked);
}
