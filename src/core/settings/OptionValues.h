// The fourteen option values: which dialog control holds each, its settings key and default.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/PlatformFacts.h"
#include "settings/OptionsDialog.h"

namespace loadergui {

enum class OptionKind { Text, CheckBox };

// The member of the options dialog that holds an option value.
using OptionControl = ui::Control* OptionsDialog::*;

struct OptionValue {
  OptionControl control;
  OptionKind kind;
  std::string_view section;
  std::string_view key;
  std::string_view defaultValue;  // check boxes: "0"; the serial device: see OptionDefault
};

// In the order the settings file stores and loads them.
extern const OptionValue kOptionValues[14];

// The controls in the order of the option snapshot.
extern const OptionControl kSnapshotOrder[14];

// Looks up a control's entry; every control of the two tables above has one.
const OptionValue& OptionFor(OptionControl control);

// An option's default on the given platform: the table's, but the serial device is the
// platform's own default device.
std::string OptionDefault(const OptionValue& option, const platform::PlatformFacts& facts);

// An option's value as text: a text as it stands, a check-box value as a decimal number.
std::string OptionText(OptionsDialog& dialog, const OptionValue& option);
// Puts an option's value from text: a text as it is; a check box takes the value the text
// names, and counts as cleared when it names none. A check box whose value changes runs its
// handler.
void SetOptionText(OptionsDialog& dialog, const OptionValue& option, const std::string& text);

// A stored check-box state: a whole number that a check box can hold (0, 1 or 2), or nothing.
std::optional<int> ParseCheckBoxValue(const std::string& text);

}  // namespace loadergui
