#pragma once
// The bodies of the requests the sync sends: constant XML, with a value
// escaped only where one goes in (a sync token, an href, a display name).
#include <string>
#include <vector>

// &, <, >, " and ' as entities.
std::string EscapeXml(const std::string& text);

// What a calendar is: its type, name, components, change tag and token.
std::string CalendarPropfindBody();
// The user's principal.
std::string PrincipalPropfindBody();
// The principal's calendar home.
std::string HomePropfindBody();
// The members of a collection with their ETags (Depth 1).
std::string EtagPropfindBody();
// RFC 6578: the members changed since token (empty: every member).
std::string SyncCollectionBody(const std::string& token);
// RFC 4791: these members' ETags and calendar data.
std::string MultigetBody(const std::vector<std::string>& hrefs);
// A calendar of events named displayName.
std::string MakeCalendarBody(const std::string& displayName);
