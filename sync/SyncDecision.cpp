#include "sync/SyncDecision.h"

ItemAction DecideItem(const ItemSides& sides) {
  if (!sides.inRecord) {
    if (sides.here && sides.there) return sides.alike ? ItemAction::kLink : ItemAction::kBoth;
    if (sides.here) return ItemAction::kSendNew;
    return sides.there ? ItemAction::kTakeNew : ItemAction::kNone;
  }
  if (sides.here && sides.there) {
    if (sides.alike) return sides.changedHere || sides.changedThere ? ItemAction::kLink : ItemAction::kNone;
    if (sides.changedHere && sides.changedThere) return ItemAction::kBoth;
    if (sides.changedHere) return ItemAction::kSendChange;
    if (sides.changedThere) return ItemAction::kTakeChange;
    return ItemAction::kNone;
  }
  // Deleted on one side: unless the other changed it meanwhile, which then survives.
  if (sides.here) return sides.changedHere ? ItemAction::kSendNew : ItemAction::kClearHere;
  if (sides.there) return sides.changedThere ? ItemAction::kTakeNew : ItemAction::kDeleteThere;
  return ItemAction::kForget;
}
