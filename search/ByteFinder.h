#pragma once
// Finds one byte string in others, many times over: memchr jumps to the
// needle's least common byte in schedule text, and only there the whole
// needle is compared.
#include <cstddef>
#include <string>
#include <string_view>

class CByteFinder {
 public:
  explicit CByteFinder(std::string needle);

  // The first position at or after from where the needle starts, or npos.
  // The empty needle is found at from.
  size_t Find(std::string_view text, size_t from) const;

 private:
  std::string m_needle;
  size_t m_anchor = 0;  // index of the byte memchr looks for
};
