// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_harness.h"

#include <QApplication>
#include <QDir>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "batch/rollback_log.h"
#include "ui/editor/operation_editor.h"
#include "batch/target_walk.h"
#include "platform/user_dirs.h"
#include "ui/folder_add_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace velmora::testing {

std::optional<QString> FakeDialogs::browseFolder(QWidget*, const QString& title) {
  titles << title;
  workingFolders << workingFolder();
  if (folders.empty()) return std::nullopt;
  const QString answer = folders.front();
  folders.pop_front();
  if (answer.isEmpty()) return std::nullopt;
  return answer;
}

QStringList FakeDialogs::openFiles(QWidget*, const QString& title, const QString& startFolder) {
  titles << title;
  fileDialogStarts << startFolder;
  if (files.empty()) return {};
  QStringList answer = files.front();
  files.pop_front();
  return answer;
}

std::optional<QString> FakeDialogs::saveListingFile(QWidget*, const std::function<bool(const QString&)>& mayReplace) {
  titles << QStringLiteral("Select file to save filenames");
  workingFolders << workingFolder();
  while (!saves.empty()) {
    const QString answer = saves.front();
    saves.pop_front();
    if (answer.isEmpty()) return std::nullopt;
    if (mayReplace(answer)) return answer;
  }
  return std::nullopt;
}

std::string DefaultInstallDir() { return platform::DefaultProgramFolder() + "/"; }

void ResetProgramState() {
  // The state below is wiped for every test: only ever in the private folders that ctest
  // sets up, never in a real user's settings and program folder.
  if (qEnvironmentVariable("VELMORA_TEST_SANDBOX") != QStringLiteral("1"))
    qFatal("The window tests clear the program's settings and files: run them through ctest, "
           "which gives them private XDG and home folders.");
  QSettings settings(QStringLiteral("Tessaro"), QStringLiteral("Dir"));
  settings.clear();
  settings.sync();
  QDir(QString::fromStdString(platform::DefaultProgramFolder())).removeRecursively();
}

Harness::Harness(media::MetadataReader* tags) {
  ResetProgramState();
  program_ = std::make_unique<ui::Desktop>(ui::Services{&messages, &dialogs, &launcher, nullptr, tags});
}

Harness::~Harness() {
  program_.reset();
  QApplication::processEvents();
}

void OpenEditor(ui::Desktop& program, engine::OperationKind kind, const std::vector<std::string>& picked,
                const std::string& folder) {
  app::AppState& state = program.state();
  state.operationKind = engine::KeywordOf(kind);
  state.target.folder = folder;
  state.target.picked = picked;
  state.samplePath = picked.empty() ? std::string() : picked.front();
  if (!folder.empty()) {
    const auto probe = batch::Probe(platform::RealFileSystem(), folder);
    if (!probe.firstFile.empty()) state.samplePath = platform::JoinPath(folder, probe.firstFile);
  }
  program.editor().openModal();
}

void OpenFolderEditor(ui::Desktop& program, const std::string& folder, engine::OperationKind kind) {
  program.start("");
  program.mainWindow().setFolderBox(ui::FromPath(folder));
  program.mainWindow().ListFolder();
  program.mainWindow().StartOperation(kind);
}

std::vector<std::string> NumberedFiles(const std::string& prefix, int first, int count, const std::string& extension) {
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) out.push_back(prefix + std::to_string(first + i) + extension);
  return out;
}

QPalette DarkPalette() {
  const QColor window(45, 45, 48), base(30, 30, 32), text(230, 230, 230), disabled(128, 128, 128);
  QPalette p(text, window, window.lighter(160), window.darker(160), window.lighter(120), text, Qt::white, base,
             window);
  p.setColor(QPalette::AlternateBase, QColor(55, 55, 60));
  p.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::Highlight, QColor(61, 174, 233));
  p.setColor(QPalette::HighlightedText, QColor(20, 20, 20));
  p.setColor(QPalette::Link, QColor(100, 180, 255));
  p.setColor(QPalette::PlaceholderText, QColor(160, 160, 160));
  for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, disabled);
  return p;
}

void WhenShown(QWidget* window, std::function<void()> action) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, window, action] {
    if (!window->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    action();
  });
  timer->start();
}

void AnswerFolderAdd(ui::Desktop& program, int choice) {
  ui::FolderAddDialog& dialog = program.folderAdd();
  WhenShown(&dialog, [&dialog, choice] {
    if (choice == 0) {
      dialog.reject();
      return;
    }
    dialog.findChild<QRadioButton*>(choice == 1 ? QStringLiteral("RadioButton1") : QStringLiteral("RadioButton2"))
        ->setChecked(true);
    dialog.accept();
  });
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return batch::SplitLines(buffer.str());
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

}  // namespace velmora::testing
