"""The program's listing weeks, seen from the data server.

A listing file "CC-WW.QEX" holds one channel's Monday to Sunday; WW is the week number of that
Monday, counted in weeks that begin on Sunday with 1 January always in week 1. The same number
comes back every year, so a requested week is taken to be the one nearest to the server's today:
the program only ever asks for this week and the next, and at New Year that may be a Monday of the
year before (this week "53" in early January) or of the year after (next week "02" in late
December).
"""
import datetime
import re

FILE_NAME = re.compile(r"^(\d\d)-(\d\d)$")


def week_number(date):
    """Week of the year for weeks beginning on Sunday; 1 January is in week 1, the largest is 54."""
    january_first = datetime.date(date.year, 1, 1)
    weekday_sunday_first = (january_first.weekday() + 1) % 7 + 1  # Sunday 1 .. Saturday 7
    return ((date - january_first).days + weekday_sunday_first - 1) // 7 + 1


def mondays_of_year(year):
    day = datetime.date(year, 1, 1)
    day += datetime.timedelta(days=(7 - day.weekday()) % 7)
    while day.year == year:
        yield day
        day += datetime.timedelta(days=7)


def monday_for_week(week, today):
    """The Monday whose week number is `week`, nearest to `today`; None when no Monday has it."""
    candidates = [monday
                  for year in (today.year - 1, today.year, today.year + 1)
                  for monday in mondays_of_year(year)
                  if week_number(monday) == week]
    if not candidates:
        return None
    return min(candidates, key=lambda monday: abs((monday - today).days))


def parse_file_name(name):
    """'CC-WW' -> (channel code text, week number), or None when the name is not of that form."""
    match = FILE_NAME.match(name)
    if not match:
        return None
    return match.group(1), int(match.group(2))
