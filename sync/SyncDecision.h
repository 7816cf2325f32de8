#pragma once
// What to do with one item, from where it stands: in the record of the last
// sync or not, in the book (here) or not, on the server (there) or not,
// changed on either side since, and whether both sides now say the same.
// A deletion is decided only for an item the record knows: what is missing
// from one side was deleted there only if it was there before.

struct ItemSides {
  bool inRecord = false;
  bool here = false;
  bool there = false;
  bool changedHere = false;   // of an item in the record
  bool changedThere = false;  // of an item in the record
  bool alike = false;         // here and there, and both say the same now
};

enum class ItemAction {
  kNone,
  kSendNew,      // made on the server (If-None-Match: *)
  kSendChange,   // the book's line written into the server's event (If-Match)
  kTakeNew,      // put into the book as a new entry: a free line, else the memo
  kTakeChange,   // the server's event written into its line
  kClearHere,    // deleted on the server: its line cleared
  kDeleteThere,  // cleared in the book: deleted on the server (If-Match)
  kBoth,         // changed on both sides: the line keeps ours and goes to the server; theirs joins the day
  kLink,         // both sides alike: only the record changes
  kForget,       // gone on both sides
};

ItemAction DecideItem(const ItemSides& sides);
