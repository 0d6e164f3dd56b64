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

namespace velmora::ui {

FolderAddDialog::FolderAddDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TForm9"));
  setWindowTitle(QStringLiteral("Folder Add option"));
  setWindowModality(Qt::ApplicationModal);

  editFolder_ = new QRadioButton(tr("Choose A folder to edit all its included files together"), this);
  editFolder_->setObjectName(QStringLiteral("RadioButton1"));
  addFiles_ = new QRadioButton(tr("Add all files of a folder(one layer) to the list"), this);
  addFiles_->setObjectName(QStringLiteral("RadioButton2"));
  auto* group = new QButtonGroup(this);
  group->addButton(editFolder_);
  group->addButton(addFiles_);
  editFolder_->setChecked(true);
  for (QRadioButton* r : {editFolder_, addFiles_}) {
    r->installEventFilter(this);
    connect(r, &QRadioButton::toggled, this, [this] { RadioButtonClick(); });
  }

  auto* note = new QLabel(QStringLiteral("(Can add other files or deselect individual file later)"), this);
  note->setObjectName(QStringLiteral("Label1"));
  note->setContentsMargins(22, 0, 0, 0);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("Button1"));
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("Button2"));
  AddMnemonics({editFolder_, addFiles_, ok, cancel}, QString());
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 16, 18, 12);
  layout->setSpacing(10);
  layout->addWidget(editFolder_);
  layout->addWidget(addFiles_);
  layout->addWidget(note);
  layout->addSpacing(6);
  layout->addWidget(buttons);
  RadioButtonClick();
  setFixedSize(sizeHint());
}

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
