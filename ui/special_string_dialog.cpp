#include "ui/special_string_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/program.h"

namespace velmora::ui {

SpecialStringDialog::SpecialStringDialog(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
  setObjectName(QStringLiteral("TForm3"));
  setWindowTitle(QStringLiteral("Velmora - Special string"));
  setWindowModality(Qt::ApplicationModal);

  enabled_ = new QCheckBox(QStringLiteral("Use Special string symbols "), this);
  enabled_->setObjectName(QStringLiteral("CheckBox1"));
  enabled_->setChecked(true);
  auto* note = new QLabel(QStringLiteral(" (If dont use, not select and click OK button) "), this);

  ordered_ = new QRadioButton(QStringLiteral("1, Ordered  numbers: "), this);
  today_ = new QRadioButton(QStringLiteral("2, Today: "), this);
  fileDate_ = new QRadioButton(QStringLiteral("3, File date "), this);
  fileSize_ = new QRadioButton(QStringLiteral("4, File size"), this);
  folderName_ = new QRadioButton(QStringLiteral("5, Folder name"), this);
  random_ = new QRadioButton(QStringLiteral("6, Disordered names: "), this);
  auto* kinds = new QButtonGroup(this);
  for (QRadioButton* r : {ordered_, today_, fileDate_, fileSize_, folderName_, random_}) kinds->addButton(r);
  ordered_->setChecked(true);

  startNumber_ = new QSpinBox(this);
  startNumber_->setObjectName(QStringLiteral("Edit1"));
  startNumber_->setRange(0, 10000);
  startNumber_->setValue(1);

  auto* formats = new QButtonGroup(this);
  for (int i = 0; i < 6; ++i) {
    dateFormats_[i] = new QRadioButton(this);
    formats->addButton(dateFormats_[i]);
  }
  dateFormats_[0]->setChecked(true);
  refreshDateCaptions();

  randomUpper_ = new QCheckBox(QStringLiteral("Upper case"), this);
  randomLower_ = new QCheckBox(QStringLiteral("Lower case"), this);
  randomNumbers_ = new QCheckBox(QStringLiteral("Numbers"), this);
  for (QCheckBox* c : {randomUpper_, randomLower_, randomNumbers_}) c->setChecked(true);

  auto* grid = new QGridLayout;
  grid->addWidget(ordered_, 0, 0);
  auto* orderedRow = new QHBoxLayout;
  orderedRow->addWidget(new QLabel(QStringLiteral("Begin with : "), this));
  orderedRow->addWidget(startNumber_);
  orderedRow->addStretch();
  grid->addLayout(orderedRow, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Example: a$$$c  means a001c, a002c, a003c ..."), this), 1, 1);
  grid->addWidget(today_, 2, 0);
  auto* dates = new QGridLayout;
  for (int i = 0; i < 6; ++i) dates->addWidget(dateFormats_[i], i / 3, i % 3);
  grid->addLayout(dates, 2, 1);
  grid->addWidget(fileDate_, 3, 0);
  grid->addWidget(new QLabel(QStringLiteral("[each file's modified date, by            ]  @@"), this), 3, 1);
  grid->addWidget(fileSize_, 4, 0);
  grid->addWidget(new QLabel(QStringLiteral("[each file's size, by          ]  ##"), this), 4, 1);
  grid->addWidget(folderName_, 5, 0);
  grid->addWidget(new QLabel(QStringLiteral(" [each file's folder name, by            ]  %%"), this), 5, 1);
  grid->addWidget(random_, 6, 0);
  auto* randomRow = new QHBoxLayout;
  for (QCheckBox* c : {randomUpper_, randomLower_, randomNumbers_}) randomRow->addWidget(c);
  randomRow->addStretch();
  grid->addLayout(randomRow, 6, 1);
  grid->addWidget(new QLabel(QStringLiteral("Example: %6%  means a random 6 digits string."), this), 7, 1);

  auto* help = new QPushButton(QStringLiteral("Help"), this);
  auto* ok = new QPushButton(QStringLiteral("Ok"), this);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  connect(help, &QPushButton::clicked, this, [this] { program_.showMainHelp(); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(help);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* top = new QHBoxLayout;
  top->addWidget(enabled_);
  top->addWidget(note);
  top->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(new QLabel(QStringLiteral("Choose one of special strings below: "), this));
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

engine::SpecialStringSettings SpecialStringDialog::settings() const {
  engine::SpecialStringSettings s;
  s.enabled = enabled_->isChecked();
  s.startNumber = startNumber_->value();
  s.randomUpper = randomUpper_->isChecked();
  s.randomLower = randomLower_->isChecked();
  s.randomNumbers = randomNumbers_->isChecked();
  return s;
}

void SpecialStringDialog::refreshDateCaptions() {
  const QDate d = QDate::currentDate();
  const QString y = QString::number(d.year());
  const QString m = QStringLiteral("%1").arg(d.month(), 2, 10, QLatin1Char('0'));
  const QString day = QStringLiteral("%1").arg(d.day(), 2, 10, QLatin1Char('0'));
  const QString captions[6] = {y + m + day,
                               y + QLatin1Char('-') + m + QLatin1Char('-') + day,
                               y + QLatin1Char('.') + m + QLatin1Char('.') + day,
                               m + day + y,
                               m + QLatin1Char('-') + day + QLatin1Char('-') + y,
                               m + QLatin1Char('.') + day + QLatin1Char('.') + y};
  for (int i = 0; i < 6; ++i) dateFormats_[i]->setText(captions[i]);
}

QString SpecialStringDialog::tokenFor(std::size_t itemCount) const {
  if (!enabled_->isChecked()) return {};
  if (ordered_->isChecked()) {
    if (itemCount >= 1000) return QStringLiteral("$$$$");
    if (itemCount >= 100 || itemCount == 0) return QStringLiteral("$$$");
    return QStringLiteral("$$");
  }
  if (today_->isChecked()) {
    for (QRadioButton* r : dateFormats_)
      if (r->isChecked()) return r->text();
  }
  if (random_->isChecked()) return QStringLiteral("%6%");
  if (fileDate_->isChecked()) return QStringLiteral("@@");
  if (fileSize_->isChecked()) return QStringLiteral("##");
  if (folderName_->isChecked()) return QStringLiteral("%%");
  return {};
}

QString SpecialStringDialog::chooseToken(std::size_t itemCount) {
  refreshDateCaptions();
  const bool enabledBefore = enabled_->isChecked();
  const int startBefore = startNumber_->value();
  if (exec() != QDialog::Accepted) {
    enabled_->setChecked(enabledBefore);
    startNumber_->setValue(startBefore);
    return {};
  }
  return tokenFor(itemCount);
}

}  // namespace velmora::ui
