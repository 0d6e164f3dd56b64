// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own folder never comes from the current directory: an "InstallDir" setting
// that is not an absolute path counts as missing, for the program and for the file-manager
// launcher alike, and neither writes anything into the directory it was started in.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSettings>
#include <cstdlib>
#include <optional>
#include <vector>
#include <string>

#include "app/settings_store.h"
#include "app/startup.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

class InstallDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.make({"config/Tessaro/", "data/", "home/", "cwd/", "bin/", "abs/"});
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(tree.path("config")));
    const char* data = std::getenv("XDG_DATA_HOME");
    savedData = data ? std::optional<std::string>(data) : std::nullopt;
    ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1);
    char buf[4096];
    savedCwd = ::getcwd(buf, sizeof buf) ? buf : "/";
    ASSERT_EQ(::chdir(tree.path("cwd").c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(::chdir(savedCwd.c_str()), 0);
    if (savedData) {
      ::setenv("XDG_DATA_HOME", savedData->c_str(), 1);
    } else {
      ::unsetenv("XDG_DATA_HOME");
    }
  }

  void storeInstallDir(const std::string& value) {
    auto settings = app::OpenSettings();
    settings->clear();
    settings->setValue(QStringLiteral("InstallDir"), QString::fromStdString(value));
  }

  /// What the current directory holds now.
  std::vector<std::string> EntriesInCwd() const {
    std::vector<std::string> out;
    for (const std::string& entry : tree.list())
      if (entry.rfind("cwd/", 0) == 0 && entry != "cwd/") out.push_back(entry);
    return out;
  }

  testing::TempTree tree;
  std::optional<std::string> savedData;
  std::string savedCwd;
};

struct Row {
  const char* name;
  std::string value;  // "<abs>" stands for the tree's "abs" folder
  bool used;          // the value is the folder; otherwise the data home's velmora folder
};

std::vector<Row> Rows() {
  return {
      {"absolute path", "<abs>", true},
      {"relative name", "velmora files", false},
      {"dot relative", "./here", false},
      {"parent relative", "../up", false},
      {"tilde is not expanded", "~/velmora", false},
  };
}

TEST_F(InstallDirTest, OnlyAnAbsoluteSettingNamesTheProgramFolder) {
  for (const Row& r : Rows()) {
    SCOPED_TRACE(r.name);
    const std::string value = r.value == "<abs>" ? tree.path("abs") : r.value;
    storeInstallDir(value);
    const std::string folder = app::ResolveInstallDir(*app::OpenSettings(), platform::RealFileSystem());
    EXPECT_EQ(folder, (r.used ? value : tree.path("data") + "/velmora") + "/");
    EXPECT_EQ(EntriesInCwd(), std::vector<std::string>{});
  }
}

TEST_F(InstallDirTest, LauncherTakesTheSameFolder) {
  tree.writeFile("bin/velmora", "#!/bin/sh\nexit 0\n");
  ::chmod(tree.path("bin/velmora").c_str(), 0755);
  tree.writeFile("cwd/a.txt", "");
  for (const Row& r : Rows()) {
    SCOPED_TRACE(r.name);
    const std::string value = r.value == "<abs>" ? tree.path("abs") : r.value;
    storeInstallDir(value);
    const std::string command = "cd '" + tree.path("cwd") + "' && env HOME='" + tree.path("home") +
                                "' XDG_CONFIG_HOME='" + tree.path("config") + "' XDG_DATA_HOME='" +
                                tree.path("data") + "' PATH='" + tree.path("bin") + ":/usr/bin:/bin' sh '" +
                                VELMORA_LAUNCHER_PATH "' remove a.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string list = (r.used ? "abs" : "data/velmora") + std::string("/fn000.tmp");
    EXPECT_EQ(tree.readFile(list), tree.path("cwd/a.txt") + "\r\n");
    ::unlink(tree.path(list).c_str());
    EXPECT_EQ(EntriesInCwd(), std::vector<std::string>{"cwd/a.txt"});
  }
}

}  // namespace
}  // namespace velmora
