// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's help window: the HTML help topics ("How to use.htm", "Options.htm", ...)
// in a text browser, with the list of topics beside it. One window, created on the first
// request for help and then only shown and hidden; it does not wait for the reader, and it
// stays usable while a modal window (the Options window, the editor) is open.

#include <QString>
#include <QTextBrowser>
#include <QWidget>
#include <memory>
#include <string>

#include "ui/ports.h"

class QListWidget;
class QUrl;
class QToolButton;

namespace velmora::ui {

namespace Ui {
class HelpWindow;
}

/// The help window's page. The topics' style sheet colours headings, tables and notes for a
/// light page; in a dark desktop theme the page turns dark and dark variants of those
/// colours follow the sheet.
class HelpBrowser final : public QTextBrowser {
  Q_OBJECT

 public:
  explicit HelpBrowser(QWidget* parent = nullptr);
  QVariant loadResource(int type, const QUrl& name) override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void applyPageColours();
  bool pageDark_ = false;  ///< the page is in its dark variant
};

class HelpWindow final : public QWidget, public HelpPort {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  ~HelpWindow() override;

  /// Shows a topic, found in the "help" folder of the program's own folder, in the help
  /// installed with the program (share/velmora/help), or in the help of the source tree the
  /// program was built from, in that order; in each the page in the loaded translation's
  /// language (help/de/) before the English one. A topic found nowhere gets a page that says so.
  void showTopic(const std::string& installDir, const QString& topic) override;

  /// The file of a topic in that search order; empty when no folder holds it.
  static QString TopicFile(const std::string& installDir, const QString& topic);

  /// The topic file name shown now ("Options.htm"), also for a topic that was not found.
  QString currentTopic() const { return currentTopic_; }
  /// True when the current topic was found and is shown.
  bool topicFound() const { return found_; }
  QTextBrowser* browser() const { return browser_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void sourceChanged(const QUrl& source);
  void showMissing(const QString& topic);

  std::unique_ptr<Ui::HelpWindow> ui_;
  std::string installDir_;
  QString currentTopic_;
  bool found_ = false;
  QTextBrowser* browser_;
  QListWidget* topics_;
  QToolButton* back_;
  QToolButton* forward_;
};

}  // namespace velmora::ui
