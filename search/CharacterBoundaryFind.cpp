#include "search/CharacterBoundaryFind.h"

bool OccursAtCharacterBoundary(std::string_view text, std::string_view needle) {
  if (needle.empty()) return !text.empty();
  // boundary walks whole characters and never passes a candidate it has not judged.
  size_t boundary = 0;
  for (size_t candidate = text.find(needle); candidate != std::string_view::npos;
       candidate = text.find(needle, candidate + 1)) {
    while (boundary < candidate) {
      boundary += IsSearchLeadByte(static_cast<unsigned char>(text[boundary])) ? 2 : 1;
    }
    if (boundary == candidate) return true;
  }
  return false;
}
