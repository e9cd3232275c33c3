#include "app/gui/qt_text.h"

#include "platform/text_encoding.h"

namespace konwerter::gui {

QString FromCp1250(std::string_view text) {
  return QString::fromStdString(platform::Utf8FromCp1250(text));
}

std::string ToCp1250(const QString& text) {
  return platform::Cp1250FromUtf8(text.toStdString());
}

}  // namespace konwerter::gui
