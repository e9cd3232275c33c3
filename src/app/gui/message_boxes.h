#pragma once

#include <QPointer>
#include <QWidget>

#include "app/gui/outcome_form.h"
#include "platform/operator_messages.h"

namespace konwerter::gui {

// The operator's messages as modal message boxes over a window, with the message's caption,
// icon, buttons and default button; the end of a run with warnings or of a failed run in
// the outcome dialog, and the plain end of a clean run with its report one click away
// (app/window/outcome_dialog.h). While a box is up the ordinary cursor shows, even when the
// window behind it is busy.
class MessageBoxes final : public platform::OperatorMessages {
 public:
  explicit MessageBoxes(QWidget* parent, UrlOpener open_url = SystemUrlOpener())
      : parent_(parent), open_url_(std::move(open_url)) {}

  platform::MessageAnswer Show(const platform::OperatorMessage& message) override;

 private:
  platform::MessageAnswer ShowBox(const platform::OperatorMessage& message);
  void ShowOutcome(const platform::OperatorMessage& message);

  QPointer<QWidget> parent_;
  UrlOpener open_url_;
};

// The part of the screen a dialog over `parent` may take (without the task bar).
QRect WorkArea(const QWidget* parent);

}  // namespace konwerter::gui
