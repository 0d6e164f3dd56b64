// velmora: the desktop program. The first argument, when given, is an operation keyword
// handed over by another instance or a file-manager action.

#include <QApplication>
#include <QIcon>

#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/program.h"
#include "ui/qt_messages.h"
#include "ui/qt_text.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  Q_INIT_RESOURCE(velmora);  // the icon, compiled into the windows' static library
  QApplication::setApplicationName(QStringLiteral("Velmora"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmora/velmora.png")));
  // The main window's close ends the program, even while the editor of a hand-off is the
  // only window on screen.
  QApplication::setQuitOnLastWindowClosed(false);

  velmora::ui::QtMessages messages;
  velmora::ui::QtDialogs dialogs;
  velmora::app::DetachedLauncher launcher;
  velmora::ui::Program program({&messages, &dialogs, &launcher, nullptr});
  QObject::connect(&program.mainWindow(), &velmora::ui::MainWindow::closed, &application, &QApplication::quit,
                   Qt::QueuedConnection);
  messages.setFallbackParent(&program.mainWindow());

  const QStringList arguments = QApplication::arguments();
  program.start(arguments.size() > 1 ? velmora::ui::ToText(arguments.at(1)) : std::string());
  return QApplication::exec();
}
