#include "ladder/QuickMouseStyle.h"

QString QuickMouseStyleSheet(const QString& windowClass) {
    return windowClass +
           QStringLiteral(
               " { background: #F5F6F8; }"
               "QPushButton { background: #FFFFFF; border: 1px solid #B9C1CC; border-radius: 2px;"
               "  padding: 2px 4px; min-height: 18px; }"
               "QPushButton:hover { background: #EAF1FB; border-color: #7C9CC8; }"
               "QPushButton:pressed { background: #D6E3F5; }"
               "QComboBox { background: #FFFFFF; color: #1A1A1A; border: 1px solid #B9C1CC;"
               "  padding: 1px 4px; min-height: 20px; }"
               "QComboBox:disabled { background: #F0F0F0; color: #6E6E6E; }"
               "QLineEdit { background: #FFFFFF; color: #1A1A1A; selection-background-color: #3378D6; }"
               "QToolButton { border: none; }"
               "QLabel { color: #333333; }");
}
