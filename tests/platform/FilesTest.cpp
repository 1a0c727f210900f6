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

namespace velmora {
namespace {

// A reader that hands out its text a few bytes at a time, so line endings
// fall on every possible piece boundary.
struct PiecewiseReader final : FileReader {
    PiecewiseReader(std::string text, size_t piece) : text(std::move(text)), piece(piece) {}
    size_t Read(char* buffer, size_t size) override {
        const size_t n = std::min({size, piece, text.size() - at});
        std::copy_n(text.data() + at, n, buffer);
        at += n;
        return n;
    }
    std::string text;
    size_t piece, at = 0;
};

std::vector<std::string> Lines(const std::string& text, size_t piece, size_t limit = 100) {
    LineReader reader(std::make_unique<PiecewiseReader>(text, piece), limit);
    std::vector<std::string> out;
    std::string line;
    while (reader.Next(line)) out.push_back(line);
    return out;
}

TEST(LineReader, EveryEndingAtEveryPieceBoundaryAndTheLimit) {
    const std::string text = "one\r\ntwo\rthree\n\nfour\r\r\nfive";
    const std::vector<std::string> expected = {"one", "two", "three", "", "four", "", "five"};
    for (size_t piece = 1; piece <= text.size(); ++piece) EXPECT_EQ(Lines(text, piece), expected) << piece;
    // An over-long line is cut at the limit and its rest dropped with it.
    EXPECT_EQ(Lines(std::string(30, 'x') + "\r\nshort", 7, 10), (std::vector<std::string>{std::string(10, 'x'), "short"}));
    EXPECT_TRUE(Lines("", 4).empty());
    EXPECT_EQ(Lines("last\r\n", 1), (std::vector<std::string>{"last"}));
}

TEST(DiskFiles, AppendCreatesFoldersAndWholeWritesReplaceOrFailCleanly) {
    const auto dir = test::MakeTempFolder();
    DiskFiles files(dir.string());
    const std::string log = files.RealPath(":Logs:Deep:a.log");
    {
        auto w = files.OpenAppend(log);
        ASSERT_TRUE(w);
        EXPECT_TRUE(w->Write("first\r\n"));
    }
    {
        auto w = files.OpenAppend(log);
        ASSERT_TRUE(w);
        EXPECT_TRUE(w->Write("second\r\n"));
    }
    EXPECT_EQ(files.ReadWhole(log, 1000).value_or(""), "first\r\nsecond\r\n");
    EXPECT_EQ(files.ReadWhole(log, 5).value_or(""), "first");
    EXPECT_FALSE(files.ReadWhole(files.RealPath("missing.txt"), 10));

    const std::string prf = files.RealPath("x.prf");
    EXPECT_TRUE(files.WriteWhole(prf, "old"));
    EXPECT_TRUE(files.WriteWhole(prf, "new"));
    EXPECT_EQ(files.ReadWhole(prf, 100).value_or(""), "new");
    EXPECT_FALSE(std::filesystem::exists(prf + ".new"));
    // A folder that does not exist: nothing is written and nothing is left.
    EXPECT_FALSE(files.WriteWhole((dir / "nowhere" / "y.prf").string(), "data"));
    EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace velmora
