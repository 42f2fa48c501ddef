#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "platform/ReadLimits.h"
#include "support/TestEnv.h"

namespace {

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::size_t openDescriptors() {
    std::size_t count = 0;
    for (auto it = std::filesystem::directory_iterator("/proc/self/fd");
         it != std::filesystem::directory_iterator(); ++it)
        ++count;
    return count;
}

class DataFileTest : public ::testing::Test {
protected:
    std::string file(const std::string& name, const std::string& bytes) {
        const std::string path = dir.file(name);
        writeFile(path, bytes);
        return path;
    }
    orvextest::TempDir dir;
    LogCapture log;
};

} // namespace

TEST_F(DataFileTest, MissingFileGivesClosedStreamThatChangesNothing) {
    DataFile data;
    EXPECT_FALSE(data.open(dir.file("missing.dat")));
    EXPECT_FALSE(data.good());
    int i = 42;
    double d = 1.5;
    std::string word = "stale";
    data.readInt(i).readDouble(d).readWord(word);
    EXPECT_EQ(i, 42);
    EXPECT_EQ(d, 1.5);
    EXPECT_EQ(word, "");

    DataFile closed;
    EXPECT_FALSE(closed.good());
    EXPECT_FALSE(DataFile(dir.file("x"), 7).good()) << "unknown access mode opens nothing";
}

TEST_F(DataFileTest, OnlyRegularFilesAreOpenedForReading) {
    // A named pipe would block the open until some program wrote to it.
    const std::string pipe = dir.file("pipe.def");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::size_t before = openDescriptors();
    DataFile data;
    EXPECT_FALSE(data.open(pipe));
    EXPECT_FALSE(data.open(pipe, DataFile::ReadWrite, 1));
    EXPECT_FALSE(data.open(dir.path()));
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_TRUE(data.open(file("plain.def", "Radius: 1\n")));
    std::string word;
    data.readWord(word);
    EXPECT_EQ(word, "Radius:");
}

TEST_F(DataFileTest, TextIntegersFollowScanfPercentI) {
    DataFile data(file("ints.txt", "010 0x1F -12 +7 0XfF 09 12abc 4294967295 99999999999\n"));
    std::vector<int> v(7);
    data.readInt(v[0]).readInt(v[1]).readInt(v[2]).readInt(v[3]).readInt(v[4]).readInt(v[5]);
    EXPECT_EQ(v[0], 8);
    EXPECT_EQ(v[1], 31);
    EXPECT_EQ(v[2], -12);
    EXPECT_EQ(v[3], 7);
    EXPECT_EQ(v[4], 255);
    EXPECT_EQ(v[5], 0) << "9 is no octal digit";
    data.readInt(v[6]);
    EXPECT_EQ(v[6], 9);
    // The rest of a token after the number stays for the next read.
    int n = 0;
    std::string word;
    data.readInt(n).readWord(word);
    EXPECT_EQ(n, 12);
    EXPECT_EQ(word, "abc");
    data.readInt(n);
    EXPECT_EQ(n, -1) << "32-bit values wrap into the int";
    data.readInt(n);
    EXPECT_EQ(n, 2147483647) << "larger values saturate";
}

TEST_F(DataFileTest, MalformedNumbersAreSkippedNotStuckOn) {
    DataFile data(file("bad.txt", "abc 5 - 7 x.y 2.5"));
    int n = 3;
    data.readInt(n);
    EXPECT_EQ(n, 3) << "a token that is no integer leaves the target";
    data.readInt(n);
    EXPECT_EQ(n, 5);
    data.readInt(n).readInt(n);
    EXPECT_EQ(n, 7);
    float f = 1.0f;
    data.readFloat(f);
    EXPECT_EQ(f, 1.0f);
    data.readFloat(f);
    EXPECT_EQ(f, 2.5f);

    // A reader that loops on good() over garbage ends.
    DataFile garbage(file("garbage.txt", "nothing but words here"));
    int reads = 0;
    while (garbage.good() && reads < 100) {
        garbage.readInt(n);
        ++reads;
    }
    EXPECT_LT(reads, 100);
}

TEST_F(DataFileTest, TextRealsConvertLikeAtofInAnyLocale) {
    const std::string path = file("reals.txt", "2.5e3 letters 1.5xyz 0.25 .5 -1e-2");
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    DataFile data(path);
    double a = 9, b = 9, c = 9;
    float f = 0, g = 0, h = 0;
    data.readDouble(a).readDouble(b).readDouble(c).readFloat(f).readFloat(g).readFloat(h);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(a, 2500.0);
    EXPECT_EQ(b, 0.0) << "letters give 0";
    EXPECT_EQ(c, 1.5);
    EXPECT_EQ(f, 0.25f);
    EXPECT_EQ(g, 0.5f);
    EXPECT_FLOAT_EQ(h, -0.01f);
    if (!comma)
        GTEST_SKIP() << "no comma-decimal locale to prove locale independence";
}

TEST_F(DataFileTest, BinaryValuesAreSwappedExactlyWhenOrdersDiffer) {
    std::string bytes("\x01\x02\x03\x04", 4);
    // 1.5 as a big-endian double and float, then two big-endian ints.
    bytes += std::string("\x3F\xF8\0\0\0\0\0\0", 8);
    bytes += std::string("\x3F\xC0\0\0", 4);
    bytes += std::string("\0\0\0\x05\xFF\xFF\xFF\xFE", 8);
    const std::string path = file("values.bin", bytes);

    DataFile big(path, DataFile::Read, 1, DataFile::BigEndian);
    int i = 0;
    double d = 0;
    float f = 0;
    int pair[2] = {0, 0};
    big.readInt(i).readDouble(d).readFloat(f).readIntArray(pair, 2);
    EXPECT_EQ(i, 0x01020304) << "the first byte is the most significant";
    EXPECT_EQ(d, 1.5);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(pair[0], 5);
    EXPECT_EQ(pair[1], -2);

    for (int order : {DataFile::LittleEndian, DataFile::HostOrder}) {
        DataFile little(path, DataFile::Read, 1, order);
        little.readInt(i);
        EXPECT_EQ(i, 0x04030201) << "order " << order;
    }
    DataFile later(path, DataFile::Read, 1, DataFile::LittleEndian);
    later.setByteOrder(DataFile::BigEndian);
    later.readInt(i);
    EXPECT_EQ(i, 0x01020304);

    EXPECT_EQ(DataFile::hostByteOrder(), DataFile::LittleEndian);
    EXPECT_EQ(DataFile::swapInt(0x01020304), 0x04030201);
    EXPECT_EQ(DataFile::swapDouble(DataFile::swapDouble(-3.25)), -3.25);
    EXPECT_EQ(DataFile::swapFloat(DataFile::swapFloat(7.5f)), 7.5f);
}

TEST_F(DataFileTest, BinaryReadCutShortKeepsTheValue) {
    DataFile data(file("short.bin", std::string("\x01\x02", 2)), DataFile::Read, 1);
    int i = 17;
    data.readInt(i);
    EXPECT_EQ(i, 17);
    EXPECT_FALSE(data.good());

    DataFile arr(file("short2.bin", std::string("\x07\0\0\0\x09\0", 6)), DataFile::Read, 1);
    int values[3] = {1, 1, 1};
    arr.readIntArray(values, 3);
    EXPECT_EQ(values[0], 7);
    EXPECT_EQ(values[1], 1);
    EXPECT_EQ(values[2], 1);
}

TEST_F(DataFileTest, BinaryStringsRunToNulOfAnyLength) {
    const std::string longName(70000, 'q');
    std::string bytes = std::string("Name:\0Earth\0", 12) + longName + std::string("\0tail", 5);
    DataFile data(file("strings.bin", bytes), DataFile::Read, 1);
    std::string a, b, c, d, e;
    data.readString(a).readWord(b).readString(c).readString(d);
    EXPECT_EQ(a, "Name:");
    EXPECT_EQ(b, "Earth");
    EXPECT_EQ(c, longName);
    EXPECT_EQ(d, "tail") << "the end of the file ends the last string";
    EXPECT_FALSE(data.good());
    data.readString(e);
    EXPECT_EQ(e, "");
}

TEST_F(DataFileTest, BinaryStringsLongerThanTheLimitEndTheFile) {
    std::string bytes = std::string("Name:\0", 6) + std::string(platform::maxStringBytes, 'q');
    DataFile whole(file("whole.bin", bytes), DataFile::Read, 1);
    std::string a, b;
    whole.readString(a).readString(b);
    EXPECT_EQ(b.size(), platform::maxStringBytes);
    EXPECT_TRUE(log.messages().empty());

    DataFile cut(file("cut.bin", bytes + "q\0tail"), DataFile::Read, 1);
    cut.readString(a).readString(b);
    EXPECT_EQ(a, "Name:");
    EXPECT_EQ(b, "");
    EXPECT_FALSE(cut.good());
    EXPECT_EQ(log.messages(),
              std::vector<std::string>{"File " + dir.file("cut.bin") +
                                       ": a string is longer than 16777216 bytes; the rest of "
                                       "the file is not read."});
}

TEST_F(DataFileTest, BinaryFlagOtherThanOneReadsText) {
    DataFile data(file("two.txt", "12 word"), DataFile::Read, 2);
    int i = 0;
    std::string w;
    data.readInt(i).readWord(w);
    EXPECT_EQ(i, 12);
    EXPECT_EQ(w, "word");
}

// A UTF-8 byte-order mark that an editor put first is no part of a text;
// anywhere else, or in a binary file, its bytes are data.
TEST_F(DataFileTest, AByteOrderMarkBeginsNoText) {
    const std::string mark = "\xef\xbb\xbf";
    std::string w, line;
    DataFile words(file("mark.txt", mark + "Timer.Speed 8\r\n" + mark + "\n"));
    words.readWord(w).readLine(line);
    EXPECT_EQ(w, "Timer.Speed");
    EXPECT_EQ(line, " 8\r");
    words.readLine(line);
    EXPECT_EQ(line, mark);
    DataFile lines(file("line.txt", mark + "Earth Tokyo 1 2\n"));
    lines.readLine(line);
    EXPECT_EQ(line, "Earth Tokyo 1 2");
    int i = 0;
    DataFile number(file("number.txt", mark + "12"));
    number.readInt(i);
    EXPECT_EQ(i, 12);
    // Texts that only begin like it, or are shorter, are read whole.
    for (const std::string& text : {std::string("\xef\xbbx"), std::string("\xef"), std::string()}) {
        DataFile data(file("like.txt", text));
        EXPECT_TRUE(data.good());
        data.readWord(w);
        EXPECT_EQ(w, text);
    }
    DataFile binary(file("mark.dat", mark + "A"), DataFile::Read, 1, DataFile::LittleEndian);
    binary.readInt(i);
    EXPECT_EQ(i, 0x41bfbbef);
}

TEST_F(DataFileTest, LinesKeepCarriageReturnAndEndEmpty) {
    DataFile data(file("crlf.txt", "a b\r\n\nlast"));
    std::string line = "x";
    data.readLine(line);
    EXPECT_EQ(line, "a b\r");
    data.readLine(line);
    EXPECT_EQ(line, "");
    EXPECT_TRUE(data.good());
    data.readLine(line);
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(data.good());
    data.readLine(line);
    EXPECT_EQ(line, "") << "a read past the end gives no stale line";

    // A carriage return alone ends a line (old Mac files), also for the
    // limit: these lines are short, the file is not.
    std::string oldMac = "# head\r\rb c\r";
    while (oldMac.size() < 70000)
        oldMac += "Earth Tokyo 35.6895 139.692 \r";
    DataFile mac(file("mac.txt", oldMac + "last\r\n"));
    char text[8] = "x";
    mac.readWord(line).readLine(line);
    EXPECT_EQ(line, " head");
    mac.readLine(text, sizeof text);
    EXPECT_STREQ(text, "");
    mac.readLine(line);
    EXPECT_EQ(line, "b c");
    int lines = 0;
    for (mac.readLine(line); mac.good() && line != "last\r"; mac.readLine(line))
        ++lines;
    EXPECT_EQ(lines, int(oldMac.size() - 12) / 29);
    EXPECT_EQ(line, "last\r");
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(DataFileTest, CommentTokenThenRestOfLine) {
    DataFile data(file("comment.txt", "# a comment here\n#\nRadius: 3.5 }\n"));
    std::string word, rest;
    data.readWord(word).readLine(rest);
    EXPECT_EQ(word, "#");
    EXPECT_EQ(rest, " a comment here");
    data.readWord(word).readLine(rest);
    EXPECT_EQ(word, "#");
    EXPECT_EQ(rest, "") << "a comment mark at the end of its line leaves an empty rest";
    double r = 0;
    data.readWord(word).readDouble(r);
    EXPECT_EQ(word, "Radius:");
    EXPECT_EQ(r, 3.5);
    data.readWord(word);
    EXPECT_EQ(word, "}");
}

TEST_F(DataFileTest, EndOfFileGivesOneEmptyLastRead) {
    // With a final line feed the loop's last read finds nothing and says so.
    DataFile data(file("words.txt", "one two\n"));
    std::vector<std::string> words;
    std::string w;
    while (data.good()) {
        data.readWord(w);
        words.push_back(w);
    }
    EXPECT_EQ(words, (std::vector<std::string>{"one", "two", ""}));

    // Without it the last word already ends the stream.
    DataFile bare(file("bare.txt", "one two"));
    words.clear();
    while (bare.good()) {
        bare.readWord(w);
        words.push_back(w);
    }
    EXPECT_EQ(words, (std::vector<std::string>{"one", "two"}));

    // Numbers keep their value at the end.
    DataFile nums(file("nums.txt", "4\n"));
    int n = 0;
    double d = 0;
    nums.readInt(n).readInt(n).readDouble(d);
    EXPECT_EQ(n, 4);
    EXPECT_EQ(d, 0.0);
    EXPECT_FALSE(nums.good());
}

TEST_F(DataFileTest, TokensAndLinesUpToTheLimitComeBackWhole) {
    const std::string token(platform::maxLineBytes, 't');
    const std::string line(platform::maxLineBytes, 'l');
    DataFile data(file("long.txt", token + "\n" + line + "\nend"));
    std::string a, rest, c, d;
    data.readWord(a).readLine(rest).readLine(c).readWord(d);
    EXPECT_EQ(a, token);
    EXPECT_EQ(rest, "");
    EXPECT_EQ(c, line);
    EXPECT_EQ(d, "end");
    EXPECT_TRUE(log.messages().empty());
}

// A file without line breaks (here 6 GB of zeros, made sparse) is read only
// up to the limit: whatever read runs into it finds nothing and ends the
// stream, with one message naming the file.
TEST_F(DataFileTest, ALineLongerThanTheLimitEndsTheFile) {
    const auto overlong = [&](const std::string& name, const std::string& head) {
        const std::string path = file(name, head);
        EXPECT_EQ(::truncate(path.c_str(), 6LL << 30), 0);
        return path;
    };
    const std::string message = ": a word or line is longer than 65535 bytes; the rest of the "
                                "file is not read.";
    std::string word = "stale", line = "stale";
    DataFile words(overlong("words.txt", "first 12\n"));
    int n = 0;
    words.readWord(word).readInt(n);
    EXPECT_EQ(word, "first");
    EXPECT_EQ(n, 12);
    EXPECT_TRUE(words.good());
    words.readWord(word);
    EXPECT_EQ(word, "");
    EXPECT_FALSE(words.good());
    words.readInt(n).readWord(word).readLine(line);
    EXPECT_EQ(n, 12);
    EXPECT_EQ(line, "");
    ASSERT_EQ(log.messages().size(), 1u);
    EXPECT_EQ(log.messages()[0], "File " + dir.file("words.txt") + message);

    // Spaces count: a line is too long whatever it holds.
    DataFile lines(file("lines.txt", "a\n" + std::string(70000, ' ') + "b\nc\n"));
    lines.readLine(line);
    EXPECT_EQ(line, "a");
    lines.readWord(word);
    EXPECT_EQ(word, "");
    EXPECT_FALSE(lines.good());

    // A number read stops at the limit too, however many digits it finds.
    DataFile digits(file("digits.txt", "7 " + std::string(70000, '1')));
    digits.readInt(n);
    EXPECT_EQ(n, 7);
    digits.readInt(n);
    EXPECT_EQ(n, 7);
    EXPECT_FALSE(digits.good());

    char out[16] = "stale";
    DataFile bounded(overlong("bounded.txt", "ab\n"));
    bounded.readLine(out, sizeof out);
    EXPECT_STREQ(out, "ab");
    while (bounded.good())
        bounded.readLine(out, sizeof out);
    EXPECT_STREQ(out, "");
    EXPECT_TRUE(log.contains("File " + dir.file("bounded.txt") + message));

    // An endless file (it reports size 0) costs a bounded read too.
    DataFile endless("/proc/self/pagemap");
    ASSERT_TRUE(endless.good());
    while (endless.good())
        endless.readWord(word);
    EXPECT_TRUE(log.contains("File /proc/self/pagemap" + message));
}

TEST_F(DataFileTest, BoundedLineReadIntoCallerArray) {
    DataFile data(file("bounded.txt", "abcdefgh\nxy\n"));
    char out[5];
    data.readLine(out, sizeof out);
    EXPECT_STREQ(out, "abcd");
    data.readLine(out, sizeof out);
    EXPECT_STREQ(out, "efgh");
    data.readLine(out, sizeof out);
    EXPECT_STREQ(out, "") << "the line feed left over from the cut";
    data.readLine(out, sizeof out);
    EXPECT_STREQ(out, "xy");
    data.readLine(out, sizeof out);
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(data.good());
}

TEST_F(DataFileTest, WritesPutOneBlankAfterEveryToken) {
    const std::string path = dir.file("out.txt");
    {
        DataFile data(path, DataFile::Write);
        ASSERT_TRUE(data.good());
        data.writeText("a").writeText("b").writeText("\n");
        data.writeString("Earth").writeString("").writeText("\n");
        data.writeText(nullptr);
        EXPECT_TRUE(data.close());
    }
    EXPECT_EQ(readFile(path), "a b \nEarth  \n");
    // A write that is never closed, gone or opened again, leaves the file as
    // it was and nothing beside it.
    {
        DataFile unfinished(path, DataFile::Write);
        unfinished.writeText("half");
        DataFile reopened(path, DataFile::Write);
        reopened.writeText("half");
        reopened.open(path);
        DataFile moved(path, DataFile::Write);
        moved.writeText("half");
        moved = DataFile();
    }
    EXPECT_EQ(readFile(path), "a b \nEarth  \n");
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find(".orvex-"), std::string::npos);

    const std::string bin = dir.file("out.bin");
    DataFile data(bin, DataFile::Write, 1);
    data.writeText("Name:").writeString("").writeString("Sun");
    data.close();
    EXPECT_EQ(readFile(bin), "Name:Sun");
}

TEST_F(DataFileTest, ReadWriteModeOnlyReads) {
    const std::string path = file("rw.txt", "keep me");
    DataFile data(path, DataFile::ReadWrite);
    std::string w;
    data.readWord(w);
    EXPECT_EQ(w, "keep");
    data.close();
    EXPECT_EQ(readFile(path), "keep me");
    EXPECT_FALSE(DataFile(dir.file("absent.txt"), DataFile::ReadWrite).good())
        << "no file is created";
}

TEST_F(DataFileTest, OpeningAgainClosesTheEarlierFile) {
    const std::string first = file("first.txt", "first");
    const std::string second = file("second.txt", "second");
    DataFile data(first);
    const std::size_t before = openDescriptors();
    for (int i = 0; i < 50; ++i)
        data.open(i % 2 ? first : second);
    EXPECT_EQ(openDescriptors(), before);
    std::string w;
    data.readWord(w);
    EXPECT_EQ(w, "first");
    DataFile moved = std::move(data);
    moved.close();
    EXPECT_EQ(openDescriptors(), before - 1);
}

TEST_F(DataFileTest, DirectoryReadEndsTheStream) {
    DataFile data(dir.path());
    int reads = 0;
    std::string w;
    while (data.good() && reads < 10) {
        data.readWord(w);
        ++reads;
    }
    EXPECT_LE(reads, 1);
    EXPECT_EQ(w, "");
}

// A read that fails (as on a failing disk; /proc/self/mem fails at address 0)
// is no end of the file: the stream ends with the reason, and the log says so.
TEST_F(DataFileTest, AFailedReadEndsTheStreamWithItsReason) {
    const std::string failed = "a read failed: Input/output error";
    for (int binary : {0, 1}) {
        DataFile data("/proc/self/mem", DataFile::Read, binary);
        ASSERT_TRUE(data.good());
        std::string w = "stale";
        data.readWord(w);
        EXPECT_EQ(w, "");
        EXPECT_FALSE(data.good());
        EXPECT_EQ(data.cutReason(), failed);
    }
    // So does each binary number read, and the number keeps its value.
    for (int read = 0; read < 4; ++read) {
        DataFile data("/proc/self/mem", DataFile::Read, 1);
        int i[1] = {7};
        float f = 7;
        double d = 7;
        switch (read) {
        case 0:
            data.readInt(i[0]);
            break;
        case 1:
            data.readIntArray(i, 1);
            break;
        case 2:
            data.readFloat(f);
            break;
        default:
            data.readDouble(d);
        }
        EXPECT_EQ(i[0] + f + d, 21.0) << read;
        EXPECT_EQ(data.cutReason(), failed) << read;
    }
    EXPECT_TRUE(
        log.contains("File /proc/self/mem: " + failed + "; the rest of the file is not read."));
}
