#!/usr/bin/env python3
"""Checks that the environment's user-visible texts go through Qt's translation.

1. A text literal given to a window title, label, button, menu, action, status tip or command
   without tr(), QT_TR_NOOP() or QT_TRANSLATE_NOOP() around it is listed with its place, and so is
   an instruction editor's field label (a text with a mnemonic's &) not marked with
   QT_TRANSLATE_NOOP("qel", ...), or put together at run time ("Variable &" + a number).
2. The environment's messages: a text given to showNotice(), an editor's say(), fieldError(),
   FieldError{} or a designer's DesignMessage{} (as a literal, or as a constant found where the file
   or what it includes defines it) must be marked QT_TRANSLATE_NOOP("qel", ...), and the
   environment gives no literal or constant text to showMessage(), which shows it untranslated (the
   path of the program's own messages and the run's). A message put together at run time does not
   get this far: showNotice() refuses a std::string at compile time, and a Notice carries the
   marked words with their parts.
3. lupdate reads the environment and the labels' folders into a temporary .ts file; the texts it finds (context and
   source) must be exactly those of translations/qel_en.ts, so a text added or changed without the
   committed file following is listed. `--update` rewrites the committed file instead.

Usage: check_translations.py [LUPDATE] [--update]. Exit status 1 on any finding."""
import pathlib, re, shutil, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

root = pathlib.Path(__file__).resolve().parent.parent
committed = root / "translations" / "qel_en.ts"
args = [a for a in sys.argv[1:] if a != "--update"]
update = "--update" in sys.argv[1:]
lupdate = args[0] if args else (shutil.which("lupdate") or "/usr/lib/qt6/bin/lupdate")

# Calls whose text arguments a user reads.
shown = re.compile(r"\b(setWindowTitle|setText|setStatusTip|setToolTip|setWhatsThis|setTitle|"
                   r"statusBar\(\)\s*->\s*showMessage|setPlaceholderText|setLabelText|addMenu|addAction|addToolBar|addTab|setTabText|addItem|"
                   r"addCommand|add|command|edit|QLabel|QPushButton|QAction|QCheckBox|QRadioButton|QGroupBox|"
                   r"QMenu)\s*\(")
# Literals that are no text: font names.
not_texts = {"Arial"}
literal = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
marked = re.compile(r'(\btr|QT_TR_NOOP|QT_TRANSLATE_NOOP|translate)\(\s*("(?:[^"\\\n]|\\.)*"\s*,\s*)?$')


def statements(text):
    """Each statement of a file (code up to a semicolon or brace) with the line it starts on."""
    code = re.sub(r"//[^\n]*", lambda m: " " * len(m.group(0)) if m.group(0).count('"') % 2 == 0 else m.group(0),
                  text)
    start = 0
    for m in re.finditer(r'"(?:[^"\\\n]|\\.)*"|[;{}]', code):
        if m.group(0) in ";{}":
            statement = code[start:m.end()]
            first = start + len(statement) - len(statement.lstrip())
            yield text.count("\n", 0, first) + 1, statement
            start = m.end()


def untranslated():
    found = []
    for path in sorted((root / "environment").rglob("*.cpp")):
        for line, statement in statements(path.read_text(encoding="utf-8")):
            if not shown.search(statement):
                continue
            for m in literal.finditer(statement):
                before = statement[:m.start()]
                if marked.search(before) or m.group(1) in not_texts or not re.search(r"[A-Za-z]{2}", m.group(1)):
                    continue
                found.append(f'{path.relative_to(root)}:{line}: "{m.group(1)}" is shown without tr()')
    return found


# The instruction editors' field labels (a mnemonic's & marks them) live in the std-only families.
label_folders = ["instructions", "messages", "values"]
label = re.compile(r'(?<![\w)])"((?:[^"\\\n]|\\.)*&[A-Za-z0-9](?:[^"\\\n]|\\.)*)"')


def sources(folders):
    """Each C++ file of the folders with its folder and text."""
    for folder in folders:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix in (".cpp", ".h"):
                yield folder, path, path.read_text(encoding="utf-8")


# A label put together at run time: a text ending in a mnemonic's & joined to what follows it.
joined = re.compile(r'"((?:[^"\\\n]|\\.)*&)"\s*\+')


def unmarked_labels():
    found = []
    for _, path, text in sources(label_folders):
        for number, line in enumerate(text.splitlines(), 1):
            if line.lstrip().startswith("//"):
                continue
            code = line.split("//")[0] if line.count('"') % 2 == 0 else line
            for m in label.finditer(code):
                if not re.search(r'QT_TRANSLATE_NOOP\(\s*"qel"\s*,\s*$', code[:m.start()]):
                    found.append(f'{path.relative_to(root)}:{number}: label "{m.group(1)}" is not marked')
            for m in joined.finditer(code):
                found.append(f'{path.relative_to(root)}:{number}: label "{m.group(1)}" is put together: '
                             "write each one out")
    return found


# The environment's messages, marked where they are written, in these folders and shown translated.
message_folders = ["environment", "instructions", "values", "messages", "program", "forms", "check", "inspection"]
notice_call = re.compile(r"\b(showNotice|say|fieldError|FieldError|DesignMessage|Notice)\s*[({]")
plain_call = re.compile(r"\.showMessage\s*\(")
constant = re.compile(r"\b(k[A-Z]\w*)\b")
include = re.compile(r'^#include "([^"]+)"', re.M)


def without_comments(text):
    return re.sub(r'"(?:[^"\\\n]|\\.)*"|//[^\n]*', lambda m: m.group(0) if m.group(0)[0] == '"' else "", text)


def definition(path, name):
    """What `name` is defined as (the text after its =) in path or the headers it includes, nearest first."""
    queue, seen = [path], set()
    while queue:
        current = queue.pop(0)
        if current in seen or not current.exists():
            continue
        seen.add(current)
        text = current.read_text(encoding="utf-8")
        m = re.search(r"\b" + name + r"\s*(?:\[\])?\s*=\s*", text)
        if m:
            return text[m.end():m.end() + 200]
        queue += [root / i for i in include.findall(text)]
    return None


def unmarked_messages():
    found = []
    for folder, path, text in sources(message_folders):
        code = without_comments(text)
        calls = [(m, True) for m in notice_call.finditer(code)]
        if folder == "environment":
            calls += [(m, False) for m in plain_call.finditer(code)]
        for call, translated in calls:
            arguments = code[call.end():code.find(";", call.end())]
            where = f"{path.relative_to(root)}:{code.count(chr(10), 0, call.start()) + 1}"
            for m in literal.finditer(arguments):
                before = arguments[:m.start()]
                if not re.search(r"[A-Za-z]{2}", m.group(1)) or re.search(r"QT_TRANSLATE_NOOP\(\s*$", before) or (
                        translated and re.search(r'QT_TRANSLATE_NOOP\(\s*"qel"\s*,\s*$', before)):
                    continue
                found.append(f'{where}: message "{m.group(1)}" is ' +
                             ("not marked" if translated else "shown untranslated: use showNotice"))
            for name in constant.findall(arguments):
                value = definition(path, name)
                if value is None or not (value.startswith('"') or value.startswith("QT_TRANSLATE_NOOP")):
                    continue  # not a text: a field's number, a flag
                if not translated:
                    found.append(f"{where}: message {name} is shown untranslated: use showNotice")
                elif value.startswith('"'):
                    found.append(f"{where}: message {name} is not marked where it is defined")
    return found


def messages(ts):
    tree = ET.parse(ts)
    return {(c.findtext("name"), m.findtext("source")) for c in tree.getroot().iter("context")
            for m in c.iter("message")}


def run_lupdate(target):
    subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none", "-source-language", "en",
                    "-target-language", "en", "-I", str(root),
                    *[str(root / folder) for folder in message_folders], "-ts", str(target)], check=True)


findings = untranslated() + unmarked_labels() + unmarked_messages()
if update:
    run_lupdate(committed)
else:
    with tempfile.TemporaryDirectory() as folder:
        fresh = pathlib.Path(folder) / "qel_en.ts"
        run_lupdate(fresh)
        now, before = messages(fresh), messages(committed) if committed.exists() else set()
        findings += [f'{context}: "{source}" is not in {committed.relative_to(root)}' for context, source in
                     sorted(now - before)]
        findings += [f'{context}: "{source}" is in {committed.relative_to(root)} but no longer in the sources'
                     for context, source in sorted(before - now)]
if findings:
    print("\n".join(findings))
    print("Wrap the texts in tr(), then run scripts/check_translations.py --update")
sys.exit(1 if findings else 0)
