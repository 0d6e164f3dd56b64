// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/folder_add_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/desktop_look.h"
#include "ui_folder_add_dialog.h"

namespace velmora::ui {

FolderAddDialog::FolderAddDialog(QWidget* parent) : QDialog(parent), ui_(new Ui::FolderAddDialog) {
  ui_->setupUi(this);
  editFolder_ = ui_->RadioButton1;
  addFiles_ = ui_->RadioButton2;
  for (QRadioButton* r : {editFolder_, addFiles_}) {
    r->installEventFilter(this);
    connect(r, &QRadioButton::toggled, this, [this] { RadioButtonClick(); });
  }

  // The buttons in the box's own order for the desktop.
  QDialogButtonBox* buttons = ui_->buttons;
  QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("Button1"));
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("Button2"));
  AddMnemonics({editFolder_, addFiles_, ok, cancel}, QString());
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  RadioButtonClick();
  setFixedSize(sizeHint());
}

FolderAddDialog::~FolderAddDialog() = default;

int FolderAddDialog::checkedChoice() const { return editFolder_->isChecked() ? EditFolder : AddFilesOfFolder; }

int FolderAddDialog::ask() { return exec() == QDialog::Accepted ? checkedChoice() : Cancelled; }

bool FolderAddDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick && (watched == editFolder_ || watched == addFiles_)) {
    static_cast<QRadioButton*>(watched)->setChecked(true);
    accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void FolderAddDialog::RadioButtonClick() {
  for (QRadioButton* r : {editFolder_, addFiles_}) {
    QFont f = r->font();
    f.setBold(r->isChecked());
    r->setFont(f);
  }
}

}  // namespace velmora::ui
