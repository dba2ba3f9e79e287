#!/usr/bin/env python3
"""Reads a national postcode file and writes what the window test types and expects.

The expectations come from the file's rows alone, never from the program:
  code-typed.txt        a postcode held by exactly one row, as its 7 digits
  code-expected.txt     that code as the start-up options copy it: "ddd-dddd"
  code-written.txt      that code as people write it: "〒ddd-dddd"
  address-key.txt       a town-area name found in the city and town text of exactly one row
  address-expected.txt  that row as "pref city town" (one U+0020 between the parts)
  first-city-expected.txt  "ddd-dddd" of the file's first row: the first entry of the
                        first city, which the start-up after a rebuild chooses
  first-city-envelope.txt  that row as an envelope gets it: "〒ddd-dddd", an ideographic
                        space, then pref, city and town run together, the town without
                        its note in full-width parentheses and left out for a placeholder
  reopen-expected.txt   "ddd-dddd" of the first row of the second prefecture run, which
                        the result list shows first once that prefecture is chosen
Prints "ROWS PREFS CITIES": the row count and the numbers of prefecture and city runs.

    expectations.py KEN_ALL.CSV OUTPUT-FOLDER
"""
import csv
import os
import sys

# Field widths in code page 932 bytes of the stored entry: a longer name would be cut.
WIDTHS = {"pref": 10, "city": 30, "town": 80}


def read_rows(path):
    with open(path, encoding="cp932", newline="") as f:
        return [r for r in csv.reader(f) if r]


def fits(row):
    pref, city, town = row[6], row[7], row[8]
    return (len(pref.encode("cp932")) <= WIDTHS["pref"] and len(city.encode("cp932")) <= WIDTHS["city"]
            and len(town.encode("cp932")) <= WIDTHS["town"]
            and all(s == s.strip(" ") and s for s in (pref, city, town)))


def hyphenated(code):
    return code[:3] + "-" + code[3:]


def town_as_written(town):
    """The town as a person writes it: no note, nothing for a whole-city placeholder."""
    town = town.split("（")[0]
    if town == "以下に掲載がない場合" or town.endswith("の次に番地がくる場合"):
        return ""
    if town.endswith("一円") and town != "一円":
        return ""
    return town


def envelope(row):
    return "〒" + hyphenated(row[2]) + "\u3000" + row[6] + row[7] + town_as_written(row[8])


def nearest(candidates, target):
    """The candidate (row position, ...) closest to row position `target`."""
    return min(candidates, key=lambda c: (abs(c[0] - target), c[0]))


def runs(rows):
    """Numbers of prefecture and city runs, as a rebuild groups consecutive rows."""
    prefs = cities = 0
    prev_pref = prev_city = None
    for r in rows:
        new_pref = r[6] != prev_pref
        if new_pref:
            prefs += 1
            prev_pref = r[6]
        if new_pref or r[7] != prev_city:
            cities += 1
            prev_city = r[7]
    return prefs, cities


def pick_code(rows):
    counts = {}
    for r in rows:
        counts[r[2]] = counts.get(r[2], 0) + 1
    candidates = [(i, r) for i, r in enumerate(rows)
                  if counts[r[2]] == 1 and len(r[2]) == 7 and r[2].isdigit() and fits(r)]
    if not candidates:
        sys.exit("expectations: no postcode is held by exactly one row")
    return nearest(candidates, len(rows) // 2)[1]


def pick_address(rows):
    texts = [r[7].strip(" ") + r[8].strip(" ") for r in rows]
    candidates = []
    for i, r in enumerate(rows):
        town = r[8]
        # Brackets and digits are left out so that the typed key is plain kanji and kana.
        if len(town) < 2 or not fits(r) or any(c in town for c in "（）()0123456789 　"):
            continue
        if sum(1 for t in texts if town in t) == 1:
            candidates.append((i, r))
    if not candidates:
        sys.exit("expectations: no town-area name occurs in exactly one row")
    return nearest(candidates, len(rows) * 3 // 4)[1]


def second_pref_first_row(rows):
    first = rows[0][6]
    for i, r in enumerate(rows):
        if r[6] != first:
            # End then Home in the result list needs a second line to move from.
            if i + 1 >= len(rows) or rows[i + 1][6] != r[6] or rows[i + 1][7] != r[7]:
                sys.exit("expectations: the second prefecture's first city has only one row")
            return r
    sys.exit("expectations: the file holds only one prefecture")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    rows = read_rows(sys.argv[1])
    out = sys.argv[2]
    code_row = pick_code(rows)
    addr_row = pick_address(rows)
    texts = {
        "code-typed.txt": code_row[2],
        "code-expected.txt": hyphenated(code_row[2]),
        "code-written.txt": "〒" + hyphenated(code_row[2]),
        "first-city-expected.txt": hyphenated(rows[0][2]),
        "first-city-envelope.txt": envelope(rows[0]),
        "address-key.txt": addr_row[8],
        "address-expected.txt": " ".join((addr_row[6], addr_row[7], addr_row[8])),
        "reopen-expected.txt": hyphenated(second_pref_first_row(rows)[2]),
    }
    for name, text in texts.items():
        with open(os.path.join(out, name), "w", encoding="utf-8", newline="") as f:
            f.write(text)
    prefs, cities = runs(rows)
    print(len(rows), prefs, cities)


if __name__ == "__main__":
    main()
