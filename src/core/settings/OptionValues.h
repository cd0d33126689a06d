// The fourteen option values: which dialog control holds each, its settings key and default.
#pragma once

#include <string_view>

namespace loadergui {

enum class OptionKind { Text, CheckBox };

struct OptionValue {
  std::string_view control;
  OptionKind kind;
  std::string_view section;
  std::string_view key;
  std::string_view defaultValue;  // check boxes: "0"
};

// In the order the settings file stores and loads them.
extern const OptionValue kOptionValues[14];

// The controls in the order of the option snapshot.
extern const std::string_view kSnapshotOrder[14];

// Looks up a control's entry; every control of the two tables above has one.
const OptionValue& OptionFor(std::string_view control);

}  // namespace loadergui
