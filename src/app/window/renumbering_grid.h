#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace konwerter::app::window {

// One data row of the renumbering grid: the two cells as the operator typed them (cp1250).
struct RenumberingRow {
  std::string old_number;  // column 0, "Stary numer"
  std::string new_number;  // column 1, "Nowy numer"
  friend bool operator==(const RenumberingRow&, const RenumberingRow&) = default;
};

struct GridColumn {
  std::string title;  // cp1250
  int width = 0;      // pixels
};

// The grid's two columns and the height of every row (the title row included), in pixels.
std::vector<GridColumn> RenumberingGridColumns();
inline constexpr int kGridRowHeight = 16;
// The row numbers left of the two columns (messages name a row by its number), in pixels;
// the grid is that much wider than the two columns and its scroll bar need.
inline constexpr int kRowNumberWidth = 28;

// The renumbering grid's content: one or more data rows under a fixed title row, and the
// current row. A toolkit's grid shows these rows and reports every edit back.
class RenumberingGrid {
 public:
  RenumberingGrid() : rows_(1) {}

  const std::vector<RenumberingRow>& rows() const { return rows_; }
  int row_count() const { return static_cast<int>(rows_.size()); }
  int current_row() const { return current_; }

  // Cell text; column 0 is the old number, 1 the new. REQUIRES: row and column in range.
  const std::string& Cell(int row, int column) const;
  void SetCell(int row, int column, std::string text);
  // Ignored when out of range.
  void SetCurrentRow(int row);

  // "Dodaj nowy wiersz": an empty row at the end, made current.
  void AppendRow();
  // "Usuń wiersz": removes the current row; when it is the only row its cells are emptied.
  void DeleteCurrentRow();
  // Replaces every row (an empty list gives one empty row); the first row becomes current.
  void Assign(std::vector<RenumberingRow> rows);

 private:
  std::vector<RenumberingRow> rows_;
  int current_ = 0;
};

// The rows the dialog shows for the renumbering file's text: one per line that holds a "|",
// the text before the first "|" and at most 10 characters after it, nothing trimmed or
// checked; no row when no line holds a "|". Lines end in CR LF or LF.
std::vector<RenumberingRow> RowsFromFileText(std::string_view text);

// Reads the renumbering file into rows; nullopt when it cannot be opened.
std::optional<std::vector<RenumberingRow>> ReadRenumberingRows(std::string_view path);

// What is wrong with the rows, as a Polish message naming the first faulty row (cp1250), or
// nullopt when they may be written. A row whose two cells are empty (spaces only) is passed
// over; otherwise both cells must hold a commune number from 0 to 9999 (one to four digits,
// surrounding spaces allowed).
std::optional<std::string> RowsProblem(const std::vector<RenumberingRow>& rows);

// The renumbering file's text for rows that passed RowsProblem: one line "old|new" ending in
// CR LF per row in grid order, the cells without their surrounding spaces, empty rows left
// out. The loader reads every line back to the same numbers.
std::string FileTextFromRows(const std::vector<RenumberingRow>& rows);

// Writes the text to the file, replacing it; false when it cannot be written.
bool WriteRenumberingFile(std::string_view path, std::string_view text);

}  // namespace konwerter::app::window
