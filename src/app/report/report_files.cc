#include "app/report/report_files.h"

#include <exception>
#include <span>

#include "app/report/report_html.h"
#include "app/report/summary_json.h"
#include "platform/dos_path.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/io_error.h"

namespace konwerter::app {

namespace {

void WriteTextFile(const std::string& path, std::string_view text) {
  platform::File file = platform::File::Create(platform::HostPath(path));
  file.Write(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  if (!file.Close()) {
    throw platform::IoError(platform::IoFault::kClose, platform::HostPath(path).string());
  }
}

}  // namespace

void WriteReportFiles(std::string_view folder, ConversionResult& result) {
  const std::string base(folder);
  result.summary_path = base + std::string(kSummaryFileName);
  result.report_path = base + std::string(kReportFileName);
  WriteTextFile(result.summary_path, SummaryJson(result).dump(2) + "\n");
  WriteTextFile(result.report_path, ReportHtml(result));
}

void WriteReportFilesAfterAbort(std::string_view folder, ConversionResult& result) noexcept {
  try {
    platform::CreateFolders(folder);
    WriteReportFiles(folder, result);
  } catch (const std::exception&) {
    result.report_path.clear();
    result.summary_path.clear();
  }
}

}  // namespace konwerter::app
