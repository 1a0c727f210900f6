#pragma once
// "TNC Settings" as plain state: the command lines sent when a TNC starts
// ("Gateway:", "Cmd 1:" to "Cmd 10:"), the default unproto path, the port
// arrangement with its port-select prefixes, the alternate paths, and each
// TNC's GPS, HSP and Pico options. The dialog and velmora-prefs make the
// same checks, in the operator's words.
#include <array>
#include <string>
#include <string_view>

#include "app/Preferences.h"

namespace velmora {

struct TncSettingsForm {
    static constexpr size_t kCommands = 11;
    static constexpr size_t kCommandLength = 127;
    static constexpr size_t kPrefixLength = 3;

    std::array<std::string, kCommands> commands;
    std::string unprotoPath;
    int arrangement = 1;  // 0 Receive Only, 1 Single Port, 2 Dual Port, 3 Two Ports
    std::string prefixHf, prefixVhf;
    std::array<std::string, 3> altHf, altVhf;
    struct Radio {
        bool allowGps = false, hsp = false, picoControlE = false;
    };
    Radio hf, vhf;

    static TncSettingsForm From(const Preferences& prefs);
    void Store(Preferences& prefs) const;
    // The first thing wrong, empty when the form may be stored.
    std::string Problem() const;
    // Paths as the operator may type them ("wide1-1, wide2-1"): capitals,
    // no blanks round the commas.
    void Tidy();
};

// The dialog's label of command line n: "Gateway:", then "Cmd 1:" on.
std::string TncCommandLabel(size_t n);
// The radio buttons' names by arrangement.
inline constexpr const char* kArrangementNames[4] = {"Receive Only", "Single Port", "Dual Port", "Two Ports"};
// A TNC command line: printable characters only (a CR would split it).
std::string CommandLineProblem(std::string_view text, std::string_view label);

}  // namespace velmora
