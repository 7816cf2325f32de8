#pragma once
// The search's reading of decimal numbers in queries and seal slots.
#include <string_view>

// Leading white space, an optional sign, then digits up to the first other
// byte; 0 without digits. Values beyond int saturate instead of overflowing.
int ParseLenientDecimal(std::string_view text);
