// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/single_rename_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "batch/ok_checks.h"
#include "batch/rollback_log.h"
#include "engine/name_model.h"
#include "ui/program.h"
#include "ui/qt_text.h"

namespace velmora::ui {

SingleRenameDialog::SingleRenameDialog(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
  setObjectName(QStringLiteral("TForm2"));
  setWindowTitle(QStringLiteral("Rename a file"));
  setWindowModality(Qt::ApplicationModal);

  name_ = new QLineEdit(this);
  name_->setObjectName(QStringLiteral("Edit1"));
  name_->setMinimumWidth(300);
  extension_ = new QLineEdit(this);
  extension_->setObjectName(QStringLiteral("Edit2"));
  extension_->setMaximumWidth(90);
  extensionLabel_ = new QLabel(QStringLiteral("Extension part:"), this);
  extensionLabel_->setObjectName(QStringLiteral("Label2"));

  auto* ok = new QPushButton(tr("&OK"), this);
  ok->setObjectName(QStringLiteral("Button1"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(tr("&Cancel"), this);
  cancel->setObjectName(QStringLiteral("Button2"));
  connect(ok, &QPushButton::clicked, this, &SingleRenameDialog::OkClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* grid = new QGridLayout(this);
  grid->addWidget(name_, 0, 0);
  grid->addWidget(extensionLabel_, 0, 1);
  grid->addWidget(extension_, 0, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 1, 0, 1, 3);
}

std::optional<QString> SingleRenameDialog::renameEntry(const SingleRenameRequest& request) {
  request_ = request;
  result_.reset();
  setWindowTitle(request.caption);
  name_->setText(request.name);
  extension_->setText(request.extension);
  extension_->setVisible(request.extensionShown);
  extensionLabel_->setVisible(request.extensionShown);
  exec();
  return result_;
}

void SingleRenameDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  name_->setFocus();
  name_->selectAll();
}

void SingleRenameDialog::OkClick() {
  platform::FileSystem& fs = program_.fs();
  QString ext = request_.extensionShown ? extension_->text() : QString();
  if (!ext.isEmpty() && !ext.startsWith(QLatin1Char('.'))) ext.prepend(QLatin1Char('.'));
  const QString name = FromText(engine::TrimLeft(ToText(name_->text())));
  name_->setText(name);

  std::string oldPath, newPath;
  if (!request_.folderBox.isEmpty()) {
    QString folder = request_.folderBox;
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    oldPath = ToPath(folder + request_.entryText);
    newPath = ToPath(folder + name + ext);
  } else {
    oldPath = ToPath(request_.entryText);
    while (oldPath.size() > 1 && platform::IsSeparator(oldPath.back())) oldPath.pop_back();
    const std::string folder = engine::FolderPart(oldPath);
    newPath = fs.isDirectory(oldPath) ? folder + ToPath(name) : folder + ToPath(name + ext);
  }

  if (fs.exists(newPath)) {
    program_.messages().information("The new name is already exist.");
    name_->setFocus();
    return;
  }
  if (!batch::InputTextCheck(ToText(name + ext), program_.specialStringSettings().enabled, program_.messages())) {
    name_->setFocus();
    return;
  }
  if (fs.rename(oldPath, newPath) != platform::RenameStatus::Renamed) {
    program_.messages().information("Can not rename, the file is on CD or is using.");
    const std::string entry = ToPath(request_.entryText);
    const bool isDir = fs.isDirectory(request_.folderBox.isEmpty() ? entry : oldPath);
    name_->setText(FromPath(engine::BaseName(entry, isDir)));
    extension_->setText(FromPath(engine::Extension(entry, isDir)));
    name_->setFocus();
    return;
  }
  batch::RollbackLog log;
  log.add(newPath, oldPath);
  batch::SaveRollbackLog(fs, program_.state().installDir, log);
  result_ = request_.folderBox.isEmpty() ? FromPath(newPath) : name + ext;
  accept();
}

}  // namespace velmora::ui
