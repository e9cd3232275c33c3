#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/conversion_driver.h"
#include "app/progress_view.h"
#include "app/window/option_boxes.h"
#include "app/window/renumbering_dialog.h"
#include "platform/clock.h"
#include "platform/operator_messages.h"
#include "run/run_options.h"
#include "run/session.h"

namespace konwerter::app::window {

// The folder part of a file's path with its trailing separator ("C:\DANE\users.dbf" gives
// "C:\DANE\", "/srv/dos/users.dbf" gives "/srv/dos/"); empty when the path holds no
// separator.
std::string FolderOfFile(std::string_view file_path);

// A folder's path ending in a separator, as a run completes it: a backslash on Windows and
// for a path written the DOS way ("C:\DANE" gives "C:\DANE\"), the host's separator
// otherwise ("/srv/dane" gives "/srv/dane/"); unchanged when it ends in one already.
std::string WithFolderSeparator(std::string_view folder);

// The folder that the file-open dialog's choice names: the chosen folder itself, or the
// folder of the chosen file (which need not exist).
std::string ChosenFolder(std::string_view chosen_path);

// What the rules of the main window need from a toolkit's window TForm1.
class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  // Runs the file-open dialog (file name "*.*", no read-only box, the typed name not
  // checked); the full path (cp1250) of the chosen file, or of a folder chosen itself, or
  // nullopt when cancelled.
  virtual std::optional<std::string> ChooseFile() = 0;
  // Shows the renumbering dialog modally; true when it ended with the OK result.
  virtual bool RunRenumberingDialog() = 0;
  // Shows the edits' texts and the check boxes' states of the window's fields again after
  // the rules changed them.
  virtual void ShowFields() = 0;
  // While a conversion runs: the busy cursor, and the window takes no input (it still
  // repaints through the progress display). Message boxes shown meanwhile answer as usual.
  virtual void SetBusy(bool busy) = 0;
  // Closes the window, which ends the program.
  virtual void CloseWindow() = 0;
};

// What a conversion started from the window runs with.
struct ConversionServices {
  run::Session& session;
  ProgressView& view;
  platform::OperatorMessages& messages;
  const platform::Clock& clock;
};

// The state and rules of the main window TForm1: the two folders (Edit1, Edit2), the check
// boxes (the run's options, the renumbering dialog's six boxes among them), and what each
// button does. A toolkit's window creates its controls from MainWindowSpec(), shows the
// fields, writes every edit change back into them, and forwards its buttons and boxes to the
// methods below: Button1 and Button2 to ChooseInputFolder() and ChooseOutputFolder(), BitBtn1
// to StartConversion(), BitBtn2 to Close(), each box of kMainWindowBoxes to SetOption(). No
// conversion logic lives in the window: "Konwersja" hands the fields to the conversion driver, the
// same one konwerter-cli runs.
class MainWindow {
 public:
  // `program_path`: the running program's full path (cp1250). Edit2 starts as its folder,
  // and the renumbering file lies beside it.
  explicit MainWindow(std::string_view program_path);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  std::string& input_folder() { return input_folder_; }  // Edit1 (cp1250)
  const std::string& input_folder() const { return input_folder_; }
  std::string& output_folder() { return output_folder_; }  // Edit2 (cp1250)
  const std::string& output_folder() const { return output_folder_; }
  // Every check box of both windows: IsChecked(options(), box).
  run::RunOptions& options() { return options_; }
  const run::RunOptions& options() const { return options_; }
  RenumberingDialog& renumbering_dialog() { return dialog_; }

  // "Wybierz" beside Edit1 and beside Edit2: the edit receives the folder of the file
  // chosen, or the folder chosen itself.
  void ChooseInputFolder(MainWindowHost& host);
  void ChooseOutputFolder(MainWindowHost& host);

  // A box of the main window was clicked and is now `checked`. Checking "Konwersja numerów
  // gmin" shows the renumbering dialog; unless it ends with OK, the box is unchecked again.
  // REQUIRES: `box` is one of kMainWindowBoxes.
  void SetOption(MainWindowHost& host, OptionBox box, bool checked);

  // "Konwersja": nothing when either edit is empty; otherwise a whole conversion
  // with the window busy. The edits then show the folders ending in a separator, as the run
  // completed them (on a host whose separator is "/", with that one). A failed run's end
  // names the table it stopped at. After success the window closes once its message has
  // been closed; otherwise it stays open. Returns the driver's result; nullopt when nothing
  // ran.
  std::optional<ConversionResult> StartConversion(MainWindowHost& host,
                                                  ConversionServices services);

  // "Anuluj": closes the window without a question.
  void Close(MainWindowHost& host) { host.CloseWindow(); }

  // The request "Konwersja" hands to the driver for the current fields.
  ConversionRequest Request() const;

 private:
  void ChooseFolder(MainWindowHost& host, std::string& edit);

  std::string input_folder_;
  std::string output_folder_;
  run::RunOptions options_;
  RenumberingDialog dialog_;
};

}  // namespace konwerter::app::window
