// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/operation_editor.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDesktopServices>
#include <QGridLayout>
#include <QJsonDocument>
#include <QJsonObject>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>
#include <QTime>
#include <QUrl>
#include <QVBoxLayout>

#include "app/help_topics.h"
#include "batch/command_line.h"
#include "batch/presets.h"
#include "batch/name_history.h"
#include "batch/ok_checks.h"
#include "batch/program_files.h"
#include "batch/program_info.h"
#include "engine/name_model.h"
#include "platform/code_page.h"
#include "ui/dialogs.h"
#include "ui/desktop_look.h"
#include "ui/program.h"
#include "ui/qt_text.h"

namespace velmora::ui {

using engine::OperationKind;

namespace {

constexpr int kFocusDelayMs = 100;
/// Runs of at most this many items (hand-picked, or files in the folder) go without the
/// progress window, unless they take every layer.
constexpr int kSmallRunItems = 18;
constexpr int kTargetLineLength = 53;
/// The product's home page and the maker's e-mail address, as the About panel shows them.
constexpr const char* kHomePage = "https://velmora.example.org/";
constexpr const char* kContactMail = "velmora@example.org";

/// The run's view of the windows: the main list besides the progress window and events.
class EditorRunHooks final : public ProgressRunHooks {
 public:
  EditorRunHooks(MainWindowPort& main, ProgressPort* progress) : ProgressRunHooks(progress), main_(main) {}
  void addEntry(const std::string& text) override { main_.AddEntry(FromPath(text)); }
  void clearList() override { main_.clearList(); }

 private:
  MainWindowPort& main_;
};

/// The month the program was built, as "December 2026".
QString ReleaseMonth() {
  const QDate built = QLocale(QLocale::English).toDate(QString::fromLatin1(__DATE__).simplified(), QStringLiteral("MMM d yyyy"));
  return QLocale(QLocale::English).toString(built, QStringLiteral("MMMM yyyy"));
}

/// Keeps a picture of the About panel centred across its group and at two thirds of the
/// group's free height, whenever the group is shown or changes size.
class PicturePlacer final : public QObject {
 public:
  PicturePlacer(QWidget* group, QWidget* picture) : QObject(group), group_(group), picture_(picture) {
    group->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == group_ && (event->type() == QEvent::Show || event->type() == QEvent::Resize)) {
      const QSize size = picture_->size();
      picture_->move((group_->width() - size.width()) / 2, (group_->height() - size.height()) * 2 / 3);
    }
    return false;
  }

 private:
  QWidget* group_;
  QWidget* picture_;
};

/// A row of widgets laid out left to right.
QHBoxLayout* Row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
  auto* row = new QHBoxLayout;
  for (QWidget* w : widgets) row->addWidget(w);
  if (stretch) row->addStretch();
  return row;
}

}  // namespace

// ---- sample box ----

SampleBox::SampleBox(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::selectionChanged, this, &SampleBox::keepSelection);
  connect(this, &QLineEdit::cursorPositionChanged, this, &SampleBox::keepSelection);
  connect(this, &QLineEdit::textChanged, this, &SampleBox::clearKeptSelection);
}

void SampleBox::keepSelection() {
  if (focusChanging_) return;
  keptLength_ = static_cast<int>(selectedText().size());
  keptStart_ = keptLength_ > 0 ? selectionStart() : cursorPosition();
}

void SampleBox::clearKeptSelection() {
  const int cursor = std::min(cursorPosition(), static_cast<int>(text().size()));
  deselect();
  setCursorPosition(cursor);
  keptStart_ = cursor;
  keptLength_ = 0;
}

void SampleBox::showKeptSelection() {
  if (keptLength_ > 0)
    setSelection(keptStart_, keptLength_);
  else
    setCursorPosition(keptStart_);
}

// A line edit drops its selection when it loses the focus and selects everything when Tab
// brings the focus back; the sample box keeps what the user selected instead.
void SampleBox::focusInEvent(QFocusEvent* event) {
  focusChanging_ = true;
  QLineEdit::focusInEvent(event);
  showKeptSelection();
  focusChanging_ = false;
}

void SampleBox::focusOutEvent(QFocusEvent* event) {
  focusChanging_ = true;
  QLineEdit::focusOutEvent(event);
  showKeptSelection();
  focusChanging_ = false;
}

void SampleBox::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  if (event->button() == Qt::LeftButton && onPress) onPress();
}

void SampleBox::mouseMoveEvent(QMouseEvent* event) {
  QLineEdit::mouseMoveEvent(event);
  if (onMove) onMove();
}

void SampleBox::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && onRelease) onRelease();
}

// ---- construction ----

OperationEditor::OperationEditor(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(QStringLiteral("Velmora - About"));
  buildWindow();
  focusTimer_.setSingleShot(true);
  focusTimer_.setInterval(kFocusDelayMs);
  connect(&focusTimer_, &QTimer::timeout, this, &OperationEditor::focusTimerFired);
}

void OperationEditor::renameFromPreview() {
  runMode_ = batch::RunMode::Rename;
  OK();
}

void OperationEditor::showSampleOf(const QString& oldPath) {
  const std::string path = ToPath(oldPath);
  const bool isDir = !oldPath.isEmpty() && oldPath.startsWith(QLatin1Char('/')) && program_.fs().isDirectory(path);
  richEdit2_->setText(FromPath(engine::BaseName(path, isDir)));
}

OperationEditor::~OperationEditor() = default;

QLineEdit* OperationEditor::makeEdit(const char* name, QWidget* parent, bool enterRunsOk) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  if (enterRunsOk) connect(e, &QLineEdit::returnPressed, this, &OperationEditor::SpeedButton15Click);
  return e;
}

QComboBox* OperationEditor::makeHistoryBox(const char* name, QWidget* parent) {
  auto* c = new QComboBox(parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setEditable(true);
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setMinimumWidth(220);
  c->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  connect(c->lineEdit(), &QLineEdit::returnPressed, this, &OperationEditor::SpeedButton15Click);
  return c;
}

QRadioButton* OperationEditor::makeRadio(const char* name, const QString& caption, QWidget* parent) {
  auto* r = new QRadioButton(caption, parent);
  r->setObjectName(QString::fromLatin1(name));
  return r;
}

QCheckBox* OperationEditor::makeCheck(const char* name, const QString& caption, QWidget* parent, bool checked) {
  auto* c = new QCheckBox(caption, parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setChecked(checked);
  return c;
}

QPushButton* OperationEditor::makeSpecialButton(const char* name, const QString& caption, QComboBox* target,
                                                QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setToolTip(QStringLiteral("Numbers, date and disordered string"));
  b->setProperty(kSharedCaption, true);
  // A click leaves the focus, and so the selection, in the input box: the placeholder
  // replaces what is selected there.
  b->setFocusPolicy(Qt::TabFocus);
  connect(b, &QPushButton::clicked, this, [this, target] { specialButtonClick(target); });
  return b;
}

QLabel* OperationEditor::labelFor(QWidget* control, const QString& caption, QWidget* parent) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(control->objectName() + QStringLiteral("Label"));
  l->setBuddy(control);
  labels_.insert(control, l);
  return l;
}

QButtonGroup* OperationEditor::radioGroup(std::initializer_list<QRadioButton*> radios) {
  auto* group = new QButtonGroup(this);
  for (QRadioButton* r : radios) group->addButton(r);
  for (QRadioButton* r : radios) {
    connect(r, &QRadioButton::toggled, this, [this, r, group](bool on) {
      boldCheckedRadios(group);
      if (on) radioChanged(r);
    });
  }
  return group;
}

void OperationEditor::setShown(std::initializer_list<QWidget*> widgets, bool shown) {
  for (QWidget* w : widgets) {
    w->setVisible(shown);
    if (QWidget* label = labels_.value(w)) label->setVisible(shown);
  }
}

void OperationEditor::buildWindow() {
  operationArea_ = new QWidget(this);
  operationArea_->setObjectName(QStringLiteral("OperationArea"));

  // Target line.
  label2_ = new QLabel(QStringLiteral("Target folder, "), operationArea_);
  label2_->setObjectName(QStringLiteral("Label2"));
  label1_ = new QLabel(operationArea_);
  label1_->setObjectName(QStringLiteral("Label1"));
  QFont strong = label1_->font();
  strong.setBold(true);
  label1_->setFont(strong);
  label1_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  // Scope line.
  panel12_ = new QWidget(operationArea_);
  panel12_->setObjectName(QStringLiteral("Panel12"));
  auto* scopeLabel = new QLabel(QStringLiteral("Folder content to edit:"), panel12_);
  scopeLabel->setObjectName(QStringLiteral("Label3"));
  comboBox1_ = new QComboBox(panel12_);
  comboBox1_->setObjectName(QStringLiteral("ComboBox1"));
  comboBox1_->setToolTip(QStringLiteral("You can select a kind of contents to edit."));
  for (int scope = 0; scope <= 3; ++scope)
    comboBox1_->addItem(QString::fromLatin1(batch::ScopeText(static_cast<batch::FolderScope>(scope))));
  connect(comboBox1_, &QComboBox::currentIndexChanged, this, &OperationEditor::ComboBox1Change);
  auto* scopeRow = new QHBoxLayout(panel12_);
  scopeRow->setContentsMargins(0, 0, 0, 0);
  scopeRow->addWidget(scopeLabel);
  scopeRow->addWidget(comboBox1_);
  scopeRow->addStretch();

  // Sample line.
  auto* sampleLabel = new QLabel(QStringLiteral("One old filename:"), operationArea_);
  sampleLabel->setObjectName(QStringLiteral("Label4"));
  richEdit2_ = new SampleBox(operationArea_);
  richEdit2_->setObjectName(QStringLiteral("RichEdit2"));
  richEdit2_->setReadOnly(true);
  richEdit2_->setToolTip(QStringLiteral("This is convenient for your editing, select or copy part.  "));
  richEdit2_->setContextMenuPolicy(Qt::CustomContextMenu);
  // A fixed cream background, so a fixed text colour on it in light and dark themes.
  richEdit2_->setStyleSheet(QStringLiteral("QLineEdit#RichEdit2 { background: #fffbe6; color: #1a1a1a; }"));
  QFont sampleFont = richEdit2_->font();
  sampleFont.setPointSizeF(sampleFont.pointSizeF() * 1.15);
  richEdit2_->setFont(sampleFont);
  richEdit2_->onPress = [this] { sampleMousePress(); };
  richEdit2_->onMove = [this] { sampleMouseMove(); };
  richEdit2_->onRelease = [this] { sampleMouseDown_ = false; };
  connect(richEdit2_, &QLineEdit::returnPressed, this, &OperationEditor::SpeedButton15Click);
  connect(richEdit2_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { sampleMenu()->exec(richEdit2_->mapToGlobal(pos)); });

  removePage_ = buildRemovePage();
  replacePage_ = buildReplacePage();
  insertPage_ = buildInsertPage();
  changePage_ = buildChangePage();
  extensionPage_ = buildExtensionPage();
  savePage_ = buildSavePage();

  // Button bar.
  struct Bar {
    const char* name;
    const char* caption;  ///< with its Alt mnemonic
    const char* hint;
    const char* themeIcon;
    QStyle::StandardPixmap icon;
    void (OperationEditor::*slot)();
  };
  const Bar bar[] = {
      {"SpeedButton15", QT_TR_NOOP("&OK"), "Finish edit and execute operations.", "dialog-ok",
       QStyle::SP_DialogApplyButton, &OperationEditor::SpeedButton15Click},
      {"SpeedButton21", QT_TR_NOOP("&Preview"), "Preview the result", "document-print-preview",
       QStyle::SP_FileDialogContentsView, &OperationEditor::SpeedButton21Click},
      {"SpeedButton20", QT_TR_NOOP("&Select"), "Select files or folder to batch edit filenames.", "folder-open",
       QStyle::SP_DirOpenIcon, &OperationEditor::SpeedButton20Click},
      {"SpeedButton28", QT_TR_NOOP("Op&tions"), "Set options", "preferences-system",
       QStyle::SP_FileDialogDetailedView, nullptr},
      {"SpeedButton19", QT_TR_NOOP(" &Help"), "Read help ", "help-contents", QStyle::SP_MessageBoxQuestion, nullptr},
      {"SpeedButton16", QT_TR_NOOP("&About"), "About the program", "help-about", QStyle::SP_MessageBoxInformation,
       &OperationEditor::SpeedButton16Click},
      {"SpeedButton17", QT_TR_NOOP("E&xit"), "Close the program", "application-exit", QStyle::SP_DialogCloseButton,
       &OperationEditor::SpeedButton17Click},
  };
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(6);
  for (const Bar& b : bar) {
    auto* button = new QPushButton(Glyph(this, b.themeIcon, b.icon, 16), tr(b.caption), operationArea_);
    button->setObjectName(QString::fromLatin1(b.name));
    button->setToolTip(QString::fromLatin1(b.hint));
    button->setMinimumHeight(30);
    if (b.slot) connect(button, &QPushButton::clicked, this, b.slot);
    buttons->addWidget(button);
  }
  speedButton21_ = operationArea_->findChild<QPushButton*>(QStringLiteral("SpeedButton21"));
  connect(operationArea_->findChild<QPushButton*>(QStringLiteral("SpeedButton28")), &QPushButton::clicked, this,
          [this] { program_.options().showModal(); });
  connect(operationArea_->findChild<QPushButton*>(QStringLiteral("SpeedButton19")), &QPushButton::clicked, this,
          [this] { program_.showHelpTopic(app::EditorHelpTopic(program_.state().operationKind)); });

  // Presets and "Copy as command", between the sample and the operation's page.
  presetRow_ = new QWidget(operationArea_);
  presets_ = new QComboBox(presetRow_);
  presets_->setObjectName(QStringLiteral("ComboBoxPresets"));
  presets_->setEditable(true);
  presets_->setInsertPolicy(QComboBox::NoInsert);
  presets_->setMinimumWidth(180);
  presets_->setToolTip(tr("Choose a saved operation, or type a name and press Save"));
  auto* presetLabel = new QLabel(tr("Preset:"), presetRow_);
  presetLabel->setBuddy(presets_);
  auto* presetSave = new QPushButton(tr("Save"), presetRow_);
  presetSave->setObjectName(QStringLiteral("ButtonPresetSave"));
  auto* presetDelete = new QPushButton(tr("Delete"), presetRow_);
  presetDelete->setObjectName(QStringLiteral("ButtonPresetDelete"));
  auto* copyCommand = new QPushButton(tr("Copy as command"), presetRow_);
  copyCommand->setObjectName(QStringLiteral("ButtonCopyCommand"));
  copyCommand->setToolTip(tr("Put the velmora-cli command line of this operation on the clipboard"));
  connect(presets_, &QComboBox::activated, this, [this](int index) { loadPreset(presets_->itemText(index)); });
  connect(presetSave, &QPushButton::clicked, this, &OperationEditor::PresetSaveClick);
  connect(presetDelete, &QPushButton::clicked, this, &OperationEditor::PresetDeleteClick);
  connect(copyCommand, &QPushButton::clicked, this, &OperationEditor::CopyCommandClick);
  auto* presetLayout = new QHBoxLayout(presetRow_);
  presetLayout->setContentsMargins(0, 0, 0, 0);
  presetLayout->addWidget(presetLabel);
  presetLayout->addWidget(presets_);
  presetLayout->addWidget(presetSave);
  presetLayout->addWidget(presetDelete);
  presetLayout->addStretch();
  presetLayout->addWidget(copyCommand);

  auto* targetRow = new QHBoxLayout;
  targetRow->addWidget(label2_);
  targetRow->addWidget(label1_, 1);
  auto* sampleRow = new QHBoxLayout;
  sampleRow->addWidget(sampleLabel);
  sampleRow->addWidget(richEdit2_, 1);

  auto* area = new QVBoxLayout(operationArea_);
  area->setContentsMargins(0, 0, 0, 0);
  area->setSpacing(8);
  area->addLayout(targetRow);
  area->addWidget(panel12_);
  area->addLayout(sampleRow);
  area->addWidget(presetRow_);
  for (QWidget* page : {removePage_, replacePage_, insertPage_, changePage_, extensionPage_, savePage_})
    area->addWidget(page);
  area->addStretch();
  area->addLayout(buttons);

  aboutPanel_ = buildAboutPanel();
  aboutPanel_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 10, 12, 10);
  layout->addWidget(operationArea_);
  layout->addWidget(aboutPanel_);
  layout->setSizeConstraint(QLayout::SetMinimumSize);

  // Buttons never act on Enter: Enter in the marked boxes presses OK.
  for (QPushButton* b : findChildren<QPushButton*>()) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  // A press in these boxes tells automatic copy where to go and clears the sample selection.
  const std::pair<QLineEdit*, int> codes[] = {
      {labeledEdit1_, 0}, {labeledEdit2_, 0}, {labeledEdit3_, 0}, {edit1_, 1},   {edit2_, 2},  {edit10_, 3},
      {edit11_, 4},       {edit12_, 5},       {labeledEdit5_, 6}, {edit13_, 7},  {edit15_, 8}, {edit14_, 9},
      {edit16_, 10}};
  for (const auto& [box, code] : codes) {
    focusCodes_.insert(box, code);
    box->installEventFilter(this);
  }
  comboBoxEx5_->lineEdit()->installEventFilter(this);
  connect(comboBoxEx6_, &QComboBox::editTextChanged, this, [this] { clearSelection(); });

  // Alt mnemonics for the controls of each page; the button bar has its own.
  QString barLetters;
  for (QPushButton* b : operationArea_->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
    const qsizetype marked = b->text().indexOf(QLatin1Char('&'));
    if (marked >= 0) barLetters += b->text().at(marked + 1);
  }
  for (QWidget* page : {removePage_, replacePage_, insertPage_, changePage_, extensionPage_, savePage_})
    AddMnemonics(page->findChildren<QAbstractButton*>(), barLetters);

  // Every control is still shown here: each page gets the height of its tallest mode, so
  // the window keeps its size while the user switches modes.
  fixPageHeights();
  // Apply the visibility rules of the default choices.
  for (QRadioButton* r : findChildren<QRadioButton*>())
    if (r->isChecked()) radioChanged(r);
  setShown({insertDirectionLabel_, radioButton33_, radioButton34_}, checkBox4_->isChecked());
  setShown({labeledEdit5_}, comboBox2_->currentIndex() == 2);
  edit3_->setVisible(checkBox12_->isChecked());
  // The About panel takes the place of the operation area at the same width.
  operationArea_->setMinimumWidth(600);
  aboutPanel_->setMinimumWidth(600);
  for (QButtonGroup* g : findChildren<QButtonGroup*>()) boldCheckedRadios(g);
  TabOrderByLayout(this);
  focusedInput_ = 1;
  showPage();
}

void OperationEditor::fixPageHeights() {
  const std::pair<QWidget*, std::vector<QWidget*>> pages[] = {
      {removePage_, {removeStringGroup_, removeAnythingGroup_, cleanGroup_, keepGroup_}},
      {replacePage_, {}},
      {insertPage_, {positionGroup_, insertStringGroup_}},
      {changePage_, {}},
      {extensionPage_, {changeExtensionGroup_, convertExtensionGroup_}},
      {savePage_, {}},
  };
  for (const auto& [page, modes] : pages) {
    int height = page->sizeHint().height();
    if (!modes.empty()) {
      height = 0;
      for (QWidget* shown : modes) {
        for (QWidget* g : modes) g->setVisible(g == shown);
        height = std::max(height, page->sizeHint().height());
      }
    }
    page->setMinimumHeight(height);
  }
}

QWidget* OperationEditor::buildRemovePage() {
  auto* page = new QWidget(operationArea_);
  page->setObjectName(QStringLiteral("RemovePage"));

  radioButton6_ = makeRadio("RadioButton6", QStringLiteral("Remove strings"), page);
  radioButton7_ = makeRadio("RadioButton7", QStringLiteral("Remove anything"), page);
  radioButton23_ = makeRadio("RadioButton23", QStringLiteral("Clean symbols"), page);
  radioButton25_ = makeRadio("RadioButton25", QStringLiteral("Keep something"), page);
  radioButton6_->setChecked(true);
  radioGroup({radioButton6_, radioButton7_, radioButton23_, radioButton25_});

  // "Remove string"
  removeStringGroup_ = new QGroupBox(QStringLiteral("Remove string"), page);
  removeStringGroup_->setObjectName(QStringLiteral("GroupBoxRemoveString"));
  edit1_ = makeEdit("Edit1", removeStringGroup_, true);
  edit2_ = makeEdit("Edit2", removeStringGroup_, true);
  edit10_ = makeEdit("Edit10", removeStringGroup_, true);
  checkBox6_ = makeCheck("CheckBox6", QStringLiteral("Case sensitive"), removeStringGroup_, false);
  checkBox6_->setToolTip(QStringLiteral("If string is case sensitive , check it."));
  auto* button1 = new QPushButton(QStringLiteral("Clear all"), removeStringGroup_);
  button1->setObjectName(QStringLiteral("Button1"));
  connect(button1, &QPushButton::clicked, this, [this] {
    edit1_->clear();
    edit2_->clear();
    edit10_->clear();
    edit1_->setFocus();
    focusedInput_ = 1;
    clearSelection();
  });
  auto* rs = new QGridLayout(removeStringGroup_);
  rs->addWidget(labelFor(edit1_, QStringLiteral("Remove String 1: "), removeStringGroup_), 0, 0);
  rs->addWidget(edit1_, 0, 1);
  rs->addWidget(labelFor(edit2_, QStringLiteral("Remove String 2: "), removeStringGroup_), 1, 0);
  rs->addWidget(edit2_, 1, 1);
  rs->addWidget(labelFor(edit10_, QStringLiteral("Remove String 3: "), removeStringGroup_), 2, 0);
  rs->addWidget(edit10_, 2, 1);
  rs->addLayout(Row({checkBox6_, button1}), 3, 1);
  rs->setColumnStretch(1, 1);

  // "Remove anything"
  removeAnythingGroup_ = new QGroupBox(QStringLiteral("Remove anything"), page);
  removeAnythingGroup_->setObjectName(QStringLiteral("GroupBoxRemoveAnything"));
  radioButton12_ = makeRadio("RadioButton12", QStringLiteral("Remove the part selected by mouse"), removeAnythingGroup_);
  radioButton13_ =
      makeRadio("RadioButton13", QStringLiteral("Remove the part between two strings"), removeAnythingGroup_);
  radioButton12_->setChecked(true);
  radioGroup({radioButton12_, radioButton13_});
  radioButton10_ = makeRadio("RadioButton10", QStringLiteral("From Head"), removeAnythingGroup_);
  radioButton11_ = makeRadio("RadioButton11", QStringLiteral("From End"), removeAnythingGroup_);
  radioButton10_->setChecked(true);
  radioGroup({radioButton10_, radioButton11_});
  removeDirectionLabel_ = new QLabel(QStringLiteral("Direction:"), removeAnythingGroup_);
  removeDirectionLabel_->setObjectName(QStringLiteral("Label10"));
  edit11_ = makeEdit("Edit11", removeAnythingGroup_, true);
  edit12_ = makeEdit("Edit12", removeAnythingGroup_, true);
  checkBox5_ = makeCheck("CheckBox5", QStringLiteral("Also remove the two strings"), removeAnythingGroup_, false);
  checkBox5_->setToolTip(QStringLiteral("If also remove the two strings, select it"));
  auto* ra = new QGridLayout(removeAnythingGroup_);
  ra->addWidget(radioButton12_, 0, 0, 1, 4);
  ra->addLayout(Row({removeDirectionLabel_, radioButton10_, radioButton11_}), 1, 1, 1, 3);
  ra->addWidget(radioButton13_, 2, 0, 1, 4);
  ra->addWidget(labelFor(edit11_, QStringLiteral("Left:"), removeAnythingGroup_), 3, 1);
  ra->addWidget(edit11_, 3, 2);
  ra->addWidget(labelFor(edit12_, QStringLiteral("Right:"), removeAnythingGroup_), 4, 1);
  ra->addWidget(edit12_, 4, 2);
  ra->addWidget(checkBox5_, 5, 2);
  ra->setColumnMinimumWidth(0, 16);
  ra->setColumnStretch(2, 1);

  // "Clean any nonsense symbols"
  cleanGroup_ = new QGroupBox(QStringLiteral("Clean any nonsense symbols"), page);
  cleanGroup_->setObjectName(QStringLiteral("GroupBoxClean"));
  auto* erase = new QGroupBox(QStringLiteral("Erase option"), cleanGroup_);
  erase->setObjectName(QStringLiteral("GroupBoxEraseOption"));
  checkBox18_ = makeCheck("CheckBox18", QStringLiteral("Replace the erased symbols with space"), erase, true);
  checkBox20_ = makeCheck("CheckBox20", QStringLiteral("Also erase other symbols:"), erase, false);
  edit13_ = makeEdit("Edit13", erase, false);
  auto* eraseLayout = new QGridLayout(erase);
  eraseLayout->addWidget(checkBox18_, 0, 0, 1, 2);
  eraseLayout->addWidget(checkBox20_, 1, 0);
  eraseLayout->addWidget(edit13_, 1, 1);
  auto* keepSymbols = new QGroupBox(QStringLiteral("Don't erase"), cleanGroup_);
  keepSymbols->setObjectName(QStringLiteral("GroupBoxDontErase"));
  checkBox22_ = makeCheck("CheckBox22", QStringLiteral(" - "), keepSymbols, true);
  checkBox23_ = makeCheck("CheckBox23", QStringLiteral(" ( ) "), keepSymbols, false);
  checkBox24_ = makeCheck("CheckBox24", QStringLiteral(" [ ] "), keepSymbols, false);
  checkBox25_ = makeCheck("CheckBox25", QStringLiteral(" _ "), keepSymbols, false);
  checkBox26_ = makeCheck("CheckBox26", QStringLiteral("Don't erase other symbols:"), keepSymbols, false);
  edit15_ = makeEdit("Edit15", keepSymbols, false);
  auto* keepLayout = new QGridLayout(keepSymbols);
  keepLayout->addLayout(Row({checkBox22_, checkBox23_, checkBox24_, checkBox25_}), 0, 0, 1, 2);
  keepLayout->addWidget(checkBox26_, 1, 0);
  keepLayout->addWidget(edit15_, 1, 1);
  auto* cl = new QVBoxLayout(cleanGroup_);
  cl->addWidget(erase);
  cl->addWidget(keepSymbols);

  // "KEEP something(remove others)"
  keepGroup_ = new QGroupBox(QStringLiteral("KEEP something(remove others)"), page);
  keepGroup_->setObjectName(QStringLiteral("GroupBoxKeep"));
  radioButton30_ = makeRadio("RadioButton30", QStringLiteral("KEEP the part selected by mouse"), keepGroup_);
  radioButton29_ = makeRadio("RadioButton29", QStringLiteral("KEEP strings(remove others)"), keepGroup_);
  radioButton30_->setChecked(true);
  radioGroup({radioButton30_, radioButton29_});
  radioButton27_ = makeRadio("RadioButton27", QStringLiteral("From Head"), keepGroup_);
  radioButton28_ = makeRadio("RadioButton28", QStringLiteral("From End"), keepGroup_);
  radioButton27_->setChecked(true);
  radioGroup({radioButton27_, radioButton28_});
  keepDirectionLabel_ = new QLabel(QStringLiteral("Direction:"), keepGroup_);
  keepDirectionLabel_->setObjectName(QStringLiteral("Label27"));
  edit14_ = makeEdit("Edit14", keepGroup_, true);
  edit16_ = makeEdit("Edit16", keepGroup_, true);
  auto* kl = new QGridLayout(keepGroup_);
  kl->addWidget(radioButton30_, 0, 0, 1, 4);
  kl->addLayout(Row({keepDirectionLabel_, radioButton27_, radioButton28_}), 1, 1, 1, 3);
  kl->addWidget(radioButton29_, 2, 0, 1, 4);
  kl->addWidget(labelFor(edit14_, QStringLiteral("Keep string 1:"), keepGroup_), 3, 1);
  kl->addWidget(edit14_, 3, 2);
  kl->addWidget(labelFor(edit16_, QStringLiteral("Keep string 2:"), keepGroup_), 4, 1);
  kl->addWidget(edit16_, 4, 2);
  kl->setColumnMinimumWidth(0, 16);
  kl->setColumnStretch(2, 1);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(Row({radioButton6_, radioButton7_, radioButton23_, radioButton25_}));
  for (QGroupBox* g : {removeStringGroup_, removeAnythingGroup_, cleanGroup_, keepGroup_}) layout->addWidget(g);
  layout->addStretch();
  return page;
}

QWidget* OperationEditor::buildReplacePage() {
  auto* page = new QWidget(operationArea_);
  page->setObjectName(QStringLiteral("ReplacePage"));
  auto* group = new QGroupBox(QStringLiteral("Replace string"), page);
  group->setObjectName(QStringLiteral("GroupBoxReplace"));

  comboBoxEx4_ = makeHistoryBox("ComboBoxEx4", group);
  QPushButton* button4 = makeSpecialButton("Button4", QStringLiteral("Special"), comboBoxEx4_, group);
  radioButton18_ = makeRadio("RadioButton18", QStringLiteral("Replace string:"), group);
  radioButton19_ = makeRadio("RadioButton19", QStringLiteral(" Replace length selected by mouse"), group);
  radioButton18_->setChecked(true);
  radioGroup({radioButton18_, radioButton19_});
  labeledEdit1_ = makeEdit("LabeledEdit1", group, true);
  checkBox7_ = makeCheck("CheckBox7", QStringLiteral("Case sensitive"), group, false);
  radioButton20_ = makeRadio("RadioButton20", QStringLiteral("From Head"), group);
  radioButton21_ = makeRadio("RadioButton21", QStringLiteral("From End"), group);
  radioButton20_->setChecked(true);
  radioGroup({radioButton20_, radioButton21_});
  replaceDirectionLabel_ = new QLabel(QStringLiteral("Direction:"), group);
  replaceDirectionLabel_->setObjectName(QStringLiteral("Label20"));

  auto* grid = new QGridLayout(group);
  grid->addWidget(labelFor(comboBoxEx4_, QStringLiteral("New String:"), group), 0, 0, 1, 2);
  grid->addWidget(comboBoxEx4_, 0, 2);
  grid->addWidget(button4, 0, 3);
  grid->addWidget(radioButton18_, 1, 0, 1, 4);
  grid->addWidget(labelFor(labeledEdit1_, QStringLiteral("Old string:   "), group), 2, 1);
  grid->addWidget(labeledEdit1_, 2, 2);
  grid->addWidget(checkBox7_, 3, 2);
  grid->addWidget(radioButton19_, 4, 0, 1, 4);
  grid->addLayout(Row({replaceDirectionLabel_, radioButton20_, radioButton21_}), 5, 1, 1, 3);
  grid->setColumnMinimumWidth(0, 16);
  grid->setColumnStretch(2, 1);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(group);
  layout->addStretch();
  return page;
}

QWidget* OperationEditor::buildInsertPage() {
  auto* page = new QWidget(operationArea_);
  page->setObjectName(QStringLiteral("InsertPage"));
  radioButton9_ = makeRadio("RadioButton9", QStringLiteral("Insert to position      "), page);
  radioButton3_ = makeRadio("RadioButton3", QStringLiteral("Insert to string"), page);
  radioButton9_->setChecked(true);
  radioGroup({radioButton9_, radioButton3_});

  positionGroup_ = new QGroupBox(QStringLiteral("Position  ---------------  Specify the string "), page);
  positionGroup_->setObjectName(QStringLiteral("GroupBoxPosition"));
  checkBox2_ = makeCheck("CheckBox2", QStringLiteral("HEAD"), positionGroup_, false);
  checkBox2_->setToolTip(QStringLiteral("Insert string to the HEAD of filenames."));
  checkBox3_ = makeCheck("CheckBox3", QStringLiteral("END"), positionGroup_, false);
  checkBox3_->setToolTip(QStringLiteral("Insert string to the END of filenames."));
  checkBox4_ = makeCheck("CheckBox4", QStringLiteral("CURSOR"), positionGroup_, false);
  checkBox4_->setToolTip(QStringLiteral("Use mouse point the position in the old filename at top."));
  comboBoxEx1_ = makeHistoryBox("ComboBoxEx1", positionGroup_);
  comboBoxEx2_ = makeHistoryBox("ComboBoxEx2", positionGroup_);
  comboBoxEx3_ = makeHistoryBox("ComboBoxEx3", positionGroup_);
  QPushButton* button9 = makeSpecialButton("Button9", QStringLiteral("Special"), comboBoxEx1_, positionGroup_);
  QPushButton* button6 = makeSpecialButton("Button6", QStringLiteral("Special"), comboBoxEx2_, positionGroup_);
  QPushButton* button7 = makeSpecialButton("Button7", QStringLiteral("Special"), comboBoxEx3_, positionGroup_);
  radioButton33_ = makeRadio("RadioButton33", QStringLiteral("From Head"), positionGroup_);
  radioButton34_ = makeRadio("RadioButton34", QStringLiteral("From End"), positionGroup_);
  radioButton33_->setChecked(true);
  radioGroup({radioButton33_, radioButton34_});
  insertDirectionLabel_ = new QLabel(QStringLiteral("Direction:"), positionGroup_);
  insertDirectionLabel_->setObjectName(QStringLiteral("Label33"));
  connect(checkBox2_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) comboBoxEx1_->setFocus();
  });
  connect(checkBox3_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) comboBoxEx2_->setFocus();
  });
  connect(checkBox4_, &QCheckBox::toggled, this, [this](bool on) {
    setShown({insertDirectionLabel_, radioButton33_, radioButton34_}, on);
    if (on) comboBoxEx3_->setFocus();
  });
  auto* pg = new QGridLayout(positionGroup_);
  pg->addWidget(checkBox2_, 0, 0);
  pg->addWidget(comboBoxEx1_, 0, 1);
  pg->addWidget(button9, 0, 2);
  pg->addWidget(checkBox3_, 1, 0);
  pg->addWidget(comboBoxEx2_, 1, 1);
  pg->addWidget(button6, 1, 2);
  pg->addWidget(checkBox4_, 2, 0);
  pg->addWidget(comboBoxEx3_, 2, 1);
  pg->addWidget(button7, 2, 2);
  pg->addLayout(Row({insertDirectionLabel_, radioButton33_, radioButton34_}), 3, 1, 1, 2);
  pg->setColumnStretch(1, 1);

  insertStringGroup_ = new QGroupBox(QStringLiteral(" Insert to string "), page);
  insertStringGroup_->setObjectName(QStringLiteral("GroupBoxInsertString"));
  comboBox2_ = new QComboBox(insertStringGroup_);
  comboBox2_->setObjectName(QStringLiteral("ComboBox2"));
  comboBox2_->addItems({QStringLiteral("BEFORE existing string"), QStringLiteral("BEHIND existing string"),
                        QStringLiteral("BETWEEN two strings")});
  labeledEdit2_ = makeEdit("LabeledEdit2", insertStringGroup_, false);
  labeledEdit5_ = makeEdit("LabeledEdit5", insertStringGroup_, false);
  labeledEdit5_->setToolTip(QStringLiteral("There should be nothing between two strings before rename"));
  comboBoxEx6_ = makeHistoryBox("ComboBoxEx6", insertStringGroup_);
  QPushButton* button10 = makeSpecialButton("Button10", QStringLiteral("Special"), comboBoxEx6_, insertStringGroup_);
  auto* ig = new QGridLayout(insertStringGroup_);
  ig->addWidget(labelFor(comboBox2_, QStringLiteral("Position to string:"), insertStringGroup_), 0, 0);
  ig->addWidget(comboBox2_, 0, 1);
  ig->addWidget(labelFor(labeledEdit2_, QStringLiteral("The existing string:"), insertStringGroup_), 1, 0);
  ig->addWidget(labeledEdit2_, 1, 1);
  ig->addWidget(labelFor(labeledEdit5_, QStringLiteral("The second string:"), insertStringGroup_), 2, 0);
  ig->addWidget(labeledEdit5_, 2, 1);
  ig->addWidget(labelFor(comboBoxEx6_, QStringLiteral("String to insert: "), insertStringGroup_), 3, 0);
  ig->addWidget(comboBoxEx6_, 3, 1);
  ig->addWidget(button10, 3, 2);
  ig->setColumnStretch(1, 1);
  connect(comboBox2_, &QComboBox::currentIndexChanged, this, [this](int index) { setShown({labeledEdit5_}, index == 2); });

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(Row({radioButton9_, radioButton3_}));
  layout->addWidget(positionGroup_);
  layout->addWidget(insertStringGroup_);
  layout->addStretch();
  return page;
}

QWidget* OperationEditor::buildChangePage() {
  auto* page = new QWidget(operationArea_);
  page->setObjectName(QStringLiteral("ChangePage"));
  auto* group = new QGroupBox(QStringLiteral("Change name"), page);
  group->setObjectName(QStringLiteral("GroupBoxChange"));
  radioButton14_ = makeRadio("RadioButton14", QStringLiteral("Change full name to new:"), group);
  radioButton15_ = makeRadio("RadioButton15", QStringLiteral("Convert full name case to:"), group);
  radioButton14_->setChecked(true);
  radioGroup({radioButton14_, radioButton15_});
  comboBoxEx5_ = makeHistoryBox("ComboBoxEx5", group);
  button8_ = makeSpecialButton("Button8", QStringLiteral("Special string"), comboBoxEx5_, group);
  newNameLabel_ = labelFor(comboBoxEx5_, QStringLiteral("New name:"), group);
  radioButton16_ = makeRadio("RadioButton16", QStringLiteral("Lower case"), group);
  radioButton17_ = makeRadio("RadioButton17", QStringLiteral("UPPER case"), group);
  radioButton22_ = makeRadio("RadioButton22", QStringLiteral("Capitalize every words"), group);
  radioButton16_->setChecked(true);
  radioGroup({radioButton16_, radioButton17_, radioButton22_});
  checkBox16_ = makeCheck("CheckBox16", QStringLiteral("Capitalize first letter"), group, true);
  checkBox19_ = makeCheck("CheckBox19", QStringLiteral("Include extension part"), group, true);

  auto* grid = new QGridLayout(group);
  grid->addWidget(radioButton14_, 0, 0, 1, 4);
  grid->addWidget(newNameLabel_, 1, 1);
  grid->addWidget(comboBoxEx5_, 1, 2);
  grid->addWidget(button8_, 1, 3);
  grid->addWidget(radioButton15_, 2, 0, 1, 4);
  grid->addLayout(Row({radioButton16_, checkBox16_}), 3, 1, 1, 3);
  grid->addWidget(radioButton17_, 4, 1, 1, 3);
  grid->addWidget(radioButton22_, 5, 1, 1, 3);
  grid->addWidget(checkBox19_, 6, 1, 1, 3);
  grid->setColumnMinimumWidth(0, 16);
  grid->setColumnStretch(2, 1);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(group);
  layout->addStretch();
  return page;
}

QWidget* OperationEditor::buildExtensionPage() {
  auto* page = new QWidget(operationArea_);
  page->setObjectName(QStringLiteral("ExtensionPage"));
  radioButton24_ = makeRadio("RadioButton24", QStringLiteral("Change extention part"), page);
  radioButton26_ = makeRadio("RadioButton26", QStringLiteral("Convert extention case"), page);
  radioButton24_->setChecked(true);
  radioGroup({radioButton24_, radioButton26_});

  changeExtensionGroup_ = new QGroupBox(QStringLiteral("Change extention part"), page);
  changeExtensionGroup_->setObjectName(QStringLiteral("GroupBoxChangeExtension"));
  labeledEdit4_ = makeEdit("LabeledEdit4", changeExtensionGroup_, true);
  labeledEdit4_->setMaxLength(253);
  checkBox1_ = makeCheck("CheckBox1", QStringLiteral("replace ALL types of old extention part"), changeExtensionGroup_,
                         false);
  labeledEdit3_ = makeEdit("LabeledEdit3", changeExtensionGroup_, false);
  labeledEdit3_->setMaxLength(253);
  // Checking "replace ALL types" hides the old-extension box; unchecking shows it again.
  connect(checkBox1_, &QCheckBox::clicked, this, [this](bool checked) { setShown({labeledEdit3_}, !checked); });
  auto* cg = new QGridLayout(changeExtensionGroup_);
  cg->addWidget(labelFor(labeledEdit4_, QStringLiteral("New extention part : "), changeExtensionGroup_), 0, 0);
  cg->addWidget(labeledEdit4_, 0, 1);
  cg->addWidget(checkBox1_, 1, 1);
  cg->addWidget(labelFor(labeledEdit3_, QStringLiteral("Old extention part :   "), changeExtensionGroup_), 2, 0);
  cg->addWidget(labeledEdit3_, 2, 1);
  cg->setColumnStretch(1, 1);

  convertExtensionGroup_ = new QGroupBox(QStringLiteral("Convert extention case to"), page);
  convertExtensionGroup_->setObjectName(QStringLiteral("GroupBoxConvertExtension"));
  radioButton31_ = makeRadio("RadioButton31", QStringLiteral("Lower case"), convertExtensionGroup_);
  radioButton32_ = makeRadio("RadioButton32", QStringLiteral("UPPER case"), convertExtensionGroup_);
  radioButton31_->setChecked(true);
  radioGroup({radioButton31_, radioButton32_});
  auto* vg = new QVBoxLayout(convertExtensionGroup_);
  vg->addLayout(Row({radioButton31_, radioButton32_}));

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(Row({radioButton24_, radioButton26_}));
  layout->addWidget(changeExtensionGroup_);
  layout->addWidget(convertExtensionGroup_);
  layout->addStretch();
  return page;
}

QWidget* OperationEditor::buildSavePage() {
  auto* page = new QWidget(operationArea_);
  page->setObjectName(QStringLiteral("SavePage"));
  auto* content = new QGroupBox(QStringLiteral("Save content"), page);
  content->setObjectName(QStringLiteral("GroupBoxContent"));
  radioButton8_ = makeRadio("RadioButton8", QStringLiteral(" Subfolders and filenames "), content);
  radioButton4_ = makeRadio("RadioButton4", QStringLiteral(" Only subfolders name"), content);
  radioButton5_ = makeRadio("RadioButton5", QStringLiteral(" All filenames in subfolders "), content);
  radioButton8_->setChecked(true);
  radioGroup({radioButton8_, radioButton4_, radioButton5_});
  auto note = [content](const char* name, const QString& text) {
    auto* l = new QLabel(text, content);
    l->setObjectName(QString::fromLatin1(name));
    return l;
  };
  checkBox17_ = makeCheck("CheckBox17", QStringLiteral("Include webpage folder"), content, false);
  checkBox17_->setToolTip(QStringLiteral("The folder used by IE to store images of a webpage"));
  auto* cg = new QGridLayout(content);
  cg->addWidget(radioButton8_, 0, 0);
  cg->addWidget(note("Label8", QStringLiteral("(ONE layer)")), 0, 1);
  cg->addWidget(radioButton4_, 1, 0);
  cg->addWidget(note("Label9", QStringLiteral("(without files)")), 1, 1);
  cg->addWidget(radioButton5_, 2, 0);
  cg->addWidget(note("Label11", QStringLiteral("(ALL layers) ")), 2, 1);
  cg->addWidget(checkBox17_, 3, 0, 1, 2);
  cg->setColumnStretch(2, 1);

  fileTypesGroup_ = new QGroupBox(QStringLiteral("File types"), page);
  fileTypesGroup_->setObjectName(QStringLiteral("GroupBoxFileTypes"));
  radioButton1_ = makeRadio("RadioButton1", QStringLiteral("All  types"), fileTypesGroup_);
  radioButton1_->setToolTip(QStringLiteral("Save all types of files name"));
  radioButton2_ = makeRadio("RadioButton2", QStringLiteral("Special types"), fileTypesGroup_);
  radioButton2_->setToolTip(QStringLiteral("Save special types of files name"));
  radioButton1_->setChecked(true);
  radioGroup({radioButton1_, radioButton2_});
  checkBox8_ = makeCheck("CheckBox8", QStringLiteral("Music"), fileTypesGroup_, false);
  checkBox8_->setToolTip(QString::fromLatin1(batch::kMusicTypes));
  checkBox9_ = makeCheck("CheckBox9", QStringLiteral("Document"), fileTypesGroup_, false);
  checkBox9_->setToolTip(QString::fromLatin1(batch::kDocumentTypes));
  checkBox10_ = makeCheck("CheckBox10", QStringLiteral("Film"), fileTypesGroup_, false);
  checkBox10_->setToolTip(QString::fromLatin1(batch::kFilmTypes));
  checkBox11_ = makeCheck("CheckBox11", QStringLiteral("Picture"), fileTypesGroup_, false);
  checkBox11_->setToolTip(QString::fromLatin1(batch::kPictureTypes));
  checkBox13_ = makeCheck("CheckBox13", QStringLiteral("Program"), fileTypesGroup_, false);
  checkBox13_->setToolTip(QString::fromLatin1(batch::kProgramTypes));
  checkBox12_ = makeCheck("CheckBox12", QStringLiteral("Other"), fileTypesGroup_, false);
  checkBox12_->setToolTip(QStringLiteral("Specify your wanted type"));
  edit3_ = makeEdit("Edit3", fileTypesGroup_, false);
  edit3_->setToolTip(QStringLiteral("Use comma(,) to seperate types, no space included."));
  connect(checkBox12_, &QCheckBox::toggled, this, [this](bool on) { edit3_->setVisible(on); });
  auto* tg = new QGridLayout(fileTypesGroup_);
  tg->addLayout(Row({radioButton1_, radioButton2_}), 0, 0, 1, 4);
  tg->addWidget(checkBox8_, 1, 0);
  tg->addWidget(checkBox9_, 1, 1);
  tg->addWidget(checkBox10_, 1, 2);
  tg->addWidget(checkBox11_, 2, 0);
  tg->addWidget(checkBox13_, 2, 1);
  tg->addLayout(Row({checkBox12_, edit3_}, false), 2, 2, 1, 2);
  tg->setColumnStretch(3, 1);

  checkBox14_ = makeCheck("CheckBox14", QStringLiteral("File date time"), page, false);
  checkBox14_->setToolTip(QStringLiteral("Add file's modified date and time"));
  checkBox15_ = makeCheck("CheckBox15", QStringLiteral("File size"), page, false);
  checkBox15_->setToolTip(QStringLiteral("Add file size"));

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(content);
  layout->addWidget(fileTypesGroup_);
  layout->addLayout(Row({checkBox14_, checkBox15_}));
  layout->addStretch();
  return page;
}

QWidget* OperationEditor::buildAboutPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("AboutPanel"));
  // Each group holds one picture, placed by hand (not by a layout): centred, and at two
  // thirds of the group's free height.
  auto group = [panel](const char* name, const QString& title) {
    auto* g = new QGroupBox(title, panel);
    g->setObjectName(QString::fromLatin1(name));
    g->setMinimumHeight(150);
    return g;
  };
  auto picture = [this](QGroupBox* group, const char* name, const QString& html, const QString& hint) {
    auto* l = new QLabel(html, group);
    l->setObjectName(QString::fromLatin1(name));
    l->setToolTip(hint);
    l->setCursor(Qt::PointingHandCursor);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("QLabel { background: palette(alternate-base); color: palette(text); "
                                    "border: 1px solid palette(mid); border-radius: 4px; padding: 8px 18px; }"));
    l->adjustSize();
    l->setFixedSize(l->sizeHint());
    l->installEventFilter(this);
    new PicturePlacer(group, l);
    return l;
  };
  const QString icon = QStringLiteral("<img src=\":/velmora/velmora.png\" width=\"40\" height=\"40\">");
  QGroupBox* contact = group("GroupBoxContact", QStringLiteral(" Contact info "));
  QLabel* contactPicture =
      picture(contact, "Image1",
              QStringLiteral("<table><tr><td valign=\"middle\">%1&nbsp;&nbsp;</td><td><b>Velmora</b><br>"
                             "Home page: %2<br>E-mail: %3</td></tr></table>")
                  .arg(icon, QString::fromLatin1(kHomePage), QString::fromLatin1(kContactMail)),
              QStringLiteral("Visit homepage now"));
  QGroupBox* version = group("GroupBoxVersion", QStringLiteral(" Version info "));
  QLabel* versionPicture =
      picture(version, "Image2",
              QStringLiteral("<table><tr><td valign=\"middle\">%1&nbsp;&nbsp;</td><td><b>Velmora %2</b><br>"
                             "Released %3<br>%4</td></tr></table>")
                  .arg(icon, QStringLiteral(VELMORA_VERSION), ReleaseMonth(),
                       tr("License: %1").arg(QLatin1String(batch::kLicenceName))),
              QStringLiteral("download the latest version now"));
  const int pictureWidth = std::max(contactPicture->width(), versionPicture->width());
  for (QLabel* l : {contactPicture, versionPicture}) l->setFixedWidth(pictureWidth);
  auto* back = new QPushButton(tr("&Back"), panel);
  back->setObjectName(QStringLiteral("BackButton"));
  back->setToolTip(QStringLiteral("Back to last window"));
  auto* close = new QPushButton(tr("&Close"), panel);
  close->setObjectName(QStringLiteral("CloseButton"));
  close->setToolTip(QStringLiteral("Close the window"));
  connect(back, &QPushButton::clicked, this, &OperationEditor::AboutBackClick);
  connect(close, &QPushButton::clicked, this, &OperationEditor::AboutBackClick);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(contact);
  layout->addWidget(version);
  layout->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(back);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  return panel;
}

// ---- radio handlers ----

void OperationEditor::boldCheckedRadios(QButtonGroup* group) {
  for (QAbstractButton* b : group->buttons()) {
    QFont f = b->font();
    if (f.bold() != b->isChecked()) {
      f.setBold(b->isChecked());
      b->setFont(f);
    }
  }
}

void OperationEditor::radioChanged(QRadioButton* r) {
  const auto removeGroups = [this](QGroupBox* shown) {
    for (QGroupBox* g : {removeStringGroup_, removeAnythingGroup_, cleanGroup_, keepGroup_}) g->setVisible(g == shown);
  };
  if (r == radioButton6_) {
    removeGroups(removeStringGroup_);
    clearSelection();
    focusedInput_ = 1;
    edit1_->setFocus();
  } else if (r == radioButton7_) {
    removeGroups(removeAnythingGroup_);
    clearSelection();
  } else if (r == radioButton23_) {
    removeGroups(cleanGroup_);
    clearSelection();
  } else if (r == radioButton25_) {
    removeGroups(keepGroup_);
    clearSelection();
  } else if (r == radioButton12_) {
    setShown({removeDirectionLabel_, radioButton10_, radioButton11_}, true);
    setShown({edit11_, edit12_, checkBox5_}, false);
    clearSelection();
  } else if (r == radioButton13_) {
    setShown({edit11_, edit12_, checkBox5_}, true);
    setShown({removeDirectionLabel_, radioButton10_, radioButton11_}, false);
    clearSelection();
  } else if (r == radioButton30_) {
    setShown({keepDirectionLabel_, radioButton27_, radioButton28_}, true);
    setShown({edit14_, edit16_}, false);
    clearSelection();
  } else if (r == radioButton29_) {
    setShown({edit14_, edit16_}, true);
    setShown({keepDirectionLabel_, radioButton27_, radioButton28_}, false);
  } else if (r == radioButton18_) {
    setShown({labeledEdit1_, checkBox7_}, true);
    setShown({replaceDirectionLabel_, radioButton20_, radioButton21_}, false);
    clearSelection();
    labeledEdit1_->setFocus();
  } else if (r == radioButton19_) {
    setShown({replaceDirectionLabel_, radioButton20_, radioButton21_}, true);
    setShown({labeledEdit1_, checkBox7_}, false);
    clearSelection();
    comboBoxEx4_->setFocus();
  } else if (r == radioButton9_) {
    positionGroup_->setVisible(true);
    insertStringGroup_->setVisible(false);
    comboBoxEx1_->setFocus();
  } else if (r == radioButton3_) {
    insertStringGroup_->setVisible(true);
    positionGroup_->setVisible(false);
    clearSelection();
    labeledEdit2_->setFocus();
  } else if (r == radioButton14_) {
    setShown({comboBoxEx5_, button8_}, true);
    setShown({radioButton16_, checkBox16_, radioButton17_, radioButton22_, checkBox19_}, false);
    clearSelection();
    comboBoxEx5_->setFocus();
  } else if (r == radioButton15_) {
    setShown({radioButton16_, radioButton17_, radioButton22_, checkBox19_}, true);
    setShown({checkBox16_}, radioButton16_->isChecked());
    setShown({comboBoxEx5_, button8_}, false);
  } else if (r == radioButton16_) {
    setShown({checkBox16_}, radioButton15_->isChecked());
  } else if (r == radioButton17_ || r == radioButton22_) {
    setShown({checkBox16_}, false);
  } else if (r == radioButton24_) {
    changeExtensionGroup_->setVisible(true);
    convertExtensionGroup_->setVisible(false);
    labeledEdit4_->setFocus();
  } else if (r == radioButton26_) {
    convertExtensionGroup_->setVisible(true);
    changeExtensionGroup_->setVisible(false);
  } else if (r == radioButton8_) {
    setShown({fileTypesGroup_, checkBox14_, checkBox15_}, true);
    setShown({checkBox17_}, false);
  } else if (r == radioButton4_) {
    setShown({fileTypesGroup_, checkBox14_, checkBox15_, checkBox17_}, false);
  } else if (r == radioButton5_) {
    setShown({fileTypesGroup_, checkBox14_, checkBox15_, checkBox17_}, true);
  } else if (r == radioButton1_) {
    setShown({checkBox8_, checkBox9_, checkBox10_, checkBox11_, checkBox13_, checkBox12_, edit3_}, false);
  } else if (r == radioButton2_) {
    setShown({checkBox8_, checkBox9_, checkBox10_, checkBox11_, checkBox13_, checkBox12_}, true);
    setShown({edit3_}, checkBox12_->isChecked());
  }
}

void OperationEditor::clearSelection() { richEdit2_->clearKeptSelection(); }

// ---- set-up ----

void OperationEditor::openModal() {
  setWindowModality(Qt::ApplicationModal);
  showOperationArea(true);
  FormShow();
  show();
  raise();
  activateWindow();
}

void OperationEditor::openNonModal() {
  setWindowModality(Qt::NonModal);
  showOperationArea(true);
  FormShow();
  show();
  raise();
  activateWindow();
}

void OperationEditor::showAbout() {
  setWindowModality(Qt::ApplicationModal);
  showOperationArea(false);
  FormShow();
  show();
  raise();
}

void OperationEditor::showOperationArea(bool shown) {
  operationArea_->setVisible(shown);
  aboutPanel_->setVisible(!shown);
  adjustSize();
}

bool OperationEditor::aboutShown() const { return !aboutPanel_->isHidden(); }

void OperationEditor::FormShow() {
  app::AppState& state = program_.state();
  open_ = true;
  program_.mainWindow().stopHousekeeping();
  runMode_ = batch::RunMode::Rename;
  logPending_ = false;
  if (state.kind() == OperationKind::Browsefile) {
    setWindowTitle(QStringLiteral("Velmora - About"));
    if (!aboutShown()) showOperationArea(false);
    return;
  }
  // A folder target ends in a separator (the root "/" is one); no folder is the
  // hand-picked mode.
  std::string& folder = state.target.folder;
  if (!folder.empty()) folder = batch::ProgramFolderWithSeparator(folder);
  if (state.handOffSession) {
    program_.options().loadSettings();
    if (!folder.empty()) program_.mainWindow().setFolderBox(FromPath(folder));
  }
  refreshHistoryLists();
  setTargetLine();
  setSample();
  showPage();
  speedButton21_->setEnabled(!state.isKind(OperationKind::Savealls));
  focusTimer_.start();
  setCaptionForOperation();
  adjustSize();
}

void OperationEditor::setCaptionForOperation() {
  QString title;
  switch (program_.state().kind()) {
    case OperationKind::Removpart: title = QStringLiteral("Remove string"); break;
    case OperationKind::Replapart: title = QStringLiteral("Replace string"); break;
    case OperationKind::Addnewnum: title = QStringLiteral("Insert string"); break;
    case OperationKind::Changnew: title = QStringLiteral("Change to new name"); break;
    case OperationKind::Changexten: title = QStringLiteral("Edit Extention part"); break;
    default: title = QStringLiteral("Save filenames"); break;
  }
  setWindowTitle(QStringLiteral("Velmora - ") + title);
}

void OperationEditor::setTargetLine() {
  const app::AppState& state = program_.state();
  if (state.target.folder.empty()) {
    label2_->setText(QStringLiteral("Target file(s),"));
    label1_->setText(QStringLiteral("total ") + QString::number(state.target.picked.size()) + QStringLiteral(" file(s)"));
    label1_->setToolTip(QString());
    panel12_->hide();
    return;
  }
  const QString path = FromPath(state.target.folder);
  label1_->setText(path.size() <= kTargetLineLength ? path
                                                     : path.left(18) + QStringLiteral(" ... ") + path.right(26));
  label1_->setToolTip(path);
  panel12_->setVisible(!state.isKind(OperationKind::Savealls));
  settingScope_ = true;
  comboBox1_->setCurrentIndex(static_cast<int>(state.target.scope));
  settingScope_ = false;
}

void OperationEditor::setSampleText(const QString& text, const QString& hint) {
  richEdit2_->setText(text);
  richEdit2_->setCursorPosition(0);
  richEdit2_->setToolTip(hint);
}

void OperationEditor::setSample() {
  const app::AppState& state = program_.state();
  platform::FileSystem& fs = program_.fs();
  std::string sample = state.samplePath;
  while (sample.size() > 1 && platform::IsSeparator(sample.back())) sample.pop_back();
  const bool isDir = !sample.empty() && fs.isDirectory(sample);
  const bool wholeName = state.isKind(OperationKind::Changexten) || state.isKind(OperationKind::Savealls);
  if (wholeName) {
    setSampleText(FromPath(engine::FileNamePart(sample)), FromPath(sample));
  } else if (!state.target.folder.empty() && state.target.scope == batch::FolderScope::ThisFolder) {
    setSampleText(FromPath(platform::LastComponent(state.target.folder)), FromPath(state.target.folder));
  } else {
    setSampleText(FromPath(engine::BaseName(sample, isDir)), FromPath(sample));
  }
  if (state.isKind(OperationKind::Changexten)) {
    const std::string ext = engine::Extension(sample, isDir);
    labeledEdit3_->setText(FromPath(ext.empty() ? ext : ext.substr(1)));
  }
}

void OperationEditor::showPage() {
  const OperationKind kind = program_.state().kind();
  removePage_->setVisible(kind == OperationKind::Removpart);
  replacePage_->setVisible(kind == OperationKind::Replapart);
  insertPage_->setVisible(kind == OperationKind::Addnewnum);
  changePage_->setVisible(kind == OperationKind::Changnew);
  extensionPage_->setVisible(kind == OperationKind::Changexten);
  savePage_->setVisible(kind == OperationKind::Savealls);
  presetRow_->setVisible(batch::CommandName(kind)[0] != '\0');
  refreshPresets();
}

batch::RecordSettings OperationEditor::recordSettings() const {
  batch::RecordSettings s;
  s.record = buildRecord();
  s.special = program_.specialStringSettings();
  return s;
}

std::string OperationEditor::commandLine() const {
  return batch::OperationCommandLine(recordSettings(), program_.state().target, program_.runOptions().order);
}

void OperationEditor::CopyCommandClick() {
  QApplication::clipboard()->setText(FromText(commandLine()));
}

std::string OperationEditor::presetsFolder() const {
  return presetsFolder_.empty() ? batch::PresetsFolder() : presetsFolder_;
}

void OperationEditor::refreshPresets() {
  const QString typed = presets_->currentText();
  presets_->clear();
  for (const std::string& name : batch::ListPresets(program_.fs(), presetsFolder())) presets_->addItem(FromText(name));
  presets_->setCurrentIndex(-1);
  presets_->setEditText(typed);
}

void OperationEditor::PresetSaveClick() {
  const std::string name = ToText(presets_->currentText());
  if (const auto error = batch::PresetNameError(name)) {
    program_.messages().information(*error);
    presets_->setFocus();
    return;
  }
  if (!batch::SavePreset(program_.fs(), presetsFolder(), name, recordSettings())) {
    program_.messages().warning(ToText(tr("The preset could not be saved in ")) + presetsFolder() + ".");
    return;
  }
  refreshPresets();
}

void OperationEditor::PresetDeleteClick() {
  const std::string name = ToText(presets_->currentText());
  if (batch::PresetNameError(name) || presets_->findText(presets_->currentText()) < 0) return;
  const std::string question = ToText(tr("Delete the preset '")) + name + "' ?";
  if (program_.messages().confirm(ToText(tr("Delete Confirmation")), question, batch::Buttons::YesNo) !=
      batch::Answer::Yes)
    return;
  program_.fs().removeFile(batch::PresetPath(presetsFolder(), name));
  presets_->setEditText(QString());
  refreshPresets();
}

bool OperationEditor::loadPreset(const QString& name) {
  const std::string preset = ToText(name);
  const auto content =
      batch::PresetNameError(preset) ? std::nullopt : program_.fs().readFile(batch::PresetPath(presetsFolder(), preset));
  const QJsonDocument document =
      content ? QJsonDocument::fromJson(QByteArray::fromStdString(*content)) : QJsonDocument();
  if (!document.isObject()) {
    program_.messages().information(ToText(tr("The preset '")) + preset + ToText(tr("' cannot be read.")));
    return false;
  }
  batch::RecordSettings s = recordSettings();
  const QJsonObject object = document.object();
  for (auto it = object.begin(); it != object.end(); ++it) {
    const QJsonValue value = it.value();
    const QString text = value.isBool() ? QString::fromLatin1(value.toBool() ? "true" : "false")
                         : value.isDouble() ? QString::number(value.toInteger())
                                            : value.toString();
    if (const auto error = batch::SetField(s, ToText(it.key()), ToText(text))) {
      program_.messages().information(*error);
      return false;
    }
  }
  applyRecord(s.record);
  program_.specialStrings().setSettings(s.special);
  presets_->setEditText(name);
  return true;
}

void OperationEditor::applyRecord(const engine::OperationRecord& r) {
  using namespace engine;
  switch (r.removeMode) {
    case RemoveMode::RemoveStrings: radioButton6_->setChecked(true); break;
    case RemoveMode::RemoveSelected: radioButton7_->setChecked(true); radioButton12_->setChecked(true); break;
    case RemoveMode::RemoveBetween: radioButton7_->setChecked(true); radioButton13_->setChecked(true); break;
    case RemoveMode::KeepSelected: radioButton25_->setChecked(true); radioButton30_->setChecked(true); break;
    case RemoveMode::KeepStrings: radioButton25_->setChecked(true); radioButton29_->setChecked(true); break;
    case RemoveMode::CleanSymbols: radioButton23_->setChecked(true); break;
  }
  const std::pair<QLineEdit*, const std::string*> texts[] = {
      {edit1_, &r.removeText1},       {edit2_, &r.removeText2},        {edit10_, &r.removeText3},
      {edit11_, &r.leftText},         {edit12_, &r.rightText},         {edit14_, &r.keepText1},
      {edit16_, &r.keepText2},        {edit13_, &r.alsoEraseText},     {edit15_, &r.keepOthersText},
      {labeledEdit1_, &r.oldText},    {labeledEdit2_, &r.anchorText},  {labeledEdit5_, &r.secondAnchorText},
      {labeledEdit3_, &r.oldExtension}, {labeledEdit4_, &r.newExtension}};
  for (const auto& [box, text] : texts) box->setText(FromText(*text));
  const std::pair<QComboBox*, const std::string*> lists[] = {
      {comboBoxEx4_, &r.newText},   {comboBoxEx1_, &r.headText},   {comboBoxEx2_, &r.endText},
      {comboBoxEx3_, &r.cursorText}, {comboBoxEx6_, &r.insertText}, {comboBoxEx5_, &r.newName}};
  for (const auto& [box, text] : lists) box->setEditText(FromText(*text));
  const std::pair<QCheckBox*, bool> checks[] = {
      {checkBox6_, r.removeCaseSensitive}, {checkBox5_, r.removeBoundaries}, {checkBox18_, r.erasedToSpace},
      {checkBox20_, r.alsoErase},          {checkBox22_, r.keepDash},         {checkBox23_, r.keepParentheses},
      {checkBox24_, r.keepBrackets},       {checkBox25_, r.keepUnderscore},   {checkBox26_, r.keepOthers},
      {checkBox7_, r.replaceCaseSensitive}, {checkBox2_, r.atHead},           {checkBox3_, r.atEnd},
      {checkBox4_, r.atCursor},            {checkBox16_, r.capitalizeFirst},  {checkBox19_, r.includeExtension},
      {checkBox1_, r.allExtensions}};
  for (const auto& [box, on] : checks) box->setChecked(on);
  // Each pair of radio buttons: the second is checked when the value is on.
  const std::tuple<QRadioButton*, QRadioButton*, bool> pairs[] = {
      {radioButton10_, radioButton11_, r.removeFromEnd},
      {radioButton27_, radioButton28_, r.keepFromEnd},
      {radioButton20_, radioButton21_, r.replaceFromEnd},
      {radioButton33_, radioButton34_, r.cursorFromEnd},
      {radioButton31_, radioButton32_, r.extensionUpper},
      {radioButton18_, radioButton19_, r.replaceMode == ReplaceMode::ReplaceSelected},
      {radioButton9_, radioButton3_, r.insertMode == InsertMode::InsertAtString},
      {radioButton14_, radioButton15_, r.changeMode == ChangeMode::ConvertCase},
      {radioButton24_, radioButton26_, r.extensionMode == ExtensionMode::ConvertExtensionCase}};
  for (const auto& [off, on, value] : pairs) (value ? on : off)->setChecked(true);
  (r.caseStyle == CaseStyle::Lower ? radioButton16_ : r.caseStyle == CaseStyle::Upper ? radioButton17_ : radioButton22_)
      ->setChecked(true);
  comboBox2_->setCurrentIndex(r.anchorPlacement);
}

void OperationEditor::focusTimerFired() {
  switch (program_.state().kind()) {
    case OperationKind::Removpart:
      if (radioButton6_->isChecked()) {
        edit1_->setFocus();
        focusedInput_ = 1;
      }
      break;
    case OperationKind::Replapart:
      (radioButton18_->isChecked() ? static_cast<QWidget*>(labeledEdit1_) : comboBoxEx4_)->setFocus();
      break;
    case OperationKind::Addnewnum:
      (radioButton9_->isChecked() ? static_cast<QWidget*>(comboBoxEx1_) : labeledEdit2_)->setFocus();
      break;
    case OperationKind::Changnew:
      if (radioButton14_->isChecked()) comboBoxEx5_->setFocus();
      break;
    case OperationKind::Changexten:
      if (radioButton24_->isChecked()) labeledEdit4_->setFocus();
      break;
    default:
      break;
  }
}

void OperationEditor::refreshHistoryLists() {
  batch::NameHistory& history = program_.nameHistory();
  history.setMaximum(program_.runOptions().historyMax);
  history.load();
  // With the history off the five copies are never emptied; the history file of another
  // instance may still bring them entries.
  fillHistoryLists(history.maximum() != 0 || !history.copies().empty());
}

void OperationEditor::showWholeHistory() { fillHistoryLists(true); }

void OperationEditor::fillHistoryLists(bool copiesToo) {
  const batch::NameHistory& history = program_.nameHistory();
  const auto fill = [](QComboBox* box, const std::vector<std::string>& entries) {
    const QString text = box->currentText();
    box->blockSignals(true);
    box->clear();
    for (const std::string& e : entries) box->addItem(FromText(e));
    box->setEditText(text);
    box->blockSignals(false);
  };
  fill(comboBoxEx1_, history.entries());
  if (!copiesToo) return;
  for (QComboBox* copy : {comboBoxEx2_, comboBoxEx3_, comboBoxEx6_, comboBoxEx4_, comboBoxEx5_})
    fill(copy, history.copies());
}

// ---- scope list ----

void OperationEditor::ComboBox1Change(int index) {
  if (settingScope_ || index < 0) return;
  app::AppState& state = program_.state();
  if (state.target.folder.empty()) return;
  batch::Messages& messages = program_.messages();
  platform::FileSystem& fs = program_.fs();
  const auto showScope = [this](batch::FolderScope scope) {
    settingScope_ = true;
    comboBox1_->setCurrentIndex(static_cast<int>(scope));
    settingScope_ = false;
  };
  using batch::FolderScope;
  FolderScope& scope = state.target.scope;
  scope = static_cast<FolderScope>(index);
  std::string answer = batch::FirstTargetItem(fs, state.target, state.kind(), messages, &state.topLayerFileCount);
  if (answer.empty()) {
    std::string second;
    if (scope == FolderScope::OneLayer) {
      scope = FolderScope::SubfoldersOnly;
      showScope(FolderScope::AllLayers);
      second = batch::FirstTargetItem(fs, state.target, state.kind(), messages);
      scope = FolderScope::AllLayers;
      answer = second;
    }
    if (scope == FolderScope::SubfoldersOnly || (scope == FolderScope::AllLayers && second.empty())) {
      scope = FolderScope::ThisFolder;
      showScope(FolderScope::ThisFolder);
    }
    if (scope == FolderScope::ThisFolder) answer = state.target.folder;
  }
  std::string folder = state.target.folder;
  while (folder.size() > 1 && platform::IsSeparator(folder.back())) folder.pop_back();
  if (scope == FolderScope::ThisFolder && platform::IsRootPath(folder)) {
    messages.information("Can not rename root directory !");
    scope = FolderScope::SubfoldersOnly;
    showScope(FolderScope::SubfoldersOnly);
  }
  switch (scope) {
    case FolderScope::OneLayer:
      richEdit2_->setText(FromPath(engine::BaseName(answer, false)));
      break;
    case FolderScope::AllLayers:
      if (fs.kind(platform::JoinPath(state.target.folder, answer)) == platform::EntryKind::File)
        richEdit2_->setText(FromPath(engine::BaseName(answer, false)));
      break;
    case FolderScope::SubfoldersOnly:
    case FolderScope::ThisFolder: {
      std::string name = answer;
      if (name.size() > 1 && platform::IsSeparator(name.back())) name.pop_back();
      richEdit2_->setText(FromPath(platform::LastComponent(name)));
      break;
    }
  }
}

// ---- sample box ----

int OperationEditor::selectionStartBytes() const {
  return static_cast<int>(QFile::encodeName(richEdit2_->text().left(richEdit2_->keptStart())).size());
}

int OperationEditor::selectionLengthBytes() const {
  return static_cast<int>(QFile::encodeName(richEdit2_->keptText()).size());
}

std::string OperationEditor::selectedSampleText() const { return ToPath(richEdit2_->keptText()); }

void OperationEditor::sampleMousePress() {
  if (program_.state().isKind(OperationKind::Addnewnum) && radioButton9_->isChecked())
    cursorPos_ = selectionStartBytes() + 1;
  sampleMouseDown_ = true;
}

void OperationEditor::sampleMouseMove() {
  if (!sampleMouseDown_ || !program_.runOptions().autocopy || richEdit2_->keptLength() == 0) return;
  QLineEdit* target = nullptr;
  switch (program_.state().kind()) {
    case OperationKind::Removpart:
      if (radioButton7_->isChecked() && radioButton13_->isChecked()) {
        target = focusedInput_ == 5 ? edit12_ : edit11_;
      } else if (radioButton6_->isChecked()) {
        target = focusedInput_ == 2 ? edit2_ : focusedInput_ == 3 ? edit10_ : edit1_;
      } else if (radioButton23_->isChecked()) {
        target = focusedInput_ == 7 ? edit13_ : edit15_;
      } else if (radioButton25_->isChecked() && radioButton29_->isChecked()) {
        target = focusedInput_ == 10 ? edit16_ : edit14_;
      }
      break;
    case OperationKind::Replapart:
      if (radioButton18_->isChecked()) target = labeledEdit1_;
      break;
    case OperationKind::Changnew:
      if (radioButton14_->isChecked()) target = comboBoxEx5_->lineEdit();
      break;
    case OperationKind::Addnewnum:
      if (radioButton3_->isChecked())
        target = comboBox2_->currentIndex() == 2 && focusedInput_ == 6 ? labeledEdit5_ : labeledEdit2_;
      break;
    default:
      break;
  }
  if (target) target->setText(richEdit2_->keptText());
}

QMenu* OperationEditor::sampleMenu() {
  if (!sampleMenu_) {
    sampleMenu_ = new QMenu(this);
    sampleMenu_->setObjectName(QStringLiteral("PopupMenu2"));
    QAction* copy = sampleMenu_->addAction(QStringLiteral("Copy(&C)"));
    copy->setObjectName(QStringLiteral("CopyItem"));
    connect(copy, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(richEdit2_->keptText()); });
    QAction* all = sampleMenu_->addAction(QStringLiteral("Select All(&A)"));
    all->setObjectName(QStringLiteral("SelectAllItem"));
    connect(all, &QAction::triggered, richEdit2_, &QLineEdit::selectAll);
    QAction* autocopy = sampleMenu_->addAction(QStringLiteral("Disable automatic copy"));
    autocopy->setObjectName(QStringLiteral("AutocopyItem"));
    connect(autocopy, &QAction::triggered, this, [this] {
      program_.options().setAutocopy(!program_.runOptions().autocopy);
    });
  }
  const QString selected = richEdit2_->keptText();
  const QList<QAction*> items = sampleMenu_->actions();
  items[0]->setEnabled(!selected.isEmpty());
  items[1]->setEnabled(selected != richEdit2_->text());
  items[2]->setText(program_.runOptions().autocopy ? QStringLiteral("Disable auto copy")
                                                             : QStringLiteral("Enable auto copy"));
  return sampleMenu_;
}

bool OperationEditor::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    const auto code = focusCodes_.constFind(watched);
    if (code != focusCodes_.constEnd()) {
      focusedInput_ = code.value();
      clearSelection();
    } else if (watched == comboBoxEx5_->lineEdit()) {
      clearSelection();
    } else if (watched->objectName() == QLatin1String("Image1") ||
               watched->objectName() == QLatin1String("Image2")) {
      QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePage)));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void OperationEditor::specialButtonClick(QComboBox* target) {
  const app::AppState& state = program_.state();
  const std::size_t items = state.target.folder.empty() ? state.target.picked.size() : 0;
  const QString token = program_.specialStrings().chooseToken(items);
  if (!token.isEmpty()) target->lineEdit()->insert(token);
  target->setFocus();
}

// ---- the record ----

engine::OperationRecord OperationEditor::buildRecord() const {
  using namespace engine;
  OperationRecord r;
  r.kind = program_.state().kind();

  if (radioButton6_->isChecked()) r.removeMode = RemoveMode::RemoveStrings;
  else if (radioButton7_->isChecked()) r.removeMode = radioButton13_->isChecked() ? RemoveMode::RemoveBetween : RemoveMode::RemoveSelected;
  else if (radioButton23_->isChecked()) r.removeMode = RemoveMode::CleanSymbols;
  else r.removeMode = radioButton29_->isChecked() ? RemoveMode::KeepStrings : RemoveMode::KeepSelected;
  r.removeText1 = ToText(edit1_->text());
  r.removeText2 = ToText(edit2_->text());
  r.removeText3 = ToText(edit10_->text());
  r.removeCaseSensitive = checkBox6_->isChecked();
  r.removeFromEnd = radioButton11_->isChecked();
  r.keepFromEnd = radioButton28_->isChecked();
  r.leftText = ToText(edit11_->text());
  r.rightText = ToText(edit12_->text());
  r.removeBoundaries = checkBox5_->isChecked();
  r.keepText1 = ToText(edit14_->text());
  r.keepText2 = ToText(edit16_->text());
  r.erasedToSpace = checkBox18_->isChecked();
  r.alsoErase = checkBox20_->isChecked();
  r.alsoEraseText = ToText(edit13_->text());
  r.keepDash = checkBox22_->isChecked();
  r.keepParentheses = checkBox23_->isChecked();
  r.keepBrackets = checkBox24_->isChecked();
  r.keepUnderscore = checkBox25_->isChecked();
  r.keepOthers = checkBox26_->isChecked();
  r.keepOthersText = ToText(edit15_->text());

  r.replaceMode = radioButton18_->isChecked() ? ReplaceMode::ReplaceString : ReplaceMode::ReplaceSelected;
  r.oldText = ToText(labeledEdit1_->text());
  r.newText = ToText(comboBoxEx4_->currentText());
  r.replaceCaseSensitive = checkBox7_->isChecked();
  r.replaceFromEnd = radioButton21_->isChecked();

  r.insertMode = radioButton9_->isChecked() ? InsertMode::InsertAtPosition : InsertMode::InsertAtString;
  r.atHead = checkBox2_->isChecked();
  r.headText = ToText(comboBoxEx1_->currentText());
  r.atEnd = checkBox3_->isChecked();
  r.endText = ToText(comboBoxEx2_->currentText());
  r.atCursor = checkBox4_->isChecked();
  r.cursorText = ToText(comboBoxEx3_->currentText());
  r.cursorFromEnd = radioButton34_->isChecked();
  r.anchorPlacement = comboBox2_->currentIndex();
  r.anchorText = ToText(labeledEdit2_->text());
  r.secondAnchorText = ToText(labeledEdit5_->text());
  r.insertText = ToText(comboBoxEx6_->currentText());

  r.changeMode = radioButton14_->isChecked() ? ChangeMode::ChangeFullName : ChangeMode::ConvertCase;
  r.newName = ToText(comboBoxEx5_->currentText());
  r.caseStyle = radioButton16_->isChecked()   ? CaseStyle::Lower
                : radioButton17_->isChecked() ? CaseStyle::Upper
                                              : CaseStyle::CapitalizeWords;
  r.capitalizeFirst = checkBox16_->isChecked();
  r.includeExtension = checkBox19_->isChecked();

  r.extensionMode = radioButton24_->isChecked() ? ExtensionMode::ChangeExtension : ExtensionMode::ConvertExtensionCase;
  r.oldExtension = ToText(labeledEdit3_->text());
  r.newExtension = ToText(labeledEdit4_->text());
  r.allExtensions = checkBox1_->isChecked();
  r.extensionUpper = radioButton32_->isChecked();

  r.specialStringsEnabled = program_.specialStringSettings().enabled;
  r.excludeSmallWords = program_.runOptions().excludeSmallWords;

  r.sample.sampleName = ToPath(richEdit2_->text());
  r.sample.selectionStart = selectionStartBytes();
  r.sample.selectionLength = selectionLengthBytes();
  r.sample.cursorPos = cursorPos_;
  return r;
}

batch::ListingSettings OperationEditor::listingSettings() const {
  batch::ListingSettings s;
  s.content = radioButton4_->isChecked()   ? batch::ListingContent::OnlySubfolders
              : radioButton5_->isChecked() ? batch::ListingContent::AllLayers
                                           : batch::ListingContent::SubfoldersAndFiles;
  s.includeWebpageFolders = checkBox17_->isChecked();
  s.specialTypes = radioButton2_->isChecked();
  s.music = checkBox8_->isChecked();
  s.document = checkBox9_->isChecked();
  s.film = checkBox10_->isChecked();
  s.picture = checkBox11_->isChecked();
  s.program = checkBox13_->isChecked();
  s.other = checkBox12_->isChecked();
  s.otherText = ToText(edit3_->text());
  s.fileSize = checkBox15_->isChecked();
  s.fileTime = checkBox14_->isChecked();
  return s;
}

// ---- OK, Preview and the run ----

void OperationEditor::SpeedButton15Click() { OK(); }

void OperationEditor::SpeedButton21Click() {
  runMode_ = batch::RunMode::Preview;
  program_.preview().clearRows();
  // "Preview" and the editor's caption after the product name, at most 35 characters.
  const QString caption = windowTitle();
  const qsizetype dash = caption.indexOf(QStringLiteral(" - "));
  previewCaption_ = (QStringLiteral("Preview") + (dash >= 0 ? caption.mid(dash) : QString())).left(35);
  OK();
  runMode_ = batch::RunMode::Rename;
}

void OperationEditor::focusByName(const std::string& objectName) {
  if (objectName.empty()) return;
  if (QWidget* w = findChild<QWidget*>(QString::fromStdString(objectName))) w->setFocus();
}

void OperationEditor::OK() {
  if (running_) return;  // a click that arrives while a run processes events
  app::AppState& state = program_.state();
  const OperationKind kind = state.kind();
  const batch::RunOptions options = program_.runOptions();
  engine::OperationRecord record = buildRecord();
  batch::OkRequest request{record, state.target, runMode_, options.confirm, selectedSampleText(),
                           batch::ToOkChoices(listingSettings())};
  const batch::OkResult result = batch::RunOkChecks(program_.fs(), request, program_.messages());
  if (kind == OperationKind::Changexten) {
    // The new extension keeps its clean-up, and both boxes their dots once the run starts.
    labeledEdit4_->setText(FromText(record.newExtension));
    labeledEdit3_->setText(FromText(record.oldExtension));
  }
  if (result.targetChecked) state.topLayerFileCount = result.topLayerFileCount;
  focusByName(result.focus);
  if (!result.run) return;
  if (kind == OperationKind::Savealls || kind == OperationKind::Savesomes) {
    runMode_ = batch::RunMode::Rename;
    exportListing(kind);
    return;
  }
  startRun(record);
}

void OperationEditor::startRun(const engine::OperationRecord& record) {
  app::AppState& state = program_.state();
  platform::FileSystem& fs = program_.fs();
  MainWindowPort& main = program_.mainWindow();
  const batch::RunOptions options = program_.runOptions();
  const engine::SpecialStringSettings special = program_.specialStringSettings();
  batch::StopFlag& stop = program_.stopFlag();
  stop.clear();
  running_ = true;

  batch::RunRequest request{record, state.target, runMode_, special.startNumber, options.previewCount, false,
                            options.order};
  engine::SpecialStringExpander expander(fs, special, state.randomSeedCounter);

  if (runMode_ == batch::RunMode::Preview) {
    EditorRunHooks hooks(main, nullptr);
    batch::BatchRun run(fs, platform::SystemCodePage(), program_.messages(), hooks, stop, expander);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    run.execute(request);
    QApplication::restoreOverrideCursor();
    state.randomSeedCounter = expander.randomSeedCounter();
    program_.preview().showRows(previewCaption_, run.previewRows());
    stop.clear();
    running_ = false;
    return;
  }

  if (!batch::NewNameTexts(record).empty()) {
    batch::NameHistory& history = program_.nameHistory();
    history.setMaximum(options.historyMax);
    batch::RecordNewNames(history, record);
    refreshHistoryLists();
  }
  main.clearList();
  journal_ = std::make_unique<batch::RunJournal>(fs, state.installDir);

  const bool small = state.target.picked.size() <= static_cast<std::size_t>(kSmallRunItems) &&
                     state.topLayerFileCount <= kSmallRunItems && state.target.scope != batch::FolderScope::AllLayers;
  if (small) {
    EditorRunHooks hooks(main, nullptr);
    batch::BatchRun run(fs, platform::SystemCodePage(), program_.messages(), hooks, stop, expander);
    run.setJournal(journal_.get());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    run.execute(request);
    QApplication::restoreOverrideCursor();
    journalFailed_ = run.journalFailed();
    for (std::size_t i = 0; i + 1 < run.log().entries().size(); i += 2)
      pendingLog_.add(run.log().entries()[i], run.log().entries()[i + 1]);
  } else {
    request.withProgress = true;
    if (!state.handOffSession) hide();
    ProgressPort& progress = program_.progress();
    EditorRunHooks hooks(main, &progress);
    batch::BatchRun run(fs, platform::SystemCodePage(), program_.messages(), hooks, stop, expander);
    run.setJournal(journal_.get());
    progress.run([&] { run.execute(request); }, stop);
    journalFailed_ = run.journalFailed();
    for (std::size_t i = 0; i + 1 < run.log().entries().size(); i += 2)
      pendingLog_.add(run.log().entries()[i], run.log().entries()[i + 1]);
  }
  QCoreApplication::processEvents();
  state.randomSeedCounter = expander.randomSeedCounter();
  running_ = false;
  endRun();
  stop.clear();
}

void OperationEditor::endRun() {
  app::AppState& state = program_.state();
  if (pendingLog_.empty()) {
    // Nothing was renamed: the journal holds nothing to recover.
    if (journal_) journal_->discard();
    journal_.reset();
    if (!isVisible()) show();
    // A journal that refused the run has said why nothing was renamed.
    if (!journalFailed_) program_.messages().information(batch::kNothingRenamedMessage);
    return;
  }
  hide();
  QCoreApplication::processEvents();
  if (program_.runOptions().exitAfterRun) {
    if (batch::SaveRollbackLog(program_.fs(), state.installDir, pendingLog_) && journal_) journal_->discard();
    journal_.reset();
    program_.playEndSound();
    program_.mainWindow().closeWindow();
    return;
  }
  logPending_ = true;
  closeEditor();
  program_.playEndSound();
}

// ---- the listing export ----

void OperationEditor::exportPickedList() { exportListing(OperationKind::Savesomes); }

void OperationEditor::exportListing(OperationKind kind) {
  app::AppState& state = program_.state();
  const auto chosen = program_.dialogs().saveListingFile(this, [this](const QString& path) {
    if (!batch::ListingReplaceQuestionApplies(program_.fs(), ToPath(path))) return true;
    return program_.messages().confirm(batch::kReplaceListingTitle, batch::kReplaceListingQuestion,
                                       batch::Buttons::OkCancel) == batch::Answer::Ok;
  });
  if (!chosen) return;
  const batch::RunOptions options = program_.runOptions();
  batch::ListingRequest request;
  request.kind = kind;
  request.target = state.target;
  request.settings = listingSettings();
  request.settings.order = options.order;
  request.chosenPath = ToPath(*chosen);
  const QLocale locale;
  request.stampLine = ToText(QStringLiteral("[") + locale.toString(QDate::currentDate(), QLocale::ShortFormat) +
                             QLatin1Char(' ') + locale.toString(QTime::currentTime(), QLocale::LongFormat) +
                             QLatin1Char(']'));
  const QString point = locale.decimalPoint();
  request.decimalSeparator = point.size() == 1 && point.front().unicode() < 128 ? point.front().toLatin1() : '.';

  batch::StopFlag& stop = program_.stopFlag();
  batch::ListingOutcome outcome;
  const bool withProgress =
      kind == OperationKind::Savealls && request.settings.content == batch::ListingContent::AllLayers;
  if (withProgress) {
    ProgressPort& progress = program_.progress();
    EditorRunHooks hooks(program_.mainWindow(), &progress);
    progress.run(
        [&] {
          progress.setSearching(true);
          outcome = batch::ExportListing(program_.fs(), request, options, program_.messages(), hooks, stop);
          progress.setSearching(false);
        },
        stop);
  } else {
    batch::NoHooks hooks;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    outcome = batch::ExportListing(program_.fs(), request, options, program_.messages(), hooks, stop);
    QApplication::restoreOverrideCursor();
  }
  stop.clear();
  if (outcome.openFile && outcome.write.written)
    QDesktopServices::openUrl(QUrl::fromLocalFile(FromPath(outcome.write.path)));
  if (options.exitAfterRun) {
    program_.mainWindow().closeWindow();
    return;
  }
  logPending_ = true;
  closeEditor();
}

// ---- closing ----

void OperationEditor::SpeedButton20Click() { closeEditor(); }

void OperationEditor::SpeedButton17Click() {
  if (program_.state().handOffSession) {
    program_.mainWindow().closeWindow();
    return;
  }
  closeEditor();
}

void OperationEditor::SpeedButton16Click() {
  showOperationArea(false);
  setWindowTitle(QStringLiteral("Velmora - About"));
}

void OperationEditor::AboutBackClick() {
  if (program_.state().kind() == OperationKind::Browsefile) {
    closeEditor();
    showOperationArea(true);
    return;
  }
  showOperationArea(true);
  setCaptionForOperation();
}

void OperationEditor::reject() {
  if (aboutShown()) {
    AboutBackClick();
    return;
  }
  closeEditor();
}

void OperationEditor::closeEvent(QCloseEvent* event) {
  event->accept();
  closeEditor();
}

void OperationEditor::closeEditor() {
  app::AppState& state = program_.state();
  MainWindowPort& main = program_.mainWindow();
  const bool handOff = state.handOffSession;
  open_ = false;
  focusTimer_.stop();

  if (handOff) main.showWindow();
  hide();
  QCoreApplication::processEvents();

  if (logPending_) {
    if (!program_.runOptions().displayResult) main.clearList();
    const bool listing = state.isKind(OperationKind::Savealls) || state.isKind(OperationKind::Savesomes);
    if (!pendingLog_.empty() && !listing) {
      // The journal goes only once the log that replaces it is on disk.
      if (batch::SaveRollbackLog(program_.fs(), state.installDir, pendingLog_) && journal_) journal_->discard();
    }
  } else if (handOff) {
    if (!state.target.folder.empty()) {
      main.setFolderBox(FromPath(state.target.folder));
    } else {
      main.showHandPicked(state.target.picked, true);
    }
  }
  journal_.reset();
  logPending_ = false;

  QCoreApplication::processEvents();
  state.handOffSession = false;
  state.target.picked.clear();
  pendingLog_.clear();
  state.operationKind = app::kBrowsefile;
  richEdit2_->clear();
  label2_->setText(QStringLiteral("Target folder,"));
  state.topLayerFileCount = 0;
  cursorPos_ = 0;
  program_.preview().closePreview();
  if (!state.target.folder.empty()) main.ListFolder();
  main.startHousekeeping();
}

}  // namespace velmora::ui
