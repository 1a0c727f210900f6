#include <gtest/gtest.h>

#include "decode/Destination.h"

namespace velmora {
namespace {

TEST(ClassifyDestination, SoftwareAndVersionFromTheKeyTable) {
    struct Case {
        const char* dest;
        uint16_t packetClass;
        const char* software;  // "" for none
        const char* version;
    } cases[] = {
        {"APZ251", kClassAprs, "WIN ", "251"},
        {"APZVM", kClassAprs, "WIN ", ""},
        {"APZVM1", kClassAprs, "WIN ", ""},
        {"AP0ABC", kClassAprs, "StAt", "0ABC"},
        {"APRS", kClassAprs, "DOS ", ""},
        {"APRSA", kClassAprs, "StAt", ""},
        {"APRSQ", kClassAprs, "MAC ", ""},
        {"APRSX", kClassAprs, "XWIN", ""},
        {"APK003", kClassAprs, "KENW", "003"},
        {"APX200", kClassAprs, "XWIN", "200"},
        {"APRX29", kClassAprs, "DOS ", "X29"},
        {"APDW16", kClassAprs, "UNKN", "W16"},  // unknown AP: version from the fourth
        {"AP1234", kClassAprs, "UNKN", "1234"},  // third character a digit
        {"GPSC43", kClassAprs, "GPS ", "C43"},
        {"GPS", kClassAprs, "GPS ", ""},
        {"SYMBB", kClassAprs, "SYM ", "BB"},
        {"GAME", kClassAprs, "GAME", ""},
        {"WIDE2-2", kClassAprs, "", ""},
        {"CQ", kClassAprs, "", ""},
        {"ID", kClassId, "", ""},
        {"BEACON", kClassBeacon, "", ""},
        {"APRT", kClassAprt, "", ""},
        {"JAVA", kClassJava, "", ""},
        {"DGPS", kClassDgps, "", ""},
        {"MAIL", kClassMail, "", ""},
        {"TIME", kClassTime, "", ""},
        {"DFNEXT", kClassDfne, "", ""},
        {"QST", kClassQst, "", ""},
        {"FN20XR", kClassGridSquare, "", ""},
        {"fn20xr", kClassGridSquare, "", ""},
        {"XYZZY", kClassNotAprs, "", ""},
    };
    for (const auto& c : cases) {
        const DestinationClass d = ClassifyDestination(c.dest, ">status");
        EXPECT_EQ(d.packetClass, c.packetClass) << c.dest;
        EXPECT_EQ(FourCCText(d.software), c.software) << c.dest;
        EXPECT_EQ(d.version, c.version) << c.dest;
    }
}

TEST(ClassifyDestination, UnknownDestinationsGoByTheInformationField) {
    const std::string fixed = " " + std::string(35, 'x') + "-" + std::string(8, 'y') + "Z tail";
    struct Case {
        std::string info;
        uint16_t packetClass;
    } cases[] = {
        {"`(_fn\"Oj/", kClassMicE},
        {"'(_fn\"Oj/", kClassMicE},
        {"\x1c(_fn\"Oj/", kClassMicE},
        {"]grid", kClassGridSquare},
        {"WWV de x", kClassWwv},
        {"DX de W1AW: 14025.0 K1ABC", kClassDxSpot},
        {"spot de W1AW", kClassOtherSpot},
        {fixed, kClassFixedColumnSpot},
        {" too short - Z", kClassNotAprs},
        {">status", kClassNotAprs},
        {"", kClassNotAprs},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyDestination("XYZZY", c.info).packetClass, c.packetClass) << c.info;
    // A known destination wins over the information field.
    EXPECT_EQ(ClassifyDestination("APRS", "DX de W1AW").packetClass, kClassAprs);
}

TEST(ClassifyDestination, MicEDestinationThatLooksLikeALocatorStaysMicE) {
    // T U 2 4 R Q: every character is in the Mic-E alphabet and the shape
    // is letter-letter-digit-digit-letter-letter.
    EXPECT_EQ(ClassifyDestination("TU24RQ", "`(_fn\"Oj/").packetClass, kClassMicE);
    EXPECT_EQ(ClassifyDestination("TU24RQ", "[grid").packetClass, kClassGridSquare);
    EXPECT_EQ(ClassifyDestination("S32U6T", "`(_fn\"Oj/").packetClass, kClassMicE);
    EXPECT_EQ(ClassifyDestination("QST3XU", "`x\\wqH\x1c[\\").packetClass, kClassMicE);
    EXPECT_EQ(ClassifyDestination("QST", ">x").packetClass, kClassQst);
    EXPECT_EQ(ClassifyDestination("APRS", "`(_fn\"Oj/").packetClass, kClassAprs);
}

}  // namespace
}  // namespace velmora
