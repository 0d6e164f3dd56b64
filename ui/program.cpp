// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program.h"

#include <QCoreApplication>
#include <ctime>

#include <QGuiApplication>

#include "app/end_sound.h"
#include "app/help_topics.h"
#include "app/settings_store.h"
#include "batch/rollback_log.h"
#include "ui/qt_text.h"

namespace velmora::ui {

namespace {
constexpr int kLaunchDelayMs = 100;
constexpr int kCloseDelayMs = 1000;
}  // namespace

Program::Program(const Services& services) : services_(services) {
  if (!services_.fs) services_.fs = &platform::RealFileSystem();
  if (!services_.tags) services_.tags = &media::SystemMetadataReader();
  QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
  state_.randomSeedCounter = static_cast<std::uint32_t>(std::time(nullptr));

  {
    const auto settings = app::OpenSettings();
    state_.installDir = app::ResolveInstallDir(*settings, fs());
  }
  batch::RecoverJournal(fs(), state_.installDir);
  fs().setListingRules({false, state_.installDir});
  nameHistory_ = std::make_unique<batch::NameHistory>(fs(), state_.installDir, 20);

  launchTimer_.setSingleShot(true);
  launchTimer_.setInterval(kLaunchDelayMs);
  connect(&launchTimer_, &QTimer::timeout, this, &Program::launchTimerFired);
  closeTimer_.setSingleShot(true);
  closeTimer_.setInterval(kCloseDelayMs);
  connect(&closeTimer_, &QTimer::timeout, this, [this] { mainWindow().closeWindow(); });
}

Program::~Program() = default;

void Program::attach(WindowPorts ports) { ports_ = std::move(ports); }

void Program::start(const std::string& firstArgument) {
  plan_ = app::PlanStartup(firstArgument, fs(), state_.installDir, messages());
  state_.operationKind = plan_.operationKind;
  if (!plan_.keywordGiven) {
    mainWindow().showWindow();
    mainWindow().startHousekeeping();
    return;
  }
  state_.target = plan_.target;
  state_.samplePath = plan_.samplePath;
  state_.topLayerFileCount = plan_.topLayerFileCount;
  state_.handOffSession = plan_.handOffSession;
  if (plan_.listPickedInMainWindow) {
    mainWindow().showHandPicked(state_.target.picked, false);
    mainWindow().showWindow();
    mainWindow().startHousekeeping();
  }
  if (plan_.armCloseTimer) closeTimer_.start();
  if (plan_.armLaunchTimer) launchTimer_.start();
}

void Program::start(const app::CommandLine& line) {
  if (!line.folder.empty()) {
    mainWindow().setFolderBox(FromPath(line.folder));
    mainWindow().ListFolder();
  } else if (!line.files.empty()) {
    mainWindow().showHandPicked(line.files, true);
  } else if (line.missing.empty()) {
    start(line.keyword);
    return;
  }
  mainWindow().showWindow();
  mainWindow().startHousekeeping();
  if (!line.missing.empty()) {
    QStringList paths;
    for (const std::string& path : line.missing) paths << FromPath(path);
    messages().warning(ToText(tr("These paths were not found:\n%1").arg(paths.join(QLatin1Char('\n')))));
  }
}

void Program::launchTimerFired() {
  if (state_.isKind(engine::OperationKind::ListPicked)) {
    // The export reads the stored options, which the first housekeeping tick would load
    // only later.
    options().loadSettings();
    editor().exportPickedList();
    return;
  }
  editor().openNonModal();
}

void Program::showMainHelp() {
  showHelpTopic(app::MainHelpTopic(specialStrings().isShown(), preview().isShown(), options().isShown()));
}

void Program::showHelpTopic(const QString& topic) { ports_.help().showTopic(state_.installDir, topic); }

void Program::playEndSound() {
  app::PlayEndSound(QString::fromStdString(state_.installDir),
                    QGuiApplication::platformName() == QStringLiteral("offscreen"));
}

void Program::clearHistory() {
  if (!batch::ClearHistory(*nameHistory_, messages())) return;
  editor().showWholeHistory();
  historyEditor().clearText();
}

}  // namespace velmora::ui
