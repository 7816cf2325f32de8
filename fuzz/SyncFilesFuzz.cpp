// The sync's own small files on arbitrary bytes, as another PC, its sync
// client or a damaged disk may leave them: what the book linked, this PC's
// record of the last sync and the book's identity. Nothing may overrun; a
// file read and written again reads as the same file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sync/BookIdentity.h"
#include "sync/LinkedItems.h"
#include "sync/SyncRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CLinkedItems items;
  if (items.AddFileBytes(bytes)) {
    const std::string text = items.Format();
    CLinkedItems again;
    if (!again.AddFileBytes(text) || again.Format() != text) std::abort();
    for (const LinkedItem& item : items.All()) {
      if (items.Of(item.day, item.slot, item.fieldHash).empty()) std::abort();
    }
  }
  SyncRecord record;
  if (ParseSyncRecord(bytes, record)) {
    const std::string text = FormatSyncRecord(record);
    SyncRecord again;
    if (!ParseSyncRecord(text, again) || FormatSyncRecord(again) != text) std::abort();
  }
  BookIdentity identity;
  if (ParseBookIdentity(bytes, identity)) {
    const std::string text = FormatBookIdentity(identity);
    BookIdentity again;
    if (!ParseBookIdentity(text, again) || FormatBookIdentity(again) != text) std::abort();
  }
  return 0;
}
