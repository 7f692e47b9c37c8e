#pragma once

#include <QString>

// Display texts of the one-character order codes that the terminal's pages show.
namespace Terminal::Ui::OrderCodeTexts {

QString Direction(char code);
QString Offset(char code);
QString Covered(char code);

}  // namespace Terminal::Ui::OrderCodeTexts
