#!/usr/bin/env python3
"""Writes a synthetic national postcode file in the published format.

Fifteen values a row, CR LF line ends, the texts in double quotes, code page 932
(or UTF-8 with --encoding utf8). The rows are grouped as the national file groups
them: all rows of one prefecture together, in the usual order of the 47
prefectures, and within a prefecture all rows of one city. Each city starts with
its city-wide row ("以下に掲載がない場合", code ddd0000); some towns carry notes in
parentheses, some share one code, some stand under several codes, some cities are
a county town ("〇〇郡△△町") and large prefectures have wards ("〇〇市△△区").

--edge adds a few awkward rows to the first prefecture, as extra cities: names
longer than their stored fields, a double-byte character straddling a field's end,
half-width kana, unquoted values, an empty town, one-row cities, and city names
that differ only by width, by a trailing space or beyond the stored 30 bytes.

--forms adds whole cities in the forms people's addresses meet, each at the end of
its prefecture: chome and banchi range notes with "その他", a building with a code per
floor, a long note split over rows, spellings with ヶ/ケ/が and old kanji, towns with
numerals before 条, 線 and 番町, Kyoto's streets, a county town and a one-code island.

--drop N, --add N and --rename N derive a later edition from the same seed: N
rows removed, N new towns with new codes, and N towns renamed under their code.
The changed rows are listed on standard error as "廃止|追加<TAB>code<TAB>pref<TAB>city<TAB>town".

The same arguments always give the same bytes.

    make_ken_all.py --rows N [--seed S] [--edge] [--forms] [--encoding cp932|utf8] [--bom]
                    [--drop N] [--add N] [--rename N] [--out FILE]
"""
import argparse
import random
import sys

PREFECTURES = [
    ("北海道", "ﾎｯｶｲﾄﾞｳ", 40, 6), ("青森県", "ｱｵﾓﾘｹﾝ", 30, 1), ("岩手県", "ｲﾜﾃｹﾝ", 20, 1),
    ("宮城県", "ﾐﾔｷﾞｹﾝ", 980, 2), ("秋田県", "ｱｷﾀｹﾝ", 10, 1), ("山形県", "ﾔﾏｶﾞﾀｹﾝ", 990, 1),
    ("福島県", "ﾌｸｼﾏｹﾝ", 960, 2), ("茨城県", "ｲﾊﾞﾗｷｹﾝ", 300, 2), ("栃木県", "ﾄﾁｷﾞｹﾝ", 320, 1),
    ("群馬県", "ｸﾞﾝﾏｹﾝ", 370, 1), ("埼玉県", "ｻｲﾀﾏｹﾝ", 330, 3), ("千葉県", "ﾁﾊﾞｹﾝ", 260, 3),
    ("東京都", "ﾄｳｷｮｳﾄ", 100, 5), ("神奈川県", "ｶﾅｶﾞﾜｹﾝ", 210, 3), ("新潟県", "ﾆｲｶﾞﾀｹﾝ", 940, 2),
    ("富山県", "ﾄﾔﾏｹﾝ", 930, 1), ("石川県", "ｲｼｶﾜｹﾝ", 920, 1), ("福井県", "ﾌｸｲｹﾝ", 910, 1),
    ("山梨県", "ﾔﾏﾅｼｹﾝ", 400, 1), ("長野県", "ﾅｶﾞﾉｹﾝ", 380, 2), ("岐阜県", "ｷﾞﾌｹﾝ", 500, 2),
    ("静岡県", "ｼｽﾞｵｶｹﾝ", 410, 2), ("愛知県", "ｱｲﾁｹﾝ", 440, 4), ("三重県", "ﾐｴｹﾝ", 510, 1),
    ("滋賀県", "ｼｶﾞｹﾝ", 520, 1), ("京都府", "ｷｮｳﾄﾌ", 600, 4), ("大阪府", "ｵｵｻｶﾌ", 530, 3),
    ("兵庫県", "ﾋｮｳｺﾞｹﾝ", 650, 3), ("奈良県", "ﾅﾗｹﾝ", 630, 1), ("和歌山県", "ﾜｶﾔﾏｹﾝ", 640, 1),
    ("鳥取県", "ﾄｯﾄﾘｹﾝ", 680, 1), ("島根県", "ｼﾏﾈｹﾝ", 690, 1), ("岡山県", "ｵｶﾔﾏｹﾝ", 700, 2),
    ("広島県", "ﾋﾛｼﾏｹﾝ", 720, 2), ("山口県", "ﾔﾏｸﾞﾁｹﾝ", 740, 1), ("徳島県", "ﾄｸｼﾏｹﾝ", 770, 1),
    ("香川県", "ｶｶﾞﾜｹﾝ", 760, 1), ("愛媛県", "ｴﾋﾒｹﾝ", 790, 1), ("高知県", "ｺｳﾁｹﾝ", 780, 1),
    ("福岡県", "ﾌｸｵｶｹﾝ", 800, 3), ("佐賀県", "ｻｶﾞｹﾝ", 840, 1), ("長崎県", "ﾅｶﾞｻｷｹﾝ", 850, 1),
    ("熊本県", "ｸﾏﾓﾄｹﾝ", 860, 1), ("大分県", "ｵｵｲﾀｹﾝ", 870, 1), ("宮崎県", "ﾐﾔｻﾞｷｹﾝ", 880, 1),
    ("鹿児島県", "ｶｺﾞｼﾏｹﾝ", 890, 1), ("沖縄県", "ｵｷﾅﾜｹﾝ", 900, 1),
]

# Pieces of names: kanji and their reading in half-width kana.
PIECES = [
    ("山", "ﾔﾏ"), ("川", "ｶﾜ"), ("田", "ﾀ"), ("中", "ﾅｶ"), ("本", "ﾓﾄ"), ("松", "ﾏﾂ"),
    ("竹", "ﾀｹ"), ("梅", "ｳﾒ"), ("桜", "ｻｸﾗ"), ("北", "ｷﾀ"), ("南", "ﾐﾅﾐ"), ("東", "ﾋｶﾞｼ"),
    ("西", "ﾆｼ"), ("大", "ｵｵ"), ("小", "ｺ"), ("高", "ﾀｶ"), ("浜", "ﾊﾏ"), ("岡", "ｵｶ"),
    ("原", "ﾊﾗ"), ("野", "ﾉ"), ("石", "ｲｼ"), ("森", "ﾓﾘ"), ("林", "ﾊﾔｼ"), ("宮", "ﾐﾔ"),
    ("平", "ﾋﾗ"), ("島", "ｼﾏ"), ("沢", "ｻﾜ"), ("谷", "ﾀﾆ"), ("崎", "ｻｷ"), ("井", "ｲ"),
    ("新", "ｼﾝ"), ("若", "ﾜｶ"), ("青", "ｱｵ"), ("白", "ｼﾛ"), ("黒", "ｸﾛ"), ("赤", "ｱｶ"),
    ("富", "ﾄﾐ"), ("坂", "ｻｶ"), ("橋", "ﾊｼ"), ("池", "ｲｹ"), ("泉", "ｲｽﾞﾐ"), ("緑", "ﾐﾄﾞﾘ"),
    ("旭", "ｱｻﾋ"), ("栄", "ｻｶｴ"), ("港", "ﾐﾅﾄ"), ("星", "ﾎｼ"), ("月", "ﾂｷ"), ("鶴", "ﾂﾙ"),
    ("亀", "ｶﾒ"), ("福", "ﾌｸ"), ("寺", "ﾃﾗ"), ("柳", "ﾔﾅｷﾞ"), ("杉", "ｽｷﾞ"), ("菊", "ｷｸ"),
]
TOWN_SUFFIXES = [("", ""), ("", ""), ("町", "ﾁｮｳ"), ("台", "ﾀﾞｲ"), ("通", "ﾄﾞｵﾘ"), ("丘", "ｵｶ")]
CITY_SUFFIXES = [("市", "ｼ"), ("市", "ｼ"), ("町", "ﾏﾁ"), ("村", "ﾑﾗ")]
CITY_WIDE = ("以下に掲載がない場合", "ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ")
FULL_DIGITS = "０１２３４５６７８９"


def full_width(n):
    return "".join(FULL_DIGITS[int(d)] for d in str(n))


class Row:
    __slots__ = ("local", "code", "pref", "city", "town", "quoted")

    def __init__(self, local, code, pref, city, town, quoted=True):
        self.local, self.code, self.pref, self.city, self.town = local, code, pref, city, town
        self.quoted = quoted  # False: the texts stand without quotes

    def line(self):
        texts = [self.code[:3] + "  ", self.code, self.pref[1], self.city[1], self.town[1],
                 self.pref[0], self.city[0], self.town[0]]
        if self.quoted:
            texts = ['"%s"' % t for t in texts]
        return "%05d,%s,0,0,0,0,0,0\r\n" % (self.local, ",".join(texts))


class Generator:
    def __init__(self, seed):
        self.rng = random.Random(seed)

    def name(self, pieces, suffixes):
        chosen = [self.rng.choice(PIECES) for _ in range(pieces)]
        suffix = self.rng.choice(suffixes)
        return ("".join(k for k, _ in chosen) + suffix[0], "".join(r for _, r in chosen) + suffix[1])

    def unique(self, taken, make):
        for _ in range(200):
            candidate = make()
            if candidate[0] not in taken:
                taken.add(candidate[0])
                return candidate
        raise SystemExit("make_ken_all: ran out of distinct names")

    def city_names(self, count, wards):
        """`count` distinct city names; with `wards`, the first ones are wards of one big city."""
        taken, names = set(), []
        ward_count = min(count // 3, 10) if wards else 0
        if ward_count:
            big = self.name(2, [("市", "ｼ")])
            taken.add(big[0])
            for _ in range(ward_count):
                ward = self.unique(taken, lambda: self.name(1 + self.rng.randint(0, 1), [("区", "ｸ")]))
                names.append((big[0] + ward[0], big[1] + ward[1]))
        while len(names) < count:
            if self.rng.random() < 0.2:  # a town or village of a county
                county = self.name(2, [("郡", "ｸﾞﾝ")])
                town = self.unique(taken, lambda: self.name(2, [("町", "ﾁｮｳ"), ("村", "ﾑﾗ")]))
                names.append((county[0] + town[0], county[1] + town[1]))
            else:
                names.append(self.unique(taken, lambda: self.name(2, CITY_SUFFIXES)))
        return names

    def towns(self, count):
        """`count` town names (the first is the city-wide row) and how many codes each takes."""
        taken = {CITY_WIDE[0]}
        towns = [CITY_WIDE]
        while len(towns) < count:
            roll = self.rng.random()
            if roll < 0.04 and len(towns) + 2 <= count:  # one town under several codes
                base = self.unique(taken, lambda: self.name(2, TOWN_SUFFIXES))
                for part in range(1, 3):
                    towns.append((base[0] + "（%s丁目）" % full_width(part), base[1] + "(%dﾁｮｳﾒ)" % part))
                continue
            if roll < 0.10:  # a note on the chome
                base = self.unique(taken, lambda: self.name(2, TOWN_SUFFIXES))
                last = self.rng.randint(2, 9)
                towns.append((base[0] + "（１～%s丁目）" % full_width(last), base[1] + "(1-%dﾁｮｳﾒ)" % last))
            elif roll < 0.12:
                base = self.unique(taken, lambda: self.name(1, [("", "")]))
                towns.append((base[0] + "一円", base[1] + "ｲﾁｴﾝ"))
            else:
                towns.append(self.unique(taken, lambda: self.name(2 + (roll > 0.85), TOWN_SUFFIXES)))
        return towns


def share(total, weights):
    """`total` split in proportion to `weights`, each part at least 1 while total allows."""
    parts = [1 if i < total else 0 for i in range(len(weights))]
    rest = total - sum(parts)
    if rest > 0:
        scale = rest / sum(weights)
        extra = [int(w * scale) for w in weights]
        for i in range(rest - sum(extra)):
            extra[i % len(extra)] += 1
        parts = [p + e for p, e in zip(parts, extra)]
    return parts


def national_rows(rows, gen):
    """`rows` rows over the prefectures, grouped by prefecture and city."""
    out = []
    for p_no, (pref_name, pref_kana, base, weight), pref_rows in zip(
            range(1, 48), PREFECTURES, share(rows, [w for *_, w in PREFECTURES])):
        if pref_rows == 0:
            continue
        pref = (pref_name, pref_kana)
        city_count = min(pref_rows, max(3, round(pref_rows / 60)))
        cities = gen.city_names(city_count, wards=weight >= 3)
        block = 100000 // city_count
        for c_no, (city, town_rows) in enumerate(zip(cities, share(pref_rows, [1] * city_count))):
            start = base * 10000 + c_no * block
            code = start
            for t_no, town in enumerate(gen.towns(town_rows)):
                if t_no > 0 and gen.rng.random() > 0.05:  # otherwise one code covers this town and the last
                    code += 1 + gen.rng.randint(0, min(2, block // town_rows - 1))
                out.append(Row(p_no * 1000 + 100 + c_no, "%07d" % code, pref, city, town))
    return out


def edge_rows(first_pref):
    """Awkward rows, as extra cities at the end of the first prefecture."""
    pref = first_pref
    long_city = ("長" * 20 + "市", "ﾅｶﾞ" * 20 + "ｼ")                    # 42 bytes: cut to 30
    long_city_twin = ("長" * 20 + "町", "ﾅｶﾞ" * 20 + "ﾁｮｳ")              # equal in its first 30 bytes
    straddle = ("ｱ" * 29 + "漢市", "ｱ" * 29 + "ｶﾝｼ")                     # "漢" spans bytes 30 and 31
    wide = ("第１区町", "ﾀﾞｲ1ｸﾁｮｳ")
    narrow = ("第1区町", "ﾀﾞｲ1ｸﾁｮｳ")                                     # differs by width only
    spaced = ("第1区町 ", "ﾀﾞｲ1ｸﾁｮｳ")                                    # differs by a trailing space
    long_town = ("長い町名" * 12, "ﾅｶﾞｲﾁｮｳﾒｲ" * 12)                       # 96 bytes: cut to 80
    kana_town = ("ｶﾀｶﾅﾁｮｳ", "ｶﾀｶﾅﾁｮｳ")
    empty_town = ("", "")
    return [
        Row(1901, "0019000", pref, long_city, CITY_WIDE),
        Row(1901, "0019001", pref, long_city, long_town),
        Row(1902, "0019010", pref, long_city_twin, CITY_WIDE),
        Row(1903, "0019020", pref, straddle, kana_town),
        Row(1904, "0019030", pref, wide, CITY_WIDE, quoted=False),
        Row(1904, "0019031", pref, wide, kana_town, quoted=False),
        Row(1905, "0019040", pref, narrow, empty_town),
        Row(1906, "0019050", pref, spaced, CITY_WIDE),
        Row(1907, "0019060", pref, ("一行村", "ｲﾁｷﾞｮｳﾑﾗ"), CITY_WIDE),
        Row(1908, "0019070", pref, ("一円村", "ｲﾁｴﾝﾑﾗ"), ("一円", "ｲﾁｴﾝ")),
    ]


# Cities of --forms, by prefecture: (city, [(code, town), ...]); rows in this order.
FORM_CITIES = [
    ("北海道", "札幌市中央区", [
        ("0600000", CITY_WIDE[0]), ("0600042", "大通西（１～１９丁目）"), ("0640820", "大通西（２０～２８丁目）"),
        ("0600001", "北一条西"), ("0600031", "北一条東"), ("0600052", "南二条東"), ("0640924", "南二十四条西"),
        ("0640941", "旭ケ丘"), ("0640951", "宮の森一条")]),
    ("北海道", "札幌市南区", [
        ("0050000", CITY_WIDE[0]), ("0050865", "常盤（１～１３１番地）"), ("0050863", "常盤（その他）"),
        ("0050030", "南三十条西（８丁目）"), ("0050031", "南三十条西（９～１１丁目）"), ("0050012", "真駒内"),
        ("0050013", "真駒内（１～３丁目）")]),
    ("北海道", "千歳市", [
        ("0660000", CITY_WIDE[0]),
        ("0660045", "協和（８８－２、２７１－１０、３４３－２、４０４－１、４２７－"),
        ("0660045", "３、４３１－１２、４４３－６、６０８－２、６４１－８、８１４、８４２－"),
        ("0660045", "５、１１３７－３、１３９２、１４１２－１８）"),
        ("0660046", "協和（その他）"), ("0660047", "協和台")]),
    ("北海道", "上川郡鷹栖町", [
        ("0711200", CITY_WIDE[0]), ("0711201", "北野西三線"), ("0711211", "北野西十一線")]),
    ("北海道", "余市郡余市町", [("0460000", CITY_WIDE[0]), ("0460003", "黒川町")]),
    ("福島県", "郡山市", [("9630000", CITY_WIDE[0]), ("9630201", "留が森"), ("9630202", "大槻町")]),
    ("千葉県", "市原市", [
        ("2900000", CITY_WIDE[0]), ("2990111", "飯野"), ("2990112", "飯野桜ケ丘"), ("2990113", "山﨑"),
        ("2990114", "髙田"), ("2990115", "西ノ谷")]),
    ("東京都", "千代田区", [
        ("1000000", CITY_WIDE[0]), ("1000005", "丸の内（次のビルを除く）"),
        ("1006490", "丸の内ＪＰタワー（地階・階層不明）"), ("1006401", "丸の内ＪＰタワー（１階）"),
        ("1006402", "丸の内ＪＰタワー（２階）"), ("1006438", "丸の内ＪＰタワー（３８階）"),
        ("1000001", "千代田"), ("1020082", "一番町"), ("1010051", "神田神保町")]),
    ("東京都", "府中市", [("1830000", CITY_WIDE[0]), ("1830027", "本町")]),
    ("東京都", "青ヶ島村", [("1001701", "青ヶ島村一円")]),
    ("京都府", "京都市中京区", [
        ("6040000", CITY_WIDE[0]), ("6040801", "梅屋町"), ("6048031", "大黒町"), ("6040802", "梅屋町東")]),
    ("大阪府", "大阪市北区", [("5300000", CITY_WIDE[0]), ("5300001", "梅田"), ("5300002", "曽根崎")]),
    ("広島県", "府中市", [("7260000", CITY_WIDE[0]), ("7260005", "本町"), ("7260002", "鵜飼町")]),
]


def form_rows(rows):
    """`rows` with the cities of FORM_CITIES after the last row of their prefecture."""
    out = list(rows)
    kana = {name: reading for name, reading, *_ in PREFECTURES}
    for number, (pref, city, towns) in enumerate(FORM_CITIES):
        block = [i for i, r in enumerate(out) if r.pref[0] == pref]
        at = block[-1] + 1 if block else len(out)
        p_no = [name for name, *_ in PREFECTURES].index(pref) + 1
        added = [Row(p_no * 1000 + 900 + number, code, (pref, kana[pref]), (city, "ｶﾅ"),
                     (town, "ｶﾅ" + ("(" if "（" in town else "") + (")" if "）" in town else "")))
                 for code, town in towns]
        out[at:at] = added
    return out


def later_edition(rows, gen, drop, add, rename):
    """The rows with `drop` removed, `add` new towns and `rename` towns renamed; and the changes."""
    changes = []
    candidates = [i for i, r in enumerate(rows) if r.town[0] != CITY_WIDE[0]]
    chosen = gen.rng.sample(candidates, drop + rename + add)
    dropped, renamed, grown = set(chosen[:drop]), chosen[drop:drop + rename], chosen[drop + rename:]
    taken_codes = {r.code for r in rows}
    renames = {}
    for i in renamed:
        r = rows[i]
        new_town = ("新" + r.town[0], "ｼﾝ" + r.town[1])
        renames[i] = Row(r.local, r.code, r.pref, r.city, new_town)
        changes += [("廃止", r), ("追加", renames[i])]
    additions = {}
    for n, i in enumerate(grown):
        r = rows[i]
        code = int(r.code)
        while "%07d" % code in taken_codes:
            code += 1
        taken_codes.add("%07d" % code)
        added = Row(r.local, "%07d" % code, r.pref, r.city, ("追加地%s" % full_width(n + 1), "ﾂｲｶﾁ%d" % (n + 1)))
        additions[i] = added
        changes.append(("追加", added))
    out = []
    for i, r in enumerate(rows):
        if i in dropped:
            changes.append(("廃止", r))
            continue
        out.append(renames.get(i, r))
        if i in additions:
            out.append(additions[i])
    return out, changes


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rows", type=int, required=True)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--edge", action="store_true")
    parser.add_argument("--forms", action="store_true")
    parser.add_argument("--encoding", choices=["cp932", "utf8"], default="cp932")
    parser.add_argument("--bom", action="store_true")
    parser.add_argument("--drop", type=int, default=0)
    parser.add_argument("--add", type=int, default=0)
    parser.add_argument("--rename", type=int, default=0)
    parser.add_argument("--out")
    args = parser.parse_args()
    if args.rows < 0:
        parser.error("--rows must not be negative")

    gen = Generator(args.seed)
    rows = national_rows(args.rows, gen)
    if args.edge and rows:
        first = [r for r in rows if r.pref == rows[0].pref]
        rows[len(first):len(first)] = edge_rows(rows[0].pref)
    if args.forms:
        rows = form_rows(rows)
    if args.drop or args.add or args.rename:
        if args.drop + args.add + args.rename > len(rows) // 2:
            parser.error("too many changes for %d rows" % len(rows))
        rows, changes = later_edition(rows, gen, args.drop, args.add, args.rename)
        for kind, r in changes:
            sys.stderr.write("%s\t%s\t%s\t%s\t%s\n" % (kind, r.code, r.pref[0], r.city[0], r.town[0]))

    text = "".join(r.line() for r in rows)
    data = text.encode("cp932" if args.encoding == "cp932" else "utf-8")
    if args.bom:
        data = b"\xef\xbb\xbf" + data
    if args.out:
        with open(args.out, "wb") as f:
            f.write(data)
    else:
        sys.stdout.buffer.write(data)


if __name__ == "__main__":
    main()
