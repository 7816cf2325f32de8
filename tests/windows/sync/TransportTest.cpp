// The WinHTTP transport against a server that misbehaves on purpose
// (misbehaving-server.py, started by the sync-transport script, which
// hands its ports over in PLANNIX_TEST_PORTS).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>

#include "sync/win/WinHttpTransport.h"

namespace {

struct Ports {
  int http = 0, other = 0, https = 0;
};

Ports TestPorts() {
  Ports ports;
  const char* text = std::getenv("PLANNIX_TEST_PORTS");
  if (text != nullptr) std::istringstream(text) >> ports.http >> ports.other >> ports.https;
  return ports;
}

std::string Origin(int port, const char* scheme = "http", const char* host = "127.0.0.1") {
  return std::string(scheme) + "://" + host + ":" + std::to_string(port);
}

WinHttpSettings Account(const std::string& address) {
  WinHttpSettings settings;
  settings.address = address;
  settings.user = "anna";
  settings.password = L"geheim";
  return settings;
}

HttpRequest Request(const std::string& method, const std::string& url, const std::string& body = "") {
  HttpRequest request;
  request.method = method;
  request.url = url;
  request.body = body;
  return request;
}

// What the server recorded of every request since the last clear, one JSON line each.
std::string ServerLog(const Ports& ports) {
  CWinHttpTransport transport(Account(Origin(ports.http)));
  return transport.Send(Request("GET", Origin(ports.http) + "/log")).body;
}

void ClearServerLog(const Ports& ports) {
  CWinHttpTransport transport(Account(Origin(ports.http)));
  transport.Send(Request("GET", Origin(ports.http) + "/clear"));
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class TransportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (m_ports.http == 0) GTEST_SKIP() << "PLANNIX_TEST_PORTS is not set: run through tests/windows/sync-transport";
    ClearServerLog(m_ports);
  }
  Ports m_ports = TestPorts();
};

// "Basic " + base64("anna:geheim").
constexpr char kAnnasAuthorization[] = "\"authorization\": \"Basic YW5uYTpnZWhlaW0=\"";

TEST_F(TransportTest, WhereARequestEndsAndWhatReachesTheServer) {
  struct Case {
    const char* path;
    const char* method;
    HttpFailure failure;
    int status;
    // What the echo of the request that arrived holds (the method it came
    // with, the path it ended at, the body), "" when nothing is to arrive.
    const char* echoed;
  };
  const Case cases[] = {
      {"/echo", "PROPFIND", HttpFailure::kNone, 207, "\"method\": \"PROPFIND\", \"path\": \"/echo\""},
      {"/moved", "PROPFIND", HttpFailure::kNone, 207, "\"method\": \"PROPFIND\", \"path\": \"/echo\""},
      {"/folder/moved-relative", "REPORT", HttpFailure::kNone, 207,
       "\"method\": \"REPORT\", \"path\": \"/folder/echo\""},
      {"/moved-absolute", "PUT", HttpFailure::kNone, 207, "\"method\": \"PUT\", \"path\": \"/echo\""},
      {"/see-other", "PROPFIND", HttpFailure::kNone, 207, "\"method\": \"GET\", \"path\": \"/echo\""},
      {"/elsewhere", "PROPFIND", HttpFailure::kRedirectElsewhere, 302, ""},
      {"/elsewhere-by-name", "PROPFIND", HttpFailure::kRedirectElsewhere, 308, ""},
      {"/loop", "GET", HttpFailure::kNone, 302, ""},
      {"/status/401", "PROPFIND", HttpFailure::kNone, 401, ""},
      {"/status/412", "PUT", HttpFailure::kNone, 412, ""},
      {"/status/507", "PUT", HttpFailure::kNone, 507, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    ClearServerLog(m_ports);
    CWinHttpTransport transport(Account(Origin(m_ports.http)));
    HttpRequest request = Request(c.method, Origin(m_ports.http) + c.path, "<propfind/>");
    request.headers = {{"Depth", "1"}};
    const HttpResponse response = transport.Send(request);
    EXPECT_EQ(response.failure, c.failure);
    EXPECT_EQ(response.status, c.status);
    if (c.echoed[0] != '\0') {
      EXPECT_NE(response.body.find(c.echoed), std::string::npos) << response.body;
      EXPECT_NE(response.body.find(kAnnasAuthorization), std::string::npos) << response.body;
      EXPECT_NE(response.body.find("\"depth\": \"1\""), std::string::npos) << response.body;
      const bool bodyKept = std::string(c.path) != "/see-other";
      EXPECT_EQ(response.body.find("\"body\": \"<propfind/>\"") != std::string::npos, bodyKept) << response.body;
    }
    if (c.failure == HttpFailure::kRedirectElsewhere) {
      EXPECT_TRUE(response.body.empty());
    }
    // Whatever happened, the other origin never heard of it, and no request
    // was made to this port under another name.
    const std::string log = ServerLog(m_ports);
    EXPECT_EQ(log.find("\"port\": " + std::to_string(m_ports.other)), std::string::npos) << log;
    EXPECT_EQ(log.find("localhost"), std::string::npos) << log;
    if (std::string(c.path) == "/loop") {
      EXPECT_EQ(Count(log, "/loop"), 1u + CWinHttpTransport::kMaxRedirects);
    }
  }
}

TEST_F(TransportTest, RequestsOutsideTheOriginOrInTheClearAreRefusedBeforeAnythingIsSent) {
  struct Case {
    std::string address;
    std::string url;
    HttpFailure failure;
  };
  const std::string home = Origin(m_ports.http);
  const Case cases[] = {
      {home, Origin(m_ports.other) + "/echo", HttpFailure::kRedirectElsewhere},
      {home, Origin(m_ports.http, "http", "localhost") + "/echo", HttpFailure::kRedirectElsewhere},
      {home, Origin(m_ports.http, "https") + "/echo", HttpFailure::kRedirectElsewhere},
      {"http://calendar.example.org/dav/", "http://calendar.example.org/dav/", HttpFailure::kInsecure},
      {"http://10.0.0.7:5232/", "http://10.0.0.7:5232/anna/", HttpFailure::kInsecure},
      {"https://calendar.example.org/dav/", "http://calendar.example.org/dav/", HttpFailure::kInsecure},
      {home, "not a url", HttpFailure::kUnreachable},
      {home, "ftp://127.0.0.1/echo", HttpFailure::kUnreachable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    CWinHttpTransport transport(Account(c.address));
    EXPECT_EQ(transport.Send(Request("PROPFIND", c.url)).failure, c.failure);
  }
  EXPECT_EQ(ServerLog(m_ports), "");
}

TEST_F(TransportTest, AnUntrustedCertificateIsAFailureOfItsOwn) {
  const std::string address = Origin(m_ports.https, "https") + "/";
  CWinHttpTransport transport(Account(address));
  const HttpResponse response = transport.Send(Request("PROPFIND", address + "echo"));
  EXPECT_EQ(response.failure, HttpFailure::kCertificate);
  EXPECT_EQ(ServerLog(m_ports), "");
}

TEST_F(TransportTest, AClosedPortIsUnreachable) {
  // A privileged port, where no test server listens.
  const std::string address = Origin(1) + "/";
  CWinHttpTransport transport(Account(address));
  EXPECT_EQ(transport.Send(Request("GET", address)).failure, HttpFailure::kUnreachable);
}

TEST_F(TransportTest, BodiesPastTheLimitAreDroppedWithoutReadingThemWhole) {
  for (const char* path : {"/huge", "/huge-announced"}) {
    SCOPED_TRACE(path);
    WinHttpSettings settings = Account(Origin(m_ports.http));
    settings.bodyLimit = 1024 * 1024;
    CWinHttpTransport transport(settings);
    const auto start = std::chrono::steady_clock::now();
    const HttpResponse response = transport.Send(Request("GET", Origin(m_ports.http) + path));
    EXPECT_EQ(response.failure, HttpFailure::kTooLarge);
    EXPECT_TRUE(response.body.empty());
    // Reading all of it would take far longer than stopping at the limit.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
  }
  // Within the limit the same transport reads the whole answer.
  CWinHttpTransport transport(Account(Origin(m_ports.http)));
  EXPECT_EQ(transport.Send(Request("GET", Origin(m_ports.http) + "/echo")).failure, HttpFailure::kNone);
}

// Windows ends the call under way when its handle is closed; Wine 8 lets it
// run on to its timeout, and then it is a cancel all the same.
TEST_F(TransportTest, ACancelEndsARequestThatHangsAndEveryLaterOne) {
  WinHttpSettings settings = Account(Origin(m_ports.http));
  settings.timeouts.receiveMs = 3000;
  CWinHttpTransport transport(settings);
  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    transport.Cancel();
  });
  const auto start = std::chrono::steady_clock::now();
  const HttpResponse response = transport.Send(Request("GET", Origin(m_ports.http) + "/hang"));
  const auto took = std::chrono::steady_clock::now() - start;
  canceller.join();
  EXPECT_EQ(response.failure, HttpFailure::kCancelled);
  EXPECT_LT(took, std::chrono::seconds(10));
  EXPECT_EQ(transport.Send(Request("GET", Origin(m_ports.http) + "/echo")).failure, HttpFailure::kCancelled);
}

TEST_F(TransportTest, AServerThatDoesNotAnswerTimesOut) {
  WinHttpSettings settings = Account(Origin(m_ports.http));
  settings.timeouts.receiveMs = 1000;
  CWinHttpTransport transport(settings);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(transport.Send(Request("GET", Origin(m_ports.http) + "/hang")).failure, HttpFailure::kUnreachable);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST_F(TransportTest, PathsGoAsWrittenWithOtherLettersEscapedOnce) {
  CWinHttpTransport transport(Account(Origin(m_ports.http)));
  const HttpResponse response =
      transport.Send(Request("GET", Origin(m_ports.http) + "/echo?cal=%40home&name=\xE4\xBA\x88 x"));
  ASSERT_EQ(response.failure, HttpFailure::kNone);
  EXPECT_NE(response.body.find("\"path\": \"/echo?cal=%40home&name=%E4%BA%88%20x\""), std::string::npos)
      << response.body;
  // The answer's headers as the server wrote them.
  bool etag = false;
  for (const auto& [name, value] : response.headers) etag = etag || (name == "ETag" && value == "\"e1\"");
  EXPECT_TRUE(etag);
}

TEST(ResolveLocationTest, ARedirectsLocationAgainstTheUrlAsked) {
  struct Case {
    const char* asked;
    const char* location;
    const char* resolved;
  };
  const Case cases[] = {
      {"https://dav.example.org/a/b?x=1", "/c/", "https://dav.example.org/c/"},
      {"https://dav.example.org/a/b?x=1", "c", "https://dav.example.org/a/c"},
      {"https://dav.example.org/a/b/", "c/d", "https://dav.example.org/a/b/c/d"},
      {"https://dav.example.org:8443/a", "//other.example.org/x", "https://other.example.org/x"},
      {"https://dav.example.org/a", "http://dav.example.org/b", "http://dav.example.org/b"},
      {"https://dav.example.org", "x", "https://dav.example.org/x"},
      {"https://dav.example.org/a", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveLocation(c.asked, c.location), c.resolved) << c.asked << " + " << c.location;
  }
}

}  // namespace
