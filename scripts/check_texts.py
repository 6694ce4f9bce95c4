#!/usr/bin/env python3
"""Lists user-visible texts written in more than one place outside the tests.

Every message, title and label has one home; a second copy drifts. A text counts when its literal
holds a blank or ends in a full stop and is at least 12 characters long; include lines, format
strings of the tools and JSON keys are not texts a user reads. Exit status 1 when a text repeats."""
import collections, pathlib, re, sys

root = pathlib.Path(__file__).resolve().parent.parent
folders = ["fileio", "program", "values", "interpreter", "instructions", "runtime", "environment", "forms", "inspection",
           "messages", "app", "base", "check"]
literal = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
seen = collections.defaultdict(set)
for folder in folders:
    for path in sorted((root / folder).rglob("*")):
        if path.suffix not in (".cpp", ".h"):
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            stripped = line.strip()
            if stripped.startswith("#include") or stripped.startswith("//"):
                continue
            code = re.sub(r'\s//\s.*$', "", line) if line.count('"') % 2 == 0 else line
            for text in literal.findall(code):
                # JSON fragments of the tools (starting with punctuation) are syntax, not texts.
                if not text or (not text[0].isalnum() and text[0] not in "&(<"):
                    continue
                if len(text) >= 12 and (" " in text or text.endswith(".")) and "%" not in text:
                    seen[text].add(f"{path.relative_to(root)}:{number}")
repeated = {text: places for text, places in seen.items() if len(places) > 1}
for text, places in sorted(repeated.items()):
    print(f'"{text}"')
    for place in sorted(places):
        print(f"    {place}")
sys.exit(1 if repeated else 0)
