// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include "app/settings_store.h"
#include "batch/program_files.h"
#include "batch/rollback_log.h"
#include "platform/user_dirs.h"

namespace velmora::app {

using engine::OperationKind;

std::string ResolveInstallDir(const QSettings& settings, platform::FileSystem& fs) {
  std::string folder;
  // A relative value would name a folder below the current directory, which may be the
  // very folder being renamed: it counts as missing.
  if (auto stored = ReadInstallDir(settings); stored && QDir::isAbsolutePath(*stored))
    folder = QFile::encodeName(*stored).toStdString();
  if (folder.empty()) folder = platform::DefaultProgramFolder();
  if (!fs.isDirectory(folder)) fs.makeFolders(folder);
  return batch::ProgramFolderWithSeparator(folder);
}

std::optional<std::vector<std::string>> TakeHandOffFile(platform::FileSystem& fs, const std::string& installDir) {
  const std::string path = batch::ProgramFolderWithSeparator(installDir) + batch::kHandOffName;
  if (!fs.exists(path)) return std::nullopt;
  const auto content = fs.readFile(path);
  fs.removeFile(path);
  std::vector<std::string> lines;
  if (content) {
    for (auto& line : batch::SplitLines(*content))
      if (!line.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

StartupPlan PlanStartup(const std::string& firstArgument, platform::FileSystem& fs, const std::string& installDir,
                        batch::Messages& messages) {
  StartupPlan plan;
  if (firstArgument.empty()) return plan;

  plan.keywordGiven = true;
  plan.operationKind = firstArgument;
  const bool savesomes = firstArgument == engine::KeywordOf(OperationKind::ListPicked);

  if (auto lines = TakeHandOffFile(fs, installDir)) {
    plan.target.picked = *lines;
    if (lines->empty()) {
      plan.armCloseTimer = true;
    } else {
      plan.samplePath = lines->front();
    }
    if (lines->size() == 1 && fs.isDirectory(lines->front())) {
      const std::string folder = lines->front();
      plan.target.folder = folder;
      plan.target.picked.clear();
      const batch::ProbeResult probe = batch::Probe(fs, folder);
      plan.topLayerFileCount = probe.fileCount;
      plan.samplePath = probe.firstFile.empty() ? batch::ProgramFolderWithSeparator(folder)
                                                : platform::JoinPath(folder, probe.firstFile);
      if (probe.firstFile.empty() && probe.firstFolder.empty()) {
        if (firstArgument == engine::KeywordOf(OperationKind::ListFolder) ||
            firstArgument == engine::KeywordOf(OperationKind::Extension)) {
          messages.information(kNoFileInFolderMessage);
          plan.armCloseTimer = true;
        } else if (messages.confirm(kEditFolderNameTitle, kEditFolderNameQuestion, batch::Buttons::YesNo) ==
                   batch::Answer::Yes) {
          plan.target.scope = batch::FolderScope::ThisFolder;
        } else {
          plan.armCloseTimer = true;
        }
      }
    }
  }

  if (!savesomes) {
    plan.handOffSession = true;
    plan.showMainWindow = false;
  } else {
    plan.listPickedInMainWindow = true;
    plan.showMainWindow = true;
  }
  plan.armLaunchTimer = true;
  return plan;
}

namespace {

/// The path made absolute and free of "." and ".." parts, without a trailing separator: the
/// same normal form velmora-cli gives its targets.
std::string AbsolutePath(const std::string& argument, const std::string& currentFolder) {
  return platform::NormalPath(argument, currentFolder);
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments, platform::FileSystem& fs,
                             const std::string& currentFolder) {
  CommandLine line;
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h") {
      line.action = CommandLine::Action::Help;
      return line;
    }
    if (argument == "--version") {
      line.action = CommandLine::Action::Version;
      return line;
    }
  }
  if (arguments.empty()) return line;
  const std::string& first = arguments.front();
  if (first.size() > 1 && first.front() == '-') {
    line.action = CommandLine::Action::UsageError;
    line.error = first;
    return line;
  }
  // The hand-off from another instance or a file-manager action passes a keyword: it
  // keeps its meaning even when an entry of that name exists in the current folder.
  bool keyword = false;
  engine::KindFromKeyword(first, &keyword);
  const std::string firstPath = first.empty() ? std::string() : AbsolutePath(first, currentFolder);
  const bool looksLikePath = first.find_first_of("/.") != std::string::npos;
  if (keyword || first.empty() || (!looksLikePath && !fs.exists(firstPath))) {
    line.keyword = first;
    return line;
  }
  // The first existing entry decides: a folder is listed (the arguments after it are
  // ignored), files are hand-picked. A path that names nothing is reported, never dropped.
  for (const std::string& argument : arguments) {
    if (argument.empty()) continue;
    const std::string path = AbsolutePath(argument, currentFolder);
    switch (fs.kind(path)) {
      case platform::EntryKind::Missing:
        line.missing.push_back(path);
        break;
      case platform::EntryKind::Directory:
        if (line.files.empty() && line.folder.empty()) line.folder = path;
        break;
      case platform::EntryKind::File:
        if (line.folder.empty()) line.files.push_back(path);
        break;
    }
  }
  return line;
}

std::string DesktopUsage() {
  return "Usage: velmora [FOLDER | FILE...]\n"
         "Renames many files and folders in one go.\n"
         "\n"
         "  FOLDER      open the main window listing this folder\n"
         "  FILE...     open the main window with these files hand-picked\n"
         "  --help      show this help and exit\n"
         "  --version   show the version and exit\n"
         "\n"
         "The command-line twin is velmora-cli (velmora-cli --help).\n";
}

std::string SessionKeyword(SessionItem item, const std::vector<std::string>& entries, platform::FileSystem& fs) {
  switch (item) {
    case SessionItem::Remove: return engine::KeywordOf(OperationKind::Remove);
    case SessionItem::Replace: return engine::KeywordOf(OperationKind::Replace);
    case SessionItem::Insert: return engine::KeywordOf(OperationKind::Insert);
    case SessionItem::Change: return engine::KeywordOf(OperationKind::Change);
    case SessionItem::Extension: return engine::KeywordOf(OperationKind::Extension);
    case SessionItem::Save:
      return entries.size() == 1 && fs.isDirectory(entries.front()) ? engine::KeywordOf(OperationKind::ListFolder)
                                                                     : engine::KeywordOf(OperationKind::ListPicked);
  }
  return {};
}

bool DetachedLauncher::startDetached(const std::string& keyword) {
  return QProcess::startDetached(QCoreApplication::applicationFilePath(), {QString::fromStdString(keyword)});
}

bool StartAnotherSession(const std::vector<std::string>& entries, const std::string& keyword,
                         platform::FileSystem& fs, const std::string& installDir, InstanceLauncher& launcher) {
  const std::string path = batch::ProgramFolderWithSeparator(installDir) + batch::kHandOffName;
  if (!fs.writeFileAtomic(path, batch::JoinLinesCrLf(entries), false)) return false;
  return launcher.startDetached(keyword);
}

}  // namespace velmora::app
