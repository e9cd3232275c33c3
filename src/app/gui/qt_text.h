#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace konwerter::gui {

// The program's cp1250 text shown by Qt, and text typed into Qt read back as cp1250 (a
// character cp1250 cannot hold becomes "?").
QString FromCp1250(std::string_view text);
std::string ToCp1250(const QString& text);

}  // namespace konwerter::gui
