// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/spin_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

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
    EXPECT_EQ(total, 715531u);

    // The long log begins " 23\n 1\n 25\n": leading blanks are no part of a number.
    const SpinFile live = read_spin_file((dir / "playtech_live_1 (707492).txt").string());
    EXPECT_EQ(Spins(live.spins.begin(), live.spins.begin() + 3), (Spins{23, 1, 25}));
}

TEST(SpinFileReal, ADoubleZeroWheelsLogIsRefusedAtItsFirstDoubleZero) {
    REQUIRE_REAL_SPINS(dir);
    const std::string path = (dir / "1603_real_spins.txt").string();
    const SpinFile file = read_spin_file(path);
    EXPECT_EQ(file.error, path +
                              ":20:1: '00' is the double zero of an American wheel; Quorvel plays "
                              "the single-zero wheel");
    EXPECT_TRUE(file.spins.empty());
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
        {"CR alone", "0\r17\r\r5", {0, 17, 5}},
        {"comma and space", "5, 10, 15", {5, 10, 15}},
        {"semicolons and tabs", "5;10\t15 ;\t 20", {5, 10, 15, 20}},
        {"byte order mark",
         "\xEF\xBB\xBF"
         "3\n4\n",
         {3, 4}},
        {"empty lines and stray blanks", "\n\n 7 \n\r\n\t\n8,,9\n\n", {7, 8, 9}},
        {"zero and seven as they are", "0\n7\n36\n0", {0, 7, 36, 0}},
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

const std::string kDoubleZero =
    "'00' is the double zero of an American wheel; Quorvel plays the single-zero wheel";

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
        // Every kind of line end counts once, CR alone as well.
        {"1\r2\rred", "f.txt:3:1: 'red' is not a roulette number (0 to 36)"},
        {"1\n\r\n\r 4x", "f.txt:4:2: '4x' is not a roulette number (0 to 36)"},
        {"1\n\n\rz", "f.txt:4:1: 'z' is not a roulette number (0 to 36)"},
        // The double zero, wherever it stands, and every other leading zero.
        {"5\n00\n", "f.txt:2:1: " + kDoubleZero},
        {"1, 00, 07", "f.txt:1:4: " + kDoubleZero},
        {"1, 007", "f.txt:1:4: '007' has a leading zero; a number is written without one (0 to 36)"},
        {"07", "f.txt:1:1: '07' has a leading zero; a number is written without one (0 to 36)"},
        {"3\n000", "f.txt:2:1: '000' has a leading zero; a number is written without one (0 to 36)"},
        {"00", "f.txt:1:1: " + kDoubleZero},
        {"\xEF\xBB\xBF"
         "00",
         "f.txt:1:1: " + kDoubleZero},
        // What a terminal would act on is masked (every kind: ShownText).
        {"1 \x1B[31mred", "f.txt:1:3: '?[31mred' is not a roulette number (0 to 36)"},
        // A file without end of NUL bytes is refused on its first bytes.
        {std::string(100000, '\0'),
         "f.txt:1:1: '" + std::string(40, '?') + "...' is not a roulette number (0 to 36)"},
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
                        file.error.find("is not a roulette number (0 to 36)") !=
                            std::string::npos ||
                        file.error.find("has a leading zero") != std::string::npos ||
                        file.error.find(kDoubleZero) != std::string::npos)
                << file.error;
        }
    }
}

// A file comes in pieces of any size, from a pipe a byte at a time: a
// number, a CR LF or the byte order mark cut between two pieces reads as if
// whole, and a refusal names the same place.
TEST(SpinFileText, ReadInPiecesAsReadWhole) {
    const std::vector<std::string> texts{
        "\xEF\xBB\xBF"
        "12\r\n7\r\n\r\n36, 0;\t5",
        "\xEF\xBB"
        "12",
        "1\r\r\n2\n\r3 12.5",
        "33 34 35 36 37",
        "1 2 00 3",
        "4 " + std::string(300, 'q'),
        "7 \xE2\x80\xAE"
        "evil",
        "",
        "\xEF",
    };
    for (const std::string& text : texts) {
        const SpinFile whole = parse_spin_text(text, "p");
        for (std::size_t piece = 1; piece <= 4; ++piece) {
            Spins spins;
            SpinTextReader reader("p", spins);
            bool read = true;
            for (std::size_t at = 0; at < text.size() && read; at += piece)
                read = reader.read(std::string_view(text).substr(at, piece));
            if (read) read = reader.finish();
            EXPECT_EQ(read, whole.ok()) << text << " in pieces of " << piece;
            EXPECT_EQ(reader.error(), whole.error) << text << " in pieces of " << piece;
            EXPECT_EQ(spins, whole.spins) << text << " in pieces of " << piece;
        }
    }
}

class SpinFileDisk : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/quorvel-spin-file-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string write(const std::string& name, const std::string& text) const {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    std::filesystem::path dir_;
};

TEST_F(SpinFileDisk, AFileThatCannotBeReadIsRefusedByName) {
    const SpinFile missing = read_spin_file("/nonexistent/spins.txt");
    EXPECT_EQ(missing.error, "/nonexistent/spins.txt: cannot open (No such file or directory)");
    const SpinFile folder = read_spin_file("/");
    EXPECT_FALSE(folder.ok());
    EXPECT_EQ(folder.error.rfind("/: cannot read", 0), 0u) << folder.error;
    // A name is quoted with what a terminal would act on masked.
    const SpinFile named = read_spin_file(write("\x1B]0;x\a\xE2\x80\xAE.txt", "5 -1"));
    EXPECT_EQ(named.error,
              (dir_ / "?]0;x??.txt:1:3: '-1' is not a roulette number (0 to 36)").string());
}

// A file larger than a piece reads whole, and a bad token far in is found
// with its line and column counted across the pieces.
TEST_F(SpinFileDisk, ALongFileReadsAcrossItsPieces) {
    std::string text;
    Spins expected;
    for (int i = 0; i < 100000; ++i) {
        expected.push_back(static_cast<std::uint8_t>(i * 7 % 37));
        text += std::to_string(i * 7 % 37) + (i % 3 == 0 ? "\r" : i % 3 == 1 ? "\r\n" : ",");
    }
    const SpinFile good = read_spin_file(write("long.txt", text));
    ASSERT_TRUE(good.ok()) << good.error;
    EXPECT_EQ(good.spins, expected);

    const SpinFile bad = read_spin_file(write("bad.txt", text + "\n 37"));
    EXPECT_EQ(bad.error,
              (dir_ / "bad.txt").string() + ":66668:2: '37' is not a roulette number (0 to 36)");
}

// The reading stops at the first bad bytes: a device without end is refused
// at once, where a reader of whole files would fill the memory.
TEST_F(SpinFileDisk, AnEndlessDeviceIsRefusedAtItsFirstByte) {
    if (!std::filesystem::exists("/dev/zero")) GTEST_SKIP() << "no /dev/zero";
    const SpinFile zero = read_spin_file("/dev/zero");
    EXPECT_EQ(zero.error.rfind("/dev/zero:1:1: '????", 0), 0u) << zero.error;
}

// The window reads regular files only and says what else it was given; a
// named pipe without a writer would otherwise wait for ever in its opening.
TEST_F(SpinFileDisk, OnlyRegularFilesWhenAsked) {
    SpinReadOptions regular;
    regular.regular_files_only = true;
    const std::string fifo = (dir_ / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        std::string error;
    } cases[] = {
        {fifo, fifo + ": is a named pipe, not a file of spins; only regular files are loaded"},
        {"/dev/null", "/dev/null: is a device, not a file of spins; only regular files are loaded"},
        {dir_.string(),
         dir_.string() + ": is a folder, not a file of spins; only regular files are loaded"},
    };
    for (const auto& c : cases) {
        const SpinFile file = read_spin_file(c.path, regular);
        EXPECT_EQ(file.error, c.error);
    }
    const SpinFile good = read_spin_file(write("good.txt", "1 2 3"), regular);
    EXPECT_EQ(good.spins, (Spins{1, 2, 3}));
}

// The command line reads pipes: the numbers come in pieces, whenever the
// writer sends them.
TEST_F(SpinFileDisk, APipeReadsAsItsWriterSendsIt) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    std::thread writer([in = ends[1]] {
        for (const std::string_view piece : {"\xEF",
                                             "\xBB\xBF"
                                             "1",
                                             "2\r", "\n3", "6 0\n"}) {
            if (::write(in, piece.data(), piece.size()) < 0) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ::close(in);
    });
    const SpinFile file = read_spin_descriptor(ends[0], "standard input");
    writer.join();
    ::close(ends[0]);
    EXPECT_TRUE(file.ok()) << file.error;
    EXPECT_EQ(file.spins, (Spins{12, 36, 0}));
}

TEST_F(SpinFileDisk, ACancelledReadingGivesNoSpins) {
    const std::atomic<bool> cancel{true};
    SpinReadOptions options;
    options.cancel = &cancel;
    const SpinFile file = read_spin_file(write("s.txt", "1 2 3"), options);
    EXPECT_TRUE(file.cancelled);
    EXPECT_FALSE(file.ok());
    EXPECT_TRUE(file.spins.empty());
}

}  // namespace
}  // namespace quorvel
