#include "shell/live_reload.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "actors/actor_manager.h"
#include "actors/sprite_constants.h"
#include "graphics/load_failure.h"
#include "platform/files/data_path.h"
#include "platform/files/file_watch.h"
#include "platform/files/regular_file.h"
#include "shell/camera.h"
#include "shell/camera_follow.h"
#include "shell/picture_loading.h"
#include "world/actors_file.h"
#include "world/level_error.h"
#include "world/world.h"

namespace {

enum class Kind { kTileLevel, kBlockLevel, kPicture, kActors, kView, kMark };

// In a watched level folder: the game that watches it (its process number), so that Tiled's Play
// moves this game's camera instead of starting another; and the view Play asks for, "X Y".
constexpr const char* kWatchingFile = ".vorn7-watching";
constexpr const char* kViewFile = ".vorn7-view";
// A file's time is stamped from a coarse clock (a kernel tick behind; FAT keeps two seconds), so
// a save just after start-up began can carry an earlier time: files this much older load again.
constexpr auto kStampSlack = std::chrono::seconds(2);

struct WatchedName {
    const char* name;
    Kind kind;
};

// Every file the game reads, in the order the watch numbers them.
constexpr WatchedName kWatched[] = {
    {kTileLevelFile, Kind::kTileLevel},  {kBlockLevelFile, Kind::kBlockLevel},
    {kTilePictureFile, Kind::kPicture},  {kBackgroundPictureFile, Kind::kPicture},
    {kBlockPictureFile, Kind::kPicture}, {kWalkerSheetFile, Kind::kPicture},
    {kActorsFile, Kind::kActors},        {kViewFile, Kind::kView},
    {kPlayerSheetFile, Kind::kPicture},  {kGoalPictureFile, Kind::kPicture},
    {kWatchingFile, Kind::kMark}};
constexpr std::size_t kWatchedCount = sizeof kWatched / sizeof kWatched[0];

// Per file, why its last save did not load ("" when it did); the overlay shows the first.
std::string g_problems[kWatchedCount];
std::string g_shown;

// The overlay names the file as the folder knows it (x2.lvl, gfx/tiles.bmp): a full path would
// run off a 640-pixel screen before the reason.
void UpdateShown() {
    g_shown.clear();
    for (const std::string& problem : g_problems)
        if (!problem.empty()) {
            g_shown = data_path::NameInFolder(problem);
            break;
        }
}

// The camera's view centre moved where the view file says, clamped to the world; it stops. With
// a player, the player plays from there.
bool MoveCamera(const char* name) {
    RegularFile file(name, 64);
    std::string text;
    if (!file.ok() || !file.ReadAll(text)) return false;
    long long x = 0, y = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%lld %lld %c", &x, &y, &end) != 2) return false;
    Camera = {static_cast<std::int32_t>(std::clamp<long long>(x, 0, kWorldSize)),
              static_cast<std::int32_t>(std::clamp<long long>(y, 0, kWorldSize)), 0, 0};
    PlayFrom(Camera.x, Camera.y);
    return true;
}

// An actor that could not be spawned again: a kind's picture that does not load says so itself.
std::string SpawnFailure(const std::string& where) {
    return load_failure::Text()[0] != '\0' ? load_failure::Text()
                                           : where + ": the actors could not be spawned";
}

// The reason a level or picture did not load, or "" when it loaded.
std::string Reload(const WatchedName& file) {
    const std::string where = load_failure::WhereOpened(file.name);
    load_failure::Clear();
    try {
        switch (file.kind) {
            case Kind::kTileLevel:
                if (TheWorld.ReloadTileLevel(file.name) != 0) return SpawnFailure(where);
                return "";
            case Kind::kBlockLevel:
                TheWorld.ReloadBlockLevel(file.name);
                return "";
            case Kind::kActors: {
                const std::optional<ActorsFile> actors = ReadActorsFile(file.name);
                // A saved file restarts the actors as a saved level does.
                TheWorld.Actors()->SetPlacements(actors ? actors->actors
                                                        : std::vector<ActorPlacement>{});
                if (!TheWorld.Actors()->Restart()) return SpawnFailure(where);
                CentreCameraOnPlayer();
                return "";
            }
            case Kind::kView:
                return MoveCamera(file.name) ? "" : where + ": not X Y (two whole numbers)";
            case Kind::kPicture:
                break;
            case Kind::kMark:
                return "";  // OnFileChanged takes the mark's changes
        }
    } catch (const LevelError& e) {
        return where + ": " + e.Describe();
    } catch (const ActorsFileError& e) {
        return where + ": " + e.what();
    }
    load_failure::Clear();
    if (ReloadAllPictures()) return "";
    return load_failure::Text()[0] != '\0' ? load_failure::Text() : where + ": not loaded";
}

std::string WatchedPath(const char* name) {
    const std::string& folder = data_path::LevelFolder();
    if (!folder.empty()) {
        const std::filesystem::path path = std::filesystem::path(folder) / name;
        std::error_code error;
        if (std::filesystem::is_directory(path.parent_path(), error)) return path.string();
    }
    return load_failure::WhereOpened(name);
}

// The process number in the folder's mark, or 0 when there is none.
long MarkHolder(const std::string& mark) {
    long pid = 0;
    if (std::FILE* file = std::fopen(mark.c_str(), "r")) {
        if (std::fscanf(file, "%ld", &pid) != 1) pid = 0;
        std::fclose(file);
    }
    return pid;
}

// One game a folder holds the mark: this one takes it unless another live game has it (Tiled's
// "a new game here" starts a second game beside a watching one), and takes it back when that
// game ends and its mark goes.
void HoldMark() {
    if (data_path::LevelFolder().empty()) return;
    const std::string mark = data_path::LevelFolder() + "/" + kWatchingFile;
    const long holder = MarkHolder(mark);
    if (holder == static_cast<long>(::getpid())) return;
    if (holder > 0 && (::kill(static_cast<pid_t>(holder), 0) == 0 || errno == EPERM)) return;
    // A folder that cannot be written is still watched; Play then starts a game of its own.
    if (std::FILE* file = std::fopen(mark.c_str(), "w")) {
        std::fprintf(file, "%ld\n", static_cast<long>(::getpid()));
        std::fclose(file);
    }
}

}  // namespace

bool StartWatching(std::filesystem::file_time_type readingStarted) {
    std::vector<std::string> paths;
    for (const WatchedName& file : kWatched) paths.push_back(WatchedPath(file.name));
    std::string reason;
    if (!WatchFiles(paths, reason)) {
        std::fprintf(stderr, "vorn7: --watch: %s\n", reason.c_str());
        return false;
    }
    HoldMark();
    // A save made while start-up read the files came before the watch: load it now.
    for (std::size_t i = 0; i < kWatchedCount; ++i) {
        std::error_code error;
        const auto saved = std::filesystem::last_write_time(paths[i], error);
        if (!error && saved >= readingStarted - kStampSlack && kWatched[i].kind != Kind::kView &&
            kWatched[i].kind != Kind::kMark)
            OnFileChanged(i);
    }
    return true;
}

void StopWatching() {
    StopWatchingFiles();
    if (data_path::LevelFolder().empty()) return;
    // Only this game's mark goes: another game may watch the folder now.
    const std::string mark = data_path::LevelFolder() + "/" + kWatchingFile;
    if (MarkHolder(mark) == static_cast<long>(::getpid())) std::remove(mark.c_str());
}

void OnFileChanged(std::size_t index) {
    if (index >= kWatchedCount) return;
    const WatchedName& file = kWatched[index];
    if (file.kind == Kind::kMark) {
        HoldMark();  // the mark changed or went: this game may hold it now
        return;
    }
    // A level folder renamed, moved or deleted: its files would now be looked up in the game's
    // own data, so the level shown stays and the overlay says why, once for every file.
    std::error_code error;
    const std::string& folder = data_path::LevelFolder();
    const bool gone = !folder.empty() && !std::filesystem::is_directory(folder, error);
    // The pictures load together, so one reason stands for all of them.
    const std::size_t slot = gone ? 0 : file.kind == Kind::kPicture ? 2 : index;
    // A file of the folder deleted or renamed away: read again, its name would now be the game's
    // own file. The level shown stays until it is saved again.
    const bool deleted = !gone && !folder.empty() &&
                         !std::filesystem::exists(std::filesystem::path(folder) / file.name, error);
    if (deleted && file.kind == Kind::kView) return;
    std::string problem =
        gone ? folder +
                   ": the level folder is gone (renamed, moved or deleted); the level "
                   "shown stays"
        : deleted ? std::string(file.name) +
                        ": gone from the level folder; the level shown stays "
                        "until it is saved again"
                  : Reload(file);
    // A good save after a bad one says so; good saves otherwise show only on the screen.
    if (problem.empty() && !g_problems[slot].empty()) {
        std::fprintf(stderr, "vorn7: %s: loaded\n", load_failure::WhereOpened(file.name).c_str());
    } else if (problem != g_problems[slot]) {
        std::fprintf(stderr, "vorn7: %s\n", problem.c_str());
    }
    g_problems[slot] = std::move(problem);
    UpdateShown();
}

const char* ReloadProblem() {
    return g_shown.c_str();
}

void ForgetReloadProblems() {
    for (std::string& problem : g_problems) problem.clear();
    g_shown.clear();
}
