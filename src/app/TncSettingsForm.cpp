#include "app/TncSettingsForm.h"

#include <cctype>

#include "app/SettingsChecks.h"

namespace velmora {
namespace {


std::string AltName(bool hf, size_t n) { return std::string("alt_path_") + (hf ? "hf" : "vhf") + std::to_string(n + 1); }

std::string PrefixProblem(std::string_view prefix, std::string_view which) {
    if (prefix.size() > TncSettingsForm::kPrefixLength)
        return std::string(which) + " port prefix has more than 3 characters";
    for (char c : prefix)
        if (!std::isprint(static_cast<unsigned char>(c))) return std::string(which) + " port prefix holds a control character";
    return {};
}

}  // namespace

std::string TncCommandLabel(size_t n) { return n == 0 ? "Gateway:" : "Cmd " + std::to_string(n) + ":"; }

std::string CommandLineProblem(std::string_view text, std::string_view label) {
    if (text.size() > TncSettingsForm::kCommandLength)
        return std::string(label) + " is longer than 127 characters";
    for (char c : text)
        if (!std::isprint(static_cast<unsigned char>(c)))
            return std::string(label) + " holds a control character; write ^C for Ctrl-C";
    return {};
}

TncSettingsForm TncSettingsForm::From(const Preferences& p) {
    TncSettingsForm f;
    for (size_t n = 0; n < kCommands; ++n) f.commands[n] = p.Get(TncCommandFieldName(static_cast<int>(n))).value_or("");
    f.unprotoPath = p.Text(pref::kUnprotoPath);
    f.arrangement = static_cast<int>(p.Number(pref::kPortArrangement));
    if (f.arrangement < 0 || f.arrangement > 3) f.arrangement = 1;
    f.prefixHf = p.Get("port_prefix_hf").value_or("");
    f.prefixVhf = p.Get("port_prefix_vhf").value_or("");
    for (size_t n = 0; n < 3; ++n) {
        f.altHf[n] = p.Get(AltName(true, n)).value_or("");
        f.altVhf[n] = p.Get(AltName(false, n)).value_or("");
    }
    f.hf = {p.Flag(pref::kAllowGpsHf), p.Flag(pref::kEnableHspHf), p.Flag(pref::kPicoControlEHf)};
    f.vhf = {p.Flag(pref::kAllowGpsVhf), p.Flag(pref::kEnableHspVhf), p.Flag(pref::kPicoControlEVhf)};
    return f;
}

void TncSettingsForm::Store(Preferences& p) const {
    for (size_t n = 0; n < kCommands; ++n) (void)p.Set(TncCommandFieldName(static_cast<int>(n)), commands[n]);
    (void)p.SetText(pref::kUnprotoPath, unprotoPath);
    (void)p.SetNumber(pref::kPortArrangement, arrangement);
    (void)p.Set("port_prefix_hf", prefixHf);
    (void)p.Set("port_prefix_vhf", prefixVhf);
    for (size_t n = 0; n < 3; ++n) {
        (void)p.Set(AltName(true, n), altHf[n]);
        (void)p.Set(AltName(false, n), altVhf[n]);
    }
    (void)p.SetNumber(pref::kAllowGpsHf, hf.allowGps);
    (void)p.SetNumber(pref::kEnableHspHf, hf.hsp);
    (void)p.SetNumber(pref::kPicoControlEHf, hf.picoControlE);
    (void)p.SetNumber(pref::kAllowGpsVhf, vhf.allowGps);
    (void)p.SetNumber(pref::kEnableHspVhf, vhf.hsp);
    (void)p.SetNumber(pref::kPicoControlEVhf, vhf.picoControlE);
}

void TncSettingsForm::Tidy() {
    unprotoPath = TidyPath(unprotoPath);
    for (auto* set : {&altHf, &altVhf})
        for (std::string& path : *set) path = TidyPath(path);
}

std::string TncSettingsForm::Problem() const {
    for (size_t n = 0; n < kCommands; ++n)
        if (std::string why = CommandLineProblem(commands[n], TncCommandLabel(n)); !why.empty()) return why;
    if (std::string why = PathProblem(unprotoPath, "The unproto path"); !why.empty()) return why;
    if (arrangement < 0 || arrangement > 3) return "Choose one of Receive Only, Single Port, Dual Port and Two Ports";
    if (std::string why = PrefixProblem(prefixHf, "The HF"); !why.empty()) return why;
    if (std::string why = PrefixProblem(prefixVhf, "The VHF"); !why.empty()) return why;
    for (size_t n = 0; n < 3; ++n) {
        const std::string hfName = "Alt HF Path " + std::to_string(n + 1);
        const std::string vhfName = "Alt VHF Path " + std::to_string(n + 1);
        if (std::string why = PathProblem(altHf[n], hfName); !why.empty()) return why;
        if (std::string why = PathProblem(altVhf[n], vhfName); !why.empty()) return why;
    }
    return {};
}

}  // namespace velmora
