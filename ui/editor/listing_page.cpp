// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/listing_page.h"

#include "ui/qt_text.h"
#include "ui_listing_page.h"

namespace velmora::ui {

ListingPage::ListingPage(QWidget* parent) : OperationPage(parent), ui_(std::make_unique<Ui::ListingPage>()) {
  ui_->setupUi(this);
  Ui::ListingPage& u = *ui_;
  // Each file type's hint lists the extensions it stands for.
  const std::pair<QCheckBox*, const char*> types[] = {{u.CheckBox8, batch::kMusicTypes},
                                                      {u.CheckBox9, batch::kDocumentTypes},
                                                      {u.CheckBox10, batch::kFilmTypes},
                                                      {u.CheckBox11, batch::kPictureTypes},
                                                      {u.CheckBox13, batch::kProgramTypes}};
  for (const auto& [box, extensions] : types) box->setToolTip(QString::fromLatin1(extensions));
  connect(u.CheckBox12, &QCheckBox::toggled, this, [this](bool on) { ui_->Edit3->setVisible(on); });
  settle();
  u.Edit3->setVisible(u.CheckBox12->isChecked());
}

ListingPage::~ListingPage() = default;

void ListingPage::radioChosen(QAbstractButton* r) {
  Ui::ListingPage& u = *ui_;
  if (r == u.RadioButton8) {
    setShown({u.GroupBoxFileTypes, u.CheckBox14, u.CheckBox15}, true);
    setShown({u.CheckBox17}, false);
  } else if (r == u.RadioButton4) {
    setShown({u.GroupBoxFileTypes, u.CheckBox14, u.CheckBox15, u.CheckBox17}, false);
  } else if (r == u.RadioButton5) {
    setShown({u.GroupBoxFileTypes, u.CheckBox14, u.CheckBox15, u.CheckBox17}, true);
  } else if (r == u.RadioButton1) {
    setShown({u.CheckBox8, u.CheckBox9, u.CheckBox10, u.CheckBox11, u.CheckBox13, u.CheckBox12, u.Edit3}, false);
  } else if (r == u.RadioButton2) {
    setShown({u.CheckBox8, u.CheckBox9, u.CheckBox10, u.CheckBox11, u.CheckBox13, u.CheckBox12}, true);
    setShown({u.Edit3}, u.CheckBox12->isChecked());
  }
}

// The listing's choices are not part of the operation record.
void ListingPage::fillRecord(engine::OperationRecord&) const {}
void ListingPage::applyRecord(const engine::OperationRecord&) {}

batch::ListingSettings ListingPage::listingSettings() const {
  const Ui::ListingPage& u = *ui_;
  batch::ListingSettings s;
  s.content = u.RadioButton4->isChecked()   ? batch::ListingContent::OnlySubfolders
              : u.RadioButton5->isChecked() ? batch::ListingContent::AllLayers
                                            : batch::ListingContent::SubfoldersAndFiles;
  s.includeWebpageFolders = u.CheckBox17->isChecked();
  s.specialTypes = u.RadioButton2->isChecked();
  s.music = u.CheckBox8->isChecked();
  s.document = u.CheckBox9->isChecked();
  s.film = u.CheckBox10->isChecked();
  s.picture = u.CheckBox11->isChecked();
  s.program = u.CheckBox13->isChecked();
  s.other = u.CheckBox12->isChecked();
  s.otherText = ToText(u.Edit3->text());
  s.fileSize = u.CheckBox15->isChecked();
  s.fileTime = u.CheckBox14->isChecked();
  return s;
}

}  // namespace velmora::ui
