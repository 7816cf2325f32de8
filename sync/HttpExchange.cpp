#include "sync/HttpExchange.h"

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string HttpResponse::Header(const std::string& name) const {
  for (const auto& header : headers) {
    if (SameName(header.first, name)) return header.second;
  }
  return std::string();
}
