#include "ui/preview_window.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/program.h"
#include "ui/qt_text.h"

namespace velmora::ui {

PreviewWindow::PreviewWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
  setObjectName(QStringLiteral("TForm6"));
  setWindowTitle(QStringLiteral("Preview"));

  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("ListView1"));
  list_->setColumnCount(2);
  list_->setHeaderLabels({QStringLiteral("Old filenames"), QStringLiteral("New filenames preview")});
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSortingEnabled(false);
  list_->setUniformRowHeights(true);
  list_->header()->setSectionResizeMode(QHeaderView::Stretch);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(list_, &QWidget::customContextMenuRequested, this, &PreviewWindow::showListMenu);

  auto* rename = new QPushButton(QStringLiteral("Rename"), this);
  rename->setObjectName(QStringLiteral("Button1"));
  rename->setToolTip(QStringLiteral("Finish edit and execute operations"));
  auto* options = new QPushButton(QStringLiteral("Options"), this);
  options->setObjectName(QStringLiteral("Button2"));
  options->setToolTip(QStringLiteral("Set options"));
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("Button3"));
  close->setToolTip(QStringLiteral("Close preview"));
  for (QPushButton* b : {rename, options, close}) b->setAutoDefault(false);
  connect(rename, &QPushButton::clicked, this, [this] {
    hide();
    emit renameRequested();
  });
  connect(options, &QPushButton::clicked, this, &PreviewWindow::optionsRequested);
  connect(close, &QPushButton::clicked, this, &PreviewWindow::closePreview);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(rename);
  buttons->addStretch();
  buttons->addWidget(options);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addLayout(buttons);
  resize(620, 420);
}

void PreviewWindow::showRows(const QString& caption, const std::vector<batch::PreviewRow>& rows) {
  setWindowTitle(caption);
  list_->setUpdatesEnabled(false);
  list_->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  for (const batch::PreviewRow& row : rows) {
    QStringList columns{FromPath(row.oldName)};
    if (!row.filler) columns << FromPath(row.newName);
    items.push_back(new QTreeWidgetItem(columns));
  }
  list_->addTopLevelItems(items);
  list_->setUpdatesEnabled(true);
  show();
  raise();
}

void PreviewWindow::closePreview() {
  hide();
  list_->clear();
}

int PreviewWindow::rowCount() const { return list_->topLevelItemCount(); }

void PreviewWindow::showListMenu(const QPoint& pos) {
  QMenu menu(this);
  const QList<QTreeWidgetItem*> selected = list_->selectedItems();
  QAction* show = menu.addAction(QStringLiteral("Show"));
  QAction* copy = menu.addAction(QStringLiteral("Copy"));
  show->setEnabled(!selected.isEmpty());
  copy->setEnabled(!selected.isEmpty());
  QAction* chosen = menu.exec(list_->viewport()->mapToGlobal(pos));
  if (!chosen || selected.isEmpty()) return;
  const QString oldPath = selected.front()->text(0);
  if (chosen == show) {
    emit sampleRequested(oldPath);
  } else if (chosen == copy) {
    QGuiApplication::clipboard()->setText(oldPath.mid(oldPath.lastIndexOf(QLatin1Char('/')) + 1));
  }
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    program_.showMainHelp();
    return;
  }
  QDialog::keyPressEvent(event);
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
  list_->clear();
  QDialog::closeEvent(event);
}

}  // namespace velmora::ui
