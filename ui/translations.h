// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows in the user's language: the program's translation (velmora_LANG.qm, shipped
// in share/velmora/translations) and Qt's own for the standard buttons, loaded at start-up.

#include <QLocale>
#include <QString>
#include <string>

namespace velmora::ui {

/// The translation context of the texts the core hands to the windows (VELMORA_TEXT and
/// VELMORA_NOOP in engine/core_text.h).
inline constexpr const char* kCoreContext = "Core";

/// Installs the translations for `locale` (the system's: LC_ALL, LC_MESSAGES, LANG) into the
/// application: the program's own and, only with it, Qt's (qtbase_LANG.qm) for the standard
/// buttons; makes `locale` the default of dates and numbers, and lets the core's marked texts
/// go through the translations. Returns whether the program's own translation was found
/// (English needs none). A later call takes the place of the translations installed before.
bool InstallTranslations(const QLocale& locale = QLocale::system());

/// The language of the program's installed translation as its ISO 639 code ("de"), the
/// folder name of the translated help; empty for English.
QString TranslationLanguage();

/// A text the core handed over, as the windows show it: its translation in the core's
/// context when there is one, else the text itself.
QString CoreText(const std::string& text);

}  // namespace velmora::ui
