#pragma once
// The fixed texts the search sends instead of hits.

constexpr const char* kChooseSealMessage = "シールを選択して下さい。";
constexpr const char* kLegacyDataMessage = "ERROR!! Ver.2.0以前のデータを検出。検索できませんでした。";
constexpr const char* kSearchFailedMessage = "検索できませんでした。";
