// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About panel: contact and version pictures (a click visits the home page) and the
// "Back" and "Close" buttons. It takes the place of the operation area in the editor.

#include <QWidget>
#include <memory>

namespace velmora::ui {

namespace Ui {
class AboutPanel;
}

class AboutPanel final : public QWidget {
  Q_OBJECT

 public:
  explicit AboutPanel(QWidget* parent = nullptr);
  ~AboutPanel() override;

 signals:
  /// "Back" or "Close".
  void backRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  std::unique_ptr<Ui::AboutPanel> ui_;
  bool sheetsDark_ = false;  ///< the pictures' style sheets took a dark theme's colours
};

}  // namespace velmora::ui
