// Where the game's data files are looked up: the level folder named on the command line first,
// then the working directory (the game's own data). A folder holds only what it changes, so a
// folder with just x2.lvl is a level. Set once by the shell before start-up; read by
// RegularFile, which opens every data file, and by the messages that name a file.
#pragma once

#include <string>

namespace data_path {

// The folder searched before the working directory; "" (the default) for none.
void SetLevelFolder(const std::string& folder);
const std::string& LevelFolder();
// The path a data file is opened by: folder/name when the level folder has it (or name is
// absolute), else name as given, relative to the working directory.
std::string Resolve(const char* name);
// For messages: the folders a relative name is looked up in, "A and B" or just "B".
std::string FoldersSearched();

}  // namespace data_path
