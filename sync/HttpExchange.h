#pragma once
// One HTTP request and its answer, as the calendar sync sends them: the
// sync decides what to ask, the platform's transport (WinHTTP on Windows,
// a fake server in the tests) carries it. Nothing here parses HTTP.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

struct HttpRequest {
  std::string method;  // "PROPFIND", "REPORT", "PUT", "DELETE", "MKCALENDAR", "GET"
  std::string url;     // absolute, as the server wrote it or as made from the address
  std::vector<std::pair<std::string, std::string>> headers;  // "Depth", "If-Match", ...
  std::string body;
};

// Why a request came back with no answer from the server.
enum class HttpFailure {
  kNone,               // the server answered: status, headers and body hold its answer
  kUnreachable,        // no connection, a name that does not resolve, a timeout
  kCertificate,        // the server's certificate is not trusted; never ignored
  kInsecure,           // plain http to a host that is not 127.0.0.1 or localhost
  kTooLarge,           // the answer's body passed the transport's limit; nothing of it is kept
  kRedirectElsewhere,  // a redirect to another host, which is not followed
  kCancelled,          // the caller asked to stop
};

struct HttpResponse {
  HttpFailure failure = HttpFailure::kNone;
  int status = 0;
  std::vector<std::pair<std::string, std::string>> headers;  // names as the server wrote them
  std::string body;

  // The first header of that name, compared without regard to case; "" when none.
  std::string Header(const std::string& name) const;
};

class IHttpTransport {
 public:
  virtual ~IHttpTransport() = default;
  // Sends with the credentials the transport was given, to the host of
  // the address it was set up for only; blocks until the answer is in.
  virtual HttpResponse Send(const HttpRequest& request) = 0;
};
