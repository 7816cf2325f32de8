#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>

#include "cp932/Utf8FromCp932.h"
#include "data/SealTable.h"

namespace {

// glibc's own CP932 decoder, the reference the table was made from: the
// UTF-8 of the bytes, or nothing when it rejects them.
class CIconvReference {
 public:
  CIconvReference() : m_handle(iconv_open("UTF-8", "CP932")) {}
  ~CIconvReference() { iconv_close(m_handle); }
  CIconvReference(const CIconvReference&) = delete;
  CIconvReference& operator=(const CIconvReference&) = delete;

  std::optional<std::string> Decode(std::string bytes) {
    iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* in = bytes.data();
    size_t inLeft = bytes.size();
    char* outPtr = out;
    size_t outLeft = sizeof out;
    if (iconv(m_handle, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) {
      return std::nullopt;
    }
    return std::string(out, outPtr);
  }

 private:
  iconv_t m_handle;
};

const std::string kReplacement = u8"\uFFFD";

struct Decoded {
  std::string text;
  size_t replaced;
};

Decoded Decode(const std::string& cp932) {
  Decoded decoded{std::string(), 0};
  decoded.replaced = AppendUtf8FromCp932(decoded.text, cp932);
  return decoded;
}

bool IsLeadRange(int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

TEST(Utf8FromCp932, EverySingleByteAsIconvDecodesIt) {
  CIconvReference iconvCp932;
  for (int b = 0; b < 0x100; ++b) {
    if (IsLeadRange(b)) continue;
    std::string byte(1, static_cast<char>(b));
    std::optional<std::string> expected = iconvCp932.Decode(byte);
    Decoded decoded = Decode(byte);
    EXPECT_EQ(decoded.text, expected.value_or(kReplacement)) << "byte 0x" << std::hex << b;
    EXPECT_EQ(decoded.replaced, expected ? 0u : 1u) << "byte 0x" << std::hex << b;
  }
}

TEST(Utf8FromCp932, EveryLeadByteWithEveryNextByteAsIconvDecodesIt) {
  CIconvReference iconvCp932;
  int characters = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadRange(lead)) continue;
    for (int next = 0; next < 0x100; ++next) {
      std::string pair{static_cast<char>(lead), static_cast<char>(next)};
      std::optional<std::string> expected = iconvCp932.Decode(pair);
      Decoded decoded = Decode(pair);
      if (expected) {
        ++characters;
        EXPECT_EQ(decoded.text, *expected) << std::hex << lead << ' ' << next;
        EXPECT_EQ(decoded.replaced, 0u) << std::hex << lead << ' ' << next;
        continue;
      }
      // A broken pair is one U+FFFD; a byte that cannot be its trail, or is ASCII, is read again.
      bool eaten = next >= 0x80 && next <= 0xFC;
      Decoded rest = Decode(eaten ? std::string() : std::string(1, static_cast<char>(next)));
      std::string expectedText = kReplacement + rest.text;
      EXPECT_EQ(decoded.replaced, 1 + rest.replaced) << std::hex << lead << ' ' << next;
      EXPECT_EQ(decoded.text, expectedText) << std::hex << lead << ' ' << next;
    }
  }
  // JIS X 0208, the NEC and IBM extensions and the user-defined area.
  EXPECT_GT(characters, 9000);
}

struct TextCase {
  const char* what;
  std::string cp932;
  std::string utf8;
  size_t replaced;
};

const TextCase kTextCases[] = {
    {"ascii with backslash and tilde", "a\\b~c", u8"a\\b~c", 0},
    {"half-width katakana", "\xB1\xDF\xA1", u8"\uFF71\uFF9F\uFF61", 0},
    {"daily memo label", "ﾃﾞｲﾘｰﾒﾓ", u8"ﾃﾞｲﾘｰﾒﾓ", 0},
    {"wave dash and friends", "\x81\x60\x81\x61\x81\x7C\x81\x91\x81\x92\x81\xCA",
     u8"\uFF5E\u2225\uFF0D\uFFE0\uFFE1\uFFE2", 0},
    {"trail byte 0x5C", "\x83\x5C\x95\x5C", u8"ソ表", 0},
    {"NEC circled digit and IBM kanji", "\x87\x40\xFA\x40\xFB\xFC", u8"\u2460\u2170\u9AD9", 0},
    {"user-defined area", "\xF0\x40\xF9\xFC", u8"\uE000\uE757", 0},
    {"lead byte at the end", "ab\x81", u8"ab\uFFFD", 1},
    {"lead byte before a comma keeps the comma", "\x81,x", u8"\uFFFD,x", 1},
    {"unassigned pair with a letter", "\x85\x41", u8"\uFFFDA", 1},
    {"unassigned pair of high bytes", "\x85\x9F", u8"\uFFFD", 1},
    {"bytes that are never text", "\x80\xA0\xFD\xFE\xFF", u8"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", 5},
    {"good text after a bad byte", "\xFF\x82\xA0", u8"\uFFFDあ", 1},
};

TEST(Utf8FromCp932, TextCases) {
  for (const TextCase& c : kTextCases) {
    Decoded decoded = Decode(c.cp932);
    EXPECT_EQ(decoded.text, c.utf8) << c.what;
    EXPECT_EQ(decoded.replaced, c.replaced) << c.what;
  }
}

TEST(Utf8FromCp932, SealNamesWithTheirSymbols) {
  struct NameCase {
    int code;
    const char* utf8;
  };
  const NameCase names[] = {
      {28, u8"ＣＤ・ＶＤレンタル"}, {23, u8"あの日!？"},     {33, u8"ごきげん♪"},  {42, u8"アクシデント★"},
      {3, u8"期限、〆切り"},        {0, u8"（シールなし）"}, {34, u8"ビックリ！"}, {40, u8"宅急便・郵便の配達日"},
  };
  for (const NameCase& name : names) {
    const SealEntry* row = FindSealRow(name.code, kSealKeyCode);
    ASSERT_NE(row, nullptr) << name.code;
    EXPECT_EQ(Decode(row->szName).text, name.utf8) << name.code;
  }
}

}  // namespace
