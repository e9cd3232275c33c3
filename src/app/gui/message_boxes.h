#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/operator_messages.h"

namespace konwerter::gui {

// The operator's messages as modal message boxes over a window, with the message's caption,
// icon, buttons and default button. While a box is up the ordinary cursor shows, even when
// the window behind it is busy.
class MessageBoxes final : public platform::OperatorMessages {
 public:
  explicit MessageBoxes(QWidget* parent) : parent_(parent) {}

  platform::MessageAnswer Show(const platform::OperatorMessage& message) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace konwerter::gui
