// The real program, started as a user would (headless), in a data folder where one file is
// broken. Each case either runs (and ends with 0 on a close request) or exits with status 1 and
// its one-line message, within a few seconds, with no sanitizer report.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "bmp_writer.h"
#include "game_run.h"

namespace {

namespace fs = std::filesystem;
using bmp_writer::Format;

struct Case {
    std::string name;
    std::function<void(const fs::path& folder)> breakIt;
    int exitCode;         // 0: the program runs until asked to close
    std::string message;  // the start of the expected line on standard error
    bool display = true;  // false: no display at all (no DISPLAY, no SDL_VIDEODRIVER)
    // true: the folder is named as a level folder from /, the game's own data found beside the
    // program; false: the folder is the game's data (VORN7_DATA) and the working directory.
    bool levelFromRoot = false;
};

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
void WriteAll(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

struct PictureFile {
    const char* path;
    int width, height;
};
constexpr PictureFile kPictures[] = {{"gfx/tiles.bmp", 529, 133},
                                     {"gfx/bigben.bmp", 1024, 768},
                                     {"gfx/badguysprites2.bmp", 389, 129},
                                     {"vornsprites24bit.bmp", 520, 130}};

// Two colours, the key and a dark one, so that every format (1-bit included) can hold them.
bmp_writer::Pixel TwoColours(int x, int y) {
    return ((x / 8 + y / 8) % 2) ? 0xBDC6FF : 0x302010;
}

// Files that are not files: each replaces `name` in the folder.
void MakeDirectory(const fs::path& at) {
    fs::remove(at);
    fs::create_directory(at);
}
void MakeFifo(const fs::path& at) {
    fs::remove(at);
    ASSERT_EQ(mkfifo(at.c_str(), 0600), 0);
}
void LinkToDevZero(const fs::path& at) {
    fs::remove(at);
    fs::create_symlink("/dev/zero", at);
}

// A BMP of only its headers (no palette, no pixels) with the given header size and fields.
std::string HeadersOnly(std::uint32_t infoSize, std::uint32_t width, std::uint32_t height, int bits,
                        std::uint32_t compression) {
    std::string b(14 + (infoSize == 12 ? 12 : 40) + 36, '\0');
    auto put = [&b](std::size_t at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, static_cast<std::uint32_t>(b.size()), 4);
    put(10, 14 + infoSize, 4);
    put(14, infoSize, 4);
    if (infoSize == 12) {
        put(18, width, 2);
        put(20, height, 2);
        put(22, 1, 2);
        put(24, static_cast<std::uint32_t>(bits), 2);
    } else {
        put(18, width, 4);
        put(22, height, 4);
        put(26, 1, 2);
        put(28, static_cast<std::uint32_t>(bits), 2);
        put(30, compression, 4);
    }
    return b;
}

std::vector<Case> Catalogue() {
    std::vector<Case> cases;
    const std::string missing = "the file is missing or cannot be opened";
    for (const char* level : {"x2.lvl", "x2fg.lvl"}) {
        const std::string error = std::string("vorn7: ") + level + ": Error loading level.";
        const std::string lv = level;
        auto lines = [](int count, const std::string& line, const std::string& end) {
            std::string s;
            for (int i = 0; i < count; ++i) s += line + end;
            return s;
        };
        const std::string row(256, '<');
        cases.push_back(
            {lv + " missing", [lv](const fs::path& f) { fs::remove(f / lv); }, 1, error});
        cases.push_back(
            {lv + " empty", [lv](const fs::path& f) { WriteAll(f / lv, ""); }, 1, error});
        cases.push_back({lv + " 255 lines",
                         [=](const fs::path& f) { WriteAll(f / lv, lines(254, row, "\n") + row); },
                         1, error});
        cases.push_back({lv + " 255 lines and a line feed",
                         [=](const fs::path& f) { WriteAll(f / lv, lines(255, row, "\n")); }, 1,
                         error});
        cases.push_back(
            {lv + " lines of 10",
             [=](const fs::path& f) { WriteAll(f / lv, lines(256, "==========", "\n")); }, 0, ""});
        cases.push_back({lv + " CRLF",
                         [=](const fs::path& f) {
                             std::string s = ReadAll(f / lv), out;
                             for (char c : s)
                                 out += c == '\n' ? std::string("\r\n") : std::string(1, c);
                             WriteAll(f / lv, out);
                         },
                         0, ""});
        cases.push_back(
            {lv + " 300 x 300",
             [=](const fs::path& f) { WriteAll(f / lv, lines(300, std::string(300, '='), "\n")); },
             0, ""});
        cases.push_back(
            {lv + " NUL bytes",
             [=](const fs::path& f) { WriteAll(f / lv, lines(256, std::string(256, '\0'), "\n")); },
             0, ""});
        cases.push_back(
            {lv + " a directory", [lv](const fs::path& f) { MakeDirectory(f / lv); }, 1, error});
        cases.push_back({lv + " a FIFO", [lv](const fs::path& f) { MakeFifo(f / lv); }, 1, error});
        cases.push_back({lv + " a link to dev zero",
                         [lv](const fs::path& f) { LinkToDevZero(f / lv); }, 1, error});
        cases.push_back({lv + " over 16 MiB",
                         [=](const fs::path& f) {
                             std::ofstream out(f / lv, std::ios::binary | std::ios::trunc);
                             out << lines(256, row, "\n");
                             out << std::string(16 * 1024 * 1024, '\n');
                         },
                         1, error});
        cases.push_back(
            {lv + " a byte-order mark",
             [=](const fs::path& f) { WriteAll(f / lv, "\xEF\xBB\xBF" + ReadAll(f / lv)); }, 0,
             ""});
        cases.push_back({lv + " bytes above 127",
                         [=](const fs::path& f) {
                             WriteAll(f / lv, lines(256, std::string(256, '\xE9'), "\n"));
                         },
                         0, ""});
    }
    for (const PictureFile& p : kPictures) {
        const std::string path = p.path;
        const std::string prefix = "vorn7: " + path + ": ";
        const int w = p.width, h = p.height;
        auto encoded = [w, h](Format format, bmp_writer::Options options = {}) {
            const auto bytes = bmp_writer::Encode(w, h, format, TwoColours, options);
            return std::string(bytes.begin(), bytes.end());
        };
        auto setU32 = [](std::string& b, std::size_t at, std::uint32_t v) {
            for (int i = 0; i < 4; ++i)
                b[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
        };
        cases.push_back({path + " missing", [=](const fs::path& f) { fs::remove(f / path); }, 1,
                         prefix + missing});
        cases.push_back({path + " empty", [=](const fs::path& f) { WriteAll(f / path, ""); }, 1,
                         prefix + "the file is empty"});
        cases.push_back(
            {path + " truncated in the header",
             [=](const fs::path& f) { WriteAll(f / path, ReadAll(f / path).substr(0, 20)); }, 1,
             prefix + "the BMP header is truncated"});
        cases.push_back({path + " truncated in the palette",
                         [=](const fs::path& f) {
                             WriteAll(f / path, encoded(Format::Indexed8).substr(0, 54 + 300));
                         },
                         1, prefix + "the pixel data is missing"});
        cases.push_back({path + " truncated in the pixels",
                         [=](const fs::path& f) {
                             const std::string s = ReadAll(f / path);
                             WriteAll(f / path, s.substr(0, s.size() / 2));
                         },
                         1, prefix + "the pixel data is truncated"});
        cases.push_back({path + " a directory", [=](const fs::path& f) { MakeDirectory(f / path); },
                         1, prefix + "not a regular file"});
        cases.push_back({path + " a FIFO", [=](const fs::path& f) { MakeFifo(f / path); }, 1,
                         prefix + "not a regular file"});
        struct Headers {
            const char* label;
            std::uint32_t infoSize, width, height;
            int bits;
            std::uint32_t compression;
            const char* reason;
        };
        const Headers headers[] = {
            {"OS/2 16384 x 65535", 12, 16384, 65535, 32, 0, "the picture is too large"},
            {"OS/2 8192 x 65535", 12, 8192, 65535, 32, 0, "the picture is too large"},
            {"OS/2 64 x 64 without its rows", 12, 64, 64, 24, 0, "the pixel data is truncated"},
            {"8192 x 8192 x 32 without its rows", 40, 8192, 8192, 32, 0,
             "the pixel data is truncated"},
            {"8192 x 8192 bit fields without rows", 40, 8192, 8192, 32, 3,
             "the pixel data is truncated"},
            {"JPEG compression", 40, 64, 64, 24, 4, "unsupported BMP compression"},
            {"PNG compression", 40, 64, 64, 24, 5, "unsupported BMP compression"},
            {"compression 0x7FFFFFFF", 40, 64, 64, 24, 0x7FFFFFFF, "unsupported BMP compression"},
            {"RLE8 at 24 bits", 40, 64, 64, 24, 1, "the compression does not suit"},
            {"header size 0xFFFFFFF8", 0xFFFFFFF8u, 64, 64, 24, 0, "the BMP header is truncated"},
        };
        for (const Headers& hd : headers)
            cases.push_back({path + " " + hd.label,
                             [=](const fs::path& f) {
                                 WriteAll(f / path, HeadersOnly(hd.infoSize, hd.width, hd.height,
                                                                hd.bits, hd.compression));
                             },
                             1, prefix + hd.reason});
        cases.push_back(
            {path + " not a BMP",
             [=](const fs::path& f) { WriteAll(f / path, "just some text, not a picture"); }, 1,
             prefix + "not a BMP file"});
        cases.push_back({path + " a PNG renamed",
                         [=](const fs::path& f) {
                             WriteAll(f / path, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
                         },
                         1, prefix + "not a BMP file"});
        cases.push_back({path + " zero width",
                         [=](const fs::path& f) {
                             std::string s = encoded(Format::Rgb24);
                             setU32(s, 18, 0);
                             WriteAll(f / path, s);
                         },
                         1, prefix + "the picture has no pixels"});
        cases.push_back({path + " negative width",
                         [=](const fs::path& f) {
                             std::string s = encoded(Format::Rgb24);
                             setU32(s, 18, static_cast<std::uint32_t>(-w));
                             WriteAll(f / path, s);
                         },
                         1, prefix + "the picture has no pixels"});
        for (Format huge : {Format::Indexed8, Format::Rle8})
            cases.push_back(
                {path + (huge == Format::Rle8 ? " 100000 squared RLE8" : " 100000 squared 8-bit"),
                 [=](const fs::path& f) {
                     const auto small = bmp_writer::Encode(8, 8, huge, TwoColours);
                     std::string s(small.begin(), small.end());
                     setU32(s, 18, 100000);
                     setU32(s, 22, 100000);
                     WriteAll(f / path, s);
                 },
                 1, prefix + "the picture is too large"});
        const std::pair<const char*, Format> valid[] = {
            {"1-bit", Format::Indexed1},    {"4-bit", Format::Indexed4},
            {"RLE8", Format::Rle8},         {"16-bit 555", Format::Rgb555},
            {"16-bit 565", Format::Rgb565}, {"32-bit V5 with alpha", Format::Argb32V5}};
        for (const auto& [label, format] : valid)
            cases.push_back(
                {path + " " + label,
                 [=, fmt = format](const fs::path& f) { WriteAll(f / path, encoded(fmt)); }, 0,
                 ""});
        cases.push_back({path + " 32-bit V5 without alpha",
                         [=](const fs::path& f) {
                             bmp_writer::Options o;
                             o.alpha = 0;
                             WriteAll(f / path, encoded(Format::Argb32V5, o));
                         },
                         0, ""});
        cases.push_back({path + " top-down",
                         [=](const fs::path& f) {
                             bmp_writer::Options o;
                             o.topDown = true;
                             WriteAll(f / path, encoded(Format::Rgb24, o));
                         },
                         0, ""});
        cases.push_back(
            {path + " smaller than its layout",
             [=](const fs::path& f) {
                 const auto s = bmp_writer::Encode(w - 2, h - 2, Format::Rgb24, TwoColours);
                 WriteAll(f / path, std::string(s.begin(), s.end()));
             },
             1,
             prefix + "the picture is " + std::to_string(w - 2) + " x " + std::to_string(h - 2)});
    }
    cases.push_back({"no display", [](const fs::path&) {}, 1,
                     "vorn7: no display to show the game on (set DISPLAY or WAYLAND_DISPLAY)",
                     false});
    // A level's actors file that cannot be used ends the start as a bad level does.
    const struct {
        const char* name;
        std::string text;
        const char* message;
    } actors[] = {
        {"unknown kind", "walker 300 125\njumper 10 10\n", "line 2: unknown kind \"jumper\""},
        {"outside the world", "walker 8192 125\n", "line 1: x 8192 is outside the world"},
        {"malformed", "# two walkers\nwalker 300\n", "line 2: expected KIND X Y"},
        {"too many",
         [] {
             std::string s;
             for (int i = 0; i <= 256; ++i) s += "walker 300 125\n";
             return s;
         }(),
         "line 257: more than 256 walkers"},
        {"too large", std::string(70000, '#'), "it cannot be used: the file is too large"},
    };
    for (const auto& a : actors) {
        const std::string text = a.text;
        cases.push_back({std::string("x2.actors ") + a.name,
                         [text](const fs::path& f) { WriteAll(f / "x2.actors", text); }, 1,
                         std::string("vorn7: x2.actors: ") + a.message});
    }
    cases.push_back({"a level folder of just x2.lvl named from /",
                     [](const fs::path& f) {
                         for (const auto& entry : fs::directory_iterator(f))
                             if (entry.path().filename() != "x2.lvl") fs::remove_all(entry.path());
                     },
                     0, "", true, true});
    return cases;
}

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class BadInput : public ::testing::TestWithParam<Case> {};

TEST_P(BadInput, EndsAsExpected) {
    const Case& c = GetParam();
    std::string safe = c.name;
    for (char& ch : safe) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '-';
    const fs::path folder = game_run::CopyOfDataFolder("catalogue-" + safe);
    c.breakIt(folder);
    const fs::path errors = folder / "stderr.txt";
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (!freopen(errors.c_str(), "w", stderr)) _exit(126);
        if (chdir(c.levelFromRoot ? "/" : folder.c_str()) != 0) _exit(126);
        if (!c.levelFromRoot) setenv("VORN7_DATA", folder.c_str(), 1);
        if (c.display) {
            setenv("SDL_VIDEODRIVER", "dummy", 1);
        } else {
            unsetenv("SDL_VIDEODRIVER");
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
        }
        if (c.levelFromRoot)
            execl(VORN7_PROGRAM, VORN7_PROGRAM, folder.c_str(), static_cast<char*>(nullptr));
        else
            execl(VORN7_PROGRAM, VORN7_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    bool ended = false;
    rusage usage{};
    // A running program is asked to close (SIGTERM arrives as a close request) after a second.
    while (std::chrono::steady_clock::now() - start <
           std::chrono::seconds(c.exitCode == 0 ? 1 : 20)) {
        if (wait4(child, &status, WNOHANG, &usage) == child) {
            ended = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!ended) {
        kill(child, SIGTERM);
        const auto asked = std::chrono::steady_clock::now();
        while (!ended && std::chrono::steady_clock::now() - asked < std::chrono::seconds(20)) {
            ended = wait4(child, &status, WNOHANG, &usage) == child;
            if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (!ended) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            FAIL() << c.name << ": the program did not end";
        }
    }
    const std::string err = ReadAll(errors);
    ASSERT_TRUE(WIFEXITED(status)) << c.name << " " << err;
    EXPECT_EQ(WEXITSTATUS(status), c.exitCode) << c.name << "\n" << err;
    EXPECT_EQ(err.find("Sanitizer"), std::string::npos) << err;
    if (c.exitCode == 0) {
        EXPECT_EQ(err, "") << c.name;
    } else {
        // Files are named as opened from the folder the game ran in.
        std::string expected = c.message;
        if (c.display) expected.insert(7, (fs::canonical(folder) / "").string());
        EXPECT_EQ(err.rfind(expected, 0), 0u) << c.name << ": " << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;  // one line
#ifndef __SANITIZE_ADDRESS__  // the sanitizers' shadow memory would count here
        // A refusal comes before any large allocation.
        EXPECT_LT(usage.ru_maxrss, 64 * 1024) << c.name << ": peak resident kB";
#endif
    }
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BadInput, ::testing::ValuesIn(Catalogue()),
                         [](const ::testing::TestParamInfo<Case>& param) {
                             std::string n = param.param.name;
                             for (char& ch : n)
                                 ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return n;
                         });

}  // namespace
