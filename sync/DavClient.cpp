#include "sync/DavClient.h"

#include <memory>
#include <utility>

#include "sync/DavUrl.h"

namespace {

constexpr int kMaxRedirects = 5;
constexpr const char* kXmlType = "application/xml; charset=utf-8";

bool IsRedirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

void AddHeader(HttpRequest& request, const char* name, const std::string& value) {
  request.headers.emplace_back(name, value);
}

CDavClient::CDavClient(IHttpTransport& http, const XmlReaderFactory& xml) : m_http(http), m_xml(xml) {}

HttpResponse CDavClient::Send(HttpRequest request) {
  for (int hop = 0;; ++hop) {
    DavUrl parts;
    if (!ParseDavUrl(request.url, parts) || !IsSecureOrLocal(parts)) {
      // Refused here already, whatever the transport would do.
      HttpResponse refused;
      refused.failure = HttpFailure::kInsecure;
      return refused;
    }
    ++m_requests;
    HttpResponse response = m_http.Send(request);
    if (response.failure != HttpFailure::kNone || !IsRedirect(response.status)) return response;
    const std::string location = response.Header("Location");
    const std::string next = location.empty() ? std::string() : ResolveHref(request.url, location);
    if (hop == kMaxRedirects || next.empty()) {
      // Another server, or a loop: the password is never sent there.
      if (!location.empty() && next.empty()) response.failure = HttpFailure::kRedirectElsewhere;
      return response;
    }
    request.url = next;
  }
}

SyncProblemInfo CDavClient::AskMultistatus(const std::string& method, const std::string& url, const char* depth,
                                           const std::string& body, const std::function<void(DavResponse&)>& each,
                                           MultistatusReading& reading, int& status) {
  HttpRequest request;
  request.method = method;
  request.url = url;
  AddHeader(request, "Depth", depth);
  AddHeader(request, "Content-Type", kXmlType);
  request.body = body;
  const HttpResponse response = Send(std::move(request));
  status = response.failure == HttpFailure::kNone ? response.status : 0;
  SyncProblemInfo problem = ProblemOfResponse(response);
  if (problem.Failed()) {
    problem.detail = url;
    return problem;
  }
  if (response.status != 207) {
    problem.problem = SyncProblem::kUnexpectedStatus;
    problem.status = response.status;
    problem.detail = url;
    return problem;
  }
  std::unique_ptr<IXmlReader> reader = m_xml(response.body);
  if (!reader || !ReadMultistatus(*reader, each, reading)) {
    problem.problem = SyncProblem::kMalformedReply;
    problem.detail = url;
  }
  return problem;
}
