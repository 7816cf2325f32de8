#pragma once
// Substring search that respects cp932 character boundaries.
#include <string_view>

// cp932 as the search's multi-byte walk sees it: 0x81..0x9F and 0xE0..0xFC
// start a two-byte character.
inline bool IsSearchLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// True when needle's bytes appear in text starting at a character boundary
// (never on a trail byte); exact bytes, no case folding. The empty needle
// occurs in every non-empty text.
bool OccursAtCharacterBoundary(std::string_view text, std::string_view needle);
