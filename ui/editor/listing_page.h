// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The save page: what a listing of the target holds (its fields are the listing's
// settings, not the operation record's).

#include <memory>

#include "batch/listing_export.h"
#include "ui/editor/operation_page.h"

namespace velmora::ui {

namespace Ui {
class ListingPage;
}

class ListingPage final : public OperationPage {
  Q_OBJECT

 public:
  explicit ListingPage(QWidget* parent = nullptr);
  ~ListingPage() override;

  void fillRecord(engine::OperationRecord& record) const override;
  void applyRecord(const engine::OperationRecord& record) override;
  batch::ListingSettings listingSettings() const;

 protected:
  void radioChosen(QAbstractButton* radio) override;

 private:
  std::unique_ptr<Ui::ListingPage> ui_;
};

}  // namespace velmora::ui
