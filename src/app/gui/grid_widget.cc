#include "app/gui/grid_widget.h"

#include <QApplication>
#include <QHeaderView>
#include <QSignalBlocker>

#include "app/gui/qt_text.h"

namespace konwerter::gui {

namespace {

using app::window::kGridRowHeight;

}  // namespace

GridWidget::GridWidget(QWidget* parent) : QTableWidget(1, 2, parent) {
  const auto columns = app::window::RenumberingGridColumns();
  QStringList titles;
  for (const auto& column : columns) titles << FromCp1250(column.title);
  setHorizontalHeaderLabels(titles);
  for (int i = 0; i < static_cast<int>(columns.size()); ++i) setColumnWidth(i, columns[i].width);
  // Row numbers, as the messages about a faulty row name it.
  verticalHeader()->setFixedWidth(app::window::kRowNumberWidth);
  verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
  verticalHeader()->setHighlightSections(true);
  verticalHeader()->setMinimumSectionSize(kGridRowHeight);
  verticalHeader()->setDefaultSectionSize(kGridRowHeight);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setFixedHeight(kGridRowHeight + 1);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setHighlightSections(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Typing into a cell, F2 or a double click edit it; moving to a cell does not.
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  setTabKeyNavigation(true);
  setWordWrap(false);

  connect(this, &QTableWidget::cellChanged, this, [this](int row, int column) {
    if (grid_ == nullptr || row >= grid_->row_count()) return;
    const QTableWidgetItem* cell = item(row, column);
    grid_->SetCell(row, column, cell == nullptr ? std::string() : ToCp1250(cell->text()));
  });
  connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
    if (grid_ != nullptr) grid_->SetCurrentRow(row);
  });
}

void GridWidget::Show(app::window::RenumberingGrid& grid) {
  grid_ = &grid;
  const QSignalBlocker blocker(this);
  setRowCount(grid.row_count());
  for (int row = 0; row < grid.row_count(); ++row) {
    for (int column = 0; column < 2; ++column) {
      setItem(row, column, new QTableWidgetItem(FromCp1250(grid.Cell(row, column))));
    }
  }
  setCurrentCell(grid.current_row(), currentColumn() < 0 ? 0 : currentColumn());
}

// A click on the current cell opens its editor as soon as the click is over. The view
// itself would wait for a possible double click first and, meanwhile, take the first key
// typed for a search in the grid: that digit was lost ("12" became "2").
bool GridWidget::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (trigger != SelectedClicked) return QTableWidget::edit(index, trigger, event);
  if (!(editTriggers() & SelectedClicked)) return false;
  clicked_cell_ = index;
  return true;
}

void GridWidget::mouseReleaseEvent(QMouseEvent* event) {
  QTableWidget::mouseReleaseEvent(event);  // ends by leaving any state the click began
  if (!clicked_cell_.isValid()) return;
  const QModelIndex cell = clicked_cell_;
  clicked_cell_ = QPersistentModelIndex();
  QTableWidget::edit(cell, EditKeyPressed, nullptr);
}

void GridWidget::CommitEdit() {
  if (state() != QAbstractItemView::EditingState) return;
  QWidget* editor = QApplication::focusWidget();
  if (editor == nullptr || !isAncestorOf(editor)) return;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

}  // namespace konwerter::gui
