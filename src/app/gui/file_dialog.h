#pragma once

#include <QFileDialog>
#include <QString>
#include <optional>

namespace konwerter::gui {

// The file-open dialog of both "Wybierz" buttons: Qt's own dialog (so its texts are the
// Polish ones of the installed translations), the name "*.*" given, the typed name not
// checked, no read-only box, resizable. Besides a file, it takes a folder: a folder chosen
// in the list (or typed) and confirmed with "Otwórz" is the answer itself, not a folder to
// go into (a double click still goes into it).
class FileOrFolderDialog final : public QFileDialog {
 public:
  // Opens in `folder` (the folder the dialog was last left in; empty: the current one).
  FileOrFolderDialog(QWidget* parent, const QString& folder);

  void accept() override;
};

// Runs the dialog; the path chosen, or nullopt when cancelled. `folder` is where the dialog
// opens and, afterwards, where it was left.
std::optional<QString> ChooseFileOrFolder(QWidget* parent, QString& folder);

}  // namespace konwerter::gui
