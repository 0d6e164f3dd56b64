// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/operation_page.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace velmora::ui {

namespace {

void BoldCheckedRadios(QButtonGroup* group) {
  for (QAbstractButton* b : group->buttons()) {
    QFont f = b->font();
    if (f.bold() != b->isChecked()) {
      f.setBold(b->isChecked());
      b->setFont(f);
    }
  }
}

QLineEdit* EditLine(QWidget* box) {
  if (auto* combo = qobject_cast<QComboBox*>(box)) return combo->lineEdit();
  return qobject_cast<QLineEdit*>(box);
}

}  // namespace

QLineEdit* OperationPage::autocopyTarget(int) const { return nullptr; }

void OperationPage::settle() {
  // Every control is still shown here: the page gets the height of its tallest mode, so the
  // window keeps its size while the user switches modes.
  const QList<QWidget*> groups = modes();
  int height = sizeHint().height();
  if (!groups.isEmpty()) {
    height = 0;
    for (QWidget* shown : groups) {
      for (QWidget* g : groups) g->setVisible(g == shown);
      height = std::max(height, sizeHint().height());
    }
  }
  setMinimumHeight(height);

  keepCaptionsWhole();

  const QList<QButtonGroup*> radioGroups = findChildren<QButtonGroup*>();
  for (QButtonGroup* group : radioGroups) {
    connect(group, &QButtonGroup::buttonToggled, this, [this, group](QAbstractButton* radio, bool on) {
      BoldCheckedRadios(group);
      if (on) radioChosen(radio);
    });
  }
  // The rules of the default choices, in the order the radios were made.
  for (QAbstractButton* radio : findChildren<QAbstractButton*>())
    if (radio->group() && radio->isChecked()) radioChosen(radio);
  for (QButtonGroup* group : radioGroups) BoldCheckedRadios(group);
}

void OperationPage::keepCaptionsWhole() {
  for (QAbstractButton* b : findChildren<QAbstractButton*>()) {
    if (!b->isCheckable()) continue;
    int width = b->sizeHint().width();
    if (b->group()) {
      // The chosen radio button's caption turns bold: the wider of the two captions.
      const QFont shown = b->font();
      QFont bold = shown;
      bold.setBold(!shown.bold());
      b->setFont(bold);
      width = std::max(width, b->sizeHint().width());
      b->setFont(shown);
    }
    b->setMinimumWidth(width);
  }
}

void OperationPage::setShown(std::initializer_list<QWidget*> widgets, bool shown) {
  const QList<QLabel*> labels = findChildren<QLabel*>();
  for (QWidget* w : widgets) {
    w->setVisible(shown);
    for (QLabel* label : labels)
      if (label->buddy() == w) label->setVisible(shown);
  }
}

void OperationPage::enterRunsOk(std::initializer_list<QWidget*> boxes) {
  for (QWidget* box : boxes) connect(EditLine(box), &QLineEdit::returnPressed, this, &OperationPage::okRequested);
}

void OperationPage::watchPresses(std::initializer_list<std::pair<QWidget*, int>> boxes) {
  for (const auto& [box, code] : boxes) {
    QLineEdit* line = EditLine(box);
    pressCodes_.insert(line, code);
    line->installEventFilter(this);
  }
}

void OperationPage::wireSpecial(QPushButton* button, QComboBox* target) {
  connect(button, &QPushButton::clicked, this, [this, target] { emit specialRequested(target); });
}

bool OperationPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    const auto code = pressCodes_.constFind(watched);
    if (code != pressCodes_.constEnd()) {
      if (code.value() != kNoAutocopy) emit inputChosen(code.value());
      emit sampleSelectionCleared();
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace velmora::ui
