// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/run_summary.h"

#include "engine/name_model.h"
#include "ui/qt_text.h"
#include "ui/translations.h"

namespace velmora::ui {

QString RunSummary::OfRun(const batch::StatusCounts& counts) {
  return tr("Renamed: %1 (numbered: %2), unchanged: %3, left alone: %4")
      .arg(counts.changed())
      .arg(counts.numbered)
      .arg(counts.unchanged)
      .arg(counts.leftAlone + counts.refused);
}

QString RunSummary::OfUndo(const batch::UndoReport& report) {
  if (report.failed == 0) return tr("Undo restored: %1").arg(report.restored);
  return tr("Undo restored: %1, could not restore: %2").arg(report.restored).arg(report.failed);
}

QString RunSummary::RefusedItems(const std::vector<batch::SkippedItem>& skipped) {
  QStringList lines;
  int refused = 0;
  for (const batch::SkippedItem& item : skipped) {
    if (item.status != batch::ItemStatus::Refused) continue;
    if (++refused > kListed) continue;
    const std::string_view old(item.oldPath);
    lines << tr("%1: %2").arg(FromPath(std::string(old.substr(engine::NameStart(old)))), CoreText(item.reason));
  }
  if (refused == 0) return {};
  if (refused > kListed) lines << tr("... and %n more", nullptr, refused - kListed);
  return tr("The system refused to rename %n item(s):", nullptr, refused) + QLatin1Char('\n') +
         lines.join(QLatin1Char('\n'));
}

}  // namespace velmora::ui
