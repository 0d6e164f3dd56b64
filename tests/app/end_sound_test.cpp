// SPDX-License-Identifier: GPL-3.0-or-later
// Where the end sound comes from, and that playing it never blocks a screenless run.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileInfo>

#include "app/end_sound.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

TEST(EndSound, TheProgramFoldersOwnSoundWinsOverTheShippedOne) {
  testing::TempTree tree;
  const QString folder = QString::fromStdString(tree.root());
  const QString shipped = app::EndSoundFile(folder);
  ASSERT_FALSE(shipped.isEmpty()) << "the build's own end.wav is always found";
  EXPECT_TRUE(shipped.endsWith(QStringLiteral("/end.wav")));
  EXPECT_GT(QFileInfo(shipped).size(), 44);  // more than a WAV header

  tree.writeFile("end.wav", "RIFF");
  EXPECT_EQ(app::EndSoundFile(folder), QString::fromStdString(tree.path("end.wav")));
}

TEST(EndSound, OffscreenRunsStaySilentAndReturnAtOnce) {
  QElapsedTimer timer;
  timer.start();
  app::PlayEndSound(QString(), true);
  EXPECT_LT(timer.elapsed(), 100);
}

}  // namespace
}  // namespace velmora
