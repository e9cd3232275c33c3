#include "app/window/main_window.h"

#include "renumber/renumbering_file.h"

namespace konwerter::app::window {

namespace {

// The window is busy for as long as the object lives.
class BusyWindow {
 public:
  explicit BusyWindow(MainWindowHost& host) : host_(host) { host_.SetBusy(true); }
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;
  ~BusyWindow() { host_.SetBusy(false); }

 private:
  MainWindowHost& host_;
};

}  // namespace

std::string FolderOfFile(std::string_view file_path) {
  const std::size_t separator = file_path.find_last_of("\\/");
  if (separator == std::string_view::npos) return {};
  return std::string(file_path.substr(0, separator + 1));
}

MainWindow::MainWindow(std::string_view program_path)
    : output_folder_(FolderOfFile(program_path)),
      dialog_(renumber::RenumberingFilePath(program_path), options_.segment_one) {}

void MainWindow::ChooseFolder(MainWindowHost& host, std::string& edit) {
  const std::optional<std::string> file = host.ChooseFile();
  if (!file) return;
  edit = FolderOfFile(*file);
  host.ShowFields();
}

void MainWindow::Button1Click(MainWindowHost& host) {
  ChooseFolder(host, input_folder_);
}

void MainWindow::Button2Click(MainWindowHost& host) {
  ChooseFolder(host, output_folder_);
}

void MainWindow::CheckBoxClicked(MainWindowHost& host, std::string_view box_name, bool checked) {
  bool* option = CheckBoxOption(options_, box_name);
  if (option == nullptr) return;
  *option = checked;
  if (box_name != "cbgmina" || !checked) return;
  if (!host.RunRenumberingDialog()) {
    *option = false;
    host.ShowFields();
  }
}

ConversionRequest MainWindow::Request() const {
  ConversionRequest request;
  request.input_folder = input_folder_;
  request.output_folder = output_folder_;
  request.options = options_;
  request.renumbering_file = dialog_.file_path();
  return request;
}

std::optional<ConversionResult> MainWindow::BitBtn1Click(MainWindowHost& host,
                                                         ConversionServices services) {
  if (input_folder_.empty() || output_folder_.empty()) return std::nullopt;
  ConversionRequest request = Request();
  ConversionResult result;
  {
    const BusyWindow busy(host);
    result =
        RunConversion(request, services.session, services.view, services.messages, services.clock);
  }
  input_folder_ = request.input_folder;
  output_folder_ = request.output_folder;
  host.ShowFields();
  // Converted, with or without warnings: the final message has been read, the work is done.
  if (result.outcome == RunOutcome::kSucceeded ||
      result.outcome == RunOutcome::kSucceededWithWarnings) {
    host.CloseWindow();
  }
  return result;
}

}  // namespace konwerter::app::window
