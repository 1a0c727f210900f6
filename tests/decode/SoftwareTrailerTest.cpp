#include <gtest/gtest.h>

#include "decode/SoftwareTrailer.h"

namespace velmora {
namespace {

TEST(SoftwareTrailer, AllFourForms) {
    const SoftwareTrailer full = ParseSoftwareTrailer("hello-AABBBCCCCCCCC-251-<A3F>");
    EXPECT_EQ(full.systemCode, 0xA3F);
    EXPECT_EQ(full.version, 251);
    EXPECT_EQ(full.codeA, "AA");
    EXPECT_EQ(full.codeB, "BBB");
    EXPECT_EQ(full.codeC, "CCCCCCCC");

    const SoftwareTrailer mid = ParseSoftwareTrailer("x-KYWIN-228-<630>");
    EXPECT_EQ(mid.systemCode, 0x630);
    EXPECT_EQ(mid.version, 228);
    EXPECT_EQ(mid.codeA, "KY");
    EXPECT_EQ(mid.codeB, "WIN");
    EXPECT_TRUE(mid.codeC.empty());

    const SoftwareTrailer two = ParseSoftwareTrailer("comment-200-<1f>");
    EXPECT_EQ(two.systemCode, 0x1F);
    EXPECT_EQ(two.version, 200);

    const SoftwareTrailer bare = ParseSoftwareTrailer("comment -199-");
    EXPECT_EQ(bare.version, 199);
    EXPECT_EQ(bare.systemCode, 0);
}

TEST(SoftwareTrailer, NearMissesGiveNothingAndNeverReadOutside) {
    for (const char* c : {"", ">", "<>", "<A3G>", "-25-<A3F>", "-2x5-", "251-", "<A3F", "-ddd-", "-<1f>"}) {
        const SoftwareTrailer t = ParseSoftwareTrailer(c);
        EXPECT_EQ(t.version, 0) << c;
        EXPECT_TRUE(t.codeA.empty()) << c;
    }
    // A hexadecimal field without a version still gives the system code.
    EXPECT_EQ(ParseSoftwareTrailer("<A3F>").systemCode, 0xA3F);
}

}  // namespace
}  // namespace velmora
