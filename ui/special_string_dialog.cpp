// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/special_string_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/program.h"
#include "ui/qt_text.h"

namespace velmora::ui {

namespace {

const QColor kFormColour(166, 202, 240);    // sky blue
const QColor kChosenColour(192, 220, 192);  // light green behind the chosen option

// The fixed light backgrounds take a fixed dark text, whatever the desktop's theme; the
// boxes and buttons on them keep the theme's own colours.
void SetBackground(QWidget* w, const QColor& colour) {
  QPalette palette = w->palette();
  palette.setColor(QPalette::Window, colour);
  palette.setColor(QPalette::Active, QPalette::WindowText, Qt::black);
  palette.setColor(QPalette::Inactive, QPalette::WindowText, Qt::black);
  palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(64, 72, 88));
  w->setPalette(palette);
  w->setBackgroundRole(QPalette::Window);  // buttons would fill with their button colour
  w->setAutoFillBackground(true);
}

/// A bracketed description such as "[each file's size, by          ]" with its placeholder
/// shown inside the blank run of the brackets.
class BracketLabel final : public QLabel {
 public:
  BracketLabel(const QString& caption, const QString& token, QWidget* parent)
      : QLabel(caption, parent), token_(new QLabel(token, this)) {
    QFont bold = token_->font();
    bold.setBold(true);
    token_->setFont(bold);
    token_->setObjectName(QStringLiteral("Token"));
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QLabel::resizeEvent(event);
    // The blanks before the closing bracket are the token's place.
    const QString caption = text();
    const qsizetype close = caption.lastIndexOf(QLatin1Char(']'));
    qsizetype blanks = close;
    while (blanks > 0 && caption.at(blanks - 1) == QLatin1Char(' ')) --blanks;
    const QFontMetrics fm(font());
    const int gapLeft = fm.horizontalAdvance(caption.left(blanks));
    const int gapRight = fm.horizontalAdvance(caption.left(close));
    const QSize size = token_->sizeHint();
    const int x = contentsRect().left() + gapLeft + std::max(0, (gapRight - gapLeft - size.width()) / 2);
    token_->setGeometry(x, (height() - size.height()) / 2, size.width(), size.height());
  }

 private:
  QLabel* token_;
};

}  // namespace

// ---- start number box ----

StartNumberBox::StartNumberBox(QWidget* parent) : QSpinBox(parent) {
  // Five digits may be typed, so that a number above the maximum reaches the dialog's
  // warning instead of being refused key by key.
  setRange(0, 99999);
}

void StartNumberBox::stepBy(int steps) { setValue(std::clamp(value() + steps, 0, kMaximum)); }

QAbstractSpinBox::StepEnabled StartNumberBox::stepEnabled() const {
  StepEnabled enabled = StepNone;
  if (value() > 0) enabled |= StepDownEnabled;
  if (value() < kMaximum) enabled |= StepUpEnabled;
  return enabled;
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

// ---- the dialog ----

SpecialStringDialog::SpecialStringDialog(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
  setObjectName(QStringLiteral("TForm3"));
  setWindowTitle(QStringLiteral("Velmora - Special string"));
  setWindowModality(Qt::ApplicationModal);
  SetBackground(this, kFormColour);

  enabled_ = new QCheckBox(this);
  enabled_->setObjectName(QStringLiteral("CheckBox1"));
  enabled_->setChecked(true);
  auto* enabledLabel = new ClickableLabel(QStringLiteral("Use Special string symbols "), this);
  enabledLabel->setObjectName(QStringLiteral("Label1"));
  QFont bold = enabledLabel->font();
  bold.setBold(true);
  enabledLabel->setFont(bold);
  connect(enabledLabel, &ClickableLabel::clicked, enabled_, &QCheckBox::toggle);
  auto* note = new QLabel(QStringLiteral(" (If dont use, not select and click OK button) "), this);
  note->setObjectName(QStringLiteral("Label2"));

  const auto option = [this](const char* name, const QString& caption) {
    auto* r = new QRadioButton(caption, this);
    r->setObjectName(QString::fromLatin1(name));
    // As tall as its row, so that its highlight lines up with the sub-choices beside it.
    r->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    return r;
  };
  ordered_ = option("RadioButton1", QStringLiteral("1, Ordered  numbers: "));
  today_ = option("RadioButton2", QStringLiteral("2, Today: "));
  fileDate_ = option("RadioButton3", QStringLiteral("3, File date "));
  fileSize_ = option("RadioButton4", QStringLiteral("4, File size"));
  folderName_ = option("RadioButton5", QStringLiteral("5, Folder name"));
  random_ = option("RadioButton6", QStringLiteral("6, Disordered names: "));
  auto* kinds = new QButtonGroup(this);
  for (QRadioButton* r : {ordered_, today_, fileDate_, fileSize_, folderName_, random_}) kinds->addButton(r);
  ordered_->setChecked(true);

  startNumber_ = new StartNumberBox(this);
  startNumber_->setObjectName(QStringLiteral("Edit1"));
  startNumber_->setValue(1);
  startNumber_->setMinimumWidth(80);
  connect(startNumber_, &QSpinBox::valueChanged, this, &SpecialStringDialog::startNumberChanged);

  datePanel_ = new QWidget(this);
  datePanel_->setObjectName(QStringLiteral("Panel1"));
  auto* dates = new QGridLayout(datePanel_);
  dates->setContentsMargins(4, 2, 4, 2);
  auto* formats = new QButtonGroup(this);
  for (int i = 0; i < 6; ++i) {
    dateFormats_[i] = new QRadioButton(datePanel_);
    dateFormats_[i]->setObjectName(QStringLiteral("RadioButton%1").arg(7 + i));
    formats->addButton(dateFormats_[i]);
    dates->addWidget(dateFormats_[i], i / 3, i % 3);
  }
  dateFormats_[0]->setChecked(true);
  // The example date stands until the dialog first opens.
  setDateCaptions(2007, 5, 1);

  randomPanel_ = new QWidget(this);
  randomPanel_->setObjectName(QStringLiteral("Panel2"));
  auto* randomRow = new QHBoxLayout(randomPanel_);
  randomRow->setContentsMargins(4, 2, 4, 2);
  randomUpper_ = new QCheckBox(tr("&Upper case"), randomPanel_);
  randomUpper_->setObjectName(QStringLiteral("CheckBox2"));
  randomLower_ = new QCheckBox(tr("&Lower case"), randomPanel_);
  randomLower_->setObjectName(QStringLiteral("CheckBox3"));
  randomNumbers_ = new QCheckBox(tr("&Numbers"), randomPanel_);
  randomNumbers_->setObjectName(QStringLiteral("CheckBox4"));
  for (QCheckBox* c : {randomUpper_, randomLower_, randomNumbers_}) {
    c->setChecked(true);
    randomRow->addWidget(c);
    connect(c, &QCheckBox::toggled, this, [this, c](bool checked) { randomKindToggled(c, checked); });
  }
  randomRow->addStretch();

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(4);
  grid->addWidget(ordered_, 0, 0);
  auto* orderedRow = new QHBoxLayout;
  orderedRow->addWidget(new QLabel(QStringLiteral("Begin with : "), this));
  orderedRow->addWidget(startNumber_);
  orderedRow->addStretch();
  grid->addLayout(orderedRow, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Example: a$$$c  means a001c, a002c, a003c ..."), this), 1, 1);
  grid->addWidget(today_, 2, 0);
  grid->addWidget(datePanel_, 2, 1);
  grid->addWidget(fileDate_, 3, 0);
  grid->addWidget(new BracketLabel(QStringLiteral("[each file's modified date, by            ]"),
                                   QStringLiteral("@@"), this),
                  3, 1);
  grid->addWidget(fileSize_, 4, 0);
  grid->addWidget(new BracketLabel(QStringLiteral("[each file's size, by          ]"), QStringLiteral("##"), this), 4, 1);
  grid->addWidget(folderName_, 5, 0);
  grid->addWidget(new BracketLabel(QStringLiteral(" [each file's folder name, by            ]"),
                                   QStringLiteral("%%"), this),
                  5, 1);
  grid->addWidget(random_, 6, 0);
  grid->addWidget(randomPanel_, 6, 1);
  grid->addWidget(new QLabel(QStringLiteral("Example: %6%  means a random 6 digits string."), this), 7, 1);
  grid->setColumnStretch(1, 1);

  auto* help = new QPushButton(tr("&Help"), this);
  help->setObjectName(QStringLiteral("Button1"));
  help->setAutoDefault(false);
  auto* ok = new QPushButton(tr("&Ok"), this);
  ok->setObjectName(QStringLiteral("Button2"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(tr("&Cancel"), this);
  cancel->setObjectName(QStringLiteral("Button3"));
  connect(help, &QPushButton::clicked, this, [this] { program_.showMainHelp(); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(help);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* top = new QHBoxLayout;
  top->setSpacing(2);
  top->addWidget(enabled_);
  top->addWidget(enabledLabel);
  top->addWidget(note);
  top->addStretch();
  auto* choose = new QLabel(QStringLiteral("Choose one of special strings below: "), this);
  choose->setObjectName(QStringLiteral("Label3"));
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border
  layout->addLayout(top);
  layout->addWidget(choose);
  layout->addLayout(grid);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  for (QRadioButton* r : {ordered_, today_, fileDate_, fileSize_, folderName_, random_}) {
    connect(r, &QRadioButton::toggled, this, [this](bool on) {
      if (on) highlightChosenOption();
    });
  }
  highlightChosenOption();

  const auto publish = [this] { program_.setSpecialStringSettings(settings()); };
  for (QCheckBox* c : {enabled_, randomUpper_, randomLower_, randomNumbers_})
    connect(c, &QCheckBox::toggled, this, publish);
  connect(startNumber_, &QSpinBox::valueChanged, this, publish);
  publish();
}

engine::SpecialStringSettings SpecialStringDialog::settings() const {
  engine::SpecialStringSettings s;
  s.enabled = enabled_->isChecked();
  s.startNumber = std::clamp(startNumber_->value(), 0, StartNumberBox::kMaximum);
  s.randomUpper = randomUpper_->isChecked();
  s.randomLower = randomLower_->isChecked();
  s.randomNumbers = randomNumbers_->isChecked();
  return s;
}

void SpecialStringDialog::setSettings(const engine::SpecialStringSettings& s) {
  enabled_->setChecked(s.enabled);
  startNumber_->setValue(s.startNumber);
  randomUpper_->setChecked(s.randomUpper);
  randomLower_->setChecked(s.randomLower);
  randomNumbers_->setChecked(s.randomNumbers);
}

void SpecialStringDialog::setDateCaptions(int year, int month, int day) {
  const auto captions = engine::DateCaptions(year, month, day);
  for (int i = 0; i < 6; ++i) dateFormats_[i]->setText(FromText(captions[static_cast<std::size_t>(i)]));
}

void SpecialStringDialog::highlightChosenOption() {
  const QRadioButton* chosen = nullptr;
  for (QRadioButton* r : {ordered_, today_, fileDate_, fileSize_, folderName_, random_}) {
    SetBackground(r, r->isChecked() ? kChosenColour : kFormColour);
    if (r->isChecked()) chosen = r;
  }
  SetBackground(datePanel_, chosen == today_ ? kChosenColour : kFormColour);
  SetBackground(randomPanel_, chosen == random_ ? kChosenColour : kFormColour);
}

void SpecialStringDialog::randomKindToggled(QCheckBox* box, bool checked) {
  if (checked || randomUpper_->isChecked() || randomLower_->isChecked() || randomNumbers_->isChecked()) return;
  // At least one kind of character always stays on.
  box->setChecked(true);
  program_.messages().information(kAtLeastOneKind);
}

void SpecialStringDialog::startNumberChanged(int value) {
  if (value <= StartNumberBox::kMaximum) return;
  startNumber_->setValue(StartNumberBox::kMaximum);
  program_.messages().warning(kStartTooBig, "Information");
}

engine::SpecialChoice SpecialStringDialog::chosenOption() const {
  using engine::SpecialChoice;
  if (today_->isChecked()) return SpecialChoice::Today;
  if (random_->isChecked()) return SpecialChoice::DisorderedNames;
  if (fileDate_->isChecked()) return SpecialChoice::FileDate;
  if (fileSize_->isChecked()) return SpecialChoice::FileSize;
  if (folderName_->isChecked()) return SpecialChoice::FolderName;
  return SpecialChoice::OrderedNumbers;
}

void SpecialStringDialog::showEvent(QShowEvent* event) {
  choice_ = engine::SpecialChoice::None;
  enabledAtOpening_ = enabled_->isChecked();
  startAtOpening_ = startNumber_->value();
  const QDate today = QDate::currentDate();
  setDateCaptions(today.year(), today.month(), today.day());
  QDialog::showEvent(event);
}

void SpecialStringDialog::done(int result) {
  if (result == QDialog::Accepted) {
    choice_ = enabled_->isChecked() ? chosenOption() : engine::SpecialChoice::Disabled;
  } else {
    choice_ = engine::SpecialChoice::None;
    enabled_->setChecked(enabledAtOpening_);
    startNumber_->setValue(startAtOpening_);
  }
  QDialog::done(result);
}

QString SpecialStringDialog::tokenFor(std::size_t itemCount) const {
  QString today;
  for (const QRadioButton* r : dateFormats_)
    if (r->isChecked()) today = r->text();
  return FromText(engine::BuildSpecialToken(choice_, enabled_->isChecked(), itemCount, ToText(today)));
}

QString SpecialStringDialog::chooseToken(std::size_t itemCount) {
  exec();
  return tokenFor(itemCount);
}

}  // namespace velmora::ui
