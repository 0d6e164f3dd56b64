// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which help topic a window opens, and where the topic files are found.

#include <QString>
#include <string>

namespace velmora::app {

/// The topic of the main window's help routine (also used by the special string dialog,
/// the preview window and the Options window): the first visible window in that order wins.
QString MainHelpTopic(bool specialStringDialogVisible, bool previewVisible, bool optionsVisible);

/// The topic of the operation editor's " Help" button for an operation keyword.
QString EditorHelpTopic(const std::string& operationKind);

/// The folder of the data the program ships (help topics, end sound): share/velmora beside
/// the installed executable, or for a program run from its build folder that folder's
/// share/velmora, where the build copies the data. Empty when there is none.
QString ShippedDataFolder();

/// The file of a topic: the "help" folder in the program's own folder when it has the
/// topic, otherwise the shipped help (ShippedDataFolder()/help). Empty when neither holds it.
/// With a `language` ("de"), each folder's page in its subfolder of that name comes before
/// the English one, so a translated program shows translated help wherever it exists.
QString HelpTopicFile(const std::string& installDir, const QString& topic, const QString& language = {});

}  // namespace velmora::app
