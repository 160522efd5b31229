// The window's kept place: what one run keeps the next reads back; a kept file that is anything
// else is ignored, whatever it holds or is; a folder that cannot be written keeps nothing, in
// one line.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/window/window_memory.h"

namespace {

namespace fs = std::filesystem;

// A state folder of the test's own, as XDG_STATE_HOME.
fs::path FreshStateFolder() {
    const fs::path folder =
        fs::temp_directory_path() / ("vorn7-window-memory-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    setenv("XDG_STATE_HOME", folder.c_str(), 1);
    return folder;
}

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Placement(const WindowPlacement& p) {
    return std::string(p.fullScreen ? "full screen" : "windowed") +
           (p.placed ? " at " + std::to_string(p.x) + "," + std::to_string(p.y) + " " +
                           std::to_string(p.width) + "x" + std::to_string(p.height)
                     : " with no place");
}

TEST(WindowMemory, WhatOneRunKeepsTheNextReads) {
    const fs::path folder = FreshStateFolder();
    EXPECT_EQ(WindowMemoryFile(), (folder / "vorn7/window").string());
    for (const WindowPlacement& kept : {WindowPlacement{false, true, 120, 80, 800, 600},
                                        WindowPlacement{true, true, -1500, -20, 1024, 768},
                                        WindowPlacement{true, false, 0, 0, 0, 0}}) {
        SCOPED_TRACE(Placement(kept));
        RememberWindowPlacement(kept);
        WindowPlacement read{false, false, 1, 2, 3, 4};
        ASSERT_TRUE(RecallWindowPlacement(read));
        EXPECT_EQ(Placement(read), Placement(kept));
    }
    // Written whole through a temporary file, which does not stay.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "vorn7"), fs::directory_iterator()), 1);

    // Without XDG_STATE_HOME (or with a relative one, which is not to be used): the home's.
    const std::string home = (folder / "home").string();
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_STATE_HOME", "relative/state", 1);
    EXPECT_EQ(WindowMemoryFile(), home + "/.local/state/vorn7/window");
    unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(WindowMemoryFile(), home + "/.local/state/vorn7/window");
    setenv("HOME", "", 1);
    EXPECT_EQ(WindowMemoryFile(), "");
    WindowPlacement none;
    EXPECT_FALSE(RecallWindowPlacement(none));
    fs::remove_all(folder);
}

TEST(WindowMemory, AKeptFileThatIsAnythingElseIsIgnored) {
    const fs::path folder = FreshStateFolder();
    const fs::path kept = folder / "vorn7/window";
    const std::string good = "full-screen no\nplace 10 20\nsize 800 600\n";
    struct Case {
        const char* what;
        std::string bytes;
    };
    for (const Case& c : {
             Case{"empty", ""},
             Case{"no full-screen line", "place 10 20\nsize 800 600\n"},
             Case{"a place without a size", "full-screen no\nplace 10 20\n"},
             Case{"full-screen neither yes nor no", "full-screen maybe\n"},
             Case{"a line twice", good + "place 10 20\n"},
             Case{"an unknown line", good + "colour blue\n"},
             Case{"a word too many", "full-screen no\nplace 10 20 30\nsize 800 600\n"},
             Case{"two spaces", "full-screen  no\n"},
             Case{"a space at the end", "full-screen no \n"},
             Case{"a Windows line end", "full-screen no\r\n"},
             Case{"not a number", "full-screen no\nplace 1e3 20\nsize 800 600\n"},
             Case{"a number too long", "full-screen no\nplace 10000000 20\nsize 800 600\n"},
             Case{"past any desktop", "full-screen no\nplace 1000001 20\nsize 800 600\n"},
             Case{"a size of 0", "full-screen no\nplace 10 20\nsize 0 600\n"},
             Case{"a size too large", "full-screen no\nplace 10 20\nsize 16385 600\n"},
             Case{"a negative size", "full-screen no\nplace 10 20\nsize -800 600\n"},
             Case{"a NUL byte", std::string("full-screen no\nplace 10 2\0\nsize 800 600\n", 40)},
             Case{"over 4 KiB", good + std::string(4096, '#')},
             Case{"binary noise", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
         }) {
        SCOPED_TRACE(c.what);
        Write(kept, c.bytes);
        WindowPlacement read{false, false, 1, 2, 3, 4};
        EXPECT_FALSE(RecallWindowPlacement(read));
        EXPECT_EQ(Placement(read), "windowed with no place");  // untouched
        EXPECT_EQ(read.x, 1);
    }
    Write(kept, "# a comment\n\n" + good);
    WindowPlacement read;
    ASSERT_TRUE(RecallWindowPlacement(read)) << "the good file these cases spoil";

    // Not a regular file: a folder, a FIFO (which must not block), an endless device.
    fs::remove(kept);
    fs::create_directory(kept);
    EXPECT_FALSE(RecallWindowPlacement(read));
    fs::remove(kept);
    ASSERT_EQ(::mkfifo(kept.c_str(), 0600), 0);
    EXPECT_FALSE(RecallWindowPlacement(read));
    fs::remove(kept);
    fs::create_symlink("/dev/zero", kept);
    EXPECT_FALSE(RecallWindowPlacement(read));
    fs::remove_all(folder);
}

TEST(WindowMemory, AFolderThatCannotBeWrittenKeepsNothingInOneLine) {
    const fs::path folder = FreshStateFolder();
    // The state folder is a file; then the kept file's name is a folder.
    Write(folder / "file", "not a folder");
    setenv("XDG_STATE_HOME", (folder / "file").c_str(), 1);
    for (int i = 0; i < 2; ++i) {
        testing::internal::CaptureStderr();
        RememberWindowPlacement(WindowPlacement{false, true, 1, 2, 640, 480});
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said, "vorn7: " + WindowMemoryFile() +
                            ": the window's place was not remembered (" +
                            (i == 0 ? "Not a directory" : "Is a directory") + ")\n");
        setenv("XDG_STATE_HOME", folder.c_str(), 1);
        fs::create_directories(folder / "vorn7/window");
    }
    EXPECT_TRUE(fs::is_empty(folder / "vorn7/window"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "vorn7"), fs::directory_iterator()),
              1);  // no temporary file left
    fs::remove_all(folder);
}

}  // namespace
