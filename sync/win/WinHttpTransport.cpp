#include "sync/win/WinHttpTransport.h"

#include <algorithm>
#include <cwctype>
#include <utility>
#include <vector>

#include "win/Text.h"

namespace {

constexpr wchar_t kUserAgent[] = L"Plannix/1.0";
constexpr DWORD kReadChunk = 64 * 1024;

// What WinHTTP makes of a URL, as the rules compare it.
struct UrlParts {
  bool secure = false;
  std::wstring host;
  INTERNET_PORT port = 0;
  std::wstring path;  // with the query, never empty
};

bool CrackUrl(const std::wstring& url, UrlParts& parts) {
  URL_COMPONENTS components = {};
  components.dwStructSize = sizeof components;
  components.dwSchemeLength = static_cast<DWORD>(-1);
  components.dwHostNameLength = static_cast<DWORD>(-1);
  components.dwUrlPathLength = static_cast<DWORD>(-1);
  components.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &components)) return false;
  if (components.nScheme != INTERNET_SCHEME_HTTP && components.nScheme != INTERNET_SCHEME_HTTPS) return false;
  if (components.dwHostNameLength == 0) return false;
  parts.secure = components.nScheme == INTERNET_SCHEME_HTTPS;
  parts.host.assign(components.lpszHostName, components.dwHostNameLength);
  std::transform(parts.host.begin(), parts.host.end(), parts.host.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  parts.port = components.nPort;
  parts.path.assign(components.lpszUrlPath, components.dwUrlPathLength);
  parts.path.append(components.lpszExtraInfo, components.dwExtraInfoLength);
  if (parts.path.empty()) parts.path = L"/";
  return true;
}

// A URL as WinHTTP takes it: every byte that may not stand in one as it is
// (UTF-8 of other letters, spaces, controls) escaped, and nothing else, so
// that a path the server wrote goes back exactly as written.
std::wstring UrlForWinHttp(const std::string& url) {
  static const char kHex[] = "0123456789ABCDEF";
  std::wstring escaped;
  for (unsigned char c : url) {
    if (c > 0x20 && c < 0x7F && c != '"' && c != '<' && c != '>' && c != '\\' && c != '^' && c != '`' && c != '{' &&
        c != '|' && c != '}') {
      escaped += static_cast<wchar_t>(c);
    } else {
      escaped += L'%';
      escaped += static_cast<wchar_t>(kHex[c >> 4]);
      escaped += static_cast<wchar_t>(kHex[c & 0x0F]);
    }
  }
  return escaped;
}

bool IsThisMachine(const std::wstring& host) { return host == L"127.0.0.1" || host == L"localhost"; }

bool SameOrigin(const UrlParts& a, const UrlParts& b) {
  return a.secure == b.secure && a.host == b.host && a.port == b.port;
}

HttpFailure FailureOfError(DWORD error) {
  switch (error) {
    case ERROR_WINHTTP_OPERATION_CANCELLED:
      return HttpFailure::kCancelled;
    // Wine tells an untrusted certificate as a failed secure channel, and
    // no connection that fails to be made secure may pass for a plain one.
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE:
      return HttpFailure::kCertificate;
    default:
      return HttpFailure::kUnreachable;
  }
}

HttpResponse Failed(HttpFailure failure) {
  HttpResponse response;
  response.failure = failure;
  return response;
}

bool IsFollowedRedirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::string FindHeader(const HttpResponse& response, const char* name) {
  for (const auto& [key, value] : response.headers) {
    if (key.size() == std::char_traits<char>::length(name) &&
        std::equal(key.begin(), key.end(), name, [](char a, char b) { return std::tolower(a) == std::tolower(b); })) {
      return value;
    }
  }
  return "";
}

// The header lines after the status line, each "Name: value".
std::vector<std::pair<std::string, std::string>> SplitHeaders(const std::string& raw) {
  std::vector<std::pair<std::string, std::string>> headers;
  size_t start = raw.find("\r\n");
  while (start != std::string::npos && start + 2 < raw.size()) {
    start += 2;
    size_t end = raw.find("\r\n", start);
    const std::string line = raw.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end;
    const size_t colon = line.find(':');
    if (line.empty() || colon == std::string::npos || colon == 0) continue;
    size_t valueStart = line.find_first_not_of(" \t", colon + 1);
    size_t valueEnd = line.find_last_not_of(" \t");
    std::string value = valueStart == std::string::npos ? "" : line.substr(valueStart, valueEnd - valueStart + 1);
    headers.emplace_back(line.substr(0, colon), std::move(value));
  }
  return headers;
}

// Closes a handle when the scope ends.
class CInternetHandle {
 public:
  explicit CInternetHandle(HINTERNET handle) : m_handle(handle) {}
  CInternetHandle(const CInternetHandle&) = delete;
  CInternetHandle& operator=(const CInternetHandle&) = delete;
  ~CInternetHandle() {
    if (m_handle != nullptr) WinHttpCloseHandle(m_handle);
  }
  HINTERNET Get() const { return m_handle; }
  // The cancel has closed it already.
  void Forget() { m_handle = nullptr; }

 private:
  HINTERNET m_handle;
};

}  // namespace

HttpFailure CheckDestination(const std::string& configured, const std::string& url) {
  UrlParts home;
  UrlParts target;
  if (!CrackUrl(UrlForWinHttp(configured), home) || !CrackUrl(UrlForWinHttp(url), target)) {
    return HttpFailure::kUnreachable;
  }
  if (!target.secure && !IsThisMachine(target.host)) return HttpFailure::kInsecure;
  if (!SameOrigin(home, target)) return HttpFailure::kRedirectElsewhere;
  return HttpFailure::kNone;
}

std::string UrlOrigin(const std::string& url) {
  UrlParts parts;
  if (!CrackUrl(UrlForWinHttp(url), parts)) return "";
  return (parts.secure ? "https://" : "http://") + NarrowToUtf8(parts.host) + ":" + std::to_string(parts.port);
}

std::string ResolveLocation(const std::string& asked, const std::string& location) {
  if (location.empty()) return "";
  UrlParts absolute;
  if (CrackUrl(UrlForWinHttp(location), absolute)) return location;
  UrlParts base;
  if (!CrackUrl(UrlForWinHttp(asked), base)) return "";
  const size_t schemeEnd = asked.find("://");
  if (schemeEnd == std::string::npos) return "";
  if (location.compare(0, 2, "//") == 0) return asked.substr(0, schemeEnd + 1) + location;
  const size_t pathStart = asked.find('/', schemeEnd + 3);
  const std::string origin = asked.substr(0, pathStart);
  if (location[0] == '/') return origin + location;
  // Relative to the folder of the path asked, its query left behind.
  std::string path = pathStart == std::string::npos ? "/" : asked.substr(pathStart);
  path = path.substr(0, path.find_first_of("?#"));
  return origin + path.substr(0, path.rfind('/') + 1) + location;
}

CWinHttpTransport::CWinHttpTransport(WinHttpSettings settings) : m_settings(std::move(settings)) {
  m_session =
      WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
  if (m_session == nullptr) return;
  const WinHttpTimeouts& t = m_settings.timeouts;
  WinHttpSetTimeouts(m_session, t.resolveMs, t.connectMs, t.sendMs, t.receiveMs);
  // TLS 1.2 and 1.3 where the system knows them; older systems take 1.2 alone.
  DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3;
  if (!WinHttpSetOption(m_session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof protocols)) {
    protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2;
    WinHttpSetOption(m_session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof protocols);
  }
}

CWinHttpTransport::~CWinHttpTransport() {
  if (m_session != nullptr) WinHttpCloseHandle(m_session);
  SecureZeroMemory(&m_settings.password[0], m_settings.password.size() * sizeof(wchar_t));
}

HttpFailure CWinHttpTransport::FailureNow() const {
  return m_cancelled ? HttpFailure::kCancelled : FailureOfError(GetLastError());
}

void CWinHttpTransport::Cancel() {
  m_cancelled = true;
  std::lock_guard<std::mutex> hold(m_lock);
  // A synchronous call under way on the handle fails once it is closed.
  if (m_current != nullptr) WinHttpCloseHandle(m_current);
  m_current = nullptr;
}

bool CWinHttpTransport::Track(HINTERNET request) {
  std::lock_guard<std::mutex> hold(m_lock);
  if (m_cancelled) return false;
  m_current = request;
  return true;
}

HttpResponse CWinHttpTransport::Send(const HttpRequest& request) {
  HttpResponse response;
  if (m_cancelled) return Failed(HttpFailure::kCancelled);
  response.failure = CheckDestination(m_settings.address, request.url);
  if (response.failure != HttpFailure::kNone) return response;
  HttpRequest hop = request;
  for (int redirects = 0;; ++redirects) {
    response = SendOnce(UrlForWinHttp(hop.url), hop);
    if (response.failure != HttpFailure::kNone || !IsFollowedRedirect(response.status)) return response;
    const std::string next = ResolveLocation(hop.url, FindHeader(response, "Location"));
    // No place to go, or too many hops: the redirect itself is the answer.
    if (next.empty() || redirects == kMaxRedirects) return response;
    if (CheckDestination(m_settings.address, next) != HttpFailure::kNone) {
      HttpResponse refused;
      refused.failure = HttpFailure::kRedirectElsewhere;
      refused.status = response.status;
      return refused;
    }
    if (response.status == 303) {
      hop.method = "GET";
      hop.body.clear();
    }
    hop.url = next;
  }
}

HttpResponse CWinHttpTransport::SendOnce(const std::wstring& url, const HttpRequest& request) {
  HttpResponse response;
  response.failure = HttpFailure::kUnreachable;  // until the answer is read whole
  UrlParts parts;
  if (m_session == nullptr || !CrackUrl(url, parts)) return response;
  CInternetHandle connection(WinHttpConnect(m_session, parts.host.c_str(), parts.port, 0));
  if (connection.Get() == nullptr) return response;
  const std::wstring method = WidenUtf8(request.method);
  CInternetHandle handle(WinHttpOpenRequest(connection.Get(), method.c_str(), parts.path.c_str(), nullptr,
                                            WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                            WINHTTP_FLAG_ESCAPE_DISABLE | (parts.secure ? WINHTTP_FLAG_SECURE : 0)));
  if (handle.Get() == nullptr) return response;
  if (!Track(handle.Get())) return Failed(HttpFailure::kCancelled);
  struct Untracking {
    CWinHttpTransport& transport;
    CInternetHandle& handle;
    ~Untracking() {
      std::lock_guard<std::mutex> hold(transport.m_lock);
      if (transport.m_current == nullptr) handle.Forget();  // the cancel closed it
      transport.m_current = nullptr;
    }
  } untracking{*this, handle};
  HINTERNET h = handle.Get();

  // Redirects are this class's to judge, and the password goes nowhere but here.
  DWORD never = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
  WinHttpSetOption(h, WINHTTP_OPTION_REDIRECT_POLICY, &never, sizeof never);
  // The wait for the answer's headers is a timeout of its own.
  DWORD responseTimeout = static_cast<DWORD>(m_settings.timeouts.receiveMs);
  WinHttpSetOption(h, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout, sizeof responseTimeout);
  DWORD noCookies = WINHTTP_DISABLE_COOKIES;
  WinHttpSetOption(h, WINHTTP_OPTION_DISABLE_FEATURE, &noCookies, sizeof noCookies);
  if (IsThisMachine(parts.host)) {
    // A proxy of the system has no business with this machine's own server.
    WINHTTP_PROXY_INFO direct = {WINHTTP_ACCESS_TYPE_NO_PROXY, nullptr, nullptr};
    WinHttpSetOption(h, WINHTTP_OPTION_PROXY, &direct, sizeof direct);
  }
  if (!m_settings.user.empty()) {
    const std::wstring user = WidenUtf8(m_settings.user);
    WinHttpSetCredentials(h, WINHTTP_AUTH_TARGET_SERVER, WINHTTP_AUTH_SCHEME_BASIC, user.c_str(),
                          m_settings.password.c_str(), nullptr);
  }
  std::wstring headers;
  for (const auto& [name, value] : request.headers) headers += WidenUtf8(name + ": " + value + "\r\n");
  if (!headers.empty()) {
    WinHttpAddRequestHeaders(h, headers.c_str(), static_cast<DWORD>(headers.size()),
                             WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE);
  }
  const DWORD bodySize = static_cast<DWORD>(request.body.size());
  LPVOID body = bodySize == 0 ? WINHTTP_NO_REQUEST_DATA : const_cast<char*>(request.body.data());
  if (!WinHttpSendRequest(h, WINHTTP_NO_ADDITIONAL_HEADERS, 0, body, bodySize, bodySize, 0) ||
      !WinHttpReceiveResponse(h, nullptr)) {
    return Failed(FailureNow());
  }

  DWORD status = 0;
  DWORD size = sizeof status;
  if (!WinHttpQueryHeaders(h, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                           &status, &size, WINHTTP_NO_HEADER_INDEX)) {
    return response;
  }
  size = 0;
  WinHttpQueryHeaders(h, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &size,
                      WINHTTP_NO_HEADER_INDEX);
  if (size > 0) {
    std::wstring raw(size / sizeof(wchar_t) + 1, L'\0');
    if (WinHttpQueryHeaders(h, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, &raw[0], &size,
                            WINHTTP_NO_HEADER_INDEX)) {
      raw.resize(size / sizeof(wchar_t));
      response.headers = SplitHeaders(NarrowToUtf8(raw));
    }
  }
  response.status = static_cast<int>(status);
  response.failure = HttpFailure::kNone;

  DWORD announced = 0;
  size = sizeof announced;
  if (WinHttpQueryHeaders(h, WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                          &announced, &size, WINHTTP_NO_HEADER_INDEX) &&
      announced > m_settings.bodyLimit) {
    return Failed(HttpFailure::kTooLarge);
  }
  std::vector<char> chunk(kReadChunk);
  for (;;) {
    DWORD available = 0;
    if (!WinHttpQueryDataAvailable(h, &available)) return Failed(FailureNow());
    if (available == 0) break;
    if (response.body.size() + available > m_settings.bodyLimit) return Failed(HttpFailure::kTooLarge);
    DWORD read = 0;
    if (!WinHttpReadData(h, chunk.data(), std::min<DWORD>(available, kReadChunk), &read)) return Failed(FailureNow());
    if (read == 0) break;
    response.body.append(chunk.data(), read);
  }
  // Asked to stop meanwhile: the caller goes no further, whatever came back.
  return m_cancelled ? Failed(HttpFailure::kCancelled) : response;
}
