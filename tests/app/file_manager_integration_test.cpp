// SPDX-License-Identifier: GPL-3.0-or-later
// The file-manager entries in a temporary HOME: what install writes, that the entries
// reach the launcher with the selected items, and that removal takes exactly what install
// wrote, leaving the user's own files and actions alone.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <regex>

#include "app/file_manager_integration.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using app::FileManagerLocations;

const char* const kUserThunarFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<actions>\n"
    "<!-- my own actions -->\n"
    "<action>\n"
    "\t<icon>utilities-terminal</icon>\n"
    "\t<name>Open Terminal &amp; Here</name>\n"
    "\t<submenu></submenu>\n"
    "\t<unique-id>1700000000000000-1</unique-id>\n"
    "\t<command>exo-open --working-directory %f --launch TerminalEmulator</command>\n"
    "\t<description>Example for a custom action</description>\n"
    "\t<range></range>\n"
    "\t<patterns>*</patterns>\n"
    "\t<startup-notify/>\n"
    "\t<directories/>\n"
    "</action>\n"
    "</actions>\n";

class FileManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.make({"home/", "bin/", "sys/Thunar/", "work/"});
    ::setenv("HOME", tree.path("home").c_str(), 1);
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("XDG_CONFIG_DIRS", tree.path("sys").c_str(), 1);
    // A launcher whose path needs quoting everywhere, which records what it was given.
    launcher = tree.path("bin") + "/it's \"the\" $launcher 100%";
    tree.writeFile("bin/it's \"the\" $launcher 100%",
                   "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + tree.path("args") + "\"\n");
    ::chmod(launcher.c_str(), 0755);
    where = FileManagerLocations::FromEnvironment();
  }

  std::string home(const std::string& relative) const { return tree.path("home/" + relative); }
  QString launcherQ() const { return QString::fromStdString(launcher); }
  std::string read(const std::string& path) const { return tree.readFile(path.substr(tree.root().size() + 1)); }
  static bool Executable(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IXUSR);
  }

  testing::TempTree tree;
  std::string launcher;
  FileManagerLocations where;
};

TEST_F(FileManagerTest, LocationsFollowHomeAndTheXdgVariables) {
  EXPECT_EQ(where.dolphinServiceMenu.toStdString(), home(".local/share/kio/servicemenus/velmora.desktop"));
  EXPECT_EQ(where.nautilusScripts.toStdString(), home(".local/share/nautilus/scripts/Rename with Velmora"));
  EXPECT_EQ(where.thunarActions.toStdString(), home(".config/Thunar/uca.xml"));
  ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
  const auto moved = FileManagerLocations::FromEnvironment();
  EXPECT_EQ(moved.dolphinServiceMenu.toStdString(), tree.path("data/kio/servicemenus/velmora.desktop"));
  EXPECT_EQ(moved.thunarActions.toStdString(), home(".config/Thunar/uca.xml"));
  EXPECT_EQ(moved.thunarDefaults, QStringList{QString::fromStdString(tree.path("sys/Thunar/uca.xml"))});
}

TEST_F(FileManagerTest, InstallWritesTheThreeFileManagersEntries) {
  const auto result = app::InstallFileManagerActions(launcherQ(), where);
  ASSERT_TRUE(result.ok) << result.problems.join('\n').toStdString();
  EXPECT_TRUE(app::FileManagerActionsInstalled(where));

  const std::string desktop = read(home(".local/share/kio/servicemenus/velmora.desktop"));
  EXPECT_TRUE(Executable(home(".local/share/kio/servicemenus/velmora.desktop")));
  EXPECT_NE(desktop.find("[Desktop Entry]\nType=Service\n"), std::string::npos);
  EXPECT_NE(desktop.find("MimeType=all/all;\n"), std::string::npos);
  EXPECT_NE(desktop.find("X-KDE-Submenu=Rename with Velmora\n"), std::string::npos);
  EXPECT_NE(desktop.find("Actions=velmora-remove;velmora-replace;velmora-insert;velmora-change;velmora-extension;\n"),
            std::string::npos);
  const std::string listing = read(home(".local/share/kio/servicemenus/velmora-listing.desktop"));
  EXPECT_EQ(listing.find("X-KDE-Submenu"), std::string::npos) << "the listing stands beside the submenu";
  EXPECT_NE(listing.find("[Desktop Action velmora-save]\nName=Save a listing with Velmora\nIcon=org.tessaro.Velmora\n"
                         "Exec=\"" + tree.path("bin") +
                         "/it's \\\\\"the\\\\\" \\\\$launcher 100%%\" save %F\n"),
            std::string::npos)
      << listing;
  // Action ids hold only letters, digits and "-", as desktop entries require.
  const std::regex actionGroup("\\[Desktop Action ([^\\]]*)\\]");
  for (const std::string& menu : {desktop, listing}) {
    for (auto it = std::sregex_iterator(menu.begin(), menu.end(), actionGroup); it != std::sregex_iterator(); ++it)
      EXPECT_TRUE(std::regex_match((*it)[1].str(), std::regex("[A-Za-z0-9-]+"))) << (*it)[1];
  }

  for (const char* name : {"Remove", "Replace", "Insert", "Change", "Extension"})
    EXPECT_TRUE(Executable(home(std::string(".local/share/nautilus/scripts/Rename with Velmora/") + name))) << name;
  EXPECT_TRUE(Executable(home(".local/share/nautilus/scripts/Save a listing with Velmora")));

  const std::string uca = read(home(".config/Thunar/uca.xml"));
  EXPECT_NE(uca.find("<unique-id>velmora-extension</unique-id>"), std::string::npos) << uca;
  EXPECT_NE(uca.find("<submenu>Rename with Velmora</submenu>"), std::string::npos);
  EXPECT_NE(uca.find("<icon>org.tessaro.Velmora</icon>\n\t<name>Save a listing with Velmora</name>"), std::string::npos);
}

TEST_F(FileManagerTest, EntriesHandTheSelectedItemsToTheLauncher) {
  ASSERT_TRUE(app::InstallFileManagerActions(launcherQ(), where).ok);
  // Nautilus runs a script in the shown folder with the selected names.
  const std::string script = home(".local/share/nautilus/scripts/Rename with Velmora/Replace");
  const std::string command = "cd '" + tree.path("work") + "' && '" + script + "' 'a b.txt' \"it's.jpg\"";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(tree.readFile("args"), "replace\na b.txt\nit's.jpg\n");

  // Thunar puts the quoted paths in place of %F and runs the command as a shell would.
  const std::string uca = read(home(".config/Thunar/uca.xml"));
  const auto start = uca.find("<command>", uca.find("velmora-insert")) + 9;
  std::string thunarCommand = uca.substr(start, uca.find("</command>", start) - start);
  for (const auto& [entity, text] : {std::pair<std::string, std::string>{"&quot;", "\""}, {"&apos;", "'"},
                                     {"&amp;", "&"}}) {
    for (auto at = thunarCommand.find(entity); at != std::string::npos; at = thunarCommand.find(entity))
      thunarCommand.replace(at, entity.size(), text);
  }
  std::string expanded;
  for (std::size_t i = 0; i < thunarCommand.size(); ++i) {
    if (thunarCommand[i] == '%' && i + 1 < thunarCommand.size()) {
      const char code = thunarCommand[++i];
      expanded += code == 'F' ? "'/x/one file' '/x/two'" : std::string(1, code);
    } else {
      expanded += thunarCommand[i];
    }
  }
  thunarCommand = expanded;
  ASSERT_EQ(std::system(thunarCommand.c_str()), 0) << thunarCommand;
  EXPECT_EQ(tree.readFile("args"), "insert\n/x/one file\n/x/two\n");
}

TEST_F(FileManagerTest, TheUsersThunarActionsSurviveInstallAndRemove) {
  tree.make({"home/.config/Thunar/"});
  tree.writeFile("home/.config/Thunar/uca.xml", kUserThunarFile);
  ASSERT_TRUE(app::InstallFileManagerActions(launcherQ(), where).ok);
  ASSERT_TRUE(app::InstallFileManagerActions(launcherQ(), where).ok) << "a second install replaces the first";
  const std::string installed = read(home(".config/Thunar/uca.xml"));
  EXPECT_EQ(installed.rfind("<action>\n\t<icon>utilities-terminal</icon>"),
            std::string(kUserThunarFile).find("<action>"))
      << "the user's action keeps its place";
  std::size_t ours = 0;
  for (auto at = installed.find("<unique-id>velmora-"); at != std::string::npos;
       at = installed.find("<unique-id>velmora-", at + 1))
    ++ours;
  EXPECT_EQ(ours, 6u);

  ASSERT_TRUE(app::RemoveFileManagerActions(where).ok);
  // The file is written anew by an XML writer: an empty element may be spelled <x/>.
  const std::regex emptyElement("<([a-z-]+)></\\1>");
  EXPECT_EQ(std::regex_replace(read(home(".config/Thunar/uca.xml")), emptyElement, "<$1/>"),
            std::regex_replace(std::string(kUserThunarFile), emptyElement, "<$1/>"));
  EXPECT_FALSE(app::FileManagerActionsInstalled(where));
}

TEST_F(FileManagerTest, WithoutAUserFileTheSystemsActionsAreKept) {
  tree.writeFile("sys/Thunar/uca.xml", kUserThunarFile);
  ASSERT_TRUE(app::InstallFileManagerActions(launcherQ(), where).ok);
  const std::string installed = read(home(".config/Thunar/uca.xml"));
  EXPECT_NE(installed.find("<name>Open Terminal &amp; Here</name>"), std::string::npos);
  EXPECT_NE(installed.find("velmora-remove"), std::string::npos);
  EXPECT_EQ(tree.readFile("sys/Thunar/uca.xml"), kUserThunarFile);
}

TEST_F(FileManagerTest, RemoveTakesOnlyWhatInstallWrote) {
  ASSERT_TRUE(app::InstallFileManagerActions(launcherQ(), where).ok);
  tree.writeFile("home/.local/share/nautilus/scripts/Rename with Velmora/Mine", "#!/bin/sh\n");
  tree.writeFile("home/.local/share/kio/servicemenus/other.desktop", "[Desktop Entry]\n");
  ASSERT_TRUE(app::RemoveFileManagerActions(where).ok);
  EXPECT_EQ(tree.list(), (std::vector<std::string>{
                             "bin/", "bin/it's \"the\" $launcher 100%", "home/", "home/.config/",
                             "home/.config/Thunar/", "home/.config/Thunar/uca.xml", "home/.local/",
                             "home/.local/share/", "home/.local/share/kio/", "home/.local/share/kio/servicemenus/",
                             "home/.local/share/kio/servicemenus/other.desktop", "home/.local/share/nautilus/",
                             "home/.local/share/nautilus/scripts/", "home/.local/share/nautilus/scripts/Rename with Velmora/",
                             "home/.local/share/nautilus/scripts/Rename with Velmora/Mine", "sys/", "sys/Thunar/", "work/"}));
  EXPECT_EQ(read(home(".config/Thunar/uca.xml")),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n</actions>\n");

  // Once the user's script is gone too, the folder goes with the last script.
  ASSERT_TRUE(app::InstallFileManagerActions(launcherQ(), where).ok);
  QFile::remove(QString::fromStdString(home(".local/share/nautilus/scripts/Rename with Velmora/Mine")));
  ASSERT_TRUE(app::RemoveFileManagerActions(where).ok);
  EXPECT_FALSE(tree.exists("home/.local/share/nautilus/scripts/Rename with Velmora"));
}

TEST_F(FileManagerTest, FilesOfTheUsersAreNeverReplaced) {
  tree.make({"home/.config/Thunar/"});
  tree.writeFile("home/.local/share/kio/servicemenus/velmora.desktop", "[Desktop Entry]\n# mine\n");
  tree.writeFile("home/.local/share/nautilus/scripts/Save a listing with Velmora", "#!/bin/sh\necho mine\n");
  tree.writeFile("home/.config/Thunar/uca.xml", "<actions><action>broken</actions>");
  const auto installed = app::InstallFileManagerActions(launcherQ(), where);
  EXPECT_FALSE(installed.ok);
  EXPECT_EQ(installed.problems.size(), 3);
  EXPECT_EQ(tree.readFile("home/.local/share/kio/servicemenus/velmora.desktop"), "[Desktop Entry]\n# mine\n");
  EXPECT_EQ(tree.readFile("home/.local/share/nautilus/scripts/Save a listing with Velmora"), "#!/bin/sh\necho mine\n");
  EXPECT_EQ(tree.readFile("home/.config/Thunar/uca.xml"), "<actions><action>broken</actions>");
  EXPECT_TRUE(Executable(home(".local/share/nautilus/scripts/Rename with Velmora/Remove"))) << "the others are written";

  const auto removed = app::RemoveFileManagerActions(where);
  EXPECT_FALSE(removed.ok);  // the broken Thunar file is reported
  EXPECT_EQ(tree.readFile("home/.local/share/kio/servicemenus/velmora.desktop"), "[Desktop Entry]\n# mine\n");
  EXPECT_EQ(tree.readFile("home/.local/share/nautilus/scripts/Save a listing with Velmora"), "#!/bin/sh\necho mine\n");
  EXPECT_FALSE(tree.exists("home/.local/share/nautilus/scripts/Rename with Velmora/Remove"));
}

TEST_F(FileManagerTest, AMissingLauncherInstallsNothing) {
  const auto result = app::InstallFileManagerActions(QString::fromStdString(tree.path("bin/none")), where);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.problems.size(), 1);
  EXPECT_FALSE(tree.exists("home/.local"));
  EXPECT_FALSE(tree.exists("home/.config"));
}

TEST(ThunarActionsEdit, EmptyAndSelfClosingListsAndBrokenFiles) {
  const QString launcher = QStringLiteral("/opt/velmora/velmora-launch");
  const auto added = app::EditThunarActions(QStringLiteral("<?xml version=\"1.0\"?>\n<actions/>\n"), launcher);
  ASSERT_TRUE(added);
  EXPECT_TRUE(added->contains(QStringLiteral("<command>&apos;/opt/velmora/velmora-launch&apos; save %F</command>")) ||
              added->contains(QStringLiteral("<command>'/opt/velmora/velmora-launch' save %F</command>")))
      << added->toStdString();
  const auto removed = app::EditThunarActions(*added, QString());
  ASSERT_TRUE(removed);
  EXPECT_FALSE(removed->contains(QStringLiteral("velmora")));
  EXPECT_TRUE(removed->contains(QStringLiteral("<actions>")) || removed->contains(QStringLiteral("<actions/>")));

  EXPECT_FALSE(app::EditThunarActions(QStringLiteral("<actions><action></actions>"), launcher));
  EXPECT_FALSE(app::EditThunarActions(QStringLiteral("<other/>"), launcher));
  EXPECT_FALSE(app::EditThunarActions(QString(), launcher));
}

}  // namespace
}  // namespace velmora
