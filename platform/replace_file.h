#pragma once

#include <cstdio>

// A file is rewritten safely by writing a new file beside it, committing it and then renaming it
// over the old one: whatever fails on the way, the old file stays whole.

// Flushes the stream and forces its data onto the disk, so that a crash after the rename cannot
// leave an empty file in the old one's place. False when either step fails.
bool CommitFile(std::FILE* file);

// Puts the file `from` in the place of `to`, replacing any file there, in one step of the file
// system, so that no moment exists without one of them. False, with both as they were, on failure.
bool RenameOver(const wchar_t* from, const wchar_t* to);

// Deletes a file (not a folder). False when it cannot.
bool RemoveFile(const wchar_t* path);

// Rewrites the file at `path` whole: `write` fills a new file beside it from `context`, which is
// then committed and renamed over the old one, or removed when anything fails. The new file's name is the file's own
// with its last character changed ("Favorites.tx~"), never longer, so that it fits wherever the
// file's does. False on failure, the old file then as it was.
bool RewriteFile(const wchar_t* path, bool (*write)(std::FILE* file, const void* context), const void* context);
