// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the windows fit a Linux desktop: sizes that stay on small or scaled screens, and
// button glyphs from the desktop's icon theme.

#include <QColor>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>
#include <QSize>
#include <QStyle>

class QAbstractButton;
class QPalette;
class QWidget;

namespace velmora::ui {

/// Gives a window its preferred size, made smaller where the screen (after scaling) has no
/// room for it and its frame, and centres it on the screen.
void ResizeToFit(QWidget* window, QSize preferred);

/// Keeps every window wholly on the screen it opens on: installed on the application, it
/// moves (and if need be shrinks) each window as it is shown, once its layout has given it
/// its size, into the screen's available area with room for the window frame. Dialogs get
/// no minimise and maximise buttons.
class OnScreenKeeper final : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override;
  /// The window moved (and shrunk) into the available area of its screen.
  static void Fit(QWidget* window);
};

/// The glyph of a button: the desktop theme's icon of that freedesktop name, or else the
/// style's own; drawn at exactly `size` pixels (and twice that for dense screens), centred,
/// so that the glyphs of a row line up whatever sizes the sources come in. `gap` pixels of
/// empty room follow the glyph on its right, which keeps a caption beside it from touching
/// it (the button's icon size is then size + gap by size).
QIcon Glyph(const QWidget* widget, const char* themeName, QStyle::StandardPixmap fallback, int size, int gap = 0);

/// Raises each widget's minimum width to its size hint: a floor width that the form gives
/// (a row of equal buttons) then never cuts a longer translation or a larger font.
void KeepCaptionsWhole(const QList<QWidget*>& widgets);

/// True for a dark desktop theme: the palette's window colour is darker than middle grey.
bool IsDarkPalette(const QPalette& palette);

/// A colour the windows fix (a highlight, a form's tint) in the variant that fits the
/// palette: `light` on a light theme, `dark` on a dark one, so that the fixed colour keeps
/// its meaning without a light patch in a dark window or the other way round.
QColor ForPalette(const QPalette& palette, const QColor& light, const QColor& dark);

/// Tab order in reading order: the order in which the window's layouts place the controls
/// (rows top to bottom, each row left to right, grids row by row), into group boxes and
/// panels as they come. Controls outside every layout keep their place.
void TabOrderByLayout(QWidget* window);

/// Alt mnemonics for a group of captions: each caption in turn gets its "&" before its first
/// letter or digit that neither `taken` nor an earlier caption of the group uses. Captions
/// that have one already, or have no free letter, stay as they are, and so do buttons
/// marked with the property kSharedCaption (one caption on several buttons, each beside
/// its own box, reached with Tab). Returns `taken` with the group's letters added.
inline constexpr const char* kSharedCaption = "sharedCaption";
QString AddMnemonics(const QList<QAbstractButton*>& buttons, QString taken);

}  // namespace velmora::ui
