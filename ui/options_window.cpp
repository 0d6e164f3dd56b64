#include "ui/options_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/settings_store.h"
#include "ui/program.h"

namespace velmora::ui {

namespace {
QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption, bool checked) {
  auto* c = new QCheckBox(caption, parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setChecked(checked);
  return c;
}
}  // namespace

OptionsWindow::OptionsWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
  setObjectName(QStringLiteral("TForm7"));
  setWindowTitle(QStringLiteral("Options"));
  setWindowModality(Qt::ApplicationModal);

  auto* tabs = new QTabWidget(this);
  tabs->setObjectName(QStringLiteral("PageControl1"));

  auto* general = new QWidget;
  exitAfterRun_ = MakeCheck(general, "CheckBox1", QStringLiteral("Exit automatically after one operation"), false);
  displayResult_ = MakeCheck(general, "CheckBox3", QStringLiteral("Display result after rename files"), true);
  confirm_ = MakeCheck(general, "CheckBox6", QStringLiteral(" Display OK confirmation box when begin rename"), false);
  contextMenu_ = MakeCheck(general, "CheckBox7", QStringLiteral(" Intergrate with Windows Explorer context menu"), true);
  auto* g = new QVBoxLayout(general);
  for (QCheckBox* c : {exitAfterRun_, displayResult_, confirm_, contextMenu_}) g->addWidget(c);
  g->addStretch();
  tabs->addTab(general, QStringLiteral("General"));

  auto* rename = new QWidget;
  autocopy_ = MakeCheck(rename, "CheckBox4", QStringLiteral("Automatically copy to input box when use mouse select"), true);
  autocopy_->setToolTip(QStringLiteral("when select part of one old filename"));
  excludeSmallWords_ =
      MakeCheck(rename, "CheckBox5", QStringLiteral("Exclude 'a,and,of' etc. when Capitalize every words"), true);
  dontOpenListing_ = MakeCheck(rename, "CheckBox2", QStringLiteral("Don't open file after save filenames "), false);
  previewCount_ = new QSpinBox(rename);
  previewCount_->setObjectName(QStringLiteral("Edit1"));
  previewCount_->setRange(1, 1000);
  previewCount_->setValue(20);
  auto* r = new QVBoxLayout(rename);
  for (QCheckBox* c : {autocopy_, excludeSmallWords_, dontOpenListing_}) r->addWidget(c);
  auto* previewRow = new QHBoxLayout;
  previewRow->addWidget(new QLabel(QStringLiteral("Preview files number: "), rename));
  previewRow->addWidget(previewCount_);
  previewRow->addStretch();
  r->addLayout(previewRow);
  r->addStretch();
  tabs->addTab(rename, QStringLiteral("Rename"));

  auto* history = new QWidget;
  historyMax_ = new QSpinBox(history);
  historyMax_->setObjectName(QStringLiteral("Edit2"));
  historyMax_->setRange(0, 100);
  historyMax_->setValue(20);
  auto* edit = new QPushButton(QStringLiteral("Edit"), history);
  edit->setObjectName(QStringLiteral("Button5"));
  auto* clear = new QPushButton(QStringLiteral("Clear"), history);
  clear->setObjectName(QStringLiteral("Button6"));
  connect(edit, &QPushButton::clicked, this, &OptionsWindow::editHistoryRequested);
  connect(clear, &QPushButton::clicked, this, &OptionsWindow::clearHistoryRequested);
  auto* h = new QVBoxLayout(history);
  auto* maxRow = new QHBoxLayout;
  maxRow->addWidget(new QLabel(QStringLiteral("Max Number:"), history));
  maxRow->addWidget(historyMax_);
  maxRow->addStretch();
  h->addLayout(maxRow);
  auto* historyButtons = new QHBoxLayout;
  historyButtons->addWidget(edit);
  historyButtons->addWidget(clear);
  historyButtons->addStretch();
  h->addLayout(historyButtons);
  h->addStretch();
  tabs->addTab(history, QStringLiteral("New name list"));

  // The two options are never both on.
  connect(exitAfterRun_, &QCheckBox::clicked, this, [this](bool on) { displayResult_->setChecked(!on); });
  connect(displayResult_, &QCheckBox::clicked, this, [this](bool on) {
    if (on) exitAfterRun_->setChecked(false);
  });

  auto* defaults = new QPushButton(QStringLiteral("Default"), this);
  defaults->setObjectName(QStringLiteral("Button4"));
  auto* ok = new QPushButton(QStringLiteral("Ok"), this);
  ok->setObjectName(QStringLiteral("Button1"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("Button2"));
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  help->setObjectName(QStringLiteral("Button3"));
  connect(defaults, &QPushButton::clicked, this, &OptionsWindow::DefaultClick);
  connect(ok, &QPushButton::clicked, this, &OptionsWindow::OkClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] { program_.showMainHelp(); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(defaults);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addLayout(buttons);
  setFixedSize(401, 394);
}

batch::RunOptions OptionsWindow::runOptions() const {
  batch::RunOptions o;
  o.exitAfterRun = exitAfterRun_->isChecked();
  o.dontOpenListing = dontOpenListing_->isChecked();
  o.displayResult = displayResult_->isChecked();
  o.autocopy = autocopy_->isChecked();
  o.excludeSmallWords = excludeSmallWords_->isChecked();
  o.confirm = confirm_->isChecked();
  o.previewCount = previewCount_->value();
  o.historyMax = historyMax_->value();
  return o;
}

int OptionsWindow::historyMaximum() const { return historyMax_->value(); }
void OptionsWindow::setHistoryMaximum(int maximum) { historyMax_->setValue(maximum); }
bool OptionsWindow::contextMenuIntegration() const { return contextMenu_->isChecked(); }
void OptionsWindow::setAutocopy(bool on) { autocopy_->setChecked(on); }

void OptionsWindow::setControls(const batch::RunOptions& o, bool contextMenu) {
  exitAfterRun_->setChecked(o.exitAfterRun);
  dontOpenListing_->setChecked(o.dontOpenListing);
  displayResult_->setChecked(o.displayResult);
  autocopy_->setChecked(o.autocopy);
  excludeSmallWords_->setChecked(o.excludeSmallWords);
  confirm_->setChecked(o.confirm);
  contextMenu_->setChecked(contextMenu);
  previewCount_->setValue(o.previewCount);
  historyMax_->setValue(o.historyMax);
}

void OptionsWindow::loadSettings() {
  app::StoredOptions values{runOptions(), contextMenu_->isChecked()};
  const auto settings = app::OpenSettings();
  app::LoadStoredOptions(*settings, values);
  setControls(values.options, values.contextMenu);
}

void OptionsWindow::OkClick() {
  const auto settings = app::OpenSettings();
  app::SaveStoredOptions(*settings, {runOptions(), contextMenu_->isChecked()});
  accept();
}

void OptionsWindow::DefaultClick() { setControls(batch::RunOptions{}, true); }

void OptionsWindow::done(int result) {
  // Any close but "Ok" undoes the changes made in the window.
  if (result != QDialog::Accepted) loadSettings();
  QDialog::done(result);
}

}  // namespace velmora::ui
