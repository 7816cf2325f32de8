#pragma once
// Why a step of the calendar sync could not be done, as one value that the
// window, the setup dialog and the command line each show in one line.
#include <string>

#include "sync/HttpExchange.h"

enum class SyncProblem {
  kNone,
  // Before the server answered.
  kUnreachable,
  kCertificate,
  kInsecure,           // plain http to a host that is not this PC
  kRedirectElsewhere,  // sent to another host, which never gets the password
  kTooLarge,           // an answer beyond the transport's bound
  kCancelled,
  // The server's answer.
  kAuthentication,   // 401
  kForbidden,        // 403
  kNotFound,         // 404
  kConflict,         // 409
  kRequestTooLarge,  // 413
  kServerError,      // 5xx
  kUnexpectedStatus,
  kMalformedReply,  // no multistatus that can be read
  kNotCalendar,     // the address answers, but holds no calendar of events
  kNoAddress,       // an address that is no http or https URL
  // On this PC.
  kStateUnreadable,     // the record of the last sync cannot be read: never taken for a first sync
  kStateUnwritten,      // the record of this sync could not be written; the next sync links what it finds
  kBookUnreadable,      // the month files cannot be listed
  kIdentityUnreadable,  // the book's identity file is there but cannot be read
  // The safety rails: the sync stops and changes nothing.
  kCalendarEmptied,   // a calendar that held the synced events lists none of them
  kCalendarReplaced,  // another calendar at the same address
};

struct SyncProblemInfo {
  SyncProblem problem = SyncProblem::kNone;
  int status = 0;      // the HTTP status, where the server gave one
  std::string detail;  // UTF-8: the address or the name it is about; never a password

  bool Failed() const { return problem != SyncProblem::kNone; }
};

// The problem a request's answer means: kNone for a 2xx status (207 too)
// and for the statuses listed as expected.
SyncProblemInfo ProblemOfResponse(const HttpResponse& response);

// A problem that any further request to the server would only meet again:
// it cannot be reached, or it refuses the user, or it is failing. A 501 (a
// request the server does not know) is none: another request asks around it.
bool EndsTheRun(const SyncProblemInfo& info);

// One line for the user, UTF-8 Japanese: "認証エラー",
// "サーバーに接続できません", "証明書エラー", ...
std::string DescribeSyncProblem(const SyncProblemInfo& info);
