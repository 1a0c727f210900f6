#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/Files.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

TEST(ProgramPath, ColonsAndBackslashesBecomeFolders) {
    EXPECT_EQ(NormaliseProgramPath(":Logs:APRS081226.log"), "Logs/APRS081226.log");
    EXPECT_EQ(NormaliseProgramPath("Data\\airport.dat"), "Data/airport.dat");
    EXPECT_EQ(NormaliseProgramPath("Stations.txt"), "Stations.txt");
    EXPECT_EQ(NormaliseProgramPath("::Maps::x.map"), "Maps/x.map");
}

TEST(DiskFiles, MatchesFolderNamesWithoutCaseAndReadsAnyLineEnding) {
    const auto dir = test::MakeTempFolder();
    std::filesystem::create_directory(dir / "Logs");
    {
        std::ofstream f(dir / "Logs" / "WXHist.txt", std::ios::binary);
        f << "one\r\ntwo\rthree\nfour";
    }
    DiskFiles files(dir.string());
    EXPECT_TRUE(files.Exists(":logs:WXHist.txt"));
    EXPECT_EQ(files.RealPath(":logs:WXHist.txt"), (dir / "Logs" / "WXHist.txt").string());
    std::vector<std::string> lines;
    EXPECT_TRUE(files.ReadLines(":Logs:wxhist.TXT", [&](std::string_view l) { lines.emplace_back(l); }));
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_FALSE(files.ReadLines("missing.txt", [](std::string_view) {}));
    // A new file keeps the name it was given.
    EXPECT_EQ(files.RealPath(":Logs:New.log"), (dir / "Logs" / "New.log").string());
    std::filesystem::remove_all(dir);
}

TEST(ForEachLine, KeepsEmptyLinesBetweenSeparatorsButNotCrLfPairs) {
    std::FILE* f = std::tmpfile();
    std::fputs("a\r\n\r\nb\n\nc\r\r", f);
    std::rewind(f);
    std::vector<std::string> lines;
    ForEachLine(f, [&](std::string_view l) { lines.emplace_back(l); });
    std::fclose(f);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b", "", "c", ""}));
}

}  // namespace
}  // namespace velmora
