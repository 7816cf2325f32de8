#include "ui/CalendarFonts.h"

namespace {

constexpr BYTE kShiftJisCharset = 128;
constexpr BYTE kVariablePitchDontCare = 2;

}  // namespace

const FontSpec kLabelFontSpec = {22, 700, OUT_DEVICE_PRECIS, DRAFT_QUALITY, ""};
const FontSpec kDayFontSpec = {14, 400, OUT_DEVICE_PRECIS, DRAFT_QUALITY, "ＭＳＰゴシック"};
const FontSpec kLineFontSpec = {10, 400, OUT_TT_PRECIS, PROOF_QUALITY, ""};

bool CreateSpecFont(CFont& font, const FontSpec& spec, const CalendarScale& scale) {
  return CreateSpecFontOfHeight(font, spec, scale.Of(spec.height));
}

bool CreateSpecFontOfHeight(CFont& font, const FontSpec& spec, int height) {
  return font.CreateFont(height, 0, 0, 0, spec.weight, FALSE, FALSE, FALSE, kShiftJisCharset, spec.outPrecision,
                         CLIP_DEFAULT_PRECIS, spec.quality, kVariablePitchDontCare, spec.face);
}
