// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm3, "Velmora - Special string": picks one kind of placeholder for a new-name text
// and holds the settings that the expansion reads for the rest of the program's run.
//
// Its settings (whether special strings are used, the start number of ordered numbers
// and the character kinds of random strings) are published to the program on every
// change: Program::specialStringSettings(). Its port for the other windows:
//  - setSettings(): the controls from a loaded preset.
//  - chooseToken(itemCount): shows the dialog modally and returns the placeholder for the
//    chosen kind ("" when cancelled or switched off); itemCount is the number of entries
//    of the current item list, which sets the width of an ordered number.
//  - choice(): the result of the last showing (None after "Cancel", Disabled after "Ok"
//    with special strings switched off).
//
// Every showing remembers "Use Special string symbols" and the start number; "Cancel" or
// closing the window puts both back. The date format and the random kinds keep what the
// user set either way.
//
// "From the file" offers the tag placeholders ("{taken}", "{artist}" ...): a tag, for the
// date taken a pattern, and what the placeholder gives for the sample item, read as a run
// reads it. Its "Insert" ends the dialog as "Ok" does, with the tag placeholder as the
// result (FileTag). Where the program reads no tags the section says so and cannot insert.

#include <QDialog>
#include <cstddef>
#include <memory>

#include "engine/operation_record.h"
#include "engine/special_tokens.h"
#include "media/metadata.h"
#include "ui/ports.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace velmora::ui {

class Program;
namespace Ui {
class SpecialStringDialog;
}

class SpecialStringDialog final : public QDialog, public SpecialStringsPort {
  Q_OBJECT

 public:
  explicit SpecialStringDialog(Program& program, QWidget* parent = nullptr);
  ~SpecialStringDialog() override;

  engine::SpecialStringSettings settings() const;
  /// Sets the controls (a loaded preset).
  void setSettings(const engine::SpecialStringSettings& settings) override;
  QString chooseToken(std::size_t itemCount) override;
  bool isShown() const override { return isVisible(); }
  engine::SpecialChoice choice() const { return choice_; }
  /// The placeholder for the current result (BuildSpecialToken).
  QString tokenFor(std::size_t itemCount) const;

  static constexpr const char* kAtLeastOneKind = QT_TRANSLATE_NOOP("Core", "You have to select at least one choice.");
  static constexpr const char* kStartTooBig = QT_TRANSLATE_NOOP("Core", "Should not more than 10000.");

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void done(int result) override;
  /// Enter in "From the file" inserts its placeholder; elsewhere it is "Ok".
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void setDateCaptions(int year, int month, int day);
  void highlightChosenOption();
  void randomKindToggled(QCheckBox* box, bool checked);
  void startNumberChanged(int value);
  engine::SpecialChoice chosenOption() const;
  media::Tag chosenTag() const;
  /// The placeholder that "From the file" inserts.
  std::string fileTagPlaceholder() const;
  /// "From the file" for the chosen tag: its date controls, its example for the sample item.
  void showFileTagExample();

  Program& program_;
  std::unique_ptr<Ui::SpecialStringDialog> ui_;
  bool tintedDark_ = false;  ///< the fixed backgrounds are in their dark variant
  engine::SpecialChoice choice_ = engine::SpecialChoice::None;
  bool enabledAtOpening_ = true;
  int startAtOpening_ = 1;

  QCheckBox* enabled_;
  QSpinBox* startNumber_;
  QRadioButton* ordered_;
  QRadioButton* today_;
  QRadioButton* fileDate_;
  QRadioButton* fileSize_;
  QRadioButton* folderName_;
  QRadioButton* random_;
  QRadioButton* dateFormats_[6];
  QWidget* datePanel_;
  QWidget* randomPanel_;
  QCheckBox* randomUpper_;
  QCheckBox* randomLower_;
  QCheckBox* randomNumbers_;
  QComboBox* tagBox_;
  QComboBox* dateFormatBox_;
  QLineEdit* datePattern_;
  QPushButton* insertTag_;
  bool tagChosen_ = false;  ///< this showing ends with "Insert"
};

}  // namespace velmora::ui
