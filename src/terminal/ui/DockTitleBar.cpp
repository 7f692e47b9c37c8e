#include "ui/DockTitleBar.h"

#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

#include "ui/TerminalTheme.h"

namespace Terminal::Ui {

namespace {

constexpr int kHeight = 28;
constexpr int kAccentLine = 2;

QToolButton* TitleButton(const QString& glyph, const QString& tip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(glyph);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(kHeight - 6, kHeight - 6);
    button->setStyleSheet(
        QStringLiteral("QToolButton { color: #9AA3AE; border: none; border-radius: 3px; font-size: 13px; }"
                       "QToolButton:hover { background: #34404E; color: #FFFFFF; }"));
    return button;
}

}  // namespace

DockTitleBar::DockTitleBar(QDockWidget& dock) : QWidget(&dock), m_dock(dock) {
    setObjectName(QStringLiteral("DockTitleBar"));
    m_title = new QLabel(dock.windowTitle(), this);
    m_title->setStyleSheet(QStringLiteral("color: #DDE1E6; font-weight: bold;"));
    m_float = TitleButton(QStringLiteral("❐"), QStringLiteral("浮动/停靠"), this);
    m_close = TitleButton(QStringLiteral("✕"), QStringLiteral("关闭"), this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 4, kAccentLine);
    layout->setSpacing(2);
    layout->addWidget(m_title, 1);
    layout->addWidget(m_float);
    layout->addWidget(m_close);

    connect(m_float, &QToolButton::clicked, &dock, [this] { m_dock.setFloating(!m_dock.isFloating()); });
    connect(m_close, &QToolButton::clicked, &dock, &QDockWidget::close);
    connect(&dock, &QDockWidget::windowTitleChanged, m_title, &QLabel::setText);
}

QSize DockTitleBar::sizeHint() const {
    return QSize(QWidget::sizeHint().width(), kHeight);
}

void DockTitleBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x20, 0x26, 0x2E));
    painter.fillRect(QRect(0, height() - kAccentLine, width(), kAccentLine), Theme::kAccent);
}

}  // namespace Terminal::Ui
