#pragma once
// Code page 932 to Unicode, generated from iconv's CP932 into Cp932Table.cpp.
#include <cstdint>

// Single bytes: the code point, or one of these marks.
constexpr uint16_t kCp932Lead = 0xFFFF;     // begins a two-byte character
constexpr uint16_t kCp932Invalid = 0xFFFD;  // no character on its own

// Lead bytes 0x81..0x9F and 0xE0..0xFC; trail bytes 0x40..0x7E and 0x80..0xFC.
constexpr int kCp932LeadCount = 60;
constexpr int kCp932TrailCount = 188;

extern const uint16_t g_Cp932SingleByte[256];
// 0 where the pair is no character.
extern const uint16_t g_Cp932DoubleByte[kCp932LeadCount][kCp932TrailCount];

// Code points that cp932 writes as the bytes of a character of its own
// (the JIS forms of a few signs, such as U+301C for 0x8160): one way only.
struct Cp932OneWay {
  uint16_t codePoint;
  uint16_t bytes;  // a single byte, or lead byte * 256 + trail byte
};
constexpr int kCp932OneWayCount = 9;
extern const Cp932OneWay g_Cp932OneWay[kCp932OneWayCount];
