#include "app/gui/controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

#include "app/gui/grid_widget.h"
#include "app/gui/qt_text.h"

namespace konwerter::gui {

namespace {

using app::window::ButtonGlyph;
using app::window::ControlKind;
using app::window::ControlSpec;

// The pictures of the grid's two flat buttons: a green plus and a red minus.
QIcon RowGlyph(bool add) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const QColor colour = add ? QColor(0, 128, 0) : QColor(192, 0, 0);
  painter.fillRect(3, 7, 10, 2, colour);
  if (add) painter.fillRect(7, 3, 2, 10, colour);
  return QIcon(pixmap);
}

QIcon Glyph(ButtonGlyph glyph) {
  switch (glyph) {
    case ButtonGlyph::kOk:
      return QApplication::style()->standardIcon(QStyle::SP_DialogOkButton);
    case ButtonGlyph::kCancel:
      return QApplication::style()->standardIcon(QStyle::SP_DialogCancelButton);
    case ButtonGlyph::kAddRow:
      return RowGlyph(true);
    case ButtonGlyph::kDeleteRow:
      return RowGlyph(false);
    case ButtonGlyph::kNone:
      break;
  }
  return {};
}

QWidget* CreateControl(const ControlSpec& spec, QWidget& form) {
  const QString caption = FromCp1250(spec.caption);
  switch (spec.kind) {
    case ControlKind::kLabel:
      return new QLabel(caption, &form);
    case ControlKind::kEdit:
      return new QLineEdit(&form);
    case ControlKind::kButton: {
      auto* button = new QPushButton(Glyph(spec.glyph), caption, &form);
      button->setAutoDefault(false);
      return button;
    }
    case ControlKind::kFlatButton: {
      auto* button = new QToolButton(&form);
      button->setAutoRaise(true);
      button->setIcon(Glyph(spec.glyph));
      button->setToolTip(caption);
      return button;
    }
    case ControlKind::kCheckBox:
      return new QCheckBox(caption, &form);
    case ControlKind::kProgressBar: {
      auto* bar = new QProgressBar(&form);
      bar->setRange(spec.minimum, spec.maximum);
      bar->setValue(spec.minimum);
      bar->setTextVisible(false);
      return bar;
    }
    case ControlKind::kGrid:
      return new GridWidget(&form);
  }
  return nullptr;
}

}  // namespace

QFont WindowFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPointSize(8);
  return font;
}

void BuildWindow(const app::window::WindowSpec& window, QWidget& form) {
  form.setObjectName(QString::fromStdString(window.name));
  form.setWindowTitle(FromCp1250(window.caption));
  form.setFont(WindowFont());
  const Qt::WindowFlags type = qobject_cast<QDialog*>(&form) != nullptr ? Qt::Dialog : Qt::Window;
  form.setWindowFlags(type | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                      Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  form.setFixedSize(window.client_width, window.client_height);
  for (const ControlSpec& spec : window.controls) {
    QWidget* control = CreateControl(spec, form);
    control->setObjectName(QString::fromStdString(spec.name));
    if (spec.bold) {
      QFont bold = control->font();
      bold.setBold(true);
      control->setFont(bold);
    }
    const int width = spec.auto_size ? std::max(spec.bounds.width, control->sizeHint().width())
                                     : spec.bounds.width;
    control->setGeometry(spec.bounds.left, spec.bounds.top, width, spec.bounds.height);
    if (!spec.TakesFocus()) control->setFocusPolicy(Qt::NoFocus);
    if (!spec.visible) control->hide();
  }
  const std::vector<std::string> order = window.FocusOrder();
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    QWidget::setTabOrder(&Control<QWidget>(form, order[i].c_str()),
                         &Control<QWidget>(form, order[i + 1].c_str()));
  }
}

void CentreOnScreen(QWidget& form) {
  const QScreen* screen = form.screen() != nullptr ? form.screen() : QApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = form.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  form.move(frame.topLeft());
}

}  // namespace konwerter::gui
