// SPDX-License-Identifier: GPL-3.0-or-later
// Which help topic each window opens, and that every topic is a page that ships.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include "app/help_topics.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

TEST(HelpTopics, MainHelpTakesTheFirstVisibleWindowInItsOrder) {
  struct Row {
    bool special, preview, options;
    const char* topic;
  };
  const Row rows[] = {
      {false, false, false, "How to use.htm"}, {false, false, true, "Options.htm"},
      {false, true, true, "Preview.htm"},      {true, false, true, "Special string.htm"},
      {true, true, true, "Special string.htm"},
  };
  for (const Row& r : rows)
    EXPECT_EQ(app::MainHelpTopic(r.special, r.preview, r.options).toStdString(), r.topic)
        << r.special << r.preview << r.options;
}

TEST(HelpTopics, EditorHelpByOperation) {
  const std::pair<const char*, const char*> rows[] = {
      {"Removpart", "Remove.htm"},  {"Replapart", "Replace.htm"},     {"Addnewnum", "Insert.htm"},
      {"Changnew", "Change.htm"},   {"Changexten", "Change ext.htm"}, {"Savealls", "Save.htm"},
      {"Savesomes", "How to use.htm"}, {"Browsefile", "How to use.htm"}, {"removpart", "How to use.htm"},
  };
  for (const auto& [kind, topic] : rows) EXPECT_EQ(app::EditorHelpTopic(kind).toStdString(), topic) << kind;
}

#ifdef VELMORA_HELP_SOURCE_DIR
TEST(HelpTopics, EveryTopicShipsAsAPage) {
  for (const char* kind : {"Removpart", "Replapart", "Addnewnum", "Changnew", "Changexten", "Savealls", "Browsefile"}) {
    const QString topic = app::EditorHelpTopic(kind);
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral(VELMORA_HELP_SOURCE_DIR "/") + topic)) << topic.toStdString();
  }
  for (int visible = 0; visible < 8; ++visible) {
    const QString topic = app::MainHelpTopic(visible & 1, visible & 2, visible & 4);
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral(VELMORA_HELP_SOURCE_DIR "/") + topic)) << topic.toStdString();
  }
}

// Every English page has its German twin, whose links and style sheet are found from de/.
TEST(HelpTopics, EveryPageHasItsGermanTwin) {
  const QDir english(QStringLiteral(VELMORA_HELP_SOURCE_DIR));
  const QDir german(english.filePath(QStringLiteral("de")));
  const QStringList pages = english.entryList({QStringLiteral("*.htm")}, QDir::Files);
  ASSERT_EQ(pages.size(), 10);
  ASSERT_EQ(german.entryList({QStringLiteral("*.htm")}, QDir::Files).join(u'|').toStdString(), pages.join(u'|').toStdString());
  for (const QString& page : pages) {
    QFile file(german.filePath(page));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
    const QString html = QString::fromUtf8(file.readAll());
    for (const QRegularExpressionMatch& link : QRegularExpression(QStringLiteral("href=\"([^\"#]+)")).globalMatch(html))
      EXPECT_TRUE(QFileInfo::exists(german.filePath(QUrl::fromPercentEncoding(link.captured(1).toUtf8()))))
          << page.toStdString() << ": " << link.captured(1).toStdString();
  }
}
#endif

TEST(HelpTopics, TheProgramFoldersOwnHelpComesFirst) {
  testing::TempTree tree;
  tree.make({"own/help/Save.htm", "own/help/de/Save.htm"});
  const std::string installDir = tree.path("own") + "/";
  EXPECT_EQ(app::HelpTopicFile(installDir, QStringLiteral("Save.htm")).toStdString(), tree.path("own/help/Save.htm"));
  // In a translated program its language's page first; a language without pages gets English.
  EXPECT_EQ(app::HelpTopicFile(installDir, QStringLiteral("Save.htm"), QStringLiteral("de")).toStdString(),
            tree.path("own/help/de/Save.htm"));
  EXPECT_EQ(app::HelpTopicFile(installDir, QStringLiteral("Save.htm"), QStringLiteral("fr")).toStdString(),
            tree.path("own/help/Save.htm"));
  EXPECT_EQ(app::HelpTopicFile(installDir, QStringLiteral("No such topic.htm")), QString());
}

}  // namespace
}  // namespace velmora
