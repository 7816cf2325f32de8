#include <gtest/gtest.h>

#include <set>
#include <string>

#include "data/SealTable.h"

namespace {

struct SealRowCase {
  int row;
  int bitmapId;
  int code;
  const char* name;
};

const SealRowCase kRows[] = {
    {0, 161, 6, "飲み会、パーティ"},   {1, 217, 38, "レストランディナー"},
    {2, 169, 14, "カラオケ"},          {3, 218, 27, "ゲーセン"},
    {4, 219, 28, "ＣＤ・ＶＤレンタル"}, {5, 170, 15, "映画、ビデオ鑑賞"},
    {6, 220, 24, "ショッピング"},      {7, 224, 26, "イベント・遊園地"},
    {8, 163, 5, "旅行、レジャー"},     {9, 221, 25, "お泊り"},
    {10, 222, 32, "帰省・里帰り"},     {11, 159, 4, "スポーツ"},
    {12, 171, 16, "美容院・散髪"},     {13, 165, 10, "病院"},
    {14, 223, 39, "眼鏡・コンタクト"}, {15, 155, 0, "（シールなし）"},
    {16, 158, 13, "有給休暇、お休み"}, {17, 172, 17, "仕事・バイト"},
    {18, 162, 3, "期限、〆切り"},      {19, 166, 11, "給料日、ボーナス"},
    {20, 167, 12, "出張"},             {21, 173, 18, "打ち合わせ、会議"},
    {22, 174, 19, "試験、テスト"},     {23, 164, 9, "クラブ、習い事"},
    {24, 225, 29, "お勉強・読書"},     {25, 226, 30, "お洗濯"},
    {26, 227, 31, "お掃除"},           {27, 228, 40, "宅急便・郵便の配達日"},
    {28, 229, 35, "生ゴミの日"},       {29, 230, 36, "不燃ゴミの日"},
    {30, 231, 41, "空缶・ペットの日"}, {31, 155, 0, "（シールなし）"},
    {32, 156, 1, "ハッピー"},          {33, 157, 2, "ラブラブ"},
    {34, 177, 21, "ラッキー"},         {35, 232, 33, "ごきげん♪"},
    {36, 160, 7, "ブルー"},            {37, 175, 22, "体調悪い"},
    {38, 234, 34, "ビックリ！"},       {39, 235, 42, "アクシデント★"},
    {40, 168, 8, "約束"},              {41, 176, 23, "あの日!？"},
    {42, 233, 47, "電話"},             {43, 236, 43, "ガソリン"},
    {44, 237, 44, "洗車"},             {45, 238, 45, "車の点検・メンテ"},
    {46, 239, 46, "免許更新・講習"},   {47, 155, 0, "（シールなし）"},
};

const char* NameOf(intptr_t lookup) { return reinterpret_cast<const char*>(lookup); }

TEST(SealTableTest, EveryRowAsQuoted) {
  ASSERT_EQ(static_cast<size_t>(kSealTableRows), sizeof kRows / sizeof kRows[0]);
  for (const SealRowCase& c : kRows) {
    const SealEntry& row = g_SealTable[c.row];
    EXPECT_EQ(c.bitmapId, row.nBitmapId) << c.row;
    EXPECT_EQ(c.code, row.nCode) << c.row;
    EXPECT_STREQ(c.name, row.szName) << c.row;
  }
}

TEST(SealTableTest, EveryRowIsFoundByCodeAndByBitmap) {
  for (const SealRowCase& c : kRows) {
    // The three rows without a seal are the same row: the first one answers.
    int firstRow = c.code == 0 ? 15 : c.row;
    EXPECT_EQ(&g_SealTable[firstRow], FindSealRow(c.code, kSealKeyCode)) << c.row;
    EXPECT_EQ(&g_SealTable[firstRow], FindSealRow(c.bitmapId, kSealKeyBitmapId)) << c.row;
    EXPECT_EQ(c.bitmapId, LookupSeal(c.code, kSealKeyCode, kSealFieldBitmapId)) << c.row;
    EXPECT_EQ(c.code, LookupSeal(c.bitmapId, kSealKeyBitmapId, kSealFieldCode)) << c.row;
    EXPECT_STREQ(c.name, NameOf(LookupSeal(c.code, kSealKeyCode, kSealFieldName))) << c.row;
  }
}

TEST(SealTableTest, OnlyTheNoSealRowsRepeat) {
  std::set<int> codes;
  std::set<int> bitmaps;
  for (const SealEntry& row : g_SealTable) {
    if (row.nCode == 0) continue;
    EXPECT_TRUE(codes.insert(row.nCode).second) << row.nCode;
    EXPECT_TRUE(bitmaps.insert(row.nBitmapId).second) << row.nBitmapId;
  }
  EXPECT_EQ(45u, codes.size());
  for (int page = 0; page < kSealPages; ++page) {
    const SealEntry& last = g_SealTable[page * kSealsPerPage + kSealsPerPage - 1];
    EXPECT_EQ(kNoSealBitmapId, last.nBitmapId);
    EXPECT_EQ(0, last.nCode);
    EXPECT_STREQ("（シールなし）", last.szName);
  }
}

struct MissingCase {
  int value;
  int key;
};

const MissingCase kMissing[] = {
    {20, kSealKeyCode}, {37, kSealKeyCode},          {-1, kSealKeyCode},
    {48, kSealKeyCode}, {154, kSealKeyBitmapId},     {178, kSealKeyBitmapId},
    {0, kSealKeyBitmapId}, {216, kSealKeyBitmapId}, {240, kSealKeyBitmapId},
    {6, 2},
};

TEST(SealTableTest, ValuesWithoutARowSayNoRow) {
  for (const MissingCase& c : kMissing) {
    EXPECT_EQ(nullptr, FindSealRow(c.value, c.key)) << c.value;
    EXPECT_EQ(kNoSealRow, LookupSeal(c.value, c.key, kSealFieldBitmapId)) << c.value;
    EXPECT_EQ(kNoSealRow, LookupSeal(c.value, c.key, kSealFieldCode)) << c.value;
    EXPECT_EQ(nullptr, NameOf(LookupSeal(c.value, c.key, kSealFieldName))) << c.value;
  }
  EXPECT_EQ(kNoSealRow, LookupSeal(6, kSealKeyCode, 3));
}

}  // namespace
