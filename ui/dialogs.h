// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform dialogs the windows open (folder browser, file chooser), behind one seam so
// that tests answer them without showing anything.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace velmora::ui {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  /// The folder being worked on (the listed folder, the hand-picked files' folder, the
  /// editor's target): every chooser starts there when it exists.
  void setWorkingFolder(const QString& folder) { workingFolder_ = folder; }
  const QString& workingFolder() const { return workingFolder_; }
  /// Browses for one folder, starting at the working folder (else the desktop); nothing
  /// when cancelled. A line break of the title shows as a space.
  virtual std::optional<QString> browseFolder(QWidget* parent, const QString& title) = 0;
  /// Chooses several existing files (hidden ones shown), starting in startFolder when it is
  /// not empty, else in the working folder; empty when cancelled. The paths come in the dialog's order.
  virtual QStringList openFiles(QWidget* parent, const QString& title, const QString& startFolder) = 0;
  /// The save dialog of a listing ("Select file to save filenames", text files, default
  /// extension "txt"), starting in the working folder. When it is about to close, mayReplace is asked about the chosen
  /// name; false keeps the dialog open. Nothing when cancelled.
  virtual std::optional<QString> saveListingFile(QWidget* parent,
                                                 const std::function<bool(const QString&)>& mayReplace) = 0;

 private:
  QString workingFolder_;
};

/// The Qt dialogs.
class QtDialogs final : public Dialogs {
 public:
  std::optional<QString> browseFolder(QWidget* parent, const QString& title) override;
  QStringList openFiles(QWidget* parent, const QString& title, const QString& startFolder) override;
  std::optional<QString> saveListingFile(QWidget* parent,
                                         const std::function<bool(const QString&)>& mayReplace) override;
};

}  // namespace velmora::ui
