#include "app/gui/polish_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace konwerter::gui {

bool InstallPolishTranslations(QTranslator& translator) {
  if (!translator.load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return false;
  }
  return QCoreApplication::installTranslator(&translator);
}

}  // namespace konwerter::gui
