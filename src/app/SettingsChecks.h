#pragma once
// The checks the settings dialogs make before they store, in the
// operator's words; empty when the value may be stored.
#include <string>
#include <string_view>

namespace velmora {

// A station or digipeater call: one to six letters and digits, an SSID
// of 1 to 15 after a "-" when there is one.
std::string CallProblem(std::string_view call);
// A digipeater path or alias list: calls separated by commas, at most eight.
std::string PathProblem(std::string_view path, std::string_view what);
// A path as operators type it ("relay, wide2-1") in the form it is kept
// and checked in ("RELAY,WIDE2-1"): upper case, no blanks.
std::string TidyPath(std::string_view path);
// The settings that hold such a path (unproto, alternate, KISS digi paths
// and the alias lists).
bool IsPathSetting(std::string_view name);

}  // namespace velmora
