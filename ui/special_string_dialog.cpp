// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/special_string_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/tag_placeholders.h"
#include "ui/desktop_look.h"
#include "ui/program.h"
#include "ui/qt_text.h"
#include "ui/special_string_widgets.h"
#include "ui_special_string_dialog.h"

namespace velmora::ui {

namespace {

/// A fixed background in its variants for a light and a dark theme.
struct Tint {
  QColor light;
  QColor dark;
};
const Tint kFormColour{{166, 202, 240}, {28, 50, 80}};    // sky blue
const Tint kChosenColour{{192, 220, 192}, {38, 92, 50}};  // green behind the chosen option

// The fixed backgrounds take a fixed text colour: dark on the light variants, light on the
// dark ones that a dark desktop theme gets. The boxes and buttons on them keep the theme's
// own colours.
void SetBackground(QWidget* w, const Tint& tint) {
  const QPalette& theme = QApplication::palette(w);
  QPalette palette = w->palette();
  palette.setColor(QPalette::Window, ForPalette(theme, tint.light, tint.dark));
  const QColor text = ForPalette(theme, Qt::black, QColor(240, 240, 240));
  palette.setColor(QPalette::Active, QPalette::WindowText, text);
  palette.setColor(QPalette::Inactive, QPalette::WindowText, text);
  palette.setColor(QPalette::Disabled, QPalette::WindowText, ForPalette(theme, QColor(64, 72, 88), QColor(150, 162, 180)));
  w->setPalette(palette);
  w->setBackgroundRole(QPalette::Window);  // buttons would fill with their button colour
  w->setAutoFillBackground(true);
}

}  // namespace

SpecialStringDialog::SpecialStringDialog(Program& program, QWidget* parent)
    : QDialog(parent), program_(program), ui_(new Ui::SpecialStringDialog) {
  ui_->setupUi(this);
  tintedDark_ = IsDarkPalette(QApplication::palette(this));
  SetBackground(this, kFormColour);
  enabled_ = ui_->CheckBox1;
  connect(ui_->Label1, &ClickableLabel::clicked, enabled_, &QCheckBox::toggle);
  ordered_ = ui_->RadioButton1;
  today_ = ui_->RadioButton2;
  fileDate_ = ui_->RadioButton3;
  fileSize_ = ui_->RadioButton4;
  folderName_ = ui_->RadioButton5;
  random_ = ui_->RadioButton6;
  startNumber_ = ui_->Edit1;
  connect(startNumber_, &QSpinBox::valueChanged, this, &SpecialStringDialog::startNumberChanged);
  datePanel_ = ui_->Panel1;
  QRadioButton* const formats[] = {ui_->RadioButton7,  ui_->RadioButton8,  ui_->RadioButton9,
                                   ui_->RadioButton10, ui_->RadioButton11, ui_->RadioButton12};
  std::copy(std::begin(formats), std::end(formats), dateFormats_);
  // The example date stands until the dialog first opens.
  setDateCaptions(2007, 5, 1);
  randomPanel_ = ui_->Panel2;
  randomUpper_ = ui_->CheckBox2;
  randomLower_ = ui_->CheckBox3;
  randomNumbers_ = ui_->CheckBox4;
  for (QCheckBox* c : {randomUpper_, randomLower_, randomNumbers_})
    connect(c, &QCheckBox::toggled, this, [this, c](bool checked) { randomKindToggled(c, checked); });
  connect(ui_->Button1, &QPushButton::clicked, this, [this] { program_.showMainHelp(); });
  connect(ui_->Button2, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->Button3, &QPushButton::clicked, this, &QDialog::reject);
  for (QRadioButton* r : {ordered_, today_, fileDate_, fileSize_, folderName_, random_}) {
    connect(r, &QRadioButton::toggled, this, [this](bool on) {
      if (on) highlightChosenOption();
    });
  }
  highlightChosenOption();

  tagBox_ = ui_->TagBox;
  dateFormatBox_ = ui_->DateFormatBox;
  datePattern_ = ui_->DatePatternEdit;
  insertTag_ = ui_->InsertButton;
  for (const char* pattern : engine::kDatePatterns) dateFormatBox_->addItem(QString::fromLatin1(pattern));
  datePattern_->setValidator(new DatePatternValidator(datePattern_));
  datePattern_->setText(dateFormatBox_->currentText());
  connect(dateFormatBox_, &QComboBox::activated, this,
          [this] { datePattern_->setText(dateFormatBox_->currentText()); });
  connect(tagBox_, &QComboBox::currentIndexChanged, this, &SpecialStringDialog::showFileTagExample);
  connect(datePattern_, &QLineEdit::textChanged, this, &SpecialStringDialog::showFileTagExample);
  connect(insertTag_, &QPushButton::clicked, this, [this] {
    tagChosen_ = true;
    accept();
  });
  showFileTagExample();

  const auto publish = [this] { program_.setSpecialStringSettings(settings()); };
  for (QCheckBox* c : {enabled_, randomUpper_, randomLower_, randomNumbers_})
    connect(c, &QCheckBox::toggled, this, publish);
  connect(startNumber_, &QSpinBox::valueChanged, this, publish);
  publish();
}

SpecialStringDialog::~SpecialStringDialog() = default;

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

void SpecialStringDialog::changeEvent(QEvent* event) {
  // A new desktop theme, light after dark or dark after light: the fixed backgrounds take
  // the variant that fits it (their own setting of colours leaves the theme as it is).
  if (event->type() == QEvent::PaletteChange && IsDarkPalette(QApplication::palette(this)) != tintedDark_) {
    tintedDark_ = !tintedDark_;
    SetBackground(this, kFormColour);
    highlightChosenOption();
  }
  QDialog::changeEvent(event);
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
  program_.messages().warning(kStartTooBig, QT_TRANSLATE_NOOP("Core", "Information"));
}

media::Tag SpecialStringDialog::chosenTag() const {
  // The list holds the tags in their order.
  return media::kAllTags[std::clamp(tagBox_->currentIndex(), 0, static_cast<int>(std::size(media::kAllTags)) - 1)];
}

std::string SpecialStringDialog::fileTagPlaceholder() const {
  return engine::TagPlaceholder(chosenTag(), ToText(datePattern_->text()));
}

void SpecialStringDialog::showFileTagExample() {
  const bool taken = chosenTag() == media::Tag::Taken;
  for (QWidget* w : {static_cast<QWidget*>(ui_->DateFormatLabel), static_cast<QWidget*>(dateFormatBox_),
                     static_cast<QWidget*>(datePattern_)})
    w->setEnabled(taken);
  media::MetadataReader& reader = program_.tags();
  insertTag_->setEnabled(reader.available());
  ui_->ExampleEdit->clear();
  QString note;
  const std::string& sample = program_.state().exampleItem();
  if (!reader.available()) {
    note = tr("This version of Velmora cannot read photo and music tags: these placeholders are unavailable.");
  } else if (sample.empty()) {
    note = tr("No sample file to show an example of.");
  } else {
    const engine::TagExample example = engine::ExampleOfTags(program_.fs(), reader, sample, fileTagPlaceholder());
    ui_->ExampleEdit->setText(FromPath(example.value));
    ui_->ExampleEdit->setCursorPosition(0);
    QStringList notes;
    for (const std::string& n : example.notes) notes << FromText(n);
    const QString name = FromPath(platform::LastComponent(sample));
    note = notes.isEmpty() ? tr("From %1").arg(name) : tr("From %1: %2").arg(name, notes.join(QStringLiteral("; ")));
  }
  ui_->NoteLabel->setText(note);
  ui_->NoteLabel->setToolTip(note);
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
  tagChosen_ = false;
  showFileTagExample();  // the sample may be another since the last showing
  enabledAtOpening_ = enabled_->isChecked();
  startAtOpening_ = startNumber_->value();
  const QDate today = QDate::currentDate();
  setDateCaptions(today.year(), today.month(), today.day());
  QDialog::showEvent(event);
}

void SpecialStringDialog::done(int result) {
  if (result == QDialog::Accepted) {
    choice_ = !enabled_->isChecked() ? engine::SpecialChoice::Disabled
              : tagChosen_           ? engine::SpecialChoice::FileTag
                                     : chosenOption();
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
  const std::string chosen = choice_ == engine::SpecialChoice::FileTag ? fileTagPlaceholder() : ToText(today);
  return FromText(engine::BuildSpecialToken(choice_, enabled_->isChecked(), itemCount, chosen));
}

void SpecialStringDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (enter && plain && ui_->FromFileBox->isAncestorOf(focusWidget())) {
    if (insertTag_->isEnabled()) insertTag_->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

QString SpecialStringDialog::chooseToken(std::size_t itemCount) {
  exec();
  return tokenFor(itemCount);
}

}  // namespace velmora::ui
