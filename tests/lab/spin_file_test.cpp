#include "lab/spin_file.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "real_spins.hpp"

namespace quorvel {
namespace {

using Spins = std::vector<std::uint8_t>;

TEST(SpinFileReal, EveryFileReadsWithItsCount) {
    REQUIRE_REAL_SPINS(dir);
    // Counted independently of the reader, one token a number.
    const std::map<std::string, std::size_t> counts{
        {"1603_real_spins.txt", 1589},
        {"Aegeon Paradise 16 May 26 (66).txt", 66},
        {"DB4000_1.txt", 3981},
        {"DC 10 Jan 2026 IR301 (66).txt", 66},
        {"DC 10 Jan 2026 IR302 (61).txt", 61},
        {"DC 14 Feb 2026, IR301 (137).txt", 137},
        {"DC 24 Jan, IR301 part  (84).txt", 84},
        {"DC 24 Jan, IR301 part 2 (49).txt", 49},
        {"DC 24 Jan, IR301 part 3 (38).txt", 38},
        {"DC 24 Jan, IR302 part 1 (34).txt", 34},
        {"DC 24 Jan, IR302 part 2 (34).txt", 34},
        {"DC 24 Jan, IR302 part 3 (20).txt", 20},
        {"DC 28 Mar 2026 (88).txt", 88},
        {"DC 28 Mar 2026 Emerald (78).txt", 78},
        {"DC 4 to 6 Jan 26, IR301 (30).txt", 30},
        {"DC 4 to 6 Jan 26, IR302 (25).txt", 25},
        {"Genting 1 May 26 Highland (44).txt", 44},
        {"Genting 1 May 26 a autom (594).txt", 594},
        {"Genting 2 May 26 Highland a (80).txt", 80},
        {"Genting 2 May 26 Highland b (44).txt", 44},
        {"Genting 2 May 26 Highland c auto (66).txt", 66},
        {"Genting 2 May 26 Highland d auto (59).txt", 59},
        {"Genting 2 May 26 Highland e (39).txt", 39},
        {"Genting 2 May 26 Highland f (39).txt", 39},
        {"Genting 28 Feb 26 a (118).txt", 118},
        {"Genting 28 Feb 26 b (46).txt", 46},
        {"Genting 28 Feb 26 c (76).txt", 76},
        {"Genting 28 Feb 26 d (70).txt", 70},
        {"Genting 28 Feb 26 e autom (251).txt", 251},
        {"Genting 5 Apr 26 a autom (244).txt", 244},
        {"Genting 5 Apr 26 b (53).txt", 53},
        {"Genting 5 Apr 26 c (77).txt", 77},
        {"Genting 5 Apr 26 d (76).txt", 76},
        {"Genting 5 Apr 26 e autom (242).txt", 242},
        {"World Legacy 17 to 18 Feb 2026 (533).txt", 533},
        {"World Legacy 1st Jan 2026 (178).txt", 178},
        {"World Legacy 20th Jan 2026 (319).txt", 319},
        {"playtech_live_1 (707492).txt", 707492},
    };
    std::size_t total = 0;
    for (const auto& [name, count] : counts) {
        const SpinFile file = read_spin_file((dir / name).string());
        ASSERT_TRUE(file.ok()) << file.error;
        EXPECT_EQ(file.spins.size(), count) << name;
        total += file.spins.size();
    }
    EXPECT_EQ(total, 717120u);

    // The long log begins " 23\n 1\n 25\n": leading blanks are no part of a number.
    const SpinFile live = read_spin_file((dir / "playtech_live_1 (707492).txt").string());
    EXPECT_EQ(Spins(live.spins.begin(), live.spins.begin() + 3), (Spins{23, 1, 25}));
}

struct Accepted {
    const char* what;
    std::string text;
    Spins spins;
};

TEST(SpinFileText, EveryShapeOfSeparatorsReads) {
    const std::vector<Accepted> cases{
        {"one a line", "1\n2\n36\n", {1, 2, 36}},
        {"no final line end", "1\n2\n36", {1, 2, 36}},
        {"CR LF", "0\r\n17\r\n", {0, 17}},
        {"comma and space", "5, 10, 15", {5, 10, 15}},
        {"semicolons and tabs", "5;10\t15 ;\t 20", {5, 10, 15, 20}},
        {"byte order mark",
         "\xEF\xBB\xBF"
         "3\n4\n",
         {3, 4}},
        {"empty lines and stray blanks", "\n\n 7 \n\r\n\t\n8,,9\n\n", {7, 8, 9}},
        {"leading zeros", "00\n07\n036", {0, 7, 36}},
    };
    for (const Accepted& c : cases) {
        const SpinFile file = parse_spin_text(c.text, "f.txt");
        EXPECT_TRUE(file.ok()) << c.what << ": " << file.error;
        EXPECT_EQ(file.spins, c.spins) << c.what;
    }
}

struct Refused {
    std::string text;
    std::string error;
};

TEST(SpinFileText, AnythingButANumberIsRefusedWithLineAndColumn) {
    const std::vector<Refused> cases{
        {"1\n2\nred\n", "f.txt:3:1: 'red' is not a roulette number (0 to 36)"},
        {"1, 2, 37", "f.txt:1:7: '37' is not a roulette number (0 to 36)"},
        {"5\n-1\n", "f.txt:2:1: '-1' is not a roulette number (0 to 36)"},
        {"5\n+3\n", "f.txt:2:1: '+3' is not a roulette number (0 to 36)"},
        {"1\r\n 12.5\r\n", "f.txt:2:2: '12.5' is not a roulette number (0 to 36)"},
        {"1,2\n3,4x,5", "f.txt:2:3: '4x' is not a roulette number (0 to 36)"},
        {"\xEF\xBB\xBF"
         "12 X",
         "f.txt:1:4: 'X' is not a roulette number (0 to 36)"},
        {"99999999999999999999",
         "f.txt:1:1: '99999999999999999999' is not a roulette number (0 to 36)"},
        {"é 1 ü", "f.txt:1:1: 'é' is not a roulette number (0 to 36)"},
        {"3 \x01\x02",
         "f.txt:1:3: '?"
         "?' is not a roulette number (0 to 36)"},
        {std::string(60, 'a'),
         "f.txt:1:1: '" + std::string(40, 'a') + "...' is not a roulette number (0 to 36)"},
        {"", "f.txt: no spins"},
        {"\n\r\n ,;\t", "f.txt: no spins"},
        {"\xEF\xBB\xBF", "f.txt: no spins"},
    };
    for (const Refused& c : cases) {
        const SpinFile file = parse_spin_text(c.text, "f.txt");
        EXPECT_EQ(file.error, c.error) << c.text;
        EXPECT_TRUE(file.spins.empty()) << "a refused file gives no spins: " << c.text;
    }
}

TEST(SpinFileText, RandomBytesReadOrAreRefusedNeverCrash) {
    std::mt19937 engine(20260101);
    const std::string alphabet = "0123456789012345678936,; \t\r\n\n-+.x\xEF\xBB\xBF";
    for (int round = 0; round < 3000; ++round) {
        std::string text(engine() % 64, '\0');
        for (char& c : text) {
            // Mostly the characters of a spin file, sometimes any byte at all.
            c = engine() % 8 == 0 ? static_cast<char>(engine() & 0xFF)
                                  : alphabet[engine() % alphabet.size()];
        }
        const SpinFile file = parse_spin_text(text, "r");
        if (file.ok()) {
            EXPECT_FALSE(file.spins.empty());
            for (std::uint8_t spin : file.spins)
                EXPECT_LE(spin, 36);
        } else {
            EXPECT_TRUE(file.spins.empty());
            EXPECT_TRUE(file.error == "r: no spins" ||
                        file.error.find("is not a roulette number (0 to 36)") != std::string::npos)
                << file.error;
        }
    }
}

TEST(SpinFileDisk, AFileThatCannotBeReadIsRefusedByName) {
    const SpinFile missing = read_spin_file("/nonexistent/spins.txt");
    EXPECT_EQ(missing.error, "/nonexistent/spins.txt: cannot open (No such file or directory)");
    const SpinFile folder = read_spin_file("/");
    EXPECT_FALSE(folder.ok());
    EXPECT_EQ(folder.error.rfind("/: cannot read", 0), 0u) << folder.error;
}

}  // namespace
}  // namespace quorvel
