// The reader of a line's time: the forms it has always read, the ways
// people write a time, and near misses that are no time.
#include <gtest/gtest.h>

#include <string>

#include "calendar/LineTime.h"

namespace {

struct LineTimeCase {
  const char* entry;
  int start;  // minute of the day
  int end;    // -1: none written
  const char* title;
  bool due = false;  // "10時まで": when it is due
};

// The forms read from the start, as they always were.
const LineTimeCase kHalfWidthClocks[] = {{u8"10:00 会議", 600, -1, u8"会議"},
                                         {u8"9:30-11:00 打ち合わせ", 570, 660, u8"打ち合わせ"},
                                         {u8"18:00～21:00　送別会", 1080, 1260, u8"送別会"},
                                         {u8"22:00〜24:00 夜", 1320, 1440, u8"夜"},
                                         {u8"22:00-1:00 夜勤", 1320, 60, u8"夜勤"},
                                         {u8"9:00-5:00 x", 540, 300, "x"},
                                         {u8"7:05会議", 425, -1, u8"会議"},
                                         {"12:00\nnext line", 720, -1, "\nnext line"},
                                         {u8"10:00～明日", 600, -1, u8"～明日"},
                                         {u8"10:00～11時 会議", 600, -1, u8"～11時 会議"}};
// What the input method and the Japanese way of telling the time give.
const LineTimeCase kJapaneseForms[] = {{u8"１０：００ 会議", 600, -1, u8"会議"},
                                       {u8"１０：００～１１：３０　会議", 600, 690, u8"会議"},
                                       {u8"9：30 朝会", 570, -1, u8"朝会"},
                                       {u8"10時 会議", 600, -1, u8"会議"},
                                       {u8"10時会議", 600, -1, u8"会議"},
                                       {u8"10時30分 打合せ", 630, -1, u8"打合せ"},
                                       {u8"10時5分 電話", 605, -1, u8"電話"},
                                       {u8"10時半 電話", 630, -1, u8"電話"},
                                       {u8"１０時半　電話", 630, -1, u8"電話"},
                                       {u8"午前9時 朝礼", 540, -1, u8"朝礼"},
                                       {u8"午後3時 来客", 900, -1, u8"来客"},
                                       {u8"午後 3時 来客", 900, -1, u8"来客"},
                                       {u8"午後3時半", 930, -1, ""},
                                       {u8"午後3:30 来客", 930, -1, u8"来客"},
                                       {u8"午前12時 昼", 720, -1, u8"昼"},
                                       {u8"午前0時 年明け", 0, -1, u8"年明け"},
                                       {u8"10時～11時半 会議", 600, 690, u8"会議"},
                                       {u8"9時～5時 勤務", 540, 1020, u8"勤務"},
                                       {u8"午後3時～4時 来客", 900, 960, u8"来客"},
                                       {u8"午後11時～1時 夜", 1380, 60, u8"夜"},
                                       {u8"23時～午後12時 x", 1380, 1440, "x"},
                                       {u8"10時～11:30 会議", 600, 690, u8"会議"}};
// A clock time after the text, set off by a space.
const LineTimeCase kTimesAfterTheText[] = {{u8"歯医者 16:30", 990, -1, u8"歯医者"},
                                           {u8"歯医者　１６：３０　", 990, -1, u8"歯医者"},
                                           {u8"会議 10:00", 600, -1, u8"会議"},
                                           {u8"会議 10時～11時", 600, 660, u8"会議"},
                                           {u8"来客 午後 3時", 900, -1, u8"来客"},
                                           {u8"会議 10:00 11:00", 660, -1, u8"会議 10:00"},
                                           {u8"歯医者 16:30\n持ち物", 990, -1, u8"歯医者"}};
// Ranges and starts by word; what follows the word is the text.
const LineTimeCase kRangeWords[] = {{u8"午後2時から4時 打合せ", 840, 960, u8"打合せ"},
                                    {u8"9時から5時 勤務", 540, 1020, u8"勤務"},
                                    {u8"13:00から15:00 会議", 780, 900, u8"会議"},
                                    {u8"10時から 会議", 600, -1, u8"会議"},
                                    {u8"9時より 受付", 540, -1, u8"受付"},
                                    {u8"13時から15時x", 780, -1, u8"15時x"},
                                    {u8"10時まで 提出", 600, -1, u8"提出", true},
                                    {u8"15時までに提出", 900, -1, u8"提出", true},
                                    {u8"～17時 レポート", 1020, -1, u8"レポート", true},
                                    {u8"10時～11時まで 会議", 600, 660, u8"会議"},
                                    {u8"10:00～ 会議", 600, -1, u8"会議"},
                                    {u8"10時～ 11時 会議", 600, 660, u8"会議"},
                                    {u8"11時に銀行", 660, -1, u8"に銀行"},
                                    {u8"10～11時 会議", 600, 660, u8"会議"},
                                    {u8"午後1～3時 会議", 780, 900, u8"会議"}};
// Words of the time of day, AM and PM, minutes without 分, spaces inside.
const LineTimeCase kDayWords[] = {{u8"朝7時 散歩", 420, -1, u8"散歩"},
                                  {u8"夜9時 電話", 1260, -1, u8"電話"},
                                  {u8"夜21時 飲み会", 1260, -1, u8"飲み会"},
                                  {u8"夕方5時 買い物", 1020, -1, u8"買い物"},
                                  {u8"昼1時 x", 780, -1, "x"},
                                  {u8"深夜11時 x", 1380, -1, "x"},
                                  {u8"深夜12時 x", 0, -1, "x"},
                                  {u8"正午 待ち合わせ", 720, -1, u8"待ち合わせ"},
                                  {u8"夜11時～深夜1時 x", 1380, 60, "x"},
                                  {u8"AM11:00 来客", 660, -1, u8"来客"},
                                  {u8"PM4:30 面接", 990, -1, u8"面接"},
                                  {u8"ＰＭ３：００ 来客", 900, -1, u8"来客"},
                                  {u8"4:30pm 電話", 990, -1, u8"電話"},
                                  {u8"４：３０ｐｍ", 990, -1, ""},
                                  {u8"4pm 会議", 960, -1, u8"会議"},
                                  {"10:00am call", 600, -1, "call"},
                                  {"12am x", 0, -1, "x"},
                                  {"12pm x", 720, -1, "x"},
                                  {"1-3pm x", 780, 900, "x"},
                                  {"11-1pm x", 660, 780, "x"},
                                  {"10:00-11:00am x", 600, 660, "x"},
                                  {u8"19時45 食事", 1185, -1, u8"食事"},
                                  {u8"午後 2 時 会議", 840, -1, u8"会議"},
                                  {u8"午後 2 時 30 分 会議", 870, -1, u8"会議"}};
// At the end of the line, after a space or in brackets; brackets also at the start.
const LineTimeCase kAtTheEnd[] = {{u8"打合せ (15:30)", 930, -1, u8"打合せ"},
                                  {u8"面談(11時～)", 660, -1, u8"面談"},
                                  {u8"説明会（13時半）", 810, -1, u8"説明会"},
                                  {u8"会議（ 14:00～15:00 ）", 840, 900, u8"会議"},
                                  {u8"会議 (10時から12時まで)\n持ち物", 600, 720, u8"会議"},
                                  {u8"【10:00】朝会", 600, -1, u8"朝会"},
                                  {u8"来客 夜9時", 1260, -1, u8"来客"},
                                  {u8"会議 14時～", 840, -1, u8"会議"},
                                  {u8"提出 17時まで", 1020, -1, u8"提出", true}};
// Lines beside the new forms that read as they always have.
const LineTimeCase kAsAlways[] = {
    {u8"15:14ＡＭ", 914, -1, u8"ＡＭ"},     {u8"9:58ｐｍ12", 598, -1, u8"ｐｍ12"},
    {"4:30 pm x", 270, -1, "pm x"},         {u8"10:00 - 11:00 会議", 600, -1, u8"- 11:00 会議"},
    {u8"10時 30分 x", 600, -1, u8"30分 x"}, {u8"午前4:48～午後10:53x 4:12", 252, -1, u8"午前4:48～午後10:53x"}};
// Near misses: no time of day.
const char* const kNoTimes[] = {
    u8"10:00-11:00x", "10:00-x",  "10:00amx",       "12:30:15 x",   "24:00 x",       "10:00-25:00 x", u8"10:60 x",
    u8"25時 x",       u8"24時 x", u8"午後13時 x",   u8"午後12時 x", u8"1000円",      u8"10時間 作業", u8"3時限 数学",
    u8"第10時",       u8"10時am", u8"１０：００５", u8"会議10:00",  u8"作業 10時間", u8"予算 1000円", u8"会議 10:00-",
    u8" 10:00",       ""};
// ... and beside the new forms: kanji numerals, lengths, words of the day without an hour or with a wrong one.
const char* const kNoTimesBesideTheNewForms[] = {u8"一時停止",     u8"一時帰国",  u8"10分 休憩", u8"2時間後",
                                                 u8"毎時",         u8"第10回",    "3/15",        u8"夏休み (～8/15)",
                                                 u8"夜12時 x",     u8"深夜5時 x", u8"昼6時 x",   u8"朝12時 x",
                                                 "AM13:00 x",      "PM2.5",       "4pm2",        u8"10から 会議",
                                                 u8"10まで 提出",  "10-11:30 x",  u8"～明日",    u8"午前中 掃除",
                                                 u8"打合せ (15:30"};

void Check(const LineTimeCase& c) {
  LineTime time;
  ASSERT_TRUE(ReadLineTime(c.entry, time)) << c.entry;
  EXPECT_EQ(time.startMinute, c.start) << c.entry;
  EXPECT_EQ(time.hasEnd ? time.endMinute : -1, c.end) << c.entry;
  EXPECT_EQ(std::string(c.entry).substr(time.titleStart, time.titleLength), c.title) << c.entry;
  EXPECT_EQ(time.dueBy, c.due) << c.entry;
}

TEST(LineTime, TheFormsItHasAlwaysRead) {
  for (const LineTimeCase& c : kHalfWidthClocks) Check(c);
  for (const LineTimeCase& c : kJapaneseForms) Check(c);
  for (const LineTimeCase& c : kTimesAfterTheText) Check(c);
  for (const LineTimeCase& c : kAsAlways) Check(c);
}

TEST(LineTime, TheFormsPeopleWrite) {
  for (const LineTimeCase& c : kRangeWords) Check(c);
  for (const LineTimeCase& c : kDayWords) Check(c);
  for (const LineTimeCase& c : kAtTheEnd) Check(c);
}

TEST(LineTime, NearMissesAreNoTimes) {
  auto check = [](const char* entry) {
    LineTime time;
    EXPECT_FALSE(ReadLineTime(entry, time)) << entry;
  };
  for (const char* entry : kNoTimes) check(entry);
  for (const char* entry : kNoTimesBesideTheNewForms) check(entry);
}

}  // namespace
