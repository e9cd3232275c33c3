#include "app/gui/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "app/gui/controls.h"
#include "app/gui/file_dialog.h"
#include "app/gui/qt_text.h"
#include "app/window/about_message.h"
#include "app/window/option_boxes.h"

namespace konwerter::gui {

namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
      return true;
    default:
      return false;
  }
}

}  // namespace

MainForm::MainForm(MainFormEnvironment environment)
    : environment_(std::move(environment)),
      message_boxes_(environment_.messages == nullptr
                         ? std::make_unique<MessageBoxes>(this, environment_.open_url
                                                                    ? environment_.open_url
                                                                    : SystemUrlOpener())
                         : nullptr),
      messages_(environment_.messages != nullptr ? *environment_.messages : *message_boxes_),
      rules_(environment_.program_path) {
  BuildWindow(app::window::MainWindowSpec(), *this);
  dialog_ = new RenumberingForm(rules_.renumbering_dialog(), messages_, this);
  ShowFields();
  ConnectControls();
}

MainForm::~MainForm() {
  if (busy_) QApplication::restoreOverrideCursor();
}

void MainForm::ConnectControls() {
  connect(&Control<QLineEdit>(*this, "Edit1"), &QLineEdit::textChanged, this,
          [this](const QString& text) { rules_.input_folder() = ToCp1250(text); });
  connect(&Control<QLineEdit>(*this, "Edit2"), &QLineEdit::textChanged, this,
          [this](const QString& text) { rules_.output_folder() = ToCp1250(text); });
  connect(&Control<QPushButton>(*this, "Button1"), &QPushButton::clicked, this,
          [this] { rules_.ChooseInputFolder(*this); });
  connect(&Control<QPushButton>(*this, "Button2"), &QPushButton::clicked, this,
          [this] { rules_.ChooseOutputFolder(*this); });
  for (const app::window::OptionBoxSpec& box : app::window::kMainWindowBoxes) {
    connect(&Control<QCheckBox>(*this, box.control_name), &QCheckBox::clicked, this,
            [this, option = box.box](bool checked) { rules_.SetOption(*this, option, checked); });
  }
  connect(&Control<QPushButton>(*this, "BitBtn1"), &QPushButton::clicked, this,
          [this] { Convert(); });
  connect(&Control<QPushButton>(*this, "BitBtn2"), &QPushButton::clicked, this,
          [this] { rules_.Close(*this); });
  AddAboutEntry();
}

// "O programie..." in the context menu of the window's background (its caption bar belongs
// to the window manager), and on F1.
void MainForm::AddAboutEntry() {
  auto* about = new QAction(FromCp1250(app::window::kAboutMenuEntry), this);
  about->setObjectName(QStringLiteral("about"));
  about->setShortcut(QKeySequence::HelpContents);
  connect(about, &QAction::triggered, this,
          [this] { messages_.Show(app::window::AboutMessage("konwerter")); });
  addAction(about);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

void MainForm::Convert() {
  rules_.StartConversion(*this, {environment_.session, *this, messages_, environment_.clock});
}

std::optional<std::string> MainForm::ChooseFile() {
  if (environment_.choose_file) return environment_.choose_file();
  // Both buttons share the dialog: each opens it where the other left it.
  const std::optional<QString> chosen = ChooseFileOrFolder(this, file_dialog_folder_);
  if (!chosen) return std::nullopt;
  return ToCp1250(*chosen);
}

bool MainForm::RunRenumberingDialog() {
  return dialog_->exec() == QDialog::Accepted;
}

void MainForm::ShowFields() {
  Control<QLineEdit>(*this, "Edit1").setText(FromCp1250(rules_.input_folder()));
  Control<QLineEdit>(*this, "Edit2").setText(FromCp1250(rules_.output_folder()));
  for (const app::window::OptionBoxSpec& box : app::window::kMainWindowBoxes) {
    Control<QCheckBox>(*this, box.control_name)
        .setChecked(app::window::IsChecked(rules_.options(), box.box));
  }
}

void MainForm::SetBusy(bool busy) {
  if (busy == busy_) return;
  if (busy) {
    busy_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(this);
    return;
  }
  // What the operator clicked or typed during the run is dropped, not acted on afterwards.
  QCoreApplication::processEvents();
  qApp->removeEventFilter(this);
  QApplication::restoreOverrideCursor();
  busy_ = false;
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (busy_ && IsUserInput(event->type()) && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget == this || isAncestorOf(widget)) return true;
  }
  return QWidget::eventFilter(watched, event);
}

void MainForm::closeEvent(QCloseEvent* event) {
  if (busy_) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void MainForm::ShowRunPosition(int position) {
  Control<QProgressBar>(*this, "ProgressBar1").setValue(position);
  Control<QLabel>(*this, "lile").setText(QString::number(position));
  Repaint();
}

void MainForm::ShowTable(std::string_view caption, int record_maximum) {
  Control<QLabel>(*this, "Label5").setText(FromCp1250(caption));
  // A bar whose range is 0..0 would show Qt's busy animation; an empty table shows an
  // empty bar instead.
  auto& bar = Control<QProgressBar>(*this, "ProgressBar2");
  bar.setRange(0, std::max(record_maximum, 1));
  bar.setValue(0);
  Repaint();
}

void MainForm::ShowRecordPosition(int position) {
  Control<QProgressBar>(*this, "ProgressBar2").setValue(position);
  Repaint();
}

void MainForm::Reset() {
  Control<QProgressBar>(*this, "ProgressBar1").setValue(0);
  Control<QProgressBar>(*this, "ProgressBar2").setValue(0);
  Repaint();
}

void MainForm::Repaint() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace konwerter::gui
