#include "app/window/main_window.h"

#include <filesystem>
#include <system_error>

#include "app/window/run_watch.h"
#include "platform/dos_path.h"
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

std::string WithFolderSeparator(std::string_view folder) {
  std::string shown(folder);
  if (shown.empty() || platform::EndsWithSeparator(shown)) return shown;
  // Windows takes the backslash, as the run does; elsewhere a path written the DOS way keeps
  // its backslashes and any other gets the host's separator.
  const bool host_is_slash = std::filesystem::path::preferred_separator == '/';
  const bool dos_way =
      shown.find('/') == std::string::npos && shown.find('\\') != std::string::npos;
  shown += host_is_slash && !dos_way ? '/' : '\\';
  return shown;
}

std::string ChosenFolder(std::string_view chosen_path) {
  std::error_code error;
  if (std::filesystem::is_directory(platform::HostPath(chosen_path), error)) {
    return WithFolderSeparator(chosen_path);
  }
  return FolderOfFile(chosen_path);
}

MainWindow::MainWindow(std::string_view program_path)
    : output_folder_(FolderOfFile(program_path)),
      options_(OptionsAtStart()),
      dialog_(renumber::RenumberingFilePath(program_path), options_) {}

void MainWindow::ChooseFolder(MainWindowHost& host, std::string& edit) {
  const std::optional<std::string> file = host.ChooseFile();
  if (!file) return;
  edit = ChosenFolder(*file);
  host.ShowFields();
}

void MainWindow::ChooseInputFolder(MainWindowHost& host) {
  ChooseFolder(host, input_folder_);
}

void MainWindow::ChooseOutputFolder(MainWindowHost& host) {
  ChooseFolder(host, output_folder_);
}

void MainWindow::SetOption(MainWindowHost& host, OptionBox box, bool checked) {
  SetChecked(options_, box, checked);
  if (box != OptionBox::kRenumberCommunes || !checked) return;
  if (!host.RunRenumberingDialog()) {
    SetChecked(options_, box, false);
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

std::optional<ConversionResult> MainWindow::StartConversion(MainWindowHost& host,
                                                            ConversionServices services) {
  if (input_folder_.empty() || output_folder_.empty()) return std::nullopt;
  ConversionRequest request = Request();
  ConversionResult result;
  {
    const BusyWindow busy(host);
    TableWatch watch(services.view);
    RunMessages messages(services.messages, watch);
    result = RunConversion(request, services.session, watch, messages, services.clock);
  }
  input_folder_ = WithFolderSeparator(input_folder_);
  output_folder_ = WithFolderSeparator(output_folder_);
  host.ShowFields();
  // Converted, with or without warnings: the final message has been read, the work is done.
  if (result.outcome == RunOutcome::kSucceeded ||
      result.outcome == RunOutcome::kSucceededWithWarnings) {
    host.CloseWindow();
  }
  return result;
}

}  // namespace konwerter::app::window
