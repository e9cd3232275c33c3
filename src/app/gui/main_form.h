#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/gui/message_boxes.h"
#include "app/gui/renumbering_form.h"
#include "app/progress_view.h"
#include "app/window/main_window.h"
#include "platform/clock.h"
#include "platform/operator_messages.h"
#include "run/session.h"

namespace konwerter::gui {

// What the main window works with. Tests answer the messages and the file dialog
// themselves, and see which report would open; the program leaves these empty.
struct MainFormEnvironment {
  std::string program_path;  // cp1250; Edit2 starts as its folder
  run::Session& session;
  const platform::Clock& clock;
  platform::OperatorMessages* messages = nullptr;           // nullptr: message boxes
  std::function<std::optional<std::string>()> choose_file;  // empty: the file-open dialog
  UrlOpener open_url;                                       // empty: the system's browser
};

// TForm1, the main window: lays out its controls, forwards their events to the window's
// rules (app/window/main_window.h), and is the conversion's progress display. The
// conversion runs on the window's thread; while it runs the window repaints but takes no
// input, and shows the busy cursor. It owns the renumbering dialog TForm2.
class MainForm final : public QWidget,
                       public app::window::MainWindowHost,
                       public app::ProgressView {
 public:
  explicit MainForm(MainFormEnvironment environment);
  ~MainForm() override;

  app::window::MainWindow& rules() { return rules_; }
  RenumberingForm& renumbering_form() { return *dialog_; }
  bool busy() const { return busy_; }

  // MainWindowHost
  std::optional<std::string> ChooseFile() override;
  bool RunRenumberingDialog() override;
  void ShowFields() override;
  void SetBusy(bool busy) override;
  void CloseWindow() override { close(); }

  // ProgressView: ProgressBar1 with its position in `lile`, Label5, ProgressBar2.
  void ShowRunPosition(int position) override;
  void ShowTable(std::string_view caption, int record_maximum) override;
  void ShowRecordPosition(int position) override;
  void Pause() override { Repaint(); }
  void Reset() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectControls();
  void AddAboutEntry();
  void Convert();
  // Lets the window paint what changed; the operator's input waits.
  static void Repaint();

  MainFormEnvironment environment_;
  std::unique_ptr<MessageBoxes> message_boxes_;
  platform::OperatorMessages& messages_;
  app::window::MainWindow rules_;
  RenumberingForm* dialog_ = nullptr;  // a child window, deleted with the form
  QString file_dialog_folder_;         // where the file-open dialog was left
  bool busy_ = false;
};

}  // namespace konwerter::gui
