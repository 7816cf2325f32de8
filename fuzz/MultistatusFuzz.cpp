// The sync's reading of a server's replies on arbitrary bytes: the
// multistatus reader through libxml2's pull reader, then each event's text
// as the book would hold it and as it would be written back. Nothing may
// overrun or loop; a text read and written again reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "calendar/DayNumber.h"
#include "export/BookTimeZone.h"
#include "sync/CalendarText.h"
#include "sync/DavUrl.h"
#include "sync/LineEvent.h"
#include "sync/Multistatus.h"
#include "sync/ServerEvent.h"
#include "tests/support/LibXmlReader.h"

namespace {

void ReadEvent(const std::string& text) {
  EventReading reading;
  reading.firstDay = DayNumberOf(2025, 12, 9);
  reading.horizonDay = DayNumberOf(2027, 12, 31);
  reading.lastDay = DayNumberOf(2036, 12, 31);
  reading.zone = FindBookTimeZone(kDefaultTimeZone);
  const ServerEvent event = ReadServerEvent(text, reading);
  CCalendarText document(text);
  const std::string written = document.Text();
  if (CCalendarText(written).Text() != written) std::abort();
  if (!event.readable || event.occurrences.empty()) return;
  const ServerOccurrence& first = event.occurrences.front();
  const std::vector<EventComponent> components = document.Events();
  if (first.component >= components.size()) std::abort();
  SetLineEvent(document, components[first.component], EventOfLine("10:00 fuzz", {2026, 12, 9}), nullptr, *reading.zone);
  // What the book wrote into the event reads back as its line.
  const ServerEvent again = ReadServerEvent(document.Text(), reading);
  if (!again.readable) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string document(reinterpret_cast<const char*>(data), size);
  // The bytes as a reply, and as an event's own text.
  auto reader = NewLibXmlReader(document);
  MultistatusReading reading;
  ReadMultistatus(
      *reader,
      [](DavResponse& response) {
        for (const std::string& href : response.hrefs) {
          HrefKey(href);
          ResolveHref("https://dav.example/cal/", href);
        }
        if (response.hasCalendarData) ReadEvent(response.calendarData);
      },
      reading);
  ReadEvent(document);
  return 0;
}
