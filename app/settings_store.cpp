// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_store.h"

#include <QVariant>
#include <algorithm>

namespace velmora::app {

namespace {

/// A stored number; a value that is missing or not a whole number counts as missing.
std::optional<int> ReadNumber(const QSettings& settings, const QString& name) {
  const QVariant v = settings.value(name);
  if (!v.isValid()) return std::nullopt;
  bool ok = false;
  int n = 0;
  if (v.typeId() == QMetaType::QString) {
    n = v.toString().trimmed().toInt(&ok);
  } else if (v.canConvert<int>() && v.typeId() != QMetaType::QStringList && v.typeId() != QMetaType::QVariantList) {
    n = v.toInt(&ok);
  }
  if (!ok) return std::nullopt;
  return n;
}

}  // namespace

std::unique_ptr<QSettings> OpenSettings() {
  return std::make_unique<QSettings>(QStringLiteral("Tessaro"), QStringLiteral("Dir"));
}

void LoadStoredOptions(const QSettings& settings, StoredOptions& values) {
  batch::RunOptions& o = values.options;
  bool* const booleans[] = {&o.exitAfterRun, &o.dontOpenListing, &o.displayResult, &o.autocopy,
                            &o.excludeSmallWords, &o.confirm, &values.contextMenu};
  const char* const names[] = {"Options1", "Options2", "Options3", "Autocopy", "Capevery", "Confirm", "Contextmenu"};
  bool complete = true;
  values.booleansRead = 0;
  for (std::size_t i = 0; i < std::size(names); ++i) {
    const auto n = ReadNumber(settings, QString::fromLatin1(names[i]));
    if (!n) {
      complete = false;
      break;
    }
    *booleans[i] = *n != 0;
    ++values.booleansRead;
  }
  std::optional<int> preview;
  if (complete) preview = ReadNumber(settings, QStringLiteral("Prenum"));
  o.previewCount = preview ? std::clamp(*preview, 1, 1000) : 20;
  const auto listnum = ReadNumber(settings, QStringLiteral("Listnum"));
  o.historyMax = listnum ? std::clamp(*listnum, 0, 100) : 20;
  // "Order" is read on its own, like "Listnum"; a missing or unknown text is the name order.
  const auto order = ReadStringValue(settings, QStringLiteral("Order"));
  o.order = batch::ParseItemOrder(order ? order->toStdString() : std::string()).value_or(batch::ItemOrder{});
  const auto hidden = ReadNumber(settings, QStringLiteral("Hidden"));
  o.includeHidden = hidden && *hidden != 0;
  // "Undokeep" is read on its own too; missing or unreadable, the default number of runs.
  const auto keep = ReadNumber(settings, QStringLiteral("Undokeep"));
  o.keptRuns = keep ? std::clamp(*keep, 0, batch::kKeptRunsLimit) : batch::kKeptRunsDefault;
  const auto liveNames = ReadNumber(settings, QStringLiteral("LiveNames"));
  o.showNewNames = !liveNames || *liveNames != 0;
}

void SaveStoredOptions(QSettings& settings, const StoredOptions& values) {
  const batch::RunOptions& o = values.options;
  settings.setValue(QStringLiteral("Options1"), o.exitAfterRun ? 1 : 0);
  settings.setValue(QStringLiteral("Options2"), o.dontOpenListing ? 1 : 0);
  settings.setValue(QStringLiteral("Options3"), o.displayResult ? 1 : 0);
  settings.setValue(QStringLiteral("Autocopy"), o.autocopy ? 1 : 0);
  settings.setValue(QStringLiteral("Capevery"), o.excludeSmallWords ? 1 : 0);
  settings.setValue(QStringLiteral("Confirm"), o.confirm ? 1 : 0);
  settings.setValue(QStringLiteral("Prenum"), o.previewCount);
  settings.setValue(QStringLiteral("Listnum"), o.historyMax);
  settings.setValue(QStringLiteral("Contextmenu"), values.contextMenu ? 1 : 0);
  settings.setValue(QStringLiteral("Order"), QString::fromStdString(batch::ItemOrderText(o.order)));
  settings.setValue(QStringLiteral("Hidden"), o.includeHidden ? 1 : 0);
  settings.setValue(QStringLiteral("Undokeep"), o.keptRuns);
  settings.setValue(QStringLiteral("LiveNames"), o.showNewNames ? 1 : 0);
  settings.sync();
}

std::optional<QString> ReadStringValue(const QSettings& settings, const QString& name) {
  const QVariant v = settings.value(name);
  if (!v.isValid() || v.typeId() != QMetaType::QString) return std::nullopt;
  QString s = v.toString();
  if (s.isEmpty()) return std::nullopt;
  return s;
}

std::optional<QString> ReadInstallDir(const QSettings& settings) {
  return ReadStringValue(settings, QStringLiteral("InstallDir"));
}

std::optional<QString> ReadLastDir(const QSettings& settings) {
  return ReadStringValue(settings, QStringLiteral("LastDir"));
}

void WriteLastDir(QSettings& settings, const QString& folder) {
  settings.setValue(QStringLiteral("LastDir"), folder);
  settings.sync();
}

void WriteHistoryMaximum(QSettings& settings, int maximum) {
  settings.setValue(QStringLiteral("Listnum"), maximum);
  settings.sync();
}

}  // namespace velmora::app
