#include "ui/CalendarFonts.h"

namespace {

constexpr BYTE kShiftJisCharset = 128;
constexpr BYTE kVariablePitchDontCare = 2;

}  // namespace

const FontLook kLabelFontLook = {22, 700, OUT_DEVICE_PRECIS, DRAFT_QUALITY, ""};
const FontLook kDayFontLook = {14, 400, OUT_DEVICE_PRECIS, DRAFT_QUALITY, "ＭＳＰゴシック"};
const FontLook kLineFontLook = {10, 400, OUT_TT_PRECIS, PROOF_QUALITY, ""};

bool CreateFontOfLook(CFont& font, const FontLook& look, const CalendarScale& scale) {
  return CreateFontOfLookAtHeight(font, look, scale.Of(look.height));
}

bool CreateFontOfLookAtHeight(CFont& font, const FontLook& look, int height) {
  return font.CreateFont(height, 0, 0, 0, look.weight, FALSE, FALSE, FALSE, kShiftJisCharset, look.outPrecision,
                         CLIP_DEFAULT_PRECIS, look.quality, kVariablePitchDontCare, look.face);
}
