#include "app/report/report_links.h"

#include "app/report/html_text.h"

namespace konwerter::app {

namespace {

std::string_view FolderOf(std::string_view program_path) {
  const std::size_t slash = program_path.find_last_of('\\');
  return slash == std::string_view::npos ? std::string_view() : program_path.substr(0, slash + 1);
}

}  // namespace

std::string ReportFolderOf(const ConversionResult& result) {
  return std::string(FolderOf(result.report_path));
}

std::string ReportFileLink(const ConversionResult& result, std::string_view program_path,
                           std::string_view label) {
  const std::string_view folder = FolderOf(program_path);
  if (!folder.empty() && folder == FolderOf(result.report_path)) {
    return "<a href=\"" + HtmlText(program_path.substr(folder.size())) + "\">" +
           std::string(label) + "</a>";
  }
  return HostPathMarkup(program_path);
}

std::string OutputPathMarkup(const ConversionResult& result, std::string_view program_path) {
  const std::string path = HtmlHostPath(program_path);
  const std::string output = HtmlHostPath(result.output_path);
  if (!output.empty() && path.size() > output.size() && path.starts_with(output)) {
    return PathMarkup(std::string_view(path).substr(output.size()));
  }
  return PathMarkup(path);
}

}  // namespace konwerter::app
