#!/usr/bin/python3
"""The schedule book's month files, as a test reads and edits them while no
window is open: Plannix/scheduleYYYY_MM.dat, "QL3" and a record per day
("DD,seal,seal,seal,seal,line1,...,line5,memo,"), cp932, with a backslash
before each single-byte backslash and comma of a text.

    book.py FOLDER lines YYYY-MM-DD             -> the day's five lines, one JSON list
    book.py FOLDER set YYYY-MM-DD N TEXT        -> line N (1..5) of the day becomes TEXT
    book.py FOLDER count TEXT                   -> on how many lines of the book TEXT stands
    book.py FOLDER fill YYYY-MM-DD DAYS LINES   -> LINES lines on each of DAYS days from the date
"""
import calendar
import datetime
import glob
import json
import os
import sys

LINES = 5


def is_lead(byte):
    return 0x80 <= byte <= 0xA0 or byte >= 0xE0


def split_fields(record):
    """The fields of a record, unescaped, as cp932 bytes."""
    fields, field, i = [], bytearray(), 0
    while i < len(record):
        b = record[i]
        if is_lead(b) and i + 1 < len(record):
            field += record[i:i + 2]
            i += 2
        elif b == 0x5C and i + 1 < len(record):
            field.append(record[i + 1])
            i += 2
        elif b == 0x2C:
            fields.append(bytes(field))
            field = bytearray()
            i += 1
        else:
            field.append(b)
            i += 1
    fields.append(bytes(field))
    return fields


def escape(text):
    out, i = bytearray(), 0
    while i < len(text):
        b = text[i]
        if is_lead(b) and i + 1 < len(text):
            out += text[i:i + 2]
            i += 2
            continue
        if b in (0x5C, 0x2C):
            out.append(0x5C)
        out.append(b)
        i += 1
    return bytes(out)


def month_path(folder, year, month):
    return os.path.join(folder, "schedule%d_%02d.dat" % (year, month))


def read_month(folder, year, month):
    """{day: [seals(4), lines(5), memo]} of the month's file; empty when absent."""
    days = {}
    try:
        data = open(month_path(folder, year, month), "rb").read()
    except FileNotFoundError:
        return days
    for record in data.split(b",\n")[:-1]:
        record = record.split(b"\n")[-1]  # the first follows the header line
        fields = split_fields(record)
        if len(fields) != 11 or not fields[0].isdigit():
            continue
        days[int(fields[0])] = [f.decode("cp932") for f in fields[1:]]
    return days


def write_month(folder, year, month, days):
    out = bytearray(b"QL3\n")
    for day in range(1, calendar.monthrange(year, month)[1] + 1):
        fields = days.get(day, ["0"] * 4 + [""] * (LINES + 1))
        out += b"%02d," % day
        out += b",".join(f.encode("ascii") for f in fields[:4]) + b","
        out += b"".join(escape(f.encode("cp932")) + b"," for f in fields[4:]) + b"\n"
    temporary = month_path(folder, year, month) + ".test-new"
    with open(temporary, "wb") as f:
        f.write(out)
    os.replace(temporary, month_path(folder, year, month))


def empty_day():
    return ["0"] * 4 + [""] * (LINES + 1)


def main():
    folder, command = sys.argv[1:3]
    args = sys.argv[3:]
    if command in ("lines", "set"):
        date = datetime.date.fromisoformat(args[0])
        days = read_month(folder, date.year, date.month)
        day = days.get(date.day, empty_day())
        if command == "lines":
            print(json.dumps(day[4:4 + LINES], ensure_ascii=False))
        else:
            day[4 + int(args[1]) - 1] = args[2]
            days[date.day] = day
            write_month(folder, date.year, date.month, days)
    elif command == "count":
        count = 0
        for path in glob.glob(os.path.join(folder, "schedule*_*.dat")):
            name = os.path.basename(path)[len("schedule"):-len(".dat")]
            if "_" not in name or not name.replace("_", "").isdigit():
                continue
            year, month = (int(part) for part in name.split("_"))
            for day in read_month(folder, year, month).values():
                count += day[4:4 + LINES].count(args[0])
        print(count)
    elif command == "fill":
        date = datetime.date.fromisoformat(args[0])
        days, per_day = int(args[1]), int(args[2])
        months = {}
        for offset in range(days):
            d = date + datetime.timedelta(days=offset)
            month = months.setdefault((d.year, d.month), {})
            record = empty_day()
            for line in range(per_day):
                record[4 + line] = "%02d:00 line %s %d" % (9 + line, d.isoformat(), line + 1)
            month[d.day] = record
        for (year, month), records in months.items():
            write_month(folder, year, month, records)
    else:
        sys.exit("unknown command " + command)


if __name__ == "__main__":
    main()
