#include <unistd.h>

#include <cstdio>

#include "data/FileSystem.h"

std::FILE* OpenFileForReading(const char* path) { return std::fopen(path, "rb"); }

std::FILE* OpenFileForWriting(const char* path) { return std::fopen(path, "wb"); }

bool CloseWrittenFile(std::FILE* file) {
  bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
  bool closed = std::fclose(file) == 0;
  return flushed && closed;
}

bool MoveFileOver(const char* source, const char* target) { return std::rename(source, target) == 0; }

bool RemoveFile(const char* path) { return std::remove(path) == 0; }
