#!/usr/bin/env python3
# SPDX-License-Identifier: LGPL-2.1-or-later
"""Writes src/text/nametables.cpp, the language and country name tables.

Run by hand after changing the lists below (not part of the build):

    tools/generate-name-tables.py [--iso-codes /usr/share/iso-codes/json]

The ordinary English names come from Debian's iso-codes data (package iso-codes);
the rows in LANGUAGE_TEXTS and COUNTRY_TEXTS are the player's own source texts,
which are translation keys that existing translation files use, so they are kept
exactly, odd spellings and trailing spaces included.
"""

import argparse
import json
import os
import sys

# The older two-letter list, with the withdrawn in/iw/ji/jw/mo (and without their
# replacements id/he/yi), as media files still carry them.
TWO_LETTER = """
aa ab af am ar as ay az ba be bg bh bi bn bo br ca co cs cy da de dz el en eo es et
eu fa fi fj fo fr fy ga gd gl gn gu ha hi hr hu hy ia ie ik in is it iw ja ji jw ka
kk kl km kn ko ks ku ky la ln lo lt lv mg mi mk ml mn mo mr ms mt my na ne nl no oc
om or pa pl ps pt qu rm rn ro ru rw sa sd sg sh si sk sl sm sn so sq sr ss st su sv
sw ta te tg th ti tk tl tn to tr ts tt tw uk ur uz vi vo wo xh yo zh zu
""".split()

# Three-letter codes, bibliographic forms.
THREE_LETTER = """
aar abk afr aka alb amh ara arg arm asm ava ave aym aze bak bam baq bel ben bih bis
bos bre bul bur cat cha che chi chu chv cor cos cre cze dan div dut dzo eng epo est
ewe fao fij fin fre fry ful geo ger gla gle glg glv gre grn guj hat hau heb her hin
hmo hrv hun ibo ice ido iii iku ile ina ind ipk ita jav jpn kal kan kas kau kaz khm
kik kin kir kom kon kor kua kur lao lat lav lim lin lit ltz lub lug mac mah mal mao
mar may mlg mlt mol mon nau nav nbl nde ndo nep nno nob nor nya oci oji ori orm oss
pan per pli pol por pus que roh rum run rus sag san sin slo slv sme smo sna snd som
sot spa srd srp ssw sun swa swe tah tam tat tel tgk tgl tha tib tir ton tsn tso tuk
tur twi uig ukr urd uzb ven vie vol wel wln wol xho yid yor zha zul
""".split()

COUNTRIES = """
ad ae af ag ai al am an ao aq ar as at au aw az ba bb bd be bf bg bh bi bj bm bn bo
br bs bt bv bw by bz ca cc cf cd cg ch ci ck cl cm cn co cr cs cu cv cx cy cz de dj
dk dm do dz ec ee eg eh er es et fi fj fk fm fo fr fx ga gb gd ge gf gh gi gl gm gn
gp gq gr gs gt gu gw gy hk hm hn hr ht hu id ie il in io iq ir is it jm jo jp ke kg
kh ki km kn kp kr kw ky kz la lb lc li lk lr ls lt lu lv ly ma mc md mg mh mk ml mm
mn mo mp mq mr ms mt mu mv mw mx my mz na nc ne nf ng ni nl no np nr nt nu nz om pa
pe pf pg ph pk pl pm pn pr pt pw py qa re ro ru rw sa sb sc sd se sg sh si sj sk sl
sm sn so sr st su sv sy sz tc td tf tg th tj tk tm tn to tp tr tt tv tw tz ua ug uk
um us uy uz va vc ve vg vi vn vu wf ws ye yt yu za zm zr zw
""".split()

# The player's own source texts for languages.
LANGUAGE_TEXTS = {
    # withdrawn two-letter codes
    "in": "Indonesian", "iw": "Hebrew", "ji": "Yiddish", "jw": "Javanese",
    "mo": "Moldavian",
    "be": "Byelorussian", "bn": "Bengali Bangla", "dz": "Bhutani", "fj": "Fiji",
    "fo": "Faeroese", "gd": "Gaelic Scots Gaelic", "ik": "Inupiak", "km": "Cambodian",
    "ky": "Kirghiz", "lo": "Laothian", "lv": "Latvian Lettish", "om": "Oromo Afan",
    "ps": "Pashto Pushto", "rm": "Rhaeto-Romance", "rn": "Kirundi", "sg": "Sangro",
    "sh": "Serbo-Croatian", "si": "Singhalese", "ss": "Siswati", "st": "Sesotho",
    "su": "Sudanese", "te": "Tegulu", "tn": "Setswana", "vo": "Volapuk",
    "chu": "Old Church Slavonic", "div": "Maldivian", "gre": "Greek, Modern (1453-)",
    "ina": "Interlingua (International Auxiliary Language Association)",
    "khm": "Central Khmer", "nbl": "Ndebele, South", "nde": "Ndebele, North",
    "nob": "Bokm\u00e5l, Norwegian", "oci": "Occitan (post 1500)",
    "sot": "Sotho, Southern", "ton": "Tonga (Tonga Islands)", "vol": "Volap?k",
    "fry": "Western Frisian", "sin": "Sinhalese", "ssw": "Swati", "sag": "Sango",
}

# The player's own source texts for countries (eleven end with one space).
COUNTRY_TEXTS = {
    "ad": "Andorra, Principality of", "af": "Afghanistan, Islamic State of",
    "az": "Azerbaidjan", "ba": "Bosnia-Herzegovina",
    "cd": "Congo, The Democratic Republic of the", "gb": "Great Britain",
    "kh": "Cambodia, Kingdom of", "um": "USA Minor Outlying Islands",
    "kn": "Saint Kitts & Nevis Anguilla", "kp": "North Korea", "kr": "South Korea",
    "md": "Moldavia", "ru": "Russian Federation", "sk": "Slovak Republic",
    "st": "Saint Tome (Sao Tome) and Principe", "tj": "Tadjikistan",
    "vg": "Virgin Islands (British)", "vi": "Virgin Islands (USA)",
    "ci": "Ivory Coast (Cote D'Ivoire) ", "fx": "France (European Territory) ",
    "gp": "Guadeloupe (French) ", "gs": "S. Georgia & S. Sandwich Isls. ",
    "gu": "Guam (USA) ", "kg": "Kyrgyz Republic (Kyrgyzstan) ",
    "mq": "Martinique (French) ", "nc": "New Caledonia (French) ",
    "pf": "Polynesia (French) ", "re": "Reunion (French) ",
    "va": "Holy See (Vatican City State) ",
    # historical and domain-only codes
    "cs": "Former Czechoslovakia", "su": "Former USSR", "yu": "Yugoslavia",
    "zr": "Zaire", "tp": "East Timor", "nt": "Neutral Zone",
    "uk": "United Kingdom",
}

# Where the data's name is a formal or list-style one, the everyday English name.
LANGUAGE_ORDINARY = {
    "mol": "Moldavian",  # withdrawn from the data, still found in files
    "el": "Greek", "ia": "Interlingua", "oc": "Occitan", "to": "Tonga",
    "fy": "Frisian", "bh": "Bihari", "bih": "Bihari", "pa": "Punjabi",
    "pan": "Punjabi", "pus": "Pashto",
}
COUNTRY_ORDINARY = {
    "tr": "Turkey", "sh": "Saint Helena", "fm": "Micronesia",
}


def load(path, key):
    with open(path, encoding="utf-8") as f:
        return json.load(f)[key]


def plain(name):
    # "Spanish; Castilian" -> "Spanish"
    return name.split(";")[0].strip()


def language_names(iso):
    entries = load(os.path.join(iso, "iso_639-2.json"), "639-2")
    by2, by3 = {}, {}
    for e in entries:
        name = plain(e["name"])
        if "alpha_2" in e:
            by2[e["alpha_2"]] = name
        by3[e["alpha_3"]] = name
        if "bibliographic" in e:
            by3[e["bibliographic"]] = name
    rows = []
    for code in TWO_LETTER + THREE_LETTER:
        name = LANGUAGE_TEXTS.get(code) or LANGUAGE_ORDINARY.get(code)
        if name is None:
            name = (by2 if len(code) == 2 else by3).get(code)
        if name is None:
            sys.exit(f"no name for language {code}")
        rows.append((code, name))
    return rows


def country_names(iso):
    names = {}
    for e in load(os.path.join(iso, "iso_3166-3.json"), "3166-3"):
        names.setdefault(e["alpha_2"].lower(), plain(e["name"]))
    for e in load(os.path.join(iso, "iso_3166-1.json"), "3166-1"):
        names[e["alpha_2"].lower()] = e.get("common_name", e["name"])
    rows = []
    for code in COUNTRIES:
        name = COUNTRY_TEXTS.get(code) or COUNTRY_ORDINARY.get(code) or names.get(code)
        if name is None:
            sys.exit(f"no name for country {code}")
        rows.append((code, name))
    return rows


def c_string(text):
    out = text.replace("\\", "\\\\").replace('"', '\\"')
    # "?k" is harmless, but "??" followed by another character would be a trigraph
    return '"' + out.replace("??", '?""?') + '"'


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--iso-codes", default="/usr/share/iso-codes/json")
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--output",
                        default=os.path.join(here, "..", "src", "text", "nametables.cpp"))
    parser.add_argument("--list", action="store_true", help="print the rows, write nothing")
    args = parser.parse_args()

    languages = language_names(args.iso_codes)
    countries = country_names(args.iso_codes)
    # Plain ASCII keeps the translation keys stable; the one exception is wanted.
    for code, name in languages + countries:
        if not name.isascii() and code != "nob":
            sys.exit(f"non-ASCII name for {code}: {name}")
    assert len(TWO_LETTER) == 136 and len(THREE_LETTER) == 185 and len(COUNTRIES) == 244
    if args.list:
        for code, name in languages + countries:
            print(f"{code}\t{name!r}")
        return

    lines = [
        "// SPDX-License-Identifier: LGPL-2.1-or-later",
        "// Generated by tools/generate-name-tables.py from Debian's iso-codes data and",
        "// the player's own source texts. Do not edit; change the generator and rerun it.",
        '#include "nametables_p.h"',
        "",
        "#include <QtGlobal>",
        "",
        "namespace Quorvex::NameTables {",
        "",
        "// Two-letter codes first, then three-letter codes.",
        "const CodeName languages[] = {",
    ]
    lines += [f'    {{"{c}", QT_TRANSLATE_NOOP("Languages", {c_string(n)})}},' for c, n in languages]
    lines += ["};", f"const int languageCount = {len(languages)};", "",
              "const CodeName countries[] = {"]
    lines += [f'    {{"{c}", QT_TRANSLATE_NOOP("Countries", {c_string(n)})}},' for c, n in countries]
    lines += ["};", f"const int countryCount = {len(countries)};", "",
              "} // namespace Quorvex::NameTables", ""]
    with open(args.output, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
