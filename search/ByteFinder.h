#pragma once
// Finds one byte string in others, many times over: the skip table is made
// once (Horspool), so most bytes of a text are never looked at.
#include <array>
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
  std::array<size_t, 256> m_skip;
};
