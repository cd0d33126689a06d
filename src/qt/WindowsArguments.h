// A command line split into arguments by the rules a Windows program splits its own by, so that
// a loader here gets the arguments the same line gives a loader on Windows.
#pragma once

#include <string>
#include <vector>

namespace loadergui::qt {

// The program (up to the first blank or tab, or between double quotes when the line starts
// with one), then each argument: blanks and tabs separate, double quotes group and vanish, a
// doubled quote inside quotes is one quote, and backslashes are taken literally except before a
// double quote, where each pair is one backslash and an odd one left over makes the quote
// literal.
std::vector<std::string> SplitLikeWindows(const std::string& commandLine);

}  // namespace loadergui::qt
