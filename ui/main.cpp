// SPDX-License-Identifier: GPL-3.0-or-later
// velmora: the desktop program. The first argument, when given, is an operation keyword
// handed over by another instance or a file-manager action, or a folder or files to open.

#include <QApplication>
#include <QIcon>
#include <iostream>

#include "app/startup.h"
#include "batch/program_info.h"
#include "platform/user_dirs.h"
#include "ui/desktop.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/qt_messages.h"
#include "ui/qt_text.h"
#include "ui/translations.h"

namespace {

velmora::app::CommandLine ReadCommandLine(int argc, char** argv) {
  return velmora::app::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc),
                                        velmora::platform::RealFileSystem(), velmora::platform::CurrentFolder());
}

}  // namespace

int main(int argc, char** argv) {
  using Action = velmora::app::CommandLine::Action;
  // Help and version need no screen: answered before Qt looks for one.
  const velmora::app::CommandLine early = ReadCommandLine(argc, argv);
  if (early.action == Action::Help) {
    std::cout << velmora::app::DesktopUsage();
    return 0;
  }
  if (early.action == Action::Version) {
    std::cout << "velmora " VELMORA_VERSION "\n" << velmora::batch::kLicenceNotice << "\n";
    return 0;
  }

  QApplication application(argc, argv);  // takes its own options (-style, -platform, ...) out of argv
  const velmora::app::CommandLine line = ReadCommandLine(argc, argv);
  if (line.action == Action::UsageError) {
    std::cerr << "velmora: unknown option " << line.error << "\n" << velmora::app::DesktopUsage();
    return 3;
  }
  Q_INIT_RESOURCE(velmora);  // the icon, compiled into the windows' static library
  QApplication::setApplicationName(QStringLiteral("Velmora"));
  velmora::ui::InstallTranslations();  // the windows in the user's language; the options above stay English
  // The installed icon of the desktop's theme when there is one, else the built-in picture.
  QApplication::setWindowIcon(
      QIcon::fromTheme(QStringLiteral("velmora"), QIcon(QStringLiteral(":/velmora/velmora.png"))));
  // The main window's close ends the program, even while the editor of a hand-off is the
  // only window on screen.
  QApplication::setQuitOnLastWindowClosed(false);

  velmora::ui::QtMessages messages;
  velmora::ui::QtDialogs dialogs;
  velmora::app::DetachedLauncher launcher;
  velmora::ui::Desktop desktop({&messages, &dialogs, &launcher, nullptr});
  QObject::connect(&desktop.mainWindow(), &velmora::ui::MainWindow::closed, &application, &QApplication::quit,
                   Qt::QueuedConnection);
  messages.setFallbackParent(&desktop.mainWindow());

  desktop.start(line);
  return QApplication::exec();
}
