#include "ui/progress_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "ui/program.h"

namespace velmora::ui {

namespace {
/// Posted to the window once it is on screen; the work begins when it arrives.
const QEvent::Type kStartEvent = static_cast<QEvent::Type>(QEvent::registerEventType(QEvent::User + 100));
}  // namespace

ProgressWindow::ProgressWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
  setObjectName(QStringLiteral("TForm5"));
  setWindowTitle(QStringLiteral("Progress"));
  setWindowModality(Qt::ApplicationModal);

  auto* oldCaption = new QLabel(QStringLiteral("Old  filename:"), this);
  auto* newCaption = new QLabel(QStringLiteral("New filename:"), this);
  oldName_ = new QLabel(QStringLiteral("Old filename:"), this);
  oldName_->setObjectName(QStringLiteral("Label3"));
  newName_ = new QLabel(QStringLiteral("New filename:"), this);
  newName_->setObjectName(QStringLiteral("Label4"));
  for (QLabel* l : {oldName_, newName_}) l->setMinimumWidth(320);
  searching_ = new QLabel(QStringLiteral("Searching, please wait..."), this);
  searching_->setObjectName(QStringLiteral("Panel1"));
  searching_->setAlignment(Qt::AlignCenter);
  searching_->hide();
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("ProgressBar1"));
  bar_->setRange(0, 100);
  bar_->setValue(0);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("Button1"));
  cancel_->setAutoDefault(false);
  connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::CancelClick);

  auto* grid = new QGridLayout(this);
  grid->addWidget(oldCaption, 0, 0);
  grid->addWidget(oldName_, 0, 1);
  grid->addWidget(newCaption, 1, 0);
  grid->addWidget(newName_, 1, 1);
  grid->addWidget(searching_, 0, 0, 2, 2);
  grid->addWidget(bar_, 2, 0, 1, 2);
  grid->addWidget(cancel_, 3, 1, Qt::AlignRight);
}

void ProgressWindow::run(const std::function<void()>& work, batch::StopFlag& stop) {
  work_ = work;
  stop_ = &stop;
  started_ = false;
  oldName_->setText(QStringLiteral("Old filename:"));
  newName_->setText(QStringLiteral("New filename:"));
  bar_->setRange(0, 100);
  bar_->setValue(0);
  exec();
  work_ = nullptr;
}

void ProgressWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!started_ && work_) {
    started_ = true;
    QCoreApplication::postEvent(this, new QEvent(kStartEvent));
  }
}

bool ProgressWindow::event(QEvent* event) {
  if (event->type() != kStartEvent) return QDialog::event(event);
  working_ = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bar_->setValue(0);
  if (work_) work_();
  QApplication::restoreOverrideCursor();
  working_ = false;
  accept();
  return true;
}

void ProgressWindow::start(int maximum) {
  bar_->setRange(0, maximum > 0 ? maximum : 1);
  bar_->setValue(0);
}

void ProgressWindow::showItem(const QString& oldName, const QString& newName, int step) {
  oldName_->setText(oldName);
  newName_->setText(newName);
  bar_->setValue(std::min(bar_->maximum(), bar_->value() + step));
  repaint();
}

void ProgressWindow::setSearching(bool on) { searching_->setVisible(on); }

void ProgressWindow::CancelClick() {
  if (program_.messages().confirm("Confirmation", "Will you cancel this operation?", batch::Buttons::YesNo) ==
          batch::Answer::Yes &&
      stop_)
    stop_->set();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  // The work closes the window itself when it has finished.
  if (working_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void ProgressWindow::reject() {
  if (working_) return;
  QDialog::reject();
}

}  // namespace velmora::ui
