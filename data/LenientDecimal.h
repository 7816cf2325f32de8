#pragma once
// Decimal numbers as the tool reads them: settings, seal slots, queries.
#include <string_view>

// Leading white space, an optional sign, then digits up to the first other
// byte; 0 without digits. Values beyond int saturate instead of overflowing.
int ParseLenientDecimal(std::string_view text);
