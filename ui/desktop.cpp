// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop.h"

#include <QApplication>
#include <QDialog>
#include <QShortcut>

#include "ui/desktop_look.h"
#include "ui/folder_add_dialog.h"
#include "ui/help_window.h"
#include "ui/history_editor.h"
#include "ui/live_names.h"
#include "ui/main_window.h"
#include "ui/editor/operation_editor.h"
#include "ui/options_window.h"
#include "ui/preview_window.h"
#include "ui/progress_window.h"
#include "ui/single_rename_dialog.h"
#include "ui/special_string_dialog.h"

namespace velmora::ui {

Desktop::Desktop(const Services& services) : program_(std::make_unique<Program>(services)) {
  Program& program = *program_;
  main_ = std::make_unique<MainWindow>(program);
  windows_.push_back(main_.get());
  editor_ = std::make_unique<OperationEditor>(program);
  windows_.push_back(editor_.get());
  special_ = std::make_unique<SpecialStringDialog>(program);
  windows_.push_back(special_.get());
  progress_ = std::make_unique<ProgressWindow>(program);
  windows_.push_back(progress_.get());
  // A window of the editor's own: the editor is modal while the main window opened it,
  // and a modal window blocks every window except its own.
  preview_ = std::make_unique<PreviewWindow>(program, editor_.get());
  windows_.push_back(preview_.get());
  options_ = std::make_unique<OptionsWindow>(program);
  windows_.push_back(options_.get());
  history_ = std::make_unique<HistoryEditor>(program);
  windows_.push_back(history_.get());
  rename_ = std::make_unique<SingleRenameDialog>(program);
  windows_.push_back(rename_.get());
  folderAdd_ = std::make_unique<FolderAddDialog>();
  windows_.push_back(folderAdd_.get());

  // Dialogs have a close button only: no minimise or maximise. The editor is the window of
  // a hand-off session, where it is the only one on screen: it keeps them.
  for (QWidget* window : windows_)
    if (qobject_cast<QDialog*>(window) && window != editor_.get())
      window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  program.attach({main_.get(), editor_.get(), special_.get(), progress_.get(), preview_.get(), options_.get(),
                  history_.get(), rename_.get(), folderAdd_.get(), [this]() -> HelpPort& { return helpWindow(); }});
  live_ = std::make_unique<LiveNames>(program, *editor_, *main_->list(), main_->model(),
                                      [editor = editor_.get()] { return editor->buildRecord(); });
  connectWindows();
  // Every window, the message boxes and choosers included, opens wholly on its screen.
  keeper_ = std::make_unique<OnScreenKeeper>();
  qApp->installEventFilter(keeper_.get());
}

Desktop::~Desktop() = default;

void Desktop::connectWindows() {
  Program& program = *program_;
  // The editor tells the main window what happened; the main window keeps its own list.
  MainWindow* main = main_.get();
  OperationEditor* editor = editor_.get();
  QObject::connect(editor, &OperationEditor::opened, main, &MainWindow::stopHousekeeping);
  QObject::connect(editor, &OperationEditor::handOffFolderShown, main, &MainWindow::setFolderBox);
  QObject::connect(editor, &OperationEditor::entryAdded, main, &MainWindow::AddEntry);
  QObject::connect(editor, &OperationEditor::listCleared, main, &MainWindow::clearList);
  QObject::connect(editor, &OperationEditor::leaving, main, [main](bool handOff) {
    if (handOff) main->showWindow();
  });
  QObject::connect(editor, &OperationEditor::closed, main, &MainWindow::editorClosed);
  QObject::connect(editor, &OperationEditor::runReported, main, &MainWindow::showRunSummary);
  LiveNames* live = live_.get();
  QObject::connect(editor, &OperationEditor::opened, live, &LiveNames::start);
  QObject::connect(editor, &OperationEditor::closed, live, &LiveNames::stop);
  QObject::connect(editor, &OperationEditor::runStarting, live, &LiveNames::yieldToRun);
  QObject::connect(editor, &OperationEditor::programEndRequested, main, &MainWindow::closeWindow);
  QObject::connect(preview_.get(), &PreviewWindow::renameRequested, editor_.get(), &OperationEditor::renameFromPreview);
  QObject::connect(preview_.get(), &PreviewWindow::optionsRequested, options_.get(), &OptionsWindow::showModal);
  QObject::connect(preview_.get(), &PreviewWindow::sampleRequested, editor_.get(), &OperationEditor::showSampleOf);
  // F1 in the special string dialog runs the main window's help routine, as its "Help" does.
  QObject::connect(new QShortcut(QKeySequence(Qt::Key_F1), special_.get()), &QShortcut::activated, &program,
                   &Program::showMainHelp);
  // The Options window's "New name list" page.
  QObject::connect(options_.get(), &OptionsWindow::editHistoryRequested, history_.get(), &HistoryEditor::editHistory);
  QObject::connect(options_.get(), &OptionsWindow::clearHistoryRequested, &program, &Program::clearHistory);
}

HelpWindow& Desktop::helpWindow() {
  if (!help_) help_ = std::make_unique<HelpWindow>();
  return *help_;
}

}  // namespace velmora::ui
