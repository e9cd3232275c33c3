#pragma once

#include <QDialog>

#include "app/gui/grid_widget.h"
#include "app/window/renumbering_dialog.h"
#include "platform/operator_messages.h"

namespace konwerter::gui {

// TForm2, the renumbering dialog: lays out its controls and forwards every event to the
// dialog's rules (app/window/renumbering_dialog.h). Shown modally by the main window.
class RenumberingForm final : public QDialog {
 public:
  RenumberingForm(app::window::RenumberingDialog& rules, platform::OperatorMessages& messages,
                  QWidget* parent);

  GridWidget& grid() { return *grid_; }
  // Shows the rules' grid and check boxes again.
  void ShowRules();

  // OK: closes with the OK result once the rows are written.
  void accept() override;
  // "Anuluj", Escape and the close box: close only when the operator confirms.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  app::window::RenumberingDialog& rules_;
  platform::OperatorMessages& messages_;
  GridWidget* grid_ = nullptr;
};

}  // namespace konwerter::gui
