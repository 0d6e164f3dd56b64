#pragma once
// TForm3, "Velmora - Special string": picks one kind of placeholder for a new-name text
// and holds the settings that the expansion reads for the rest of the program's run.
//
// API for the other windows:
//  - settings(): whether special strings are used, the start number of ordered numbers
//    and the character kinds of random strings.
//  - chooseToken(itemCount): shows the dialog modally and returns the placeholder for the
//    chosen kind ("" when cancelled or switched off); itemCount is the number of entries
//    of the current item list, which sets the width of an ordered number.

#include <QDialog>
#include <cstddef>

#include "engine/operation_record.h"

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace velmora::ui {

class Program;

class SpecialStringDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit SpecialStringDialog(Program& program, QWidget* parent = nullptr);

  engine::SpecialStringSettings settings() const;
  QString chooseToken(std::size_t itemCount);

 private:
  void refreshDateCaptions();
  QString tokenFor(std::size_t itemCount) const;

  Program& program_;
  QCheckBox* enabled_;
  QSpinBox* startNumber_;
  QRadioButton* ordered_;
  QRadioButton* today_;
  QRadioButton* fileDate_;
  QRadioButton* fileSize_;
  QRadioButton* folderName_;
  QRadioButton* random_;
  QRadioButton* dateFormats_[6];
  QCheckBox* randomUpper_;
  QCheckBox* randomLower_;
  QCheckBox* randomNumbers_;
};

}  // namespace velmora::ui
