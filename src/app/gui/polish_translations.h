#pragma once

#include <QTranslator>

namespace konwerter::gui {

// Puts Qt's own texts (the file dialog's buttons, labels and columns, the context menus of
// text fields) into Polish: Qt's Polish translations from the translations folder of the Qt
// installation (Debian: qt6-translations-l10n). `translator` must outlive the application's
// windows. False when the translations are not installed; Qt's texts stay English then.
bool InstallPolishTranslations(QTranslator& translator);

}  // namespace konwerter::gui
