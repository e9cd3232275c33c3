#include "app/gui/outcome_form.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>

#include "app/gui/qt_text.h"

namespace konwerter::gui {

namespace {

using app::window::OutcomeButton;

QStyle::StandardPixmap IconOf(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::kStop:
      return QStyle::SP_MessageBoxCritical;
    case platform::MessageIcon::kWarning:
      return QStyle::SP_MessageBoxWarning;
    case platform::MessageIcon::kQuestion:
      return QStyle::SP_MessageBoxQuestion;
    case platform::MessageIcon::kNone:
      break;
  }
  return QStyle::SP_MessageBoxInformation;
}

// The program's lines joined by CR LF, as Qt shows them.
QString Lines(std::string_view text) {
  QString shown = FromCp1250(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

// The text with every hyphen that joins a word to what follows it made non-breaking, so
// that wrapping never splits an option's name ("--rebuild-indexes") or a compound word.
QString WithWordsWhole(QString text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == QLatin1Char('-') && !text[i + 1].isSpace()) text[i] = QChar(0x2011);
  }
  return text;
}

QString Lines(const std::vector<std::string>& lines) {
  QStringList shown;
  for (const std::string& line : lines) shown << FromCp1250(line);
  return shown.join(QLatin1Char('\n'));
}

void Place(QWidget* part, const app::window::Bounds& bounds) {
  if (part == nullptr) return;
  part->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
  part->setVisible(bounds.width > 0 && bounds.height > 0);
}

}  // namespace

UrlOpener SystemUrlOpener() {
  return [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

OutcomeForm::OutcomeForm(app::window::OutcomeDialog dialog, QRect work_area, UrlOpener open_url,
                         QWidget* parent)
    : QDialog(parent), dialog_(std::move(dialog)), open_url_(std::move(open_url)) {
  setObjectName(QStringLiteral("Outcome"));
  setWindowTitle(FromCp1250(dialog_.caption));
  setModal(true);
  Qt::WindowFlags flags =
      Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  if (!dialog_.resizable) flags |= Qt::MSWindowsFixedSizeDialogHint;
  setWindowFlags(flags);
  CreateParts();
  const app::window::TextMeasures measures = Measures();
  const app::window::Size size =
      OutcomeClientSize(dialog_, measures, {work_area.width(), work_area.height()});
  if (dialog_.resizable) {
    const app::window::Size smallest = OutcomeMinimumSize(dialog_, measures);
    setMinimumSize(smallest.width, smallest.height);
    resize(size.width, size.height);
  } else {
    setFixedSize(size.width, size.height);
  }
  // Centred in the work area; the frame is not known before the dialog shows.
  move(work_area.left() + (work_area.width() - size.width) / 2,
       work_area.top() + (work_area.height() - size.height) / 2);
}

void OutcomeForm::CreateParts() {
  if (dialog_.icon != platform::MessageIcon::kNone) {
    icon_ = new QLabel(this);
    const int side = app::window::kOutcomeIconSize;
    icon_->setPixmap(style()->standardIcon(IconOf(dialog_.icon)).pixmap(side, side));
  }
  text_ = new QPlainTextEdit(WithWordsWhole(Lines(dialog_.text)), this);
  text_->setObjectName(QStringLiteral("text"));
  text_->setReadOnly(true);
  text_->setFrameShape(QFrame::NoFrame);
  QPalette flat = text_->palette();  // the text on the dialog's face, like a label
  flat.setColor(QPalette::Base, flat.color(QPalette::Window));
  text_->setPalette(flat);
  text_->setFocusPolicy(Qt::ClickFocus);
  // A scroll bar only for a text longer than the lines the dialog gives it.
  const bool long_text =
      static_cast<int>(dialog_.TextLines().size()) > app::window::kOutcomeTextLines;
  text_->setVerticalScrollBarPolicy(long_text ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  facts_ = new QLabel(Lines(dialog_.facts), this);
  facts_->setObjectName(QStringLiteral("facts"));
  list_title_ = new QLabel(FromCp1250(dialog_.list_title), this);
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("list"));
  list_->setHeaderHidden(true);
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list_->header()->setStretchLastSection(false);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  FillList();
  for (const OutcomeButton kind : dialog_.buttons) {
    auto* button = new QPushButton(FromCp1250(app::window::ButtonCaption(kind)), this);
    connect(button, &QPushButton::clicked, this, [this, kind] { Pressed(kind); });
    buttons_.push_back(button);
  }
  // The closing button (the last) is the default, and Escape closes like it.
  buttons_.back()->setDefault(true);
  buttons_.back()->setFocus();
}

void OutcomeForm::FillList() {
  for (const platform::MessageDetailGroup& group : dialog_.groups) {
    auto* heading = new QTreeWidgetItem(list_, {FromCp1250(dialog_.GroupHeading(group))});
    for (const std::string& line : group.lines) {
      new QTreeWidgetItem(heading, {FromCp1250(line)});
    }
  }
  list_->expandAll();
}

QPushButton& OutcomeForm::button(OutcomeButton kind) const {
  const auto found = std::find(dialog_.buttons.begin(), dialog_.buttons.end(), kind);
  Q_ASSERT(found != dialog_.buttons.end());
  return *buttons_[static_cast<std::size_t>(found - dialog_.buttons.begin())];
}

void OutcomeForm::Pressed(OutcomeButton kind) {
  switch (kind) {
    case OutcomeButton::kOpenReport: {
      const std::filesystem::path report = app::window::ReportHostPath(dialog_.report_path);
      open_url_(QUrl::fromLocalFile(QString::fromStdString(report.string())));
      return;
    }
    case OutcomeButton::kCopy:
      QApplication::clipboard()->setText(Lines(dialog_.ClipboardText()));
      return;
    case OutcomeButton::kOk:
    case OutcomeButton::kClose:
      accept();
      return;
  }
}

app::window::TextMeasures OutcomeForm::Measures() const {
  const QFontMetrics metrics = fontMetrics();
  int widest = 0;
  for (const std::string& line : dialog_.TextLines()) {
    widest = std::max(widest, metrics.horizontalAdvance(FromCp1250(line)));
  }
  // The text box's own margins on both sides.
  const int margins = 2 * static_cast<int>(text_->document()->documentMargin()) + 4;
  return {metrics.lineSpacing(), widest + margins};
}

void OutcomeForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const app::window::OutcomeLayout layout = LayOutOutcome(dialog_, Measures(), {width(), height()});
  Place(icon_, layout.icon);
  Place(text_, layout.text);
  Place(facts_, layout.facts);
  Place(list_title_, layout.list_title);
  Place(list_, layout.list);
  for (std::size_t i = 0; i < buttons_.size(); ++i) Place(buttons_[i], layout.buttons[i]);
}

}  // namespace konwerter::gui
