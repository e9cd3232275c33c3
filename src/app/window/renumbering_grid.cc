#include "app/window/renumbering_grid.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/dos_path.h"
#include "platform/text_encoding.h"

namespace konwerter::app::window {

namespace {

// The renumbering file keeps at most this many characters of a new number.
constexpr std::size_t kNewPartLength = 10;
constexpr int kLargestCommuneNumber = 9999;

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A number from 0 to 9999 in decimal, as the renumbering file's loader reads it too: a plus
// sign and leading zeros are allowed ("+5", "00012"). Negative numbers and numbers above
// 9999, which the loader would take by their low 16 bits, are refused as what they look like.
bool IsCommuneNumber(std::string_view cell) {
  std::string_view digits = TrimSpaces(cell);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  if (digits.empty() ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  int value = 0;
  for (const char digit : digits) {
    value = value * 10 + (digit - '0');
    if (value > kLargestCommuneNumber) return false;
  }
  return true;
}

bool IsEmptyRow(const RenumberingRow& row) {
  return TrimSpaces(row.old_number).empty() && TrimSpaces(row.new_number).empty();
}

std::string RowMessage(std::size_t index, std::string_view problem_utf8) {
  return platform::Cp1250FromUtf8("Wiersz " + std::to_string(index + 1) + ": " +
                                  std::string(problem_utf8));
}

}  // namespace

std::vector<GridColumn> RenumberingGridColumns() {
  return {{platform::Cp1250FromUtf8("Stary numer"), 75},
          {platform::Cp1250FromUtf8("Nowy numer"), 73}};
}

const std::string& RenumberingGrid::Cell(int row, int column) const {
  const RenumberingRow& cells = rows_.at(static_cast<std::size_t>(row));
  return column == 0 ? cells.old_number : cells.new_number;
}

void RenumberingGrid::SetCell(int row, int column, std::string text) {
  RenumberingRow& cells = rows_.at(static_cast<std::size_t>(row));
  (column == 0 ? cells.old_number : cells.new_number) = std::move(text);
}

void RenumberingGrid::SetCurrentRow(int row) {
  if (row >= 0 && row < row_count()) current_ = row;
}

void RenumberingGrid::AppendRow() {
  rows_.emplace_back();
  current_ = row_count() - 1;
}

void RenumberingGrid::DeleteCurrentRow() {
  if (rows_.size() == 1) {
    rows_.front() = RenumberingRow{};
    return;
  }
  rows_.erase(rows_.begin() + current_);
  current_ = std::min(current_, row_count() - 1);
}

void RenumberingGrid::Assign(std::vector<RenumberingRow> rows) {
  rows_ = std::move(rows);
  if (rows_.empty()) rows_.emplace_back();
  current_ = 0;
}

std::vector<RenumberingRow> RowsFromFileText(std::string_view text) {
  std::vector<RenumberingRow> rows;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t bar = line.find('|');
    if (bar == std::string_view::npos) continue;
    rows.push_back(
        {std::string(line.substr(0, bar)), std::string(line.substr(bar + 1, kNewPartLength))});
  }
  return rows;
}

std::optional<std::vector<RenumberingRow>> ReadRenumberingRows(std::string_view path) {
  std::ifstream file(platform::HostPath(path), std::ios::binary);
  if (!file) return std::nullopt;
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return RowsFromFileText(text);
}

std::optional<std::string> RowsProblem(const std::vector<RenumberingRow>& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const RenumberingRow& row = rows[i];
    if (IsEmptyRow(row)) continue;
    if (TrimSpaces(row.old_number).empty() || TrimSpaces(row.new_number).empty()) {
      return RowMessage(i, "należy podać stary i nowy numer gminy albo usunąć wiersz.");
    }
    if (!IsCommuneNumber(row.old_number) || !IsCommuneNumber(row.new_number)) {
      return RowMessage(i, "numer gminy musi być liczbą od 0 do 9999.");
    }
  }
  return std::nullopt;
}

std::string FileTextFromRows(const std::vector<RenumberingRow>& rows) {
  std::string text;
  for (const RenumberingRow& row : rows) {
    if (IsEmptyRow(row)) continue;
    text.append(TrimSpaces(row.old_number)).append("|");
    text.append(TrimSpaces(row.new_number)).append("\r\n");
  }
  return text;
}

bool WriteRenumberingFile(std::string_view path, std::string_view text) {
  std::ofstream file(platform::HostPath(path), std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  return static_cast<bool>(file);
}

}  // namespace konwerter::app::window
