#pragma once
// Text for the tool: cp932, refused when cp932 cannot hold it, since a
// path or a query with a lost character would name something else.
#include <string>

bool ToCp932Exactly(const std::wstring& text, std::string& narrow);
