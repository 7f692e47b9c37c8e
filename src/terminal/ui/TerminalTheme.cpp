#include "ui/TerminalTheme.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

namespace Terminal::Ui::Theme {

namespace {

const QColor kPanel{0x23, 0x28, 0x31};
const QColor kButton{0x2B, 0x31, 0x3B};
const QColor kText{0xDD, 0xE1, 0xE6};
const QColor kDisabledText{0x6B, 0x72, 0x7C};
const QColor kHighlight{0x1F, 0x4E, 0x86};

QPalette DarkPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, kWindow);
    palette.setColor(QPalette::WindowText, kText);
    palette.setColor(QPalette::Base, kBase);
    palette.setColor(QPalette::AlternateBase, QColor(0x17, 0x1B, 0x21));
    palette.setColor(QPalette::ToolTipBase, kPanel);
    palette.setColor(QPalette::ToolTipText, kText);
    palette.setColor(QPalette::PlaceholderText, kMuted);
    palette.setColor(QPalette::Text, kText);
    palette.setColor(QPalette::Button, kButton);
    palette.setColor(QPalette::ButtonText, kText);
    palette.setColor(QPalette::BrightText, kRise);
    palette.setColor(QPalette::Light, QColor(0x3A, 0x41, 0x4C));
    palette.setColor(QPalette::Midlight, QColor(0x30, 0x36, 0x40));
    palette.setColor(QPalette::Mid, QColor(0x26, 0x2B, 0x33));
    palette.setColor(QPalette::Dark, QColor(0x0E, 0x10, 0x14));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, kHighlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, kAccent);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, kDisabledText);
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, kWindow);
    return palette;
}

// Only the frame's own pieces are styled; tool dialogs keep the plain palette-driven look.
const char* const kFrameStyle = R"(
QMainWindow::separator { background: #0E1014; width: 3px; height: 3px; }
QMenuBar { background: #161A20; color: #DDE1E6; border-bottom: 1px solid #0E1014; padding: 2px 4px; }
QMenuBar::item { padding: 4px 12px; background: transparent; border-radius: 3px; }
QMenuBar::item:selected { background: #2B3440; }
QMenu { background: #1F242C; color: #DDE1E6; border: 1px solid #363D48; padding: 4px 0px; }
QMenu::item { padding: 5px 28px 5px 24px; }
QMenu::item:selected { background: #1F4E86; }
QMenu::item:disabled { color: #6B727C; }
QMenu::separator { height: 1px; background: #363D48; margin: 4px 8px; }
QMenu::indicator { width: 12px; height: 12px; left: 6px; }
QDockWidget { color: #C9CED6; }
QDockWidget::title { background: #20262E; padding: 5px 8px; border-bottom: 2px solid #3D8EF0; }
QHeaderView::section { background: #1E232A; color: #9AA3AE; border: none;
                       border-right: 1px solid #2A3039; border-bottom: 1px solid #2A3039; padding: 4px 6px; }
QTableView { gridline-color: #20252C; selection-background-color: #1F4E86; border: none; }
QTabBar::tab { background: #1B1F26; color: #9AA3AE; padding: 5px 16px; border: none;
               border-bottom: 2px solid transparent; }
QTabBar::tab:selected { color: #FFFFFF; border-bottom: 2px solid #3D8EF0; }
QTabBar::tab:hover { color: #DDE1E6; }
QStatusBar { background: #161A20; color: #9AA3AE; border-top: 1px solid #0E1014; }
QStatusBar::item { border: none; }
QStatusBar QLabel { padding: 0px 10px; }
QToolTip { background: #232831; color: #DDE1E6; border: 1px solid #363D48; }
QScrollBar:vertical { background: #14181D; width: 10px; margin: 0px; }
QScrollBar:horizontal { background: #14181D; height: 10px; margin: 0px; }
QScrollBar::handle { background: #353C47; border-radius: 4px; min-height: 24px; min-width: 24px; }
QScrollBar::handle:hover { background: #45505E; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0px; height: 0px; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
)";

}  // namespace

void Apply(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setPalette(DarkPalette());
    QFont font = app.font();
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Microsoft YaHei")});
    font.setPointSize(9);
    app.setFont(font);
    app.setStyleSheet(QString::fromUtf8(kFrameStyle));
}

}  // namespace Terminal::Ui::Theme
