// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/item_notes.h"

#include "engine/core_text.h"
#include "engine/name_model.h"

namespace velmora::batch {

std::string ItemNotesMessage(const std::vector<engine::ItemNote>& notes) {
  if (notes.empty()) return {};
  std::string text = VELMORA_TEXT("Core", "Some new names were made without a tag they ask for:");
  for (std::size_t i = 0; i < notes.size() && i < kNotesShown; ++i)
    text += "\n" + engine::FileNamePart(notes[i].path) + ": " + notes[i].text;
  if (notes.size() > kNotesShown)
    text += "\n" + engine::FillText(VELMORA_TEXT("Core", "... and %1 more."), {std::to_string(notes.size() - kNotesShown)});
  return text;
}

}  // namespace velmora::batch
