#pragma once
// The addresses of a calendar server: an href as the server writes it made
// absolute against the address it came from, and the one form two hrefs are
// compared in (the path, percent-decoded once), so that "%40" and "@" in two
// replies name one event.
#include <string>

struct DavUrl {
  std::string origin;  // "https://host:port", scheme and host in lower case
  std::string path;    // from the first "/" on, as written; "/" when none
};

// False for anything but an http or https URL with a host.
bool ParseDavUrl(const std::string& url, DavUrl& parts);

// https, or plain http to this PC only (127.0.0.1, ::1, localhost): the
// password never crosses a network unencrypted.
bool IsSecureOrLocal(const DavUrl& url);

// The href (a path, or a whole URL) on the server of base; empty when it is
// a URL of another origin, which is never asked.
std::string ResolveHref(const std::string& base, const std::string& href);

// The path of an href or URL, percent-decoded once and without a trailing
// "/": what two hrefs of one resource share.
std::string HrefKey(const std::string& href);

// A path segment made from a name of letters, digits and "-._~" only,
// with every other byte percent-encoded.
std::string EncodePathSegment(const std::string& name);
