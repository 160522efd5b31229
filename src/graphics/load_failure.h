// The first reason a picture failed to load, kept for the one-line error message at exit.
#pragma once

namespace load_failure {

// Remembers "file: reason" unless a failure is already noted.
void Note(const char* file, const char* reason);
// The noted failure, or "" when there is none.
const char* Text();
void Clear();

}  // namespace load_failure
