#pragma once
// The UIDs of the events the book makes: "plannix-<book>-<YYYYMMDD>-line<N>"
// and "...-memo". They carry the book's identity and the line's place, so
// that two PCs of one book name a line alike and two books never do.
#include <string>

#include "export/BookDay.h"

constexpr int kMemoSlot = 5;  // a place's slot: lines 0..4, then the memo

struct BookPlace {
  BookDate date = {1, 1, 1};
  int slot = 0;
};

std::string FormatBookUid(const std::string& bookId, const BookPlace& place);
// False for any other UID.
bool ParseBookUid(const std::string& uid, std::string& bookId, BookPlace& place);
