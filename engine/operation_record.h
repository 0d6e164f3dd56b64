// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every parameter of the current operation, as the rename rules read it. The editor's
// controls (or the CLI's --set/--record) fill it in; the rules never change it.

#include <cstdint>
#include <string>

namespace velmora::engine {

/// The operation as its keyword text says it.
enum class OperationKind {
  NoOperation, ///< no operation chosen: "Browsefile"
  Remove,      ///< remove, keep, clean: "Removpart"
  Replace,     ///< replace: "Replapart"
  Insert,      ///< insert: "Addnewnum"
  Change,      ///< change the name or its case: "Changnew"
  Extension,   ///< extension: "Changexten"
  ListFolder,  ///< listing of a folder: "Savealls"
  ListPicked,  ///< listing of the hand-picked list: "Savesomes"
};

/// The keyword text ("Removpart", ...).
const char* KeywordOf(OperationKind kind);
/// The kind for a keyword; Browsefile for anything unknown (found = false then).
OperationKind KindFromKeyword(const std::string& keyword, bool* found = nullptr);

enum class RemoveMode { RemoveStrings, RemoveSelected, RemoveBetween, KeepSelected, KeepStrings, CleanSymbols };
enum class ReplaceMode { ReplaceString, ReplaceSelected };
enum class InsertMode { InsertAtPosition, InsertAtString };
enum class ChangeMode { ChangeFullName, ConvertCase };
/// How "Convert full name case to:" converts. RemoveAccents and WindowsSafe make names that
/// travel: Latin letters without marks, and no character Windows refuses.
enum class CaseStyle { Lower, Upper, CapitalizeWords, RemoveAccents, WindowsSafe };
enum class ExtensionMode { ChangeExtension, ConvertExtensionCase };

/// Values taken from the editor's sample name (bytes; CursorPos is 1-based, 0 = none).
struct SampleValues {
  std::string sampleName;
  int selectionStart = 0;
  int selectionLength = 0;
  int cursorPos = 0;
};

struct OperationRecord {
  OperationKind kind = OperationKind::NoOperation;

  // Remove, keep, clean
  RemoveMode removeMode = RemoveMode::RemoveStrings;
  std::string removeText1, removeText2, removeText3;
  bool removeCaseSensitive = false;
  bool removeFromEnd = false;
  bool keepFromEnd = false;
  std::string leftText, rightText;
  bool removeBoundaries = false;
  std::string keepText1, keepText2;
  bool erasedToSpace = true;
  bool alsoErase = false;
  std::string alsoEraseText;
  bool keepDash = true;
  bool keepParentheses = false;
  bool keepBrackets = false;
  bool keepUnderscore = false;
  bool keepOthers = false;
  std::string keepOthersText;

  // Replace
  ReplaceMode replaceMode = ReplaceMode::ReplaceString;
  std::string oldText;
  std::string newText;  ///< may hold special strings
  bool replaceCaseSensitive = false;
  bool replaceFromEnd = false;

  // Insert
  InsertMode insertMode = InsertMode::InsertAtPosition;
  bool atHead = false;
  std::string headText;
  bool atEnd = false;
  std::string endText;
  bool atCursor = false;
  std::string cursorText;
  bool cursorFromEnd = false;
  int anchorPlacement = 0;  ///< 0 BEFORE, 1 BEHIND, 2 BETWEEN
  std::string anchorText, secondAnchorText;
  std::string insertText;

  // Change
  ChangeMode changeMode = ChangeMode::ChangeFullName;
  std::string newName;
  CaseStyle caseStyle = CaseStyle::Lower;
  bool capitalizeFirst = true;
  bool includeExtension = true;

  // Extension
  ExtensionMode extensionMode = ExtensionMode::ChangeExtension;
  std::string oldExtension;  ///< empty or beginning with "." when the rules run
  std::string newExtension;  ///< empty or beginning with "." when the rules run
  bool allExtensions = false;
  bool extensionUpper = false;

  // Regular expressions: the replace rule's old text and the remove rule's strings are
  // patterns, and the folder filters are patterns instead of globs.
  bool regex = false;
  // Folder mode: only the items whose names match includeFilter (every item when empty) and
  // none that match excludeFilter; globs separated by ";" (any case), or one pattern each.
  std::string includeFilter;
  std::string excludeFilter;

  // Options the rules read
  bool specialStringsEnabled = true;
  bool excludeSmallWords = true;
  /// A photo's sidecar files (.xmp, .aae, .thm, the JPEG of a raw photo) follow its renames.
  bool sidecarsFollow = false;

  SampleValues sample;

  /// True for the operations that only convert letter case (no collision numbering).
  bool onlyConvertsCase() const {
    // Removing accents or refused characters may give the name of another item: numbered then.
    return (kind == OperationKind::Change && changeMode == ChangeMode::ConvertCase &&
            caseStyle != CaseStyle::RemoveAccents && caseStyle != CaseStyle::WindowsSafe) ||
           (kind == OperationKind::Extension && extensionMode == ExtensionMode::ConvertExtensionCase);
  }
};

/// Settings of the special string dialog that the expansion reads.
struct SpecialStringSettings {
  bool enabled = true;
  int startNumber = 1;  ///< 0..10000
  bool randomUpper = true;
  bool randomLower = true;
  bool randomNumbers = true;
};

}  // namespace velmora::engine
