// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/preview_window.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "engine/name_model.h"
#include "platform/file_system.h"
#include "ui/desktop_look.h"
#include "ui/program.h"
#include "ui/qt_text.h"

namespace velmora::ui {

namespace {

/// Grid lines between the cells of the report list.
class GridDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->restore();
  }
  // Room for the lines below the text, so they never cross an underscore.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 4);
  }
};

}  // namespace

PreviewWindow::PreviewWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
  setObjectName(QStringLiteral("TForm6"));
  setWindowTitle(QStringLiteral("Preview"));
  setWindowFlag(Qt::WindowMaximizeButtonHint);

  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("ListView1"));
  list_->setColumnCount(2);
  list_->setHeaderLabels({QStringLiteral("Old filenames"), QStringLiteral("New filenames preview")});
  list_->setRootIsDecorated(false);
  list_->setItemsExpandable(false);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSortingEnabled(false);
  list_->header()->setSectionsClickable(false);
  list_->setUniformRowHeights(true);
  list_->setItemDelegate(new GridDelegate(list_));
  list_->header()->setSectionResizeMode(QHeaderView::Stretch);
  list_->setTextElideMode(Qt::ElideMiddle);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);

  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("PopupMenu1"));
  showAction_ = menu_->addAction(QStringLiteral("Show"));
  showAction_->setObjectName(QStringLiteral("Show1"));
  copyAction_ = menu_->addAction(QStringLiteral("Copy"));
  copyAction_->setObjectName(QStringLiteral("Copy1"));
  connect(showAction_, &QAction::triggered, this, &PreviewWindow::ShowClick);
  connect(copyAction_, &QAction::triggered, this, &PreviewWindow::CopyClick);
  connect(list_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { listMenu()->popup(list_->viewport()->mapToGlobal(pos)); });

  auto* rename = new QPushButton(tr("&Rename"), this);
  rename->setObjectName(QStringLiteral("Button1"));
  rename->setToolTip(QStringLiteral("Finish edit and execute operations"));
  auto* options = new QPushButton(tr("&Options"), this);
  options->setObjectName(QStringLiteral("Button2"));
  options->setToolTip(QStringLiteral("Set options"));
  auto* close = new QPushButton(tr("&Close"), this);
  close->setObjectName(QStringLiteral("Button3"));
  close->setToolTip(QStringLiteral("Close preview"));
  for (QPushButton* b : {rename, options, close}) {
    b->setAutoDefault(false);
    b->setMinimumWidth(90);
  }
  connect(rename, &QPushButton::clicked, this, [this] {
    hide();
    emit renameRequested();
  });
  connect(options, &QPushButton::clicked, this, &PreviewWindow::optionsRequested);
  connect(close, &QPushButton::clicked, this, &PreviewWindow::closePreview);

  // Three columns of equal share: "Close" keeps to the right edge and "Options" to the
  // middle of the strip whatever the window's width.
  auto* buttons = new QGridLayout;
  buttons->addWidget(rename, 0, 0, Qt::AlignLeft);
  buttons->addWidget(options, 0, 1, Qt::AlignHCenter);
  buttons->addWidget(close, 0, 2, Qt::AlignRight);
  for (int column = 0; column < 3; ++column) buttons->setColumnStretch(column, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addLayout(buttons);
  ResizeToFit(this, QSize(640, 490));  // twenty rows and the filler row without scrolling
}

void PreviewWindow::showRows(const QString& caption, const std::vector<batch::PreviewRow>& rows) {
  setWindowTitle(caption);
  const batch::TargetSet& target = program_.state().target;
  rowFolder_ = target.isFolderMode() && target.scope == batch::FolderScope::OneLayer ? target.folder : std::string();
  list_->setUpdatesEnabled(false);
  list_->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  for (const batch::PreviewRow& row : rows) {
    QStringList columns{FromPath(row.oldName)};
    if (!row.filler) columns << FromPath(row.newName);
    auto* item = new QTreeWidgetItem(columns);
    for (int c = 0; c < columns.size(); ++c) item->setToolTip(c, columns[c]);
    items.push_back(item);
  }
  list_->addTopLevelItems(items);
  list_->setUpdatesEnabled(true);
  show();
  raise();
  activateWindow();
}

void PreviewWindow::closePreview() {
  hide();
  list_->clear();
}

void PreviewWindow::clearRows() { list_->clear(); }

int PreviewWindow::rowCount() const { return list_->topLevelItemCount(); }

QTreeWidgetItem* PreviewWindow::firstSelectedRow() const {
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    if (list_->topLevelItem(i)->isSelected()) return list_->topLevelItem(i);
  return nullptr;
}

QString PreviewWindow::fullOldPath(const QString& shown) const {
  if (rowFolder_.empty()) return shown;
  return FromPath(platform::JoinPath(rowFolder_, ToPath(shown)));
}

QMenu* PreviewWindow::listMenu() {
  const bool selected = firstSelectedRow() != nullptr;
  showAction_->setEnabled(selected);
  copyAction_->setEnabled(selected);
  return menu_;
}

void PreviewWindow::ShowClick() {
  if (QTreeWidgetItem* row = firstSelectedRow()) emit sampleRequested(fullOldPath(row->text(0)));
}

void PreviewWindow::CopyClick() {
  if (QTreeWidgetItem* row = firstSelectedRow())
    QGuiApplication::clipboard()->setText(FromPath(engine::FileNamePart(ToPath(row->text(0)))));
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    program_.showMainHelp();
    return;
  }
  QDialog::keyPressEvent(event);
}

void PreviewWindow::reject() { closePreview(); }

void PreviewWindow::closeEvent(QCloseEvent* event) {
  list_->clear();
  QDialog::closeEvent(event);
}

}  // namespace velmora::ui
