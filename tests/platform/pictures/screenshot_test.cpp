// Screenshots: where they go (the user's pictures folder) and how they are written (whole, never
// over another file, or a reason and nothing).
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "display_fixture.h"
#include "platform/pictures/screenshot.h"

namespace {

namespace fs = std::filesystem;

struct Home {
    fs::path path = fs::temp_directory_path() / ("vorn7-home-" + std::to_string(::getpid()));
    Home() {
        fs::remove_all(path);
        fs::create_directories(path);
        setenv("HOME", path.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_PICTURES_DIR");
    }
    ~Home() { fs::remove_all(path); }
};

TEST(Screenshot, PicturesFolderFollowsXdgUserDirsThenPicturesThenHome) {
    struct Case {
        const char* what;
        const char* userDirs;  // the line in ~/.config/user-dirs.dirs; null: no file
        bool picturesExists;
        const char* variable;  // XDG_PICTURES_DIR; null: unset
        const char* expected;  // ~ for HOME
    };
    const Case cases[] = {
        {"the user-dirs file", "XDG_PICTURES_DIR=\"$HOME/Bilder\"", true, "/elsewhere", "~/Bilder"},
        {"an absolute user-dirs path", "XDG_PICTURES_DIR=\"/srv/shots\"", true, nullptr,
         "/srv/shots"},
        {"the variable", "XDG_MUSIC_DIR=\"$HOME/Music\"", true, "/elsewhere", "/elsewhere"},
        {"~/Pictures", nullptr, true, nullptr, "~/Pictures"},
        {"home", nullptr, false, nullptr, "~"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Home home;
        if (c.userDirs != nullptr) {
            fs::create_directories(home.path / ".config");
            std::ofstream(home.path / ".config/user-dirs.dirs") << "# written by a test\n"
                                                                << c.userDirs << "\n";
        }
        if (c.picturesExists) fs::create_directories(home.path / "Pictures");
        if (c.variable != nullptr) setenv("XDG_PICTURES_DIR", c.variable, 1);
        const std::string expected =
            c.expected[0] == '~' ? home.path.string() + (c.expected + 1) : c.expected;
        EXPECT_EQ(PicturesFolder(), expected);
        unsetenv("XDG_PICTURES_DIR");
    }
}

// The PNG's size and its pixel (0, 0) as 0xRRGGBB.
void ReadPng(const fs::path& path, int* width, int* height, std::uint32_t* first) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&image, path.c_str()), 0) << path;
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr), 0);
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    *first = (pixels[0] << 16) | (pixels[1] << 8) | pixels[2];
}

TEST(Screenshot, EachSaveTakesAFreeNameAndAFailureSaysWhy) {
    ASSERT_TRUE(display_fixture::Open(640, 480, 32));
    IDirectDrawSurface* frame = display_fixture::MakeSurface(64, 32);
    display_fixture::Fill(frame, display_fixture::RawOf(10, 200, 30));
    Home home;
    const std::string folder = home.path.string();
    const std::time_t when = 1'700'000'000;
    const ScreenshotOutcome first = SaveScreenshot(*frame, folder, when);
    const ScreenshotOutcome second = SaveScreenshot(*frame, folder, when);  // the same second
    const ScreenshotOutcome missing = SaveScreenshot(*frame, folder + "/none", when);
    frame->Release();
    display_fixture::Close();

    ASSERT_TRUE(first.saved) << first.text;
    ASSERT_TRUE(second.saved) << second.text;
    EXPECT_EQ(fs::path(first.text).parent_path(), home.path);
    EXPECT_EQ(fs::path(first.text).extension(), ".png");
    EXPECT_EQ(fs::path(second.text).stem(), fs::path(first.text).stem().string() + "-2");
    for (const std::string& path : {first.text, second.text}) {
        int width = 0, height = 0;
        std::uint32_t pixel = 0;
        ReadPng(path, &width, &height, &pixel);
        EXPECT_EQ(width, 64);
        EXPECT_EQ(height, 32);
        EXPECT_EQ(pixel, 0x0AC81Eu);
    }
    EXPECT_FALSE(missing.saved);
    EXPECT_EQ(missing.text, folder + "/none: No such file or directory");
    int files = 0;
    for (const auto& entry : fs::directory_iterator(home.path)) files += entry.is_regular_file();
    EXPECT_EQ(files, 2) << "no temporary file is left behind";
}

}  // namespace
