#include "app/gui/file_dialog.h"

#include <QFileInfo>

namespace konwerter::gui {

FileOrFolderDialog::FileOrFolderDialog(QWidget* parent, const QString& folder)
    : QFileDialog(parent) {
  setObjectName(QStringLiteral("OpenDialog"));
  setOption(QFileDialog::DontUseNativeDialog);
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(QFileDialog::AnyFile);  // the typed name is not checked
  setOption(QFileDialog::ReadOnly, false);
  if (!folder.isEmpty()) setDirectory(folder);
  selectFile(QStringLiteral("*.*"));
}

void FileOrFolderDialog::accept() {
  const QStringList chosen = selectedFiles();
  if (!chosen.isEmpty() && QFileInfo(chosen.front()).isDir()) {
    // A folder is the choice: close as a dialog does, without the file dialog's own
    // accept, which would open the folder.
    QDialog::accept();  // NOLINT(bugprone-parent-virtual-call)
    return;
  }
  QFileDialog::accept();
}

std::optional<QString> ChooseFileOrFolder(QWidget* parent, QString& folder) {
  FileOrFolderDialog dialog(parent, folder);
  const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  folder = dialog.directory().absolutePath();
  if (!chosen) return std::nullopt;
  return dialog.selectedFiles().front();
}

}  // namespace konwerter::gui
