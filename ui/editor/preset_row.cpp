// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/preset_row.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "batch/presets.h"
#include "ui/program.h"
#include "ui/qt_text.h"
#include "ui_preset_row.h"

namespace velmora::ui {

PresetRow::PresetRow(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::PresetRow>()) {
  ui_->setupUi(this);
  connect(ui_->ComboBoxPresets, &QComboBox::activated, this,
          [this](int index) { load(ui_->ComboBoxPresets->itemText(index)); });
  connect(ui_->ButtonPresetSave, &QPushButton::clicked, this, &PresetRow::saveClicked);
  connect(ui_->ButtonPresetDelete, &QPushButton::clicked, this, &PresetRow::deleteClicked);
  connect(ui_->ButtonCopyCommand, &QPushButton::clicked, this, &PresetRow::copyCommandRequested);
}

PresetRow::~PresetRow() = default;

void PresetRow::attach(Program& program, std::function<batch::RecordSettings()> current) {
  program_ = &program;
  current_ = std::move(current);
}

std::string PresetRow::folder() const { return folder_.empty() ? batch::PresetsFolder() : folder_; }

void PresetRow::refresh() {
  QComboBox* box = ui_->ComboBoxPresets;
  const QString typed = box->currentText();
  box->clear();
  for (const std::string& name : batch::ListPresets(program_->fs(), folder())) box->addItem(FromText(name));
  box->setCurrentIndex(-1);
  box->setEditText(typed);
}

void PresetRow::saveClicked() {
  const std::string name = ToText(ui_->ComboBoxPresets->currentText());
  if (const auto error = batch::PresetNameError(name)) {
    program_->messages().information(*error);
    ui_->ComboBoxPresets->setFocus();
    return;
  }
  if (!batch::SavePreset(program_->fs(), folder(), name, current_())) {
    program_->messages().warning(ToText(tr("The preset could not be saved in %1.").arg(FromPath(folder()))));
    return;
  }
  refresh();
}

void PresetRow::deleteClicked() {
  QComboBox* box = ui_->ComboBoxPresets;
  const std::string name = ToText(box->currentText());
  if (batch::PresetNameError(name) || box->findText(box->currentText()) < 0) return;
  const std::string question = ToText(tr("Delete the preset '%1' ?").arg(box->currentText()));
  if (program_->messages().confirm(ToText(tr("Delete Confirmation")), question, batch::Buttons::YesNo) !=
      batch::Answer::Yes)
    return;
  program_->fs().removeFile(batch::PresetPath(folder(), name));
  box->setEditText(QString());
  refresh();
}

bool PresetRow::load(const QString& name) {
  const std::string preset = ToText(name);
  const auto content =
      batch::PresetNameError(preset) ? std::nullopt : program_->fs().readFile(batch::PresetPath(folder(), preset));
  const QJsonDocument document =
      content ? QJsonDocument::fromJson(QByteArray::fromStdString(*content)) : QJsonDocument();
  if (!document.isObject()) {
    program_->messages().information(ToText(tr("The preset '%1' cannot be read.").arg(name)));
    return false;
  }
  batch::RecordSettings s = current_();
  const QJsonObject object = document.object();
  for (auto it = object.begin(); it != object.end(); ++it) {
    const QJsonValue value = it.value();
    const QString text = value.isBool()     ? QString::fromLatin1(value.toBool() ? "true" : "false")
                         : value.isDouble() ? QString::number(value.toInteger())
                                            : value.toString();
    if (const auto error = batch::SetField(s, ToText(it.key()), ToText(text))) {
      program_->messages().information(*error);
      return false;
    }
  }
  emit loaded(s);
  ui_->ComboBoxPresets->setEditText(name);
  return true;
}

}  // namespace velmora::ui
