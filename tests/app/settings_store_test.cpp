// SPDX-License-Identifier: GPL-3.0-or-later
// The settings key: the reading order with its fall-back, wrong types counted as missing,
// the values written back, and the program folder that the file-manager launcher finds in
// the same settings file.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QSettings>
#include <cstdlib>
#include <memory>

#include "app/settings_store.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using app::StoredOptions;

/// Every option the opposite of its default, so a value kept from before is visible.
StoredOptions NonDefaults() {
  StoredOptions v;
  v.options.exitAfterRun = true;
  v.options.dontOpenListing = true;
  v.options.displayResult = false;
  v.options.autocopy = false;
  v.options.excludeSmallWords = false;
  v.options.confirm = true;
  v.contextMenu = false;
  v.options.previewCount = 333;
  v.options.historyMax = 44;
  v.options.keptRuns = 7;
  v.options.order = {batch::OrderKey::Natural, true};
  v.options.showNewNames = false;
  return v;
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.make({"config/Tessaro/"});
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(tree.path("config")));
  }

  /// The settings file as a user (or the program, earlier) left it.
  std::unique_ptr<QSettings> settingsWith(const std::string& generalGroup) {
    tree.writeFile("config/Tessaro/Dir.conf", "[General]\n" + generalGroup);
    return app::OpenSettings();
  }

  testing::TempTree tree;
};

TEST_F(SettingsStoreTest, OpenSettingsIsTheTessaroDirKey) {
  auto settings = app::OpenSettings();
  settings->setValue(QStringLiteral("Options1"), 1);
  settings->sync();
  EXPECT_EQ(tree.readFile("config/Tessaro/Dir.conf"), "[General]\nOptions1=1\n");
}

TEST_F(SettingsStoreTest, ReadingOrderStopsAtTheFirstMissingOrUnreadableValue) {
  const std::string all =
      "Options1=1\nOptions2=7\nOptions3=1\nAutocopy=1\nCapevery=1\nConfirm=0\nContextmenu=1\nPrenum=55\nListnum=9\n";
  struct Row {
    const char* name;
    std::string file;
    int loadedBooleans;  // how many of the seven booleans, in order, come from the file
    int previewCount;
    int historyMax;
  };
  const auto without = [&](const std::string& line) {
    std::string text = all;
    text.erase(text.find(line), line.size());
    return text;
  };
  const auto with = [&](const std::string& line, const std::string& replacement) {
    std::string text = all;
    text.replace(text.find(line), line.size(), replacement);
    return text;
  };
  const Row rows[] = {
      {"everything there; any number but 0 is on", all, 7, 55, 9},
      {"Options3 missing: Options1 and 2 loaded, the rest kept, preview 20, Listnum still read",
       without("Options3=1\n"), 2, 20, 9},
      {"a text where a number belongs counts as missing", with("Autocopy=1\n", "Autocopy=yes\n"), 3, 20, 9},
      {"a list counts as missing", with("Options1=1\n", "Options1=1, 2\n"), 0, 20, 9},
      {"Contextmenu missing", without("Contextmenu=1\n"), 6, 20, 9},
      {"Prenum missing: every boolean loaded, preview 20", without("Prenum=55\n"), 7, 20, 9},
      {"Prenum unreadable", with("Prenum=55\n", "Prenum=fifty\n"), 7, 20, 9},
      {"Listnum missing", without("Listnum=9\n"), 7, 55, 20},
      {"Listnum unreadable", with("Listnum=9\n", "Listnum=9x\n"), 7, 55, 20},
      {"nothing stored (first start)", "", 0, 20, 20},
      {"numbers out of range are brought into it", with("Prenum=55\nListnum=9\n", "Prenum=0\nListnum=500\n"), 7, 1,
       100},
      {"negative numbers", with("Prenum=55\nListnum=9\n", "Prenum=5000\nListnum=-3\n"), 7, 1000, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    StoredOptions values = NonDefaults();
    app::LoadStoredOptions(*settingsWith(row.file), values);
    const bool fromFile[] = {true, true, true, true, true, false, true};  // Options1 ... Contextmenu
    const bool kept[] = {true, true, false, false, false, true, false};   // NonDefaults()
    const bool actual[] = {values.options.exitAfterRun, values.options.dontOpenListing, values.options.displayResult,
                           values.options.autocopy,     values.options.excludeSmallWords, values.options.confirm,
                           values.contextMenu};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(actual[i], i < row.loadedBooleans ? fromFile[i] : kept[i]) << "value " << i;
    EXPECT_EQ(values.options.previewCount, row.previewCount);
    EXPECT_EQ(values.options.historyMax, row.historyMax);
    EXPECT_TRUE(values.options.showNewNames);  // on unless stored as 0
  }
}

TEST_F(SettingsStoreTest, WrittenValuesReadBack) {
  StoredOptions written = NonDefaults();
  written.options.previewCount = 1000;
  written.options.historyMax = 0;
  written.options.includeHidden = true;
  written.options.keptRuns = 0;
  written.options.showNewNames = false;
  {
    auto settings = app::OpenSettings();
    app::SaveStoredOptions(*settings, written);
    app::WriteLastDir(*settings, QStringLiteral("/home/u/Pictures, 2007/"));
  }
  const std::string file = tree.readFile("config/Tessaro/Dir.conf");
  for (const char* line : {"Options1=1\n", "Options3=0\n", "Contextmenu=0\n", "Prenum=1000\n", "Listnum=0\n",
                           "Order=natural:desc\n", "Hidden=1\n", "Undokeep=0\n", "LiveNames=0\n"})
    EXPECT_NE(file.find(line), std::string::npos) << line << " in\n" << file;

  StoredOptions read;  // the window's defaults
  auto settings = app::OpenSettings();
  app::LoadStoredOptions(*settings, read);
  EXPECT_EQ(read.options.exitAfterRun, written.options.exitAfterRun);
  EXPECT_EQ(read.options.displayResult, written.options.displayResult);
  EXPECT_EQ(read.options.confirm, written.options.confirm);
  EXPECT_EQ(read.contextMenu, written.contextMenu);
  EXPECT_EQ(read.options.previewCount, 1000);
  EXPECT_EQ(read.options.historyMax, 0);
  EXPECT_EQ(read.options.order, written.options.order);
  EXPECT_TRUE(read.options.includeHidden);
  EXPECT_EQ(read.options.keptRuns, 0);
  EXPECT_FALSE(read.options.showNewNames);
  EXPECT_EQ(app::ReadLastDir(*settings), QStringLiteral("/home/u/Pictures, 2007/"));

  app::WriteHistoryMaximum(*settings, 5);
  StoredOptions again;
  app::LoadStoredOptions(*app::OpenSettings(), again);
  EXPECT_EQ(again.options.historyMax, 5);
  // An order the program does not know is the name order.
  StoredOptions unknown = NonDefaults();
  app::LoadStoredOptions(*settingsWith("Order=shuffle\n"), unknown);
  EXPECT_EQ(unknown.options.order, batch::ItemOrder{});
  // Runs kept for undo: clipped to 0..100, the default when missing.
  for (const auto& [line, kept] : {std::pair{"Undokeep=500\n", 100}, {"Undokeep=-3\n", 0}, {"Other=1\n", 10}}) {
    StoredOptions r = NonDefaults();
    app::LoadStoredOptions(*settingsWith(line), r);
    EXPECT_EQ(r.options.keptRuns, kept) << line;
  }
}

TEST_F(SettingsStoreTest, StringValuesOnlyAsText) {
  EXPECT_EQ(app::ReadInstallDir(*settingsWith("InstallDir=/opt/velmora/\n")), QStringLiteral("/opt/velmora/"));
  EXPECT_EQ(app::ReadStringValue(*settingsWith(""), QStringLiteral("InstallDir")), std::nullopt);
  EXPECT_EQ(app::ReadStringValue(*settingsWith("InstallDir=\n"), QStringLiteral("InstallDir")), std::nullopt);
  EXPECT_EQ(app::ReadStringValue(*settingsWith("InstallDir=/a, /b\n"), QStringLiteral("InstallDir")), std::nullopt);
  EXPECT_EQ(app::ReadLastDir(*settingsWith("LastDir=@ByteArray(/x/)\n")), std::nullopt);
}

#ifdef VELMORA_LAUNCHER_PATH
// The launcher is a shell script: it must find the program folder in the settings file
// exactly where the program finds it, whatever the settings file had to quote or escape.
TEST_F(SettingsStoreTest, LauncherFindsTheInstallDirTheProgramReads) {
  tree.make({"bin/", "work/a.txt"});
  tree.writeFile("bin/velmora", "#!/bin/sh\nexit 0\n");
  ::chmod(tree.path("bin/velmora").c_str(), 0755);
  const std::string names[] = {
      "plain/",
      "Velmora, \"own\" folder/",
      "semi;colon=equals/",
      "back\\slash/",
      "trailing blank ",
      "tab\there",
      "line\nbreak\n",
      "unit\x1f" "2 separator",
      "caf\xc3\xa9 \xe2\x82\xac",
  };
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string folder = tree.path("own/" + name);
    {
      auto settings = app::OpenSettings();
      settings->clear();
      settings->setValue(QStringLiteral("InstallDir"), QString::fromStdString(folder));
    }
    const auto read = app::ReadStringValue(*app::OpenSettings(), QStringLiteral("InstallDir"));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->toStdString(), folder);
    const std::string command = "cd '" + tree.path("work") + "' && env HOME='" + tree.path("home") +
                                "' XDG_CONFIG_HOME='" + tree.path("config") + "' PATH='" + tree.path("bin") +
                                ":/usr/bin:/bin' sh '" VELMORA_LAUNCHER_PATH "' remove a.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(tree.readFile("own/" + name + (name.back() == '/' ? "" : "/") + "fn000.tmp"),
              tree.path("work/a.txt") + "\r\n");
  }
}
#endif

}  // namespace
}  // namespace velmora
