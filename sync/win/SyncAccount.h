#pragma once
// Where this PC keeps what the calendar sync needs, and what it is kept as.
//
// The host's settings hold values of seven characters at most, so they
// keep only what is this PC's own and short: "SyncOn", whether this PC
// syncs at all. The calendar's address, the user name and the choices
// (seals, memo, the first day) are the book's: they go in a small file
// beside the month files, Plannix\sync\calendar.txt, so that a second PC
// sharing the data folder syncs the same calendar the same way and asks
// only for the password. The password is in the Credential Manager alone.
// The record of the last sync is this PC's (the engine's three-way base),
// in %LOCALAPPDATA%\Plannix\sync, with the last result's line beside it.
#include <string>

#include "sync/SyncSettings.h"

constexpr char kSyncOnKey[] = "SyncOn";

// cp932 paths with backslashes, as the data layer spells them.
std::string SyncAccountPath(const std::string& bookFolder);
// This PC's folder for the records of the syncs, made when missing; "" when
// there is none to be had.
std::string ThisPcSyncFolder();

// The book's choices from its file; the defaults when there is none. False
// when the file is there but cannot be read (the defaults then too).
bool ReadSyncAccount(const std::string& bookFolder, SyncSettings& settings);
// Written whole in one step, its folder made; false when it could not be.
bool WriteSyncAccount(const std::string& bookFolder, const SyncSettings& settings);

// The last sync's result as a line for the user, kept per record of the
// last sync: when it ended (UTC seconds) and how (UTF-8).
struct SyncResultLine {
  long long utcSeconds = 0;  // 0: no sync yet
  std::string line;
};
bool ReadSyncResultLine(const std::string& statePath, SyncResultLine& result);
bool WriteSyncResultLine(const std::string& statePath, const SyncResultLine& result);

// A small file's bytes, whole; false when it is absent or cannot be read.
bool ReadSmallFile(const std::string& path, std::string& bytes);
// Written to a temporary file beside it and put in its place in one step.
bool WriteSmallFile(const std::string& path, const std::string& bytes);
