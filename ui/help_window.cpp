// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include "app/help_topics.h"
#include "ui/desktop_look.h"
#include "ui/translations.h"
#include "ui_help_window.h"

namespace velmora::ui {

namespace {

/// The topics in reading order, with the names the list shows.
struct Topic {
  const char* file;
  const char* title;
};
constexpr Topic kTopics[] = {
    {"How to use.htm", QT_TRANSLATE_NOOP("velmora::ui::HelpWindow", "How to use")},
    {"Remove.htm", QT_TRANSLATE_NOOP("velmora::ui::HelpWindow", "Remove")},
    {"Replace.htm", QT_TRANSLATE_NOOP("velmora::ui::HelpWindow", "Replace")},
    {"Insert.htm", QT_TRANSLATE_NOOP("velmora::ui::HelpWindow", "Insert")},
    {"Change.htm", QT_TRANSLATE_NOOP("velmora::ui::HelpWindow", "Change")},
    {"Change ext.htm", QT_TRANSLATE_NOOP("velmora::ui::HelpWindow", "Extension")},
    {"Save.htm", QT_TRANSLATE_NOOP("velmora::ui::HelpWindow", "Save")},
    {"Special string.htm", QT_TRANSLATE_NOOP("velmora::ui::HelpWindow", "Special strings")},
    {"Preview.htm", QT_TRANSLATE_NOOP("velmora::ui::HelpWindow", "Preview")},
    {"Options.htm", QT_TRANSLATE_NOOP("velmora::ui::HelpWindow", "Options")},
};

/// The topics' style sheet's colours for a dark page: later rules of equal weight win.
constexpr char kDarkSheet[] =
    "\nh1 { color: #9cc4ec; border-bottom: 1px solid #3d5a78; }\n"
    "h2 { color: #9cc4ec; }\n"
    "code, kbd { background: #2c3440; }\n"
    "th, td { border: 1px solid #4a5a6a; }\n"
    "th { background: #2a3a4c; }\n"
    ".note { background: #2a3320; border-left: 4px solid #7d9440; }\n"
    ".nav { color: #aaaaaa; }\n";

}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) { applyPageColours(); }

void HelpBrowser::applyPageColours() {
  const QPalette& theme = QApplication::palette(this);
  pageDark_ = IsDarkPalette(theme);
  QPalette page = palette();
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    page.setColor(group, QPalette::Base, ForPalette(theme, Qt::white, QColor(32, 34, 38)));
    page.setColor(group, QPalette::Text, ForPalette(theme, QColor(26, 26, 26), QColor(226, 226, 226)));
    page.setColor(group, QPalette::Link, ForPalette(theme, QColor(0, 85, 170), QColor(130, 180, 255)));
    page.setColor(group, QPalette::LinkVisited, ForPalette(theme, QColor(85, 26, 139), QColor(196, 160, 240)));
  }
  setPalette(page);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  QVariant resource = QTextBrowser::loadResource(type, name);
  if (type != QTextDocument::StyleSheetResource || !IsDarkPalette(QApplication::palette(this))) return resource;
  const QString sheet = resource.typeId() == QMetaType::QByteArray ? QString::fromUtf8(resource.toByteArray())
                                                                    : resource.toString();
  return QVariant(sheet + QLatin1String(kDarkSheet));
}

void HelpBrowser::changeEvent(QEvent* event) {
  // A new desktop theme, light after dark or dark after light: the page and the sheet's
  // colours follow it (setting the page's colours leaves the theme as it is).
  if (event->type() == QEvent::PaletteChange && IsDarkPalette(QApplication::palette(this)) != pageDark_) {
    applyPageColours();
    if (!source().isEmpty()) reload();
  }
  QTextBrowser::changeEvent(event);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), ui_(new Ui::HelpWindow) {
  ui_->setupUi(this);
  ResizeToFit(this, QSize(820, 600));

  back_ = ui_->HelpBack;
  forward_ = ui_->HelpForward;
  QToolButton* contents = ui_->HelpContents;
  back_->setIcon(Glyph(this, "go-previous", QStyle::SP_ArrowBack, 16));
  forward_->setIcon(Glyph(this, "go-next", QStyle::SP_ArrowForward, 16));
  contents->setIcon(Glyph(this, "go-home", QStyle::SP_DirHomeIcon, 16));

  topics_ = ui_->HelpTopics;
  for (const Topic& t : kTopics) {
    auto* item = new QListWidgetItem(tr(t.title), topics_);
    item->setData(Qt::UserRole, QString::fromLatin1(t.file));
  }

  browser_ = ui_->HelpBrowser;

  ui_->splitter->setStretchFactor(1, 1);
  ui_->splitter->setSizes({160, 660});

  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
  connect(contents, &QToolButton::clicked, this,
          [this] { showTopic(installDir_, QString::fromLatin1(kTopics[0].file)); });
  connect(topics_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { showTopic(installDir_, item->data(Qt::UserRole).toString()); });
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::sourceChanged);
}

HelpWindow::~HelpWindow() = default;

QString HelpWindow::TopicFile(const std::string& installDir, const QString& topic) {
  return app::HelpTopicFile(installDir, topic, TranslationLanguage());
}

void HelpWindow::showTopic(const std::string& installDir, const QString& topic) {
  installDir_ = installDir;
  const QString file = TopicFile(installDir, topic);
  if (file.isEmpty()) {
    showMissing(topic);
  } else {
    const QUrl url = QUrl::fromLocalFile(file);
    if (browser_->source() == url) {
      browser_->reload();
    } else {
      browser_->setSource(url);
    }
    sourceChanged(browser_->source());
  }

  // A modal window blocks every window that is not its own: the help window becomes one of
  // the modal window's, so that it can be read and scrolled while that window waits.
  create();
  if (QWindow* window = windowHandle()) {
    QWidget* modal = QApplication::activeModalWidget();
    window->setTransientParent(modal && modal != this && modal->windowHandle() ? modal->windowHandle() : nullptr);
  }
  show();
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void HelpWindow::showMissing(const QString& topic) {
  found_ = false;
  currentTopic_ = topic;
  browser_->clearHistory();
  browser_->setHtml(tr("<h2>Help topic not found</h2><p>The help topic <b>%1</b> is not installed. "
                       "It is looked for in the folder <i>help</i> of Velmora's own folder and in "
                       "<i>share/velmora/help</i> beside the program.</p>")
                        .arg(topic.toHtmlEscaped()));
  setWindowTitle(tr("Velmora Help"));
  topics_->clearSelection();
}

void HelpWindow::sourceChanged(const QUrl& source) {
  // The browser tells of a new source before source() returns it: the address is the one
  // passed here.
  if (!source.isLocalFile()) return;
  found_ = true;
  currentTopic_ = QFileInfo(source.toLocalFile()).fileName();
  const QString title = browser_->documentTitle();
  setWindowTitle(title.isEmpty() ? tr("Velmora Help") : tr("Velmora Help - %1").arg(title));
  topics_->clearSelection();
  for (int row = 0; row < topics_->count(); ++row) {
    if (topics_->item(row)->data(Qt::UserRole).toString() == currentTopic_) {
      topics_->setCurrentRow(row);
      break;
    }
  }
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace velmora::ui
