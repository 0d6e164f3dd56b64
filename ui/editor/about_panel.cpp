// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/about_panel.h"

#include <QDate>
#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QLocale>
#include <QUrl>
#include <algorithm>

#include "batch/program_info.h"
#include "ui/desktop_look.h"
#include "ui_about_panel.h"

namespace velmora::ui {

namespace {

/// The product's home page and the maker's e-mail address, as the panel shows them.
constexpr const char* kHomePage = "https://velmora.example.org/";
constexpr const char* kContactMail = "velmora@example.org";

/// The month the program was built, as "December 2026", in the language of `locale`.
QString ReleaseMonth(const QLocale& locale) {
  const QDate built =
      QLocale(QLocale::English).toDate(QString::fromLatin1(__DATE__).simplified(), QStringLiteral("MMM d yyyy"));
  return locale.toString(built, QStringLiteral("MMMM yyyy"));
}

/// Keeps a picture centred across its group and at two thirds of the group's free height,
/// whenever the group is shown or changes size.
class PicturePlacer final : public QObject {
 public:
  PicturePlacer(QWidget* group, QWidget* picture) : QObject(group), group_(group), picture_(picture) {
    group->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == group_ && (event->type() == QEvent::Show || event->type() == QEvent::Resize)) {
      const QSize size = picture_->size();
      picture_->move((group_->width() - size.width()) / 2, (group_->height() - size.height()) * 2 / 3);
    }
    return false;
  }

 private:
  QWidget* group_;
  QWidget* picture_;
};

}  // namespace

AboutPanel::AboutPanel(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::AboutPanel>()) {
  ui_->setupUi(this);
  const QString icon = QStringLiteral("<img src=\":/velmora/velmora.png\" width=\"40\" height=\"40\">");
  const QString picture = QStringLiteral("<table><tr><td valign=\"middle\">%1&nbsp;&nbsp;</td><td>%2</td></tr></table>");
  ui_->Image1->setText(picture.arg(icon, QStringLiteral("<b>Velmora</b><br>") +
                                             tr("Home page: %1").arg(QString::fromLatin1(kHomePage)) +
                                             QStringLiteral("<br>") +
                                             tr("E-mail: %1").arg(QString::fromLatin1(kContactMail))));
  // The month in the language the panel speaks: the user's when a translation is loaded for
  // it, English otherwise.
  const QString released = tr("Released %1");
  const QLocale month = released == QLatin1String("Released %1") ? QLocale(QLocale::English) : QLocale();
  ui_->Image2->setText(picture.arg(icon, QStringLiteral("<b>Velmora %1</b><br>").arg(QStringLiteral(VELMORA_VERSION)) +
                                             released.arg(ReleaseMonth(month)) + QStringLiteral("<br>") +
                                             tr("License: %1").arg(QLatin1String(batch::kLicenceName))));
  // Each picture is placed by hand (not by a layout), both at the width of the wider one.
  int width = 0;
  for (QLabel* l : {ui_->Image1, ui_->Image2}) {
    l->adjustSize();
    l->setFixedSize(l->sizeHint());
    width = std::max(width, l->width());
    l->installEventFilter(this);
  }
  for (QLabel* l : {ui_->Image1, ui_->Image2}) l->setFixedWidth(width);
  sheetsDark_ = IsDarkPalette(QApplication::palette(this));
  new PicturePlacer(ui_->GroupBoxContact, ui_->Image1);
  new PicturePlacer(ui_->GroupBoxVersion, ui_->Image2);
  connect(ui_->BackButton, &QPushButton::clicked, this, &AboutPanel::backRequested);
  connect(ui_->CloseButton, &QPushButton::clicked, this, &AboutPanel::backRequested);
}

AboutPanel::~AboutPanel() = default;

void AboutPanel::changeEvent(QEvent* event) {
  // A style sheet takes the palette's colours when it is set: a new desktop theme, light
  // after dark or dark after light, sets the pictures' sheets again.
  if (event->type() == QEvent::PaletteChange && IsDarkPalette(QApplication::palette(this)) != sheetsDark_) {
    sheetsDark_ = !sheetsDark_;
    for (QLabel* l : {ui_->Image1, ui_->Image2}) {
      const QString sheet = l->styleSheet();
      l->setStyleSheet(QString());
      l->setStyleSheet(sheet);
    }
  }
  QWidget::changeEvent(event);
}

bool AboutPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && (watched == ui_->Image1 || watched == ui_->Image2)) {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePage)));
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace velmora::ui
