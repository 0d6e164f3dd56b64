// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/single_rename_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "batch/ok_checks.h"
#include "batch/run_pipeline.h"
#include "platform/code_page.h"
#include "engine/name_model.h"
#include "ui/program.h"
#include "ui/qt_text.h"
#include "ui_single_rename_dialog.h"

namespace velmora::ui {

SingleRenameDialog::SingleRenameDialog(Program& program, QWidget* parent)
    : QDialog(parent), program_(program), ui_(new Ui::SingleRenameDialog) {
  ui_->setupUi(this);
  name_ = ui_->Edit1;
  extension_ = ui_->Edit2;
  extensionLabel_ = ui_->Label2;
  connect(ui_->Button1, &QPushButton::clicked, this, &SingleRenameDialog::OkClick);
  connect(ui_->Button2, &QPushButton::clicked, this, &QDialog::reject);
}

SingleRenameDialog::~SingleRenameDialog() = default;

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
    program_.messages().information(QT_TRANSLATE_NOOP("Core", "The new name is already exist."));
    name_->setFocus();
    return;
  }
  if (!batch::InputTextCheck(ToText(name + ext), program_.specialStringSettings().enabled, program_.messages())) {
    name_->setFocus();
    return;
  }
  // The one rename goes the road of every run: journalled first, then sealed as the log.
  batch::NoHooks hooks;
  batch::StopFlag stop;
  batch::PipelineRequest run;
  run.run.target.picked = {oldPath};
  run.programFolder = program_.state().installDir;
  run.pairs = std::vector<batch::RenamePair>{{oldPath, newPath}};
  run.keptRuns = program_.runOptions().keptRuns;
  const batch::RunReport report =
      batch::RunPipeline({fs, fs, platform::SystemCodePage(), program_.messages(), hooks, stop}, run);
  if (report.nothingRenamed()) {
    // A journal that refused the rename has said why.
    if (!report.journalFailed)
      program_.messages().information(QT_TRANSLATE_NOOP("Core", "Can not rename, the file is on CD or is using."));
    const std::string entry = ToPath(request_.entryText);
    const bool isDir = fs.isDirectory(request_.folderBox.isEmpty() ? entry : oldPath);
    name_->setText(FromPath(engine::BaseName(entry, isDir)));
    extension_->setText(FromPath(engine::Extension(entry, isDir)));
    name_->setFocus();
    return;
  }
  if (const std::string notSaved = batch::LogNotSavedMessage(report, run.programFolder); !notSaved.empty())
    program_.messages().warning(notSaved);
  result_ = request_.folderBox.isEmpty() ? FromPath(newPath) : name + ext;
  accept();
}

}  // namespace velmora::ui
