// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program.h"

#include <QCoreApplication>
#include <QFile>
#include <QShortcut>
#include <ctime>

#include <QGuiApplication>

#include "app/end_sound.h"
#include "app/help_topics.h"
#include "app/settings_store.h"
#include "batch/rollback_log.h"
#include "ui/folder_add_dialog.h"
#include "ui/help_window.h"
#include "ui/history_editor.h"
#include "ui/main_window.h"
#include "ui/operation_editor.h"
#include "ui/options_window.h"
#include "ui/preview_window.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui/single_rename_dialog.h"
#include "ui/special_string_dialog.h"

namespace velmora::ui {

namespace {
constexpr int kLaunchDelayMs = 100;
constexpr int kCloseDelayMs = 1000;
}  // namespace

Program::Program(const Services& services) : services_(services) {
  if (!services_.fs) services_.fs = &platform::RealFileSystem();
  QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
  state_.randomSeedCounter = static_cast<std::uint32_t>(std::time(nullptr));

  {
    const auto settings = app::OpenSettings();
    state_.installDir = app::ResolveInstallDir(*settings, fs());
  }
  batch::RecoverJournal(fs(), state_.installDir);
  fs().setListingRules({false, state_.installDir});
  nameHistory_ = std::make_unique<batch::NameHistory>(fs(), state_.installDir, 20);

  main_ = std::make_unique<MainWindow>(*this);
  windows_.push_back(main_.get());
  editor_ = std::make_unique<OperationEditor>(*this);
  windows_.push_back(editor_.get());
  special_ = std::make_unique<SpecialStringDialog>(*this);
  windows_.push_back(special_.get());
  progress_ = std::make_unique<ProgressWindow>(*this);
  windows_.push_back(progress_.get());
  // A window of the editor's own: the editor is modal while the main window opened it,
  // and a modal window blocks every window except its own.
  preview_ = std::make_unique<PreviewWindow>(*this, editor_.get());
  windows_.push_back(preview_.get());
  options_ = std::make_unique<OptionsWindow>(*this);
  windows_.push_back(options_.get());
  history_ = std::make_unique<HistoryEditor>(*this);
  windows_.push_back(history_.get());
  rename_ = std::make_unique<SingleRenameDialog>(*this);
  windows_.push_back(rename_.get());
  folderAdd_ = std::make_unique<FolderAddDialog>();
  windows_.push_back(folderAdd_.get());
  editor_->connectWindows();
  // F1 in the special string dialog runs the main window's help routine, as its "Help" does.
  connect(new QShortcut(QKeySequence(Qt::Key_F1), special_.get()), &QShortcut::activated, this,
          &Program::showMainHelp);
  // The Options window's "New name list" page.
  connect(options_.get(), &OptionsWindow::editHistoryRequested, this, [this] { history_->editHistory(); });
  connect(options_.get(), &OptionsWindow::clearHistoryRequested, this, [this] {
    if (!batch::ClearHistory(*nameHistory_, messages())) return;
    editor_->showWholeHistory();
    history_->clearText();
  });

  launchTimer_.setSingleShot(true);
  launchTimer_.setInterval(kLaunchDelayMs);
  connect(&launchTimer_, &QTimer::timeout, this, &Program::launchTimerFired);
  closeTimer_.setSingleShot(true);
  closeTimer_.setInterval(kCloseDelayMs);
  connect(&closeTimer_, &QTimer::timeout, this, [this] { main_->close(); });
}

Program::~Program() = default;

void Program::start(const std::string& firstArgument) {
  plan_ = app::PlanStartup(firstArgument, fs(), state_.installDir, messages());
  state_.operationKind = plan_.operationKind;
  if (!plan_.keywordGiven) {
    main_->show();
    main_->startHousekeeping();
    return;
  }
  state_.target = plan_.target;
  state_.samplePath = plan_.samplePath;
  state_.topLayerFileCount = plan_.topLayerFileCount;
  state_.handOffSession = plan_.handOffSession;
  if (plan_.listPickedInMainWindow) {
    main_->showHandPicked(state_.target.picked, false);
    main_->show();
    main_->startHousekeeping();
  }
  if (plan_.armCloseTimer) closeTimer_.start();
  if (plan_.armLaunchTimer) launchTimer_.start();
}

void Program::start(const app::CommandLine& line) {
  if (!line.folder.empty()) {
    main_->setFolderBox(FromPath(line.folder));
    main_->ListFolder();
  } else if (!line.files.empty()) {
    main_->showHandPicked(line.files, true);
  } else {
    start(line.keyword);
    return;
  }
  main_->show();
  main_->startHousekeeping();
}

void Program::launchTimerFired() {
  if (state_.isKind(engine::OperationKind::Savesomes)) {
    // The export reads the stored options, which the first housekeeping tick would load
    // only later.
    options_->loadSettings();
    editor_->exportPickedList();
    return;
  }
  editor_->openNonModal();
}

void Program::showMainHelp() {
  showHelpTopic(app::MainHelpTopic(special_->isVisible(), preview_->isVisible(), options_->isVisible()));
}

void Program::showHelpTopic(const QString& topic) { helpWindow().showTopic(state_.installDir, topic); }

void Program::playEndSound() {
  app::PlayEndSound(QString::fromStdString(state_.installDir),
                    QGuiApplication::platformName() == QStringLiteral("offscreen"));
}

HelpWindow& Program::helpWindow() {
  if (!help_) help_ = std::make_unique<HelpWindow>();
  return *help_;
}

}  // namespace velmora::ui
