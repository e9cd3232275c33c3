#pragma once

#include <QPersistentModelIndex>
#include <QTableWidget>

#include "app/window/renumbering_grid.h"

namespace konwerter::gui {

// The renumbering grid: two text columns under a title row, with row numbers on the left,
// edited in place, tab moving from cell to cell. It shows a RenumberingGrid and reports every edit
// and every move of the current row back to it.
class GridWidget final : public QTableWidget {
 public:
  explicit GridWidget(QWidget* parent);

  // Shows the rows of `grid` (the current row included) and reports to it from now on.
  void Show(app::window::RenumberingGrid& grid);
  // Ends an edit in progress, keeping what was typed (the flat buttons take no focus, so
  // the editor is still open when they are pressed).
  void CommitEdit();

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  app::window::RenumberingGrid* grid_ = nullptr;
  QPersistentModelIndex clicked_cell_;  // the current cell clicked, to edit once released
};

}  // namespace konwerter::gui
