// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/history_editor.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/settings_store.h"
#include "batch/name_history.h"
#include "ui/program.h"
#include "ui/qt_text.h"
#include "ui_history_editor.h"

namespace velmora::ui {

HistoryEditor::HistoryEditor(Program& program, QWidget* parent)
    : QDialog(parent), program_(program), ui_(new Ui::HistoryEditor) {
  ui_->setupUi(this);
  text_ = ui_->Memo1;
  connect(text_, &QPlainTextEdit::textChanged, this, [this] {
    edited_ = true;
    saved_ = false;
  });
  connect(ui_->Button1, &QPushButton::clicked, this, &HistoryEditor::SaveClick);
  connect(ui_->Button2, &QPushButton::clicked, this, &HistoryEditor::reject);
}

HistoryEditor::~HistoryEditor() = default;

void HistoryEditor::editHistory() {
  // The text comes from the file as it is now (another instance may have written it); the
  // in-memory history is left to the editor's next showing.
  const std::string path = program_.nameHistory().filePath();
  if (program_.fs().exists(path)) {
    QStringList lines;
    if (const auto content = program_.fs().readFile(path))
      for (const std::string& e : batch::ParseHistory(*content)) lines << FromText(e);
    text_->setPlainText(lines.join(QLatin1Char('\n')));
  }
  edited_ = false;
  saved_ = false;
  exec();
}

void HistoryEditor::clearText() {
  text_->clear();
  edited_ = false;
}

void HistoryEditor::SaveClick() {
  std::vector<std::string> lines;
  for (const QString& line : text_->toPlainText().split(QLatin1Char('\n'))) lines.push_back(ToText(line));
  batch::NameHistory& history = program_.nameHistory();
  history.setMaximum(program_.runOptions().historyMax);
  const int before = history.maximum();
  const int maximum = history.saveEdited(lines);
  if (maximum != before) {
    // More lines than the maximum raise it, in the Options window and in the settings.
    program_.options().setHistoryMaximum(maximum);
    const auto settings = app::OpenSettings();
    app::WriteHistoryMaximum(*settings, maximum);
  }
  program_.editor().showWholeHistory();
  // The text shows what was kept: the empty lines are gone.
  QStringList kept;
  for (const std::string& e : history.entries()) kept << FromText(e);
  if (kept.join(QLatin1Char('\n')) != text_->toPlainText()) text_->setPlainText(kept.join(QLatin1Char('\n')));
  saved_ = true;
}

bool HistoryEditor::mayClose() {
  if (!edited_ || saved_) return true;
  switch (program_.messages().confirm(QT_TRANSLATE_NOOP("Core", "Save Confirmation"),
                                      QT_TRANSLATE_NOOP("Core", "The content changed, do you want to save ?"),
                                      batch::Buttons::YesNoCancel)) {
    case batch::Answer::Yes:
      SaveClick();
      return true;
    case batch::Answer::No:
      text_->clear();
      edited_ = false;
      return true;
    default:
      return false;  // Cancel: the window stays open with the text as it is
  }
}

void HistoryEditor::reject() {
  if (mayClose()) QDialog::reject();
}

void HistoryEditor::closeEvent(QCloseEvent* event) {
  // The close box goes the way of "Close".
  event->ignore();
  reject();
}

}  // namespace velmora::ui
