#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "cp932/Cp932FromUtf8.h"
#include "cp932/Utf8FromCp932.h"

namespace {

// glibc's own CP932 encoder: the bytes of one character, or "" when it has none.
std::string IconvCp932(iconv_t handle, std::string utf8) {
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  char out[8];
  char* in = utf8.data();
  size_t inLeft = utf8.size();
  char* outPtr = out;
  size_t outLeft = sizeof out;
  if (iconv(handle, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return "";
  return std::string(out, outPtr);
}

TEST(Cp932FromUtf8, EveryCodePointAsIconvWritesIt) {
  iconv_t handle = iconv_open("CP932", "UTF-8");
  ASSERT_NE(handle, reinterpret_cast<iconv_t>(-1));
  for (unsigned codePoint = 1; codePoint < 0x10000; ++codePoint) {
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) continue;
    std::string utf8;
    AppendUtf8(utf8, codePoint);
    std::string expected = IconvCp932(handle, utf8);
    std::string got;
    size_t substituted = AppendCp932FromUtf8(got, utf8);
    EXPECT_EQ(got, expected.empty() ? std::string(1, kCp932Substitute) : expected) << std::hex << codePoint;
    EXPECT_EQ(substituted, expected.empty() ? 1u : 0u) << std::hex << codePoint;
  }
  iconv_close(handle);
}

struct TextCase {
  const char* what;
  std::string utf8;
  std::string cp932;
  size_t substituted;
};

const TextCase kTextCases[] = {
    {"mixed text", u8"会議 at 10, ｶﾅ", "\x89\xEF\x8B\x63 at 10, \xB6\xC5", 0},
    {"beyond the BMP", u8"a😀b", "a?b", 1},
    {"a zero stays", std::string("a\0b", 3), std::string("a\0b", 3), 0},
    {"cut sequence", "a\xE3\x81", "a??", 2},
    {"overlong slash", "\xC0\xAF", "??", 2},
    {"surrogate", "\xED\xA0\x80", "???", 3},
    {"beyond Unicode", "\xF4\x90\x80\x80", "????", 4},
};

TEST(Cp932FromUtf8, TextCases) {
  for (const TextCase& c : kTextCases) {
    std::string got;
    EXPECT_EQ(AppendCp932FromUtf8(got, c.utf8), c.substituted) << c.what;
    EXPECT_EQ(got, c.cp932) << c.what;
  }
}

}  // namespace
