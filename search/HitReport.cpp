#include "search/HitReport.h"

#include "data/LenientDecimal.h"
#include "data/SealTable.h"
#include "search/ResultLine.h"

namespace {

// The name of a stored code; a code without a row is named by nothing.
const char* SealNameOf(int code) {
  const SealEntry* row = FindSealRow(code, kSealKeyCode);
  return row != nullptr ? row->szName : "";
}

// "[%s][%s][%s][%s]" from TAB slot1 TAB slot2 TAB slot3 TAB slot4 TAB.
std::string SealNamesText(std::string_view sealSection) {
  std::string text;
  size_t at = 0;
  for (int slot = 0; slot < 4; ++slot) {
    size_t begin = at + 1;
    size_t end = sealSection.find('\t', begin);
    if (end == std::string_view::npos) end = sealSection.size();
    int code = ParseLenientDecimal(sealSection.substr(begin, end - begin));
    text.append("[").append(SealNameOf(code)).append("]");
    at = end;
  }
  return text;
}

}  // namespace

void ReportIfHit(const CSearchQuery& query, const CRecordAssembler& record, std::string_view fileName, int day,
                 std::string& line, CSearchSink& sink) {
  if (query.Kind() == kTextSearch) {
    std::string_view searched = record.SearchedText();
    if (!query.MatchesText(searched)) return;
    FormatResultLine(line, fileName, day, kTextHitLabel, searched);
  } else {
    std::string_view sealSection = record.SealSection();
    if (!query.MatchesSeals(sealSection)) return;
    FormatResultLine(line, fileName, day, kSealHitLabel, SealNamesText(sealSection));
  }
  sink.SendLine(line.c_str());
}
