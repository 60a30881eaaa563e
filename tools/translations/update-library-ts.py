#!/usr/bin/env python3
# SPDX-License-Identifier: LGPL-2.1-or-later
"""Writes translations/mavlibrary_de.ts and mavlibrary_fr.ts, the library's own texts.

For maintainers, run by hand after a user-visible text of src/ changed; the build
only runs lrelease on the committed files.

    tools/translations/update-library-ts.py [--lupdate PATH] [--check] [--review]

The source texts are what Qt's lupdate finds in src/ (the name tables, the size
units, the track formats with their disambiguations, the transfer wizard's boxes).
A translation comes, first match wins, from
  1. library_texts.py beside this script: the hand translations;
  2. Debian's iso-codes (package iso-codes), for a language or country whose
     English name is the one iso-codes uses (also its part before ";");
  3. iso-codes again through the code the table gives the name, for the library's
     older English names (--review lists them, for a person to check).
Every text left without a translation, and every row of library_texts.py that
is no longer a source text, is listed and the script exits 1 without writing.
--check writes nothing and exits 1 when the committed files differ from what it
would write; the test library_translations_current runs it.
"""

import argparse
import gettext
import json
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, HERE)
import library_texts  # noqa: E402

LANGUAGES = {"de": "de_DE", "fr": "fr_FR"}
ISO_JSON = "/usr/share/iso-codes/json"
ISO_MO = "/usr/share/locale/{lang}/LC_MESSAGES/{domain}.mo"
TABLE_ROW = re.compile(r'\{"([a-z]+)", QT_TRANSLATE_NOOP\("(Languages|Countries)", "((?:[^"\\]|\\.)*)"\)\}')


def plain(name):
    return name.split(";")[0].strip()


def catalog(lang, domains):
    """English name -> translated name, also by the part before ';'."""
    names = {}
    for domain in domains:
        path = ISO_MO.format(lang=lang, domain=domain)
        with open(path, "rb") as f:
            entries = gettext.GNUTranslations(f)._catalog
        for english, translated in entries.items():
            if not isinstance(english, str) or not english:
                continue
            names.setdefault(english, translated)
            names.setdefault(plain(english), plain(translated))
    return names


def english_by_code():
    """(context, code) -> the English names iso-codes gives the code."""
    def load(name, key):
        with open(os.path.join(ISO_JSON, name), encoding="utf-8") as f:
            return json.load(f)[key]
    names = {}
    for e in load("iso_639-2.json", "639-2"):
        for key in ("alpha_2", "alpha_3", "bibliographic"):
            if key in e:
                names.setdefault(("Languages", e[key]), []).append(e["name"])
    for e in load("iso_3166-1.json", "3166-1"):
        for key in ("common_name", "name"):
            if key in e:
                names.setdefault(("Countries", e["alpha_2"].lower()), []).append(e[key])
    return names


def table_codes():
    """(context, source text) -> codes, from the library's name tables."""
    codes = {}
    with open(os.path.join(ROOT, "src", "text", "nametables.cpp"), encoding="utf-8") as f:
        for code, context, text in TABLE_ROW.findall(f.read()):
            text = text.replace('?""?', "??").replace('\\"', '"').replace("\\\\", "\\")
            codes.setdefault((context, text), []).append(code)
    return codes


def extract(lupdate):
    """The source texts of src/ as lupdate reads them: [(context, source, comment)]."""
    with tempfile.TemporaryDirectory() as tmp:
        ts = os.path.join(tmp, "library.ts")
        subprocess.run([lupdate, "-silent", "-locations", "none", "-no-obsolete",
                        os.path.join(ROOT, "src"), "-ts", ts],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        root = ET.parse(ts).getroot()
    messages = []
    for context in root.findall("context"):
        name = context.findtext("name")
        for message in context.findall("message"):
            messages.append((name, message.findtext("source"), message.findtext("comment") or ""))
    return messages


def translate(lang, messages):
    hand = {(c, s, m): t for c, s, m, *t in library_texts.TEXTS
            for t in [dict(zip(("de", "fr"), t))]}
    languages = catalog(lang, ["iso_639-2", "iso_639-3"])
    countries = catalog(lang, ["iso_3166-1", "iso_3166-3"])
    by_code = english_by_code()
    codes = table_codes()
    result, missing, reviewed = {}, [], []
    for key in messages:
        context, source, _ = key
        names = {"Languages": languages, "Countries": countries}.get(context)
        text = hand.get(key, {}).get(lang)
        if text is None and names is not None:
            text = names.get(source) or names.get(plain(source))
            if text is None:
                for code in codes.get((context, source), []):
                    for english in by_code.get((context, code), []):
                        text = text or names.get(english) or names.get(plain(english))
                if text is not None:
                    reviewed.append(f"{context}: {source!r} -> {text!r} (by code)")
            # iso-codes writes French names as in running text ("anglais",
            # "îles Cook"); an entry of a list starts with a capital.
            if text is not None and lang == "fr":
                text = text[:1].upper() + text[1:]
        if text is None:
            missing.append(f"{context}: {source!r} [{key[2]}] has no translation")
        else:
            result[key] = text
    unused = set(hand) - set(messages)
    missing += [f"library_texts.py: {c}: {s!r} [{m}] is no longer a source text"
                for c, s, m in sorted(unused)]
    return result, missing, reviewed


def write_ts(lang, messages, translations):
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>",
             "<!-- SPDX-License-Identifier: LGPL-2.1-or-later -->",
             "<!-- Written by tools/translations/update-library-ts.py; see its header. -->",
             f'<TS version="2.1" language="{LANGUAGES[lang]}" sourcelanguage="en">']
    current = None
    for key in messages:
        context, source, comment = key
        if context != current:
            if current is not None:
                lines.append("</context>")
            lines += ["<context>", f"    <name>{escape(context)}</name>"]
            current = context
        quote = {'"': "&quot;", "'": "&apos;"}
        lines += ["    <message>", f"        <source>{escape(source, quote)}</source>"]
        if comment:
            lines.append(f"        <comment>{escape(comment, quote)}</comment>")
        lines += [f"        <translation>{escape(translations[key], quote)}</translation>",
                  "    </message>"]
    lines += ["</context>", "</TS>", ""]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lupdate", default="/usr/lib/qt6/bin/lupdate")
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--review", action="store_true", help="list the names found by code")
    args = parser.parse_args()
    messages = extract(args.lupdate)
    failed = False
    for lang in LANGUAGES:
        translations, missing, reviewed = translate(lang, messages)
        if args.review:
            print("\n".join(f"{lang}: {line}" for line in reviewed))
        if missing:
            print(f"{lang}: {len(missing)} texts to translate or rows to remove:", file=sys.stderr)
            print("\n".join("  " + line for line in missing), file=sys.stderr)
            failed = True
            continue
        text = write_ts(lang, messages, translations)
        path = os.path.join(ROOT, "translations", f"mavlibrary_{lang}.ts")
        if args.check:
            with open(path, encoding="utf-8") as f:
                if f.read() != text:
                    print(f"{path} is out of date", file=sys.stderr)
                    failed = True
            continue
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        print(f"{path}: {len(messages)} texts")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
