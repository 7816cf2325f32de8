#pragma once
// The built-in seals: 48 rows, three pages of 16.
#include <cstdint>

#include "data/Cp932Literals.h"

struct SealEntry {
  int32_t nBitmapId;
  int32_t nCode;
  char szName[128];
};

constexpr int kSealPages = 3;
constexpr int kSealsPerPage = 16;
constexpr int kSealTableRows = kSealPages * kSealsPerPage;
constexpr int kNoSealBitmapId = 155;

extern const SealEntry g_SealTable[kSealTableRows];

enum SealKey : int { kSealKeyBitmapId = 0, kSealKeyCode = 1 };
enum SealField : int { kSealFieldBitmapId = 0, kSealFieldCode = 1, kSealFieldName = 2 };

// The first row, in row order, whose key column equals value; nullptr when
// none does. Every caller handles that answer.
const SealEntry* FindSealRow(int value, int key);

// The requested field of that row. A lookup without a row answers
// kNoSealRow for the number fields and nullptr for the name.
constexpr intptr_t kNoSealRow = -1;
intptr_t LookupSeal(int value, int key, int field);
