// Ctrl+click on an individual's name cell: marks a new population start or removes one, with
// the user's answers asked through MarkerPrompts.
#pragma once

#include <cstddef>
#include <string>

#include "core/document.h"

namespace relakin {

// The questions of a marker change. Texts are UTF-8.
class MarkerPrompts {
 public:
  virtual ~MarkerPrompts() = default;
  // A question with Yes and No; true for Yes.
  virtual bool AskYesNo(const std::string& question) = 0;
  // The name of the population being inserted, asked with an emptied name box; whatever the box
  // holds when it closes, however it was closed.
  virtual std::string AskPopulationName() = 0;
  // A plain message with an OK button.
  virtual void Show(const std::string& text) = 0;
};

// Most populations a table holds: the population count is 16-bit.
inline constexpr std::size_t kMaxPopulations = 65535;

// Toggles the population start at individual row `row` (2 <= row < RowCount): a marked row other
// than row 2 is unmarked after a Yes and its name removed; an unmarked row becomes a new start
// after a Yes, named by AskPopulationName, unless `capacity` populations exist already. Ends with
// RenumberRows in every case. The caller sets its modified flag whatever the answers.
void ToggleMarkerAt(Document& doc, int row, MarkerPrompts& prompts,
                    std::size_t capacity = kMaxPopulations);

}  // namespace relakin
