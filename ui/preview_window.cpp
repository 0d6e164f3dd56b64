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
#include "ui_preview_window.h"

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

PreviewWindow::PreviewWindow(Program& program, QWidget* parent)
    : QDialog(parent), program_(program), ui_(new Ui::PreviewWindow) {
  ui_->setupUi(this);
  setWindowFlag(Qt::WindowMaximizeButtonHint);

  list_ = ui_->ListView1;
  list_->header()->setSectionsClickable(false);
  list_->header()->setSectionResizeMode(QHeaderView::Stretch);
  list_->setItemDelegate(new GridDelegate(list_));

  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("PopupMenu1"));
  showAction_ = ui_->Show1;
  copyAction_ = ui_->Copy1;
  menu_->addActions({showAction_, copyAction_});
  connect(showAction_, &QAction::triggered, this, &PreviewWindow::ShowClick);
  connect(copyAction_, &QAction::triggered, this, &PreviewWindow::CopyClick);
  connect(list_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { listMenu()->popup(list_->viewport()->mapToGlobal(pos)); });

  connect(ui_->Button1, &QPushButton::clicked, this, [this] {
    hide();
    emit renameRequested();
  });
  connect(ui_->Button2, &QPushButton::clicked, this, &PreviewWindow::optionsRequested);
  connect(ui_->Button3, &QPushButton::clicked, this, &PreviewWindow::closePreview);
  // The button strip's three columns of equal share (the form's) keep "Close" to the right
  // edge and "Options" to the middle whatever the window's width.
  ResizeToFit(this, QSize(640, 490));  // twenty rows and the filler row without scrolling
}

PreviewWindow::~PreviewWindow() = default;

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
