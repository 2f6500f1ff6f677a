#!/usr/bin/env python3
"""Writes weekly listing files in the byte layout the program reads.

A file holds seven day records, each a little-endian int32 key (the digits of yyyymmdd followed by
the two-digit channel code), a little-endian int32 length and the day text in Windows-1252:
programme lines "hh:nn title" and their one-line descriptions, CR LF after each line.

    tools/listing_file.py OUT_FOLDER CHANNEL_CODE WEEK_TEXT MONDAY(yyyy-mm-dd) [SEED]
"""
import datetime
import random
import struct
import sys

TITLES = [
    "Uutiset", "Huomenta Suomi", "Pikku Kakkonen", "Ajankohtainen kakkonen", "Urheiluruutu",
    "S\u00e4\u00e4", "Elokuva: Tuntematon sotilas", "Elokuva: Komisario Palmun erehdys",
    "Dokumentti: Saariston kes\u00e4", "Kotikatu", "Sein\u00e4naapurit", "Ryhm\u00e4 H",
    "Salatut el\u00e4m\u00e4t", "Avara luonto", "Muumilaakson tarinoita", "Strada",
    "Yle Uutiset alueeltasi", "Formula 1: Aika-ajot", "J\u00e4\u00e4kiekon MM", "Musiikkivideot",
    "Teleshopping", "Yleisradion kuulutuksia", "Iltap\u00e4iv\u00e4n elokuva", "Puoli seitsem\u00e4n",
]
DESCRIPTIONS = [
    "P\u00e4iv\u00e4n t\u00e4rkeimm\u00e4t uutiset kotimaasta ja maailmalta.",
    "Kotimainen draamasarja, jakso {n}.",
    "Ohjelmassa k\u00e4yd\u00e4\u00e4n l\u00e4pi viikon tapahtumat.",
    "Suora l\u00e4hetys.",
    "",
    "Ensimm\u00e4inen esitys. Tekstitys suomeksi.",
]


def day_text(programmes):
    """programmes: list of (hh:nn, title, description) in str; returns Windows-1252 bytes."""
    lines = []
    for time, title, description in programmes:
        lines.append(f"{time} {title}")
        lines.append(description)
    return ("".join(line + "\r\n" for line in lines)).encode("cp1252")


def record_key(date, channel_code):
    return int(date.strftime("%Y%m%d") + channel_code)


def file_bytes(records):
    """records: list of (key, text bytes)."""
    out = bytearray()
    for key, text in records:
        out += struct.pack("<ii", key, len(text)) + text
    return bytes(out)


def sample_day(date, channel_code, seed=0):
    """A day from about 06:00 running past midnight to before 05:00, in broadcast order."""
    rng = random.Random(f"{date.isoformat()}-{channel_code}-{seed}")
    minutes = 6 * 60 + rng.choice([0, 5, 15, 30])
    programmes = []
    n = 1
    while minutes < 28 * 60 + 30:
        time = f"{(minutes // 60) % 24:02d}:{minutes % 60:02d}"
        title = rng.choice(TITLES)
        description = rng.choice(DESCRIPTIONS).format(n=rng.randint(1, 120))
        programmes.append((time, title, description))
        minutes += rng.choice([10, 15, 25, 30, 45, 60, 90, 110])
        n += 1
    return programmes


def chosen_week_file(channel_code, monday, days):
    """A week whose day i (Monday = 0) holds days[i], a list of (hh:nn, title, description); the
    days not given are empty."""
    return file_bytes([(record_key(monday + datetime.timedelta(days=i), channel_code),
                        day_text(days[i]) if i < len(days) else b"") for i in range(7)])


def week_file(channel_code, monday, seed=0):
    records = []
    for i in range(7):
        date = monday + datetime.timedelta(days=i)
        records.append((record_key(date, channel_code), day_text(sample_day(date, channel_code, seed))))
    return file_bytes(records)


def main(argv):
    if len(argv) < 5:
        print(__doc__, file=sys.stderr)
        return 2
    folder, code, week, monday = argv[1], argv[2], argv[3], datetime.date.fromisoformat(argv[4])
    seed = int(argv[5]) if len(argv) > 5 else 0
    with open(f"{folder.rstrip('/')}/{code}-{week}.QEX", "wb") as out:
        out.write(week_file(code, monday, seed))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
