#pragma once
// The calendar sync's requests carried by WinHTTP. It talks to one server,
// the origin (scheme, host and port) of the address it is set up for, and
// to no other: a request or a redirect elsewhere is refused, so the
// password never leaves that server. Plain http only to this machine;
// a certificate that is not trusted is an answer of its own, never
// waved through. An answer's body is read up to a limit and no further,
// so that a huge reply cannot exhaust the 32-bit process.
#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>

#include "sync/HttpExchange.h"
#include "win/WinHeaders.h"

#include <winhttp.h>

struct WinHttpTimeouts {
  int resolveMs = 10000;
  int connectMs = 10000;
  int sendMs = 30000;
  int receiveMs = 30000;
};

struct WinHttpSettings {
  std::string address;  // the account's URL: its origin is the only one talked to
  std::string user;     // UTF-8; no authentication when empty
  std::wstring password;
  size_t bodyLimit = kDefaultBodyLimit;
  WinHttpTimeouts timeouts;

  // Far above the largest multistatus a calendar of a few thousand events
  // gives, far below what the 32-bit process can hold.
  static constexpr size_t kDefaultBodyLimit = 32u * 1024 * 1024;
};

class CWinHttpTransport : public IHttpTransport {
 public:
  // How many redirects within the origin are followed for one request.
  static constexpr int kMaxRedirects = 5;

  explicit CWinHttpTransport(WinHttpSettings settings);
  ~CWinHttpTransport() override;
  CWinHttpTransport(const CWinHttpTransport&) = delete;
  CWinHttpTransport& operator=(const CWinHttpTransport&) = delete;

  HttpResponse Send(const HttpRequest& request) override;

  // From any thread: the request under way ends as kCancelled as soon as
  // WinHTTP lets go, and every later one at once.
  void Cancel();

 private:
  // One exchange with no redirect followed; the final answer or a failure.
  HttpResponse SendOnce(const std::wstring& url, const HttpRequest& request);
  // The request handle the cancel closes; false when cancelled already.
  bool Track(HINTERNET request);
  // What a call that failed just now means.
  HttpFailure FailureNow() const;

  WinHttpSettings m_settings;
  HINTERNET m_session = nullptr;
  std::atomic<bool> m_cancelled{false};
  std::mutex m_lock;
  HINTERNET m_current = nullptr;  // guarded by m_lock
};

// Where a request may go, by the rules above: the failure it meets before
// anything is sent, kNone when it may go. Both URLs absolute.
HttpFailure CheckDestination(const std::string& configured, const std::string& url);

// "https://host:port" of an absolute URL, the host in lower case and the
// port always written; "" when it is none.
std::string UrlOrigin(const std::string& url);

// A redirect's Location resolved against the URL that was asked; "" when it
// cannot be read.
std::string ResolveLocation(const std::string& asked, const std::string& location);
