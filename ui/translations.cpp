// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <mutex>
#include <unordered_map>

#include "app/help_topics.h"
#include "engine/core_text.h"

namespace velmora::ui {

namespace {

/// The core's translator: a marked text's translation, kept for the rest of the program as
/// the core may hold on to the pointer.
const char* TranslateCoreText(const char* context, const char* text) {
  const QString translated = QCoreApplication::translate(context, text);
  if (translated == QString::fromUtf8(text)) return text;
  static std::mutex lock;
  static std::unordered_map<std::string, std::string> kept;
  const std::lock_guard<std::mutex> guard(lock);
  return kept.try_emplace(std::string(context) + '\x04' + text, translated.toStdString()).first->second.c_str();
}

QPointer<QTranslator> installedOwn;
QPointer<QTranslator> installedQt;

void Uninstall(QPointer<QTranslator>& translator) {
  if (!translator) return;
  QCoreApplication::removeTranslator(translator);
  delete translator;
}

}  // namespace

bool InstallTranslations(const QLocale& locale) {
  Uninstall(installedOwn);
  Uninstall(installedQt);
  QLocale::setDefault(locale);  // dates and numbers in the windows' language too
  auto* own = new QTranslator(QCoreApplication::instance());
  const QString folder = app::ShippedDataFolder() + QStringLiteral("/translations");
  if (!own->load(locale, QStringLiteral("velmora"), QStringLiteral("_"), folder)) {
    delete own;
    return false;
  }
  QCoreApplication::installTranslator(own);
  installedOwn = own;
  auto* qt = new QTranslator(QCoreApplication::instance());
  if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt);
    installedQt = qt;
  } else {
    delete qt;
  }
  engine::SetTextTranslator(&TranslateCoreText);
  return true;
}

QString TranslationLanguage() {
  return installedOwn ? QLocale::languageToCode(QLocale(installedOwn->language()).language()) : QString();
}

QString CoreText(const std::string& text) { return QCoreApplication::translate(kCoreContext, text.c_str()); }

}  // namespace velmora::ui
