// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sound at the end of a run and of an undo.

#include <QString>

namespace velmora::app {

/// The end sound's file: "end.wav" in the program folder when the user put one there,
/// else the one installed with the program, else the one in the source tree of a build.
/// Empty when none exists.
QString EndSoundFile(const QString& programFolder);

/// Plays the end sound and returns when it has ended, as the program always did. Silence
/// where there is no sound file, no audio player (paplay or aplay) or no screen (the
/// offscreen platform of tests and scripts); never longer than a few seconds.
void PlayEndSound(const QString& programFolder, bool offscreen);

}  // namespace velmora::app
