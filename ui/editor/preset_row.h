// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor's presets row: a box of saved operations (choosing one loads it), "Save" and
// "Delete" for the name in the box, and "Copy as command".

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "batch/record_fields.h"

namespace velmora::ui {

class Program;

namespace Ui {
class PresetRow;
}

class PresetRow final : public QWidget {
  Q_OBJECT

 public:
  explicit PresetRow(QWidget* parent = nullptr);
  ~PresetRow() override;

  /// The program's file system and messages, and the operation the editor describes now
  /// (what "Save" stores).
  void attach(Program& program, std::function<batch::RecordSettings()> current);
  /// Where presets are read and written (the config folder's unless a test sets another).
  void setFolder(const std::string& folder) { folder_ = folder; }
  /// The box's list, from the presets folder; the typed name stays.
  void refresh();
  /// Reads a preset into a copy of the current settings and reports it by loaded(); false
  /// when it cannot be read (a message says why).
  bool load(const QString& name);

  void saveClicked();
  void deleteClicked();

 signals:
  void loaded(const batch::RecordSettings& settings);
  void copyCommandRequested();

 private:
  std::string folder() const;

  std::unique_ptr<Ui::PresetRow> ui_;
  Program* program_ = nullptr;
  std::function<batch::RecordSettings()> current_;
  std::string folder_;
};

}  // namespace velmora::ui
