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

}  // namespace velmora
