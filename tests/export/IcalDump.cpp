// Reads an iCalendar file with libical and prints each VEVENT as one record
// ending in 0x1D: UID, DTSTART (YYYYMMDD), SUMMARY, DESCRIPTION ("-" when
// absent) and the CATEGORIES values, separated by 0x1F, the values by 0x1E.
// The export check compares this with what python3-icalendar reads.
#include <libical/ical.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const char kField = '\x1f';
const char kValue = '\x1e';
const char kRecord = '\x1d';

std::string TextOf(icalcomponent* event, icalproperty_kind kind, const char* absent) {
  icalproperty* property = icalcomponent_get_first_property(event, kind);
  if (property == nullptr) return absent;
  const char* text = icalvalue_get_text(icalproperty_get_value(property));
  return text != nullptr ? text : "";
}

std::string Categories(icalcomponent* event) {
  std::string values;
  for (icalproperty* property = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY);
       property != nullptr; property = icalcomponent_get_next_property(event, ICAL_CATEGORIES_PROPERTY)) {
    if (!values.empty()) values += kValue;
    values += icalproperty_get_categories(property);
  }
  return values;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ical-dump FILE.ics\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  icalcomponent* calendar = icalparser_parse_string(data.c_str());
  if (calendar == nullptr || icalcomponent_isa(calendar) != ICAL_VCALENDAR_COMPONENT) {
    std::fprintf(stderr, "ical-dump: libical could not read %s\n", argv[1]);
    return 1;
  }
  for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event != nullptr;
       event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
    icaltimetype start = icalcomponent_get_dtstart(event);
    std::printf("%s%c%04d%02d%02d%c%s%c%s%c%s%c", TextOf(event, ICAL_UID_PROPERTY, "").c_str(), kField, start.year,
                start.month, start.day, kField, TextOf(event, ICAL_SUMMARY_PROPERTY, "").c_str(), kField,
                TextOf(event, ICAL_DESCRIPTION_PROPERTY, "-").c_str(), kField, Categories(event).c_str(), kRecord);
  }
  icalcomponent_free(calendar);
  return 0;
}
