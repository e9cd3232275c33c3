#include "app/gui/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "app/gui/qt_text.h"

namespace konwerter::gui {

namespace {

QMessageBox::Icon BoxIcon(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::kQuestion:
      return QMessageBox::Question;
    case platform::MessageIcon::kStop:
      return QMessageBox::Critical;
    case platform::MessageIcon::kWarning:
      return QMessageBox::Warning;
    case platform::MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

// The ordinary cursor for as long as the object lives.
class OrdinaryCursor {
 public:
  OrdinaryCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
  OrdinaryCursor(const OrdinaryCursor&) = delete;
  OrdinaryCursor& operator=(const OrdinaryCursor&) = delete;
  ~OrdinaryCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

QRect WorkArea(const QWidget* parent) {
  const QScreen* screen = parent != nullptr && parent->screen() != nullptr
                              ? parent->screen()
                              : QApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

platform::MessageAnswer MessageBoxes::Show(const platform::OperatorMessage& message) {
  if (app::window::FormOf(message) == app::window::MessageForm::kMessageBox) {
    return ShowBox(message);
  }
  ShowOutcome(message);
  return platform::MessageAnswer::kOk;
}

void MessageBoxes::ShowOutcome(const platform::OperatorMessage& message) {
  OutcomeForm dialog(app::window::OutcomeDialogFor(message), WorkArea(parent_), open_url_, parent_);
  const OrdinaryCursor cursor;
  dialog.exec();
}

platform::MessageAnswer MessageBoxes::ShowBox(const platform::OperatorMessage& message) {
  QString text = FromCp1250(message.text);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(BoxIcon(message.icon), FromCp1250(message.caption), text, QMessageBox::NoButton,
                  parent_);
  if (message.buttons == platform::MessageButtons::kYesNo) {
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    QPushButton* no = box.addButton(QMessageBox::No);
    yes->setText(QStringLiteral("&Tak"));
    no->setText(QStringLiteral("&Nie"));
    box.setDefaultButton(message.default_answer == platform::MessageAnswer::kNo ? no : yes);
    box.setEscapeButton(no);
  } else {
    box.setDefaultButton(box.addButton(QMessageBox::Ok));
  }
  const OrdinaryCursor cursor;
  box.exec();
  if (message.buttons == platform::MessageButtons::kOk) return platform::MessageAnswer::kOk;
  return box.clickedButton() == box.button(QMessageBox::Yes) ? platform::MessageAnswer::kYes
                                                             : platform::MessageAnswer::kNo;
}

}  // namespace konwerter::gui
