#pragma once
// The few file operations of the month file and the search. Paths are cp932
// bytes; each platform file turns them into what its system needs.
#include <cstdio>

// Binary reading ("rb"); nullptr when the file cannot be opened. The caller
// closes the file with std::fclose.
std::FILE* OpenFileForReading(const char* path);

// Binary writing ("wb"), creating or truncating; nullptr on failure.
std::FILE* OpenFileForWriting(const char* path);

// Flushes the file down to the disk and closes it; false when any of that
// failed. The file is closed in every case.
bool CloseWrittenFile(std::FILE* file);

// Puts source in the place of target in one step, replacing target if it
// exists. False when nothing was moved.
bool MoveFileOver(const char* source, const char* target);

// False when the file could not be removed.
bool RemoveFile(const char* path);
