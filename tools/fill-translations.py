#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fills the unfinished messages of a Qt Linguist .ts file by their source text.

A text keeps its translation when it moves to another context (a window split into
classes, a caption moved into a form): lupdate then marks the old message vanished and adds
the new one unfinished. Every unfinished message whose source text (and disambiguation, if
any) has a finished or vanished translation anywhere in the file takes that translation.
(lupdate's own guesses stay marked unfinished; they are replaced.) A source that differs
only by its Alt mnemonic ("&") or by the spaces around it takes the translation too, with
the mnemonic put on the same letter when the translation has it and the spaces of the new
source. Vanished messages whose text a current message has are dropped afterwards; the
others stay as a glossary for texts not yet in the sources, unless --drop-obsolete is given.
  fill-translations.py [--drop-obsolete] FILE.ts
"""
import sys
import xml.etree.ElementTree as ET


def content(message):
    """The translation of a message: its text, or the tuple of its plural forms."""
    translation = message.find("translation")
    if translation is None:
        return None
    if message.get("numerus") == "yes":
        forms = tuple(f.text or "" for f in translation.findall("numerusform"))
        return forms if forms and all(forms) else None
    return translation.text or None


def plain(text):
    return text.replace("&&", "\0").replace("&", "").replace("\0", "&")


def respaced(source, translation):
    """The translation with the leading and trailing spaces of `source`."""
    core = translation.strip(" ")
    return source[: len(source) - len(source.lstrip(" "))] + core + source[len(source.rstrip(" ")) :]


def with_mnemonic(source, translation):
    """Puts "&" on the translation's first occurrence of the source's mnemonic letter."""
    at = source.replace("&&", "\0\0").find("&")
    if at < 0 or at + 1 >= len(source) or "&" in translation.replace("&&", ""):
        return translation
    letter = source[at + 1].lower()
    where = translation.lower().find(letter)
    return translation if where < 0 else translation[:where] + "&" + translation[where:]


def main(path, drop_obsolete):
    tree = ET.parse(path)
    root = tree.getroot()
    known, loose, unmarked = {}, {}, {}
    for finished_first in (True, False):
        for message in root.iter("message"):
            kind = message.find("translation").get("type") if message.find("translation") is not None else None
            if (kind is None) != finished_first or kind == "unfinished":
                continue
            value = content(message)
            if value is None:
                continue
            source = message.findtext("source") or ""
            numerus = message.get("numerus") == "yes"
            known.setdefault((source, message.findtext("comment") or "", numerus), value)
            loose.setdefault((source, numerus), value)
            unmarked.setdefault((plain(source).strip(" "), numerus), value)

    filled = 0
    for message in root.iter("message"):
        translation = message.find("translation")
        if translation is None or translation.get("type") != "unfinished":
            continue
        source = message.findtext("source") or ""
        numerus = message.get("numerus") == "yes"
        value = known.get((source, message.findtext("comment") or "", numerus)) or loose.get((source, numerus))
        if value is None and (plain(source).strip(" "), numerus) in unmarked:
            value = unmarked[(plain(source).strip(" "), numerus)]
            if not numerus:
                value = respaced(source, with_mnemonic(source, plain(value)) if "&" in source else plain(value))
        if value is None:
            continue
        if numerus:
            for form in list(translation):
                translation.remove(form)
            for text in value:
                ET.SubElement(translation, "numerusform").text = text
        else:
            translation.text = value
        del translation.attrib["type"]
        filled += 1

    current = set()
    for message in root.iter("message"):
        translation = message.find("translation")
        if translation is None or translation.get("type") not in ("vanished", "obsolete"):
            current.add(plain(message.findtext("source") or "").strip(" "))
    for context in list(root.iter("context")):
        for message in list(context.findall("message")):
            translation = message.find("translation")
            if translation is not None and translation.get("type") in ("vanished", "obsolete"):
                if drop_obsolete or plain(message.findtext("source") or "").strip(" ") in current:
                    context.remove(message)
    for context in list(root.findall("context")):
        if not context.findall("message"):
            root.remove(context)
    tree.write(path, encoding="utf-8", xml_declaration=True)
    if filled:
        print(f"{path}: {filled} message(s) filled from translations of the same text")


if __name__ == "__main__":
    arguments = sys.argv[1:]
    drop = "--drop-obsolete" in arguments
    files = [a for a in arguments if a != "--drop-obsolete"]
    if len(files) != 1:
        sys.exit(__doc__)
    main(files[0], drop)
