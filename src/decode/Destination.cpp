#include "decode/Destination.h"

#include <cctype>

namespace velmora {
namespace {

enum class Version : uint8_t { kNone, kFromFourth };

struct DestinationKey {
    const char* key;
    uint16_t packetClass;
    FourCC software;
    Version version;
};

constexpr FourCC kNoSoftware = 0;

// Keys are the first four characters, blank-padded; a fourth character
// below "A" becomes a blank, so "APZ251" looks up "APZ ".
constexpr DestinationKey kKeys[] = {
    {"ALL ", kClassAprs, kNoSoftware, Version::kNone},
    {"AIR ", kClassAprs, kNoSoftware, Version::kNone},
    {"DRIL", kClassAprs, kNoSoftware, Version::kNone},
    {"INET", kClassAprs, kNoSoftware, Version::kNone},
    {"MIR ", kClassAprs, kNoSoftware, Version::kNone},
    {"MIRE", kClassAprs, kNoSoftware, Version::kNone},
    {"SKYW", kClassAprs, kNoSoftware, Version::kNone},
    {"SPCL", kClassAprs, kNoSoftware, Version::kNone},
    {"ZIP ", kClassAprs, kNoSoftware, Version::kNone},
    {"CQ  ", kClassAprs, kNoSoftware, Version::kNone},
    {"WX  ", kClassAprs, kNoSoftware, Version::kNone},
    {"GATE", kClassAprs, kNoSoftware, Version::kNone},
    {"WIDE", kClassAprs, kNoSoftware, Version::kNone},
    {"APC ", kClassAprs, MakeFourCC("WNCE"), Version::kFromFourth},
    {"APJ ", kClassAprs, MakeFourCC("JAVA"), Version::kFromFourth},
    {"APK ", kClassAprs, MakeFourCC("KENW"), Version::kFromFourth},
    {"APQ ", kClassAprs, MakeFourCC("MAC "), Version::kFromFourth},
    {"APP ", kClassAprs, MakeFourCC("PALM"), Version::kFromFourth},
    {"APR ", kClassAprs, MakeFourCC("DOS "), Version::kFromFourth},
    {"APRM", kClassAprs, MakeFourCC("DOS "), Version::kFromFourth},
    {"APRX", kClassAprs, MakeFourCC("DOS "), Version::kFromFourth},
    {"APS ", kClassAprs, MakeFourCC("StAt"), Version::kFromFourth},
    {"APZ ", kClassAprs, MakeFourCC("WIN "), Version::kFromFourth},
    {"APX ", kClassAprs, MakeFourCC("XWIN"), Version::kFromFourth},
    {"APRT", kClassAprt, kNoSoftware, Version::kNone},
    {"GAME", kClassAprs, MakeFourCC("GAME"), Version::kNone},
    {"GPS ", kClassAprs, MakeFourCC("GPS "), Version::kFromFourth},
    {"JAVA", kClassJava, kNoSoftware, Version::kNone},
    {"DGPS", kClassDgps, kNoSoftware, Version::kNone},
    {"MAIL", kClassMail, kNoSoftware, Version::kNone},
    {"TIME", kClassTime, kNoSoftware, Version::kNone},
    {"DFNE", kClassDfne, kNoSoftware, Version::kNone},
    {"QST ", kClassQst, kNoSoftware, Version::kNone},
    {"BEAC", kClassBeacon, kNoSoftware, Version::kNone},
    {"ID  ", kClassId, kNoSoftware, Version::kNone},
};

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

char At(std::string_view s, size_t i) { return i < s.size() ? s[i] : '\0'; }

std::string_view From(std::string_view s, size_t i) { return i < s.size() ? s.substr(i) : std::string_view{}; }

FourCC AprsSoftware(char fifth) {
    switch (fifth) {
        case 'A': return MakeFourCC("StAt");
        case 'Q': return MakeFourCC("MAC ");
        case 'X': return MakeFourCC("XWIN");
        default: return MakeFourCC("DOS ");
    }
}

bool GridLocator(std::string_view d) {
    return IsLetter(At(d, 0)) && IsLetter(At(d, 1)) && IsDigit(At(d, 2)) && IsDigit(At(d, 3)) &&
           IsLetter(At(d, 4)) && IsLetter(At(d, 5));
}

bool MicEInformation(std::string_view info) {
    const unsigned char first = info.empty() ? 0 : static_cast<unsigned char>(info[0]);
    return first == 0x1C || first == 0x27 || first == 0x60;
}

// Six characters of the Mic-E latitude alphabet: digits, A-L, P-Z.
bool MicEDestination(std::string_view d) {
    if (d.size() < 6) return false;
    for (size_t i = 0; i < 6; ++i) {
        const char c = d[i];
        if (!IsDigit(c) && !(c >= 'A' && c <= 'L') && !(c >= 'P' && c <= 'Z')) return false;
    }
    return true;
}

uint16_t ClassByInformation(std::string_view info) {
    if (MicEInformation(info)) return kClassMicE;
    const unsigned char first = info.empty() ? 0 : static_cast<unsigned char>(info[0]);
    if (first == ']') return kClassGridSquare;
    if (info.substr(0, 6) == "WWV de") return kClassWwv;
    if (info.substr(0, 6) == "DX de ") return kClassDxSpot;
    if (info.find(" de ") != std::string_view::npos) return kClassOtherSpot;
    if (first == ' ' && At(info, 36) == '-' && At(info, 45) == 'Z') return kClassFixedColumnSpot;
    return kClassNotAprs;
}

}  // namespace

DestinationClass ClassifyDestination(std::string_view d, std::string_view info) {
    if (d.substr(0, 5) == "APZVM") return {kClassAprs, MakeFourCC("WIN "), {}};

    // A Mic-E destination can read as a key ("QST3XU", "WX12PQ") or a grid
    // locator ("TU24RQ"); the information field tells them apart.
    if (MicEDestination(d) && MicEInformation(info)) return {kClassMicE, kNoSoftware, {}};

    char key[5] = {' ', ' ', ' ', ' ', '\0'};
    for (size_t i = 0; i < 4 && i < d.size(); ++i) key[i] = d[i];
    if (static_cast<unsigned char>(key[3]) < 'A') key[3] = ' ';

    if (std::string_view(key) == "APRS") return {kClassAprs, AprsSoftware(At(d, 4)), {}};
    for (const auto& entry : kKeys) {
        if (std::string_view(entry.key) != key) continue;
        const std::string_view version =
            entry.version == Version::kFromFourth ? From(d, 3) : std::string_view{};
        return {entry.packetClass, entry.software, version};
    }

    if (GridLocator(d)) return {kClassGridSquare, kNoSoftware, {}};
    if (d.substr(0, 2) == "AP") {
        const char third = At(d, 2);
        if (third == '0') return {kClassAprs, MakeFourCC("StAt"), From(d, 2)};
        return {kClassAprs, MakeFourCC("UNKN"), IsDigit(third) ? From(d, 2) : From(d, 3)};
    }
    if (d.substr(0, 3) == "GPS") return {kClassAprs, MakeFourCC("GPS "), From(d, 3)};
    if (d.substr(0, 3) == "SYM") return {kClassAprs, MakeFourCC("SYM "), From(d, 3)};
    return {ClassByInformation(info), kNoSoftware, {}};
}

bool DispatchedClass(uint16_t c) {
    return c == kClassAprs || c == kClassBeacon || c == kClassId || c == kClassMicE ||
           c == kClassGridSquare || c == kClassJava;
}

}  // namespace velmora
