"""Week numbers as the program names its listing files, and their way back to a Monday."""
import datetime
import unittest

import server_process  # noqa: F401  (puts tools/ on the import path)
import listing_week

day = datetime.date


class WeekNumbers(unittest.TestCase):
    def test_weeks_begin_on_sunday_and_first_of_january_is_week_one(self):
        self.assertEqual(listing_week.week_number(day(2023, 1, 1)), 1)   # a Sunday
        self.assertEqual(listing_week.week_number(day(2023, 1, 7)), 1)   # Saturday
        self.assertEqual(listing_week.week_number(day(2023, 1, 8)), 2)   # Sunday
        self.assertEqual(listing_week.week_number(day(2027, 1, 1)), 1)   # a Friday
        self.assertEqual(listing_week.week_number(day(2027, 1, 3)), 2)
        self.assertEqual(listing_week.week_number(day(2026, 2, 9)), 7)   # Monday of week 7
        self.assertEqual(listing_week.week_number(day(2028, 12, 31)), 54)  # leap year from Saturday

    def test_file_names_parse_to_code_and_week(self):
        self.assertEqual(listing_week.parse_file_name("10-07"), ("10", 7))
        for bad in ("1-07", "10-7", "10_07", "10-07.QEX", "aa-07", "", "10-071"):
            self.assertIsNone(listing_week.parse_file_name(bad), bad)


class MondayForWeek(unittest.TestCase):
    def test_this_and_next_week_of_every_day_resolve_to_their_mondays(self):
        # What the program asks for on any day: the week of this week's Monday (on a Sunday the
        # week that ends that day) and of next week's; both must come back as those Mondays.
        today = day(2025, 12, 1)
        while today < day(2029, 2, 1):
            monday = today - datetime.timedelta(days=today.weekday())
            for wanted in (monday, monday + datetime.timedelta(days=7)):
                week = listing_week.week_number(wanted)
                self.assertEqual(listing_week.monday_for_week(week, today), wanted, (today, week))
            today += datetime.timedelta(days=1)

    def test_weeks_without_a_monday_give_none(self):
        self.assertIsNone(listing_week.monday_for_week(0, day(2026, 2, 11)))
        self.assertIsNone(listing_week.monday_for_week(55, day(2026, 2, 11)))


if __name__ == "__main__":
    unittest.main()
