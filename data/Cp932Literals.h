#pragma once
// Every Japanese text of the program is a cp932 string literal: a compiler
// that leaves literals in UTF-8 would show, store and search garbled bytes,
// so such a build stops here. The fuzz targets alone may run with UTF-8
// literals: only buffer sizes matter to them.
#ifndef PLANNIX_FUZZ_TARGETS_ONLY
static_assert(sizeof("表") == 3 && "表"[0] == '\x95' && "表"[1] == '\x5C',
              "Japanese string literals must compile to cp932 (g++ -fexec-charset=CP932)");
#endif
