// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program under test: the real windows with recorders for the message boxes, the
// platform dialogs and the start of another instance, and a clean settings key and
// program folder for every test.

#include <QPalette>
#include <QRgb>
#include <functional>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "support/recording_messages.h"
#include "ui/dialogs.h"
#include "ui/desktop.h"

namespace velmora::testing {

/// Answers the platform dialogs from queues; records their titles.
class FakeDialogs final : public ui::Dialogs {
 public:
  std::optional<QString> browseFolder(QWidget*, const QString& title) override;
  QStringList openFiles(QWidget*, const QString& title, const QString& startFolder) override;
  std::optional<QString> saveListingFile(QWidget*, const std::function<bool(const QString&)>& mayReplace) override;

  // Answers in order; an empty text cancels the dialog.
  std::deque<QString> folders;
  std::deque<QStringList> files;
  std::deque<QString> saves;
  QStringList titles;
  QStringList fileDialogStarts;
  QStringList workingFolders;  ///< where the folder and save choosers started
};

class RecordingLauncher final : public app::InstanceLauncher {
 public:
  bool startDetached(const std::string& keyword) override {
    keywords.push_back(keyword);
    return true;
  }
  std::vector<std::string> keywords;
};

/// Empties the settings key and the program's own folder of the test's private home.
void ResetProgramState();

/// The program folder the program uses with an empty settings key.
std::string DefaultInstallDir();

struct Harness {
  /// `tags` reads the files' tags (the build's own reader when null).
  explicit Harness(media::MetadataReader* tags = nullptr);
  ~Harness();
  ui::Desktop& program() { return *program_; }

  RecordingMessages messages;
  FakeDialogs dialogs;
  RecordingLauncher launcher;

 private:
  std::unique_ptr<ui::Desktop> program_;
};

/// A dark desktop theme's palette (light text on dark grey), for the Fusion style.
QPalette DarkPalette();

/// Shows every window as the user meets it and calls `look` on it: the editor once for each
/// operation (with `sample`, a file, as its sample) and with its About panel, then the other
/// windows and the help with a topic; of each, every page of its tabs and every choice of its radio
/// buttons (the pages show and hide their parts by them). The program must be started.
void VisitEveryWindow(ui::Desktop& program, const std::string& sample, const std::function<void(QWidget*)>& look);

/// The shown captions of a window that do not fit their widget (labels, buttons, check boxes,
/// radio buttons, lists to choose from), each as "objectName: text (wanted > given)".
QStringList CutCaptions(QWidget* window);

/// The contrast ratio of two colours (1 to 21), from their relative luminance in sRGB.
double Contrast(QRgb a, QRgb b);

/// The shown texts of a window that stand out from the background they are drawn on by less
/// than 4.5:1, or whose background does not follow the lightness of the application's
/// palette (a light patch in a dark theme, a dark one in a light theme); each as
/// "objectName: text colour on background".
QStringList PoorlyReadTexts(QWidget* window);

/// Runs `action` once the window is on screen (a modal dialog waiting for its answer).
void WhenShown(QWidget* window, std::function<void()> action);

/// The folder add dialog answered with choice 1 or 2 (0: Cancel).
void AnswerFolderAdd(ui::Desktop& program, int choice);

/// Opens the editor for a hand-picked list, or for a folder when `folder` is given (its
/// first file is the sample), as the main window's operation buttons do.
void OpenEditor(ui::Desktop& program, engine::OperationKind kind, const std::vector<std::string>& picked,
                const std::string& folder = {});

/// Starts the program, lists a folder in the main window and presses an operation button
/// there, as the user does.
void OpenFolderEditor(ui::Desktop& program, const std::string& folder, engine::OperationKind kind);

/// Relative file names prefix + number + extension, for count numbers from first on.
std::vector<std::string> NumberedFiles(const std::string& prefix, int first, int count, const std::string& extension);

/// Lines of a file as the program writes them (CR LF).
std::vector<std::string> ReadLines(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);

}  // namespace velmora::testing
