#include "sync/DavUrl.h"

#include <cstdio>

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lower(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = LowerAscii(c);
  return lower;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = LowerAscii(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

// The part before "?" or "#": no server names a resource by them.
std::string WithoutQuery(const std::string& text) { return text.substr(0, text.find_first_of("?#")); }

}  // namespace

bool ParseDavUrl(const std::string& url, DavUrl& parts) {
  const size_t schemeEnd = url.find("://");
  if (schemeEnd == std::string::npos) return false;
  const std::string scheme = Lower(url.substr(0, schemeEnd));
  if (scheme != "http" && scheme != "https") return false;
  const size_t hostStart = schemeEnd + 3;
  const size_t pathStart = url.find_first_of("/?#", hostStart);
  std::string authority =
      url.substr(hostStart, pathStart == std::string::npos ? std::string::npos : pathStart - hostStart);
  // Credentials in the address are never used: the transport has its own.
  const size_t at = authority.rfind('@');
  if (at != std::string::npos) authority.erase(0, at + 1);
  if (authority.empty() || authority[0] == ':') return false;
  parts.origin = scheme + "://" + Lower(authority);
  parts.path = pathStart == std::string::npos || url[pathStart] != '/' ? "/" : WithoutQuery(url.substr(pathStart));
  return true;
}

bool IsSecureOrLocal(const DavUrl& url) {
  if (url.origin.compare(0, 8, "https://") == 0) return true;
  std::string host = url.origin.substr(7);
  if (!host.empty() && host[0] == '[') {
    host = host.substr(0, host.find(']') + 1);
  } else {
    host = host.substr(0, host.find(':'));
  }
  return host == "127.0.0.1" || host == "localhost" || host == "[::1]";
}

std::string ResolveHref(const std::string& base, const std::string& href) {
  DavUrl baseParts;
  if (!ParseDavUrl(base, baseParts) || href.empty()) return std::string();
  if (href.find("://") != std::string::npos) {
    DavUrl hrefParts;
    if (!ParseDavUrl(href, hrefParts) || hrefParts.origin != baseParts.origin) return std::string();
    return hrefParts.origin + hrefParts.path;
  }
  if (href[0] == '/') return baseParts.origin + WithoutQuery(href);
  // Relative to the base's folder, as few servers write it.
  const std::string& path = baseParts.path;
  return baseParts.origin + path.substr(0, path.rfind('/') + 1) + WithoutQuery(href);
}

std::string HrefKey(const std::string& href) {
  std::string path = href;
  DavUrl parts;
  if (href.find("://") != std::string::npos && ParseDavUrl(href, parts)) path = parts.path;
  path = WithoutQuery(path);
  std::string decoded;
  decoded.reserve(path.size());
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '%' && i + 2 < path.size() && HexValue(path[i + 1]) >= 0 && HexValue(path[i + 2]) >= 0) {
      decoded += static_cast<char>(HexValue(path[i + 1]) * 16 + HexValue(path[i + 2]));
      i += 2;
    } else {
      decoded += path[i];
    }
  }
  while (decoded.size() > 1 && decoded.back() == '/') decoded.pop_back();
  return decoded;
}

std::string EncodePathSegment(const std::string& name) {
  std::string encoded;
  for (char c : name) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (IsUnreserved(byte)) {
      encoded += c;
    } else {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", byte);
      encoded += escape;
    }
  }
  return encoded;
}
