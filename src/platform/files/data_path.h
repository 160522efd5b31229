// Where the game's data files are looked up: the level folder named on the command line first,
// then the game's own data. A folder holds only what it changes, so a folder with just x2.lvl is a
// level. Set once by the shell before start-up; read by RegularFile, which opens every data file,
// by the messages that name a file, and by the watch.
#pragma once

#include <string>

namespace data_path {

// The folder searched before the game's own data; "" (the default) for none.
void SetLevelFolder(const std::string& folder);
const std::string& LevelFolder();
// The game's own data, wherever the game or its level tool is started: $VORN7_DATA when set, else
// the data folder beside the program (a build's data/), else the installed one (share/vorn7 of
// the program's prefix, seen from the game's folder or the tools'); "" when none holds a level.
// The level tool's lookup; the game's is GameDataFolder.
const std::string& FoundGameData();
// FoundGameData, else the working directory. An absolute path.
std::string GameDataFolder();
// The path a data file is opened by: folder/name when the level folder has it (or name is
// absolute), else name in the game's own data.
std::string Resolve(const char* name);
// A path as its folder knows it (x2.lvl, gfx/tiles.bmp): the part after the level folder or the
// game's own data, else the path as given. For the overlay and the web's watch.
std::string NameInFolder(const std::string& path);
// For messages: the folders a relative name is looked up in, "A and B" or just "B".
std::string FoldersSearched();

}  // namespace data_path
