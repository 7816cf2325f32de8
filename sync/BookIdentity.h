#pragma once
// The book's own name for its events: made once, at random, and kept in the
// data folder (Plannix\sync\book.txt), so that two PCs that share the folder
// name each event alike and two books on one calendar never do.
// Two PCs that make it before their sync client carried it leave a conflict
// copy beside it: every PC then takes the smallest of the names as the
// book's and keeps the others as retired, so both come to the same one, and
// the events named by a retired name are taken back by the PC that made them.
#include <string>
#include <vector>

class IFileSystem;

constexpr char kSyncFolderName[] = "sync";

struct BookIdentity {
  std::string id;                    // 32 lower-case hex digits
  std::vector<std::string> retired;  // names that lost to id
};

enum class IdentityLoad { kRead, kMade, kUnreadable };

// Reads the identity of the book whose month files are in folder, folds the
// conflict copies beside it in (and moves them into the recovered folder),
// or makes it when there is none. entropy: bytes of chance from the
// platform, mixed with the system's own.
IdentityLoad LoadBookIdentity(IFileSystem& files, const std::string& folder, const std::string& entropy,
                              BookIdentity& identity);

// The identity's text, and back; false for a text that is none.
std::string FormatBookIdentity(const BookIdentity& identity);
bool ParseBookIdentity(const std::string& text, BookIdentity& identity);
// The union of two: the smallest name wins, every other is retired.
BookIdentity JoinBookIdentities(const BookIdentity& a, const BookIdentity& b);
