#!/usr/bin/python3
"""The phone: a CalDAV client (python3-caldav) that makes, edits and deletes
events behind the book's back, as DAVx5 or a phone's calendar app does.

    phone.py SERVER USER PASSWORD make-calendar NAME      -> prints the calendar's URL
    phone.py CALENDAR_URL USER PASSWORD add UID DTSTART SUMMARY [RRULE]
    phone.py CALENDAR_URL USER PASSWORD edit UID SUMMARY
    phone.py CALENDAR_URL USER PASSWORD delete UID
    phone.py CALENDAR_URL USER PASSWORD list              -> one JSON object per event (and exception)
    phone.py CALENDAR_URL USER PASSWORD count             -> how many resources the calendar holds
    phone.py CALENDAR_URL USER PASSWORD raw UID           -> the event's iCalendar text

DTSTART is 20261209 (a day) or 20261209T100000 (Asia/Tokyo). USER "" signs
in as no one (Xandikos takes every request).
"""
import json
import sys

import caldav

TOKYO = """BEGIN:VTIMEZONE
TZID:Asia/Tokyo
BEGIN:STANDARD
DTSTART:19700101T000000
TZOFFSETFROM:+0900
TZOFFSETTO:+0900
TZNAME:JST
END:STANDARD
END:VTIMEZONE
"""


def client(url, user, password):
    if user:
        return caldav.DAVClient(url, username=user, password=password)
    return caldav.DAVClient(url)


def calendar(url, user, password):
    return caldav.Calendar(client=client(url, user, password), url=url)


def when(name, value):
    if "T" in value:
        return "%s;TZID=Asia/Tokyo:%s" % (name, value)
    return "%s;VALUE=DATE:%s" % (name, value)


def event_text(uid, dtstart, summary, rrule=None, extra=""):
    lines = ["BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Plannix tests//phone//EN"]
    if "T" in dtstart:
        lines.append(TOKYO.strip())
    lines += ["BEGIN:VEVENT", "UID:" + uid, "DTSTAMP:20261201T000000Z", when("DTSTART", dtstart),
              "SUMMARY:" + summary]
    if rrule:
        lines.append("RRULE:" + rrule)
    if extra:
        lines.append(extra)
    lines += ["END:VEVENT", "END:VCALENDAR", ""]
    return "\r\n".join(lines)


def events(cal):
    found = []
    for event in cal.events():
        for component in event.icalendar_instance.walk("VEVENT"):
            found.append({"url": str(event.url), "uid": str(component.get("UID")),
                          "summary": str(component.get("SUMMARY", "")),
                          "entry": str(component.get("X-PLANNIX-ENTRY", ""))})
    return found


def main():
    url, user, password, command = sys.argv[1:5]
    args = sys.argv[5:]
    if command == "make-calendar":
        principal = client(url, user, password).principal()
        made = principal.make_calendar(name=args[0])
        print(made.url)
        return
    cal = calendar(url, user, password)
    if command == "add":
        uid, dtstart, summary = args[:3]
        rrule = args[3] if len(args) > 3 else None
        # A description, a location and an alarm of the phone's own, which the book cannot hold.
        extra = "\r\n".join(["DESCRIPTION:from the phone", "LOCATION:somewhere",
                             "BEGIN:VALARM", "ACTION:DISPLAY", "DESCRIPTION:phone alarm",
                             "TRIGGER:-PT15M", "END:VALARM"])
        cal.save_event(event_text(uid, dtstart, summary, rrule, extra))
    elif command == "edit":
        uid, summary = args
        event = cal.event_by_uid(uid)
        for component in event.icalendar_instance.walk("VEVENT"):
            if not component.get("RECURRENCE-ID"):
                component["SUMMARY"] = summary
        event.data = event.icalendar_instance.to_ical()
        event.save()
    elif command == "delete":
        cal.event_by_uid(args[0]).delete()
    elif command == "list":
        for event in events(cal):
            print(json.dumps(event, ensure_ascii=False))
    elif command == "count":
        print(len(cal.events()))
    elif command == "raw":
        print(cal.event_by_uid(args[0]).data)
    else:
        sys.exit("unknown command " + command)


if __name__ == "__main__":
    main()
