#include "sync/ServerListing.h"

#include <algorithm>
#include <utility>

#include "sync/DavBodies.h"
#include "sync/DavUrl.h"

namespace {

constexpr size_t kBatch = 50;
// A delta cut short (507) is asked again from its token, but not for ever.
constexpr int kMostRounds = 100;

bool IsMember(const DavResponse& response, const std::string& calendarKey) {
  if (response.hrefs.empty() || response.isCollection) return false;
  // Some servers list the calendar itself among its changes.
  if (HrefKey(response.hrefs.front()) == calendarKey) return false;
  const std::string& type = response.contentType;
  return type.empty() || type.compare(0, 13, "text/calendar") == 0;
}

// A token the server no longer takes: start over, as RFC 6578 says (403 or
// 409 with valid-sync-token); some servers answer 400, 404 or 412.
bool RefusesToken(int status) {
  return status == 400 || status == 403 || status == 404 || status == 409 || status == 410 || status == 412;
}

SyncProblemInfo SyncCollection(CDavClient& dav, const std::string& calendarUrl, const std::string& token,
                               ServerListing& listing, int& status) {
  const std::string calendarKey = HrefKey(calendarUrl);
  std::string from = token;
  for (int round = 0; round < kMostRounds; ++round) {
    MultistatusReading reading;
    bool truncated = false;
    SyncProblemInfo problem = dav.AskMultistatus(
        "REPORT", calendarUrl, "0", SyncCollectionBody(from),
        [&](DavResponse& response) {
          if (!response.hrefs.empty() && HrefKey(response.hrefs.front()) == calendarKey) {
            truncated = truncated || response.status == 507;
            return;
          }
          for (const std::string& href : response.hrefs) {
            const std::string key = HrefKey(href);
            // Only a 404 marks a member removed.
            if (response.status == 404) {
              listing.listed.erase(key);
              listing.removed.insert(key);
            } else if (IsMember(response, calendarKey)) {
              listing.removed.erase(key);
              listing.listed[key] = {href, response.etag};
            }
          }
        },
        reading, status);
    if (problem.Failed()) return problem;
    if (reading.syncToken.empty()) {
      problem.problem = SyncProblem::kMalformedReply;
      problem.detail = calendarUrl;
      return problem;
    }
    listing.token = reading.syncToken;
    if (!truncated || reading.syncToken == from) return problem;
    from = reading.syncToken;
  }
  return SyncProblemInfo();
}

SyncProblemInfo DescribeCalendar(CDavClient& dav, const std::string& calendarUrl, ServerListing& listing) {
  MultistatusReading reading;
  int status = 0;
  const std::string key = HrefKey(calendarUrl);
  DavResponse itself;
  bool found = false;
  SyncProblemInfo problem = dav.AskMultistatus(
      "PROPFIND", calendarUrl, "0", CalendarPropfindBody(),
      [&](DavResponse& response) {
        if (!found || (!response.hrefs.empty() && HrefKey(response.hrefs.front()) == key)) itself = std::move(response);
        found = true;
      },
      reading, status);
  if (problem.Failed()) return problem;
  if (!found || !itself.isCalendar || !itself.HoldsEvents()) {
    problem.problem = SyncProblem::kNotCalendar;
    problem.detail = calendarUrl;
    return problem;
  }
  listing.describedItself = true;
  listing.resourceId = itself.resourceId;
  return problem;
}

SyncProblemInfo ListEtags(CDavClient& dav, const std::string& calendarUrl, ServerListing& listing) {
  MultistatusReading reading;
  int status = 0;
  const std::string calendarKey = HrefKey(calendarUrl);
  return dav.AskMultistatus(
      "PROPFIND", calendarUrl, "1", EtagPropfindBody(),
      [&](DavResponse& response) {
        if (!IsMember(response, calendarKey) || (response.status != 0 && response.status != 200)) return;
        listing.listed[HrefKey(response.hrefs.front())] = {response.hrefs.front(), response.etag};
      },
      reading, status);
}

}  // namespace

ServerListing ListCalendar(CDavClient& dav, const std::string& calendarUrl, const std::string& token) {
  ServerListing listing;
  if (!token.empty()) {
    int status = 0;
    listing.delta = true;
    listing.problem = SyncCollection(dav, calendarUrl, token, listing, status);
    if (!listing.problem.Failed() || !RefusesToken(status)) return listing;
  }
  // The whole calendar: what it is first, so that another calendar at its address shows.
  listing = ServerListing();
  listing.problem = DescribeCalendar(dav, calendarUrl, listing);
  if (listing.problem.Failed()) return listing;
  int status = 0;
  listing.problem = SyncCollection(dav, calendarUrl, std::string(), listing, status);
  if (!listing.problem.Failed()) return listing;
  if (EndsTheRun(listing.problem)) return listing;
  // A server without collection sync: every member with its ETag.
  listing.listed.clear();
  listing.token.clear();
  listing.problem = ListEtags(dav, calendarUrl, listing);
  return listing;
}

FetchedResource FetchOne(CDavClient& dav, const std::string& calendarUrl, const std::string& href,
                         SyncProblemInfo& problem) {
  FetchedResource fetched;
  fetched.href = href;
  HttpRequest request;
  request.method = "GET";
  request.url = ResolveHref(calendarUrl, href);
  if (request.url.empty()) {
    fetched.gone = true;
    return fetched;
  }
  HttpResponse response = dav.Send(request);
  if (response.failure == HttpFailure::kTooLarge) {
    fetched.tooLarge = true;
    return fetched;
  }
  problem = ProblemOfResponse(response);
  if (problem.problem == SyncProblem::kNotFound) {
    problem = SyncProblemInfo();
    fetched.gone = true;
    return fetched;
  }
  if (problem.Failed()) {
    problem.detail = request.url;
    return fetched;
  }
  fetched.hasText = true;
  fetched.etag = response.Header("ETag");
  fetched.text = std::move(response.body);
  return fetched;
}

namespace {

SyncProblemInfo FetchEach(CDavClient& dav, const std::string& calendarUrl, const std::vector<std::string>& hrefs,
                          const std::function<void(FetchedResource&)>& each) {
  for (const std::string& href : hrefs) {
    SyncProblemInfo problem;
    FetchedResource fetched = FetchOne(dav, calendarUrl, href, problem);
    if (problem.Failed() && EndsTheRun(problem)) return problem;
    each(fetched);
  }
  return SyncProblemInfo();
}

SyncProblemInfo FetchBatch(CDavClient& dav, const std::string& calendarUrl, const std::vector<std::string>& hrefs,
                           const std::function<void(FetchedResource&)>& each) {
  std::map<std::string, FetchedResource> answered;
  MultistatusReading reading;
  int status = 0;
  SyncProblemInfo problem = dav.AskMultistatus(
      "REPORT", calendarUrl, "1", MultigetBody(hrefs),
      [&](DavResponse& response) {
        for (const std::string& href : response.hrefs) {
          FetchedResource fetched;
          fetched.href = href;
          fetched.gone = response.status == 404;
          fetched.hasText = response.hasCalendarData;
          fetched.etag = response.etag;
          if (response.hrefs.size() == 1) fetched.text.swap(response.calendarData);
          answered[HrefKey(href)] = std::move(fetched);
        }
      },
      reading, status);
  if (problem.problem == SyncProblem::kTooLarge && hrefs.size() > 1) {
    const auto middle = hrefs.begin() + static_cast<long>(hrefs.size() / 2);
    SyncProblemInfo first = FetchBatch(dav, calendarUrl, std::vector<std::string>(hrefs.begin(), middle), each);
    if (first.Failed()) return first;
    return FetchBatch(dav, calendarUrl, std::vector<std::string>(middle, hrefs.end()), each);
  }
  if (problem.problem == SyncProblem::kTooLarge) {
    FetchedResource fetched;
    fetched.href = hrefs.front();
    fetched.tooLarge = true;
    each(fetched);
    return SyncProblemInfo();
  }
  if (problem.Failed() && EndsTheRun(problem)) return problem;
  // A reply that cannot be read (or a server without multiget): one by one,
  // so that one broken event costs only itself.
  if (problem.Failed()) return FetchEach(dav, calendarUrl, hrefs, each);
  std::vector<std::string> missing;
  for (const std::string& href : hrefs) {
    auto found = answered.find(HrefKey(href));
    if (found == answered.end() || (!found->second.gone && !found->second.hasText)) {
      missing.push_back(href);
      continue;
    }
    found->second.href = href;
    each(found->second);
  }
  return FetchEach(dav, calendarUrl, missing, each);
}

}  // namespace

SyncProblemInfo FetchResources(CDavClient& dav, const std::string& calendarUrl, const std::vector<std::string>& hrefs,
                               const std::function<void(FetchedResource& resource)>& each) {
  for (size_t start = 0; start < hrefs.size(); start += kBatch) {
    const size_t end = std::min(hrefs.size(), start + kBatch);
    SyncProblemInfo problem = FetchBatch(
        dav, calendarUrl,
        std::vector<std::string>(hrefs.begin() + static_cast<long>(start), hrefs.begin() + static_cast<long>(end)),
        each);
    if (problem.Failed()) return problem;
  }
  return SyncProblemInfo();
}
