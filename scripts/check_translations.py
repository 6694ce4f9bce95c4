#!/usr/bin/env python3
"""Checks that the environment's user-visible texts go through Qt's translation.

1. A text literal given to a window title, label, button, menu, action, status tip or command
   without tr(), QT_TR_NOOP() or QT_TRANSLATE_NOOP() around it is listed with its place, and so is
   an instruction editor's field label (a text with a mnemonic's &) not marked with
   QT_TRANSLATE_NOOP("qel", ...).
2. lupdate reads the environment and the labels' folders into a temporary .ts file; the texts it finds (context and
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


def unmarked_labels():
    found = []
    for folder in label_folders:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                if line.lstrip().startswith("//"):
                    continue
                code = line.split("//")[0] if line.count('"') % 2 == 0 else line
                for m in label.finditer(code):
                    if not re.search(r'QT_TRANSLATE_NOOP\(\s*"qel"\s*,\s*$', code[:m.start()]):
                        found.append(f'{path.relative_to(root)}:{number}: label "{m.group(1)}" is not marked')
    return found


def messages(ts):
    tree = ET.parse(ts)
    return {(c.findtext("name"), m.findtext("source")) for c in tree.getroot().iter("context")
            for m in c.iter("message")}


def run_lupdate(target):
    subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none", "-source-language", "en",
                    "-target-language", "en", "-I", str(root), str(root / "environment"),
                    *[str(root / folder) for folder in label_folders], "-ts", str(target)], check=True)


findings = untranslated() + unmarked_labels()
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
