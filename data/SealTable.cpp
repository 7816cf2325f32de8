#include "data/SealTable.h"

const SealEntry g_SealTable[kSealTableRows] = {
    // Page 0: going out.
    {161, 6, "飲み会、パーティ"},
    {217, 38, "レストランディナー"},
    {169, 14, "カラオケ"},
    {218, 27, "ゲーセン"},
    {219, 28, "ＣＤ・ＶＤレンタル"},
    {170, 15, "映画、ビデオ鑑賞"},
    {220, 24, "ショッピング"},
    {224, 26, "イベント・遊園地"},
    {163, 5, "旅行、レジャー"},
    {221, 25, "お泊り"},
    {222, 32, "帰省・里帰り"},
    {159, 4, "スポーツ"},
    {171, 16, "美容院・散髪"},
    {165, 10, "病院"},
    {223, 39, "眼鏡・コンタクト"},
    {kNoSealBitmapId, 0, "（シールなし）"},
    // Page 1: work and chores.
    {158, 13, "有給休暇、お休み"},
    {172, 17, "仕事・バイト"},
    {162, 3, "期限、〆切り"},
    {166, 11, "給料日、ボーナス"},
    {167, 12, "出張"},
    {173, 18, "打ち合わせ、会議"},
    {174, 19, "試験、テスト"},
    {164, 9, "クラブ、習い事"},
    {225, 29, "お勉強・読書"},
    {226, 30, "お洗濯"},
    {227, 31, "お掃除"},
    {228, 40, "宅急便・郵便の配達日"},
    {229, 35, "生ゴミの日"},
    {230, 36, "不燃ゴミの日"},
    {231, 41, "空缶・ペットの日"},
    {kNoSealBitmapId, 0, "（シールなし）"},
    // Page 2: moods and the car.
    {156, 1, "ハッピー"},
    {157, 2, "ラブラブ"},
    {177, 21, "ラッキー"},
    {232, 33, "ごきげん♪"},
    {160, 7, "ブルー"},
    {175, 22, "体調悪い"},
    {234, 34, "ビックリ！"},
    {235, 42, "アクシデント★"},
    {168, 8, "約束"},
    {176, 23, "あの日!？"},
    {233, 47, "電話"},
    {236, 43, "ガソリン"},
    {237, 44, "洗車"},
    {238, 45, "車の点検・メンテ"},
    {239, 46, "免許更新・講習"},
    {kNoSealBitmapId, 0, "（シールなし）"},
};

const SealEntry* FindSealRow(int value, int key) {
  if (key != kSealKeyBitmapId && key != kSealKeyCode) return nullptr;
  for (const SealEntry& row : g_SealTable) {
    int32_t column = key == kSealKeyBitmapId ? row.nBitmapId : row.nCode;
    if (column == value) return &row;
  }
  return nullptr;
}

intptr_t LookupSeal(int value, int key, int field) {
  const SealEntry* row = FindSealRow(value, key);
  switch (field) {
    case kSealFieldBitmapId:
      return row ? row->nBitmapId : kNoSealRow;
    case kSealFieldCode:
      return row ? row->nCode : kNoSealRow;
    case kSealFieldName:
      return reinterpret_cast<intptr_t>(row ? row->szName : nullptr);
    default:
      return kNoSealRow;
  }
}
