// The first reason a picture failed to load, kept for the one-line error message. Noted by Bitmap
// and the layout check; read by start-up (at exit) and the watch (on the overlay).
#pragma once

#include <string>

namespace load_failure {

// Remembers "file: reason" unless a failure is already noted; the file is named as opened from
// the level folder or the working directory (an absolute path), so a message says where the
// program looked.
void Note(const char* file, const char* reason);
// The absolute path a data file is opened by (see data_path).
std::string WhereOpened(const char* file);
// The noted failure, or "" when there is none.
const char* Text();
// Forgets the noted failure, before the pictures are loaded.
void Clear();

}  // namespace load_failure
