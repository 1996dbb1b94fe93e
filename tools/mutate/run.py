#!/usr/bin/env python3
"""Fault injection: puts one realistic fault at a time into a copy of the sources, rebuilds, runs
the tests, and counts the faults the tests catch, per folder of src.

The faults come from two places:
  - faults.txt: faults written by hand (file, the exact text, what it becomes, what it breaks);
  - fixed rules applied to every .cpp file of a folder (see RULES), of which a sample is drawn
    with a fixed seed, spread over the rules, so that reruns over the same sources draw the same
    faults and nobody picks the ones the tests happen to catch.

The copy of the committed sources (HEAD) and its build live in build-mutate/; the working tree
is never changed. Each build step
takes the machine's shared build lock, /tmp/pelora-build.lock, one fault at a time.

  tools/mutate/run.py                 every folder, 20 drawn faults each, and the hand faults
  tools/mutate/run.py --folder commands --limit 40
  tools/mutate/run.py --list          the faults only, without building
  tools/mutate/run.py --only-hand / --only-mechanical / --id ID ...
"""

import argparse
import dataclasses
import fcntl
import filecmp
import os
import random
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
WORK = os.path.join(ROOT, "build-mutate")
TREE = os.path.join(WORK, "tree")
BUILD = os.path.join(WORK, "build")
LOCK = "/tmp/pelora-build.lock"
FOLDERS = ["base", "formats", "display", "commands", "ui", "app"]
SEED = 1252


@dataclasses.dataclass
class Fault:
    id: str
    file: str  # relative to the repository
    line: int  # 1-based, of the first changed line
    rule: str
    old: str  # the text replaced, exactly once at `offset`
    new: str
    offset: int
    what: str = ""

    @property
    def folder(self):
        return self.file.split("/")[1]


# --- reading C++ lines without their comments and string contents -------------------------------

STRING = re.compile(r'"(?:[^"\\\n]|\\.)*"')


CHARACTER = re.compile(r"(?<![\w'])'(?:[^'\\\n]|\\.)'")


def blank_strings(line):
    """The line with every string and character literal's contents replaced by blanks, and a //
    comment blanked too."""
    out = CHARACTER.sub(lambda m: "'" + " " * (len(m.group(0)) - 2) + "'", line)
    out = STRING.sub(lambda m: '"' + " " * (len(m.group(0)) - 2) + '"', out)
    cut = out.find("//")
    return out if cut < 0 else out[:cut] + " " * (len(out) - cut)


def code_lines(text):
    """(number, line, code) for each line outside block comments and preprocessor lines."""
    in_block = False
    for number, line in enumerate(text.split("\n"), start=1):
        code = blank_strings(line)
        if in_block:
            end = code.find("*/")
            if end < 0:
                continue
            in_block = False
            code = " " * (end + 2) + code[end + 2:]
        start = code.find("/*")
        if start >= 0 and code.find("*/", start) < 0:
            in_block = True
            code = code[:start]
        stripped = code.strip()
        if not stripped or stripped.startswith("#") or "static_assert" in stripped:
            continue
        yield number, line, code


# --- the rules ------------------------------------------------------------------------------------

CALL = re.compile(r"^\s*(?:[A-Za-z_][\w:]*(?:\.|->))*[A-Za-z_][\w:]*\(.*\);\s*$")
NOT_CALL = re.compile(r"^\s*(return|delete|throw|case|default|else|break|continue)\b")
COMPARISON = re.compile(r"(?<=[\w)\]] )(==|!=|<=|>=|<|>)(?= [\w(!\-+*&.\"'])")
FLIP = {"==": "!=", "!=": "==", "<=": "<", "<": "<=", ">=": ">", ">": ">="}
BOUNDARY = re.compile(r"(?<=[<>=] )(\d+)\b(?!\.)")
ANSWER = re.compile(r"\b(Answer::(?:Yes|No|Ok|Cancel)|Buttons::(?:YesNoCancel|YesNo|OkCancel|Ok))\b")
SWAP = {
    "Answer::Yes": "Answer::No",
    "Answer::No": "Answer::Yes",
    "Answer::Ok": "Answer::Cancel",
    "Answer::Cancel": "Answer::Ok",
    "Buttons::YesNo": "Buttons::YesNoCancel",
    "Buttons::YesNoCancel": "Buttons::YesNo",
    "Buttons::Ok": "Buttons::OkCancel",
    "Buttons::OkCancel": "Buttons::Ok",
}
ASSIGNMENT = re.compile(
    r"^\s*(?:\+\+|--)?[A-Za-z_][\w]*(?:(?:\.|->)[\w]+|\[[^\]]*\])+\s*(?:=(?!=)|\+=|-=|\+\+|--).*;\s*$"
)
MESSAGE = re.compile(r'"((?:[^"\\\n]|\\.){8,})"')


def statement_allowed(lines, index):
    """Whether line `index` (0-based) stands as a statement of its own in a block, so that
    replacing it by an empty statement changes nothing else."""
    for k in range(index - 1, -1, -1):
        before = blank_strings(lines[k]).rstrip()
        if before:
            return before.endswith((";", "{", "}", ":"))
    return True


def candidates(relative, text):
    """Every fault the rules make in one file."""
    lines = text.split("\n")
    starts = [0]
    for line in lines:
        starts.append(starts[-1] + len(line) + 1)
    found = []

    def add(rule, number, column, old, new):
        found.append(Fault("", relative, number, rule, old, new, starts[number - 1] + column))

    for number, line, code in code_lines(text):
        index = number - 1
        body = code.strip()
        whole = line[len(line) - len(line.lstrip()):].rstrip()
        if CALL.match(code) and not NOT_CALL.match(code) and statement_allowed(lines, index):
            add("call", number, len(line) - len(line.lstrip()), whole, ";")
        elif ASSIGNMENT.match(code) and statement_allowed(lines, index):
            add("assignment", number, len(line) - len(line.lstrip()), whole, ";")
        for m in COMPARISON.finditer(code):
            if code[max(0, m.start() - 9):m.start()].rstrip().endswith("template"):
                continue
            add("comparison", number, m.start(), m.group(1), FLIP[m.group(1)])
        for m in BOUNDARY.finditer(code):
            if not is_boundary(code[:m.start()]):
                continue
            value = int(m.group(1))
            add("boundary", number, m.start(), m.group(1), str(value + 1 if value == 0 or number % 2 else value - 1))
        for m in ANSWER.finditer(code):
            add("answer", number, m.start(), m.group(1), SWAP[m.group(1)])
        if "#include" not in line and "extern" not in body:
            for m in MESSAGE.finditer(line):
                if code[m.start()] != '"':
                    continue  # in a comment
                content = m.group(1)
                if not re.search(r"[A-Za-zÅÄÖåäö]{3}", content) or "%" in content:
                    continue
                # One letter changed: the first letter of the text in the other case.
                at = first_letter(content)
                if at is None:
                    continue
                changed = content[:at] + content[at].swapcase() + content[at + 1:]
                add("message", number, m.start(1), content, changed)
    return [f for f in found if not equivalent(f, lines[f.line - 1])]


def is_boundary(before):
    """Whether a number after `before` is a bound: compared with, or where a loop starts; not
    the value of a constant or of a setting."""
    operator = before.rstrip()
    if operator.endswith(("<<", ">>", "->")):
        return False
    if operator.endswith(("<=", ">=", "==", "!=", "<", ">")):
        return True
    return operator.endswith("=") and re.search(r"\bfor\s*\([^;]*$", operator) is not None


def first_letter(content):
    """Where the first letter of a literal's text stands, outside its escapes (the case of
    "\\xEF" changes no byte), or None."""
    k = 0
    while k < len(content):
        c = content[k]
        if c == "\\":
            k += 2
            if content[k - 1:k] == "x":
                while k < len(content) and content[k] in "0123456789abcdefABCDEF":
                    k += 1
            continue
        if re.match(r"[A-Za-zÅÄÖåäö]", c):
            return k
        k += 1
    return None


def read_blocks(path):
    """The `key: value` blocks of a file, separated by blank lines; # lines are comments."""
    blocks, block = [], {}
    with open(path, encoding="utf-8") as f:
        for raw in f.read().split("\n") + [""]:
            if raw.startswith("#"):
                continue
            if not raw.strip():
                if block:
                    blocks.append(block)
                block = {}
                continue
            key, _, value = raw.partition(":")
            block[key.strip()] = value[1:] if value.startswith(" ") else value
    return blocks


# Faults that change nothing a program or a user could ever see, each with the reason.
EQUIVALENT = [
    (b["file"], b["line"].strip(), b["rule"], b["old"], b["new"])
    for b in read_blocks(os.path.join(os.path.dirname(os.path.abspath(__file__)), "equivalent.txt"))
]


def equivalent(fault, line):
    return (fault.file, line.strip(), fault.rule, fault.old, fault.new) in EQUIVALENT


def mechanical(folder, limit):
    """The sample of rule-made faults of one folder: per rule in turn, a fault drawn with the
    fixed seed, until `limit` are drawn."""
    by_rule = {}
    base = os.path.join(TREE, "src", folder)
    for name in sorted(os.listdir(base)):
        if not name.endswith(".cpp"):
            continue
        relative = f"src/{folder}/{name}"
        with open(os.path.join(TREE, relative), encoding="utf-8") as f:
            for fault in candidates(relative, f.read()):
                by_rule.setdefault(fault.rule, []).append(fault)
    draw = random.Random(f"{SEED}-{folder}")
    for rule in sorted(by_rule):
        draw.shuffle(by_rule[rule])
    chosen = []
    rules = sorted(by_rule)
    while len(chosen) < limit and any(by_rule.values()):
        for rule in rules:
            if by_rule[rule] and len(chosen) < limit:
                chosen.append(by_rule[rule].pop())
    for k, fault in enumerate(chosen, start=1):
        fault.id = f"{folder}-{k:02d}"
    return chosen


def hand_written():
    """The faults of faults.txt; in `old` and `new` "\\n" stands for a line break."""
    faults = []
    for fields in read_blocks(os.path.join(ROOT, "tools", "mutate", "faults.txt")):
        old = fields["old"].replace("\\n", "\n")
        new = fields.get("new", "").replace("\\n", "\n")
        with open(os.path.join(TREE, fields["file"]), encoding="utf-8") as f:
            text = f.read()
        if text.count(old) != 1:
            sys.exit(f"faults.txt: {fields['id']}: the text stands {text.count(old)} times in {fields['file']}")
        offset = text.index(old)
        faults.append(Fault(fields["id"], fields["file"], text.count("\n", 0, offset) + 1,
                            "hand", old, new, offset, fields.get("what", "")))
    return faults


# --- building and testing -------------------------------------------------------------------------


def locked(command, timeout, env=None):
    """Runs a command under the shared build lock; its return code, or None after the timeout."""
    with open(LOCK, "a") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        try:
            done = subprocess.run(command, cwd=BUILD, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                  timeout=timeout, env=env)
            return done.returncode, done.stdout.decode("utf-8", "replace")
        except subprocess.TimeoutExpired:
            return None, "timeout"
        finally:
            fcntl.flock(lock, fcntl.LOCK_UN)


def sync_tree():
    """The scratch tree made equal to the committed sources (HEAD), changing only what differs, so
    that the build redoes only what changed and work in progress stays out."""
    fresh = os.path.join(WORK, "head")
    shutil.rmtree(fresh, ignore_errors=True)
    os.makedirs(fresh)
    archive = subprocess.run(["git", "archive", "--format=tar", "HEAD"], cwd=ROOT, stdout=subprocess.PIPE,
                             check=True).stdout
    subprocess.run(["tar", "-x", "-C", fresh], input=archive, check=True)
    for folder, _, names in os.walk(fresh):
        for name in names:
            source = os.path.join(folder, name)
            target = os.path.join(TREE, os.path.relpath(source, fresh))
            if os.path.exists(target) and filecmp.cmp(source, target, shallow=False):
                continue
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copy2(source, target)
    for folder, _, names in os.walk(TREE):
        for name in names:
            target = os.path.join(folder, name)
            if not os.path.exists(os.path.join(fresh, os.path.relpath(target, TREE))):
                os.remove(target)
    shutil.rmtree(fresh)


def configure():
    os.makedirs(BUILD, exist_ok=True)
    if not os.path.exists(os.path.join(BUILD, "build.ninja")):
        code, out = locked(["cmake", "-S", TREE, "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                            "-DPELORA_BENCH=OFF", "-DPELORA_WERROR=OFF"], 600)
        if code != 0:
            sys.exit("configuring the scratch build failed:\n" + out)


def targets(fault):
    return {"app": ["pelora"], "ui": ["ui_tests"]}.get(fault.folder, ["core_tests", "ui_tests"])


def build(fault, jobs):
    code, out = locked(["ninja", "-j", str(jobs)] + targets(fault), 900)
    return code == 0, out


def tests_catch(fault):
    """Whether some test fails (or hangs) with the fault in place; and which."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    runs = []
    if fault.folder not in ("ui", "app"):
        runs.append(("core_tests", ["tests/core_tests", "--gtest_fail_fast", "--gtest_brief=1"]))
    if fault.folder != "app":
        runs.append(("ui_tests", ["tests/ui_tests"]))
    else:
        runs.append(("program", ["ctest", "-R", "^(program|install)$", "--output-on-failure"]))
    for name, command in runs:
        code, out = locked(command, 180, env)
        if code != 0:
            failed = re.findall(r"^(?:\[  FAILED  \] |FAIL!  : )(\S+)", out, re.M)
            return f"{name}: {', '.join(sorted(set(failed))[:3]) or ('timeout' if code is None else 'failed')}"
    return None


def apply(fault, text):
    assert text[fault.offset:fault.offset + len(fault.old)] == fault.old, fault.id
    return text[:fault.offset] + fault.new + text[fault.offset + len(fault.old):]


def diff_of(fault):
    return f"--- {fault.file}:{fault.line}\n-{fault.old}\n+{fault.new}\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--folder", action="append", choices=FOLDERS)
    parser.add_argument("--limit", type=int, default=20, help="rule-made faults per folder")
    parser.add_argument("--only-hand", action="store_true")
    parser.add_argument("--only-mechanical", action="store_true")
    parser.add_argument("--id", action="append", help="only these faults")
    parser.add_argument("--list", action="store_true", help="list the faults, build nothing")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--report", default=os.path.join(WORK, "report.txt"))
    args = parser.parse_args()

    folders = args.folder or FOLDERS
    os.makedirs(TREE, exist_ok=True)
    sync_tree()
    faults = []
    if not args.only_mechanical:
        faults += [f for f in hand_written() if f.folder in folders]
    if not args.only_hand:
        for folder in folders:
            faults += mechanical(folder, args.limit)
    if args.id:
        faults = [f for f in faults if f.id in args.id]

    if args.list:
        for f in faults:
            print(f"{f.id:14} {f.file}:{f.line} {f.rule}: {f.old!r} -> {f.new!r}")
        return 0

    configure()
    ok, out = build(Fault("", "src/commands/x", 0, "", "", "", 0), args.jobs)
    if not ok or tests_catch(Fault("", "src/commands/x", 0, "", "", "", 0)):
        sys.exit("the sources without a fault do not build or pass their tests:\n" + out[-3000:])
    if any(f.folder == "app" for f in faults):
        program = Fault("", "src/app/x", 0, "", "", "", 0)
        if not build(program, args.jobs)[0] or tests_catch(program):
            sys.exit("the program does not build or fails its own checks without a fault")

    results = {}
    survivors = []
    started = time.time()
    for fault in faults:
        path = os.path.join(TREE, fault.file)
        with open(path, encoding="utf-8") as f:
            original = f.read()
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(apply(fault, original))
            built, _ = build(fault, args.jobs)
            caught = tests_catch(fault) if built else None
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        outcome = "no-build" if not built else "caught" if caught else "SURVIVED"
        results.setdefault(fault.folder, []).append(outcome)
        if outcome == "SURVIVED":
            survivors.append(fault)
        print(f"{fault.id:14} {fault.file}:{fault.line:<5} {fault.rule:10} {outcome:8} {caught or ''}",
              flush=True)
    build(Fault("", "src/commands/x", 0, "", "", "", 0), args.jobs)  # the copy as it was

    print(f"\n{len(faults)} faults in {time.time() - started:.0f} s\n")
    print("| folder | faults | caught | survived | did not build | caught % |")
    print("| --- | ---: | ---: | ---: | ---: | ---: |")
    for folder in FOLDERS:
        if folder not in results:
            continue
        r = results[folder]
        caught, survived, nobuild = r.count("caught"), r.count("SURVIVED"), r.count("no-build")
        score = 100 * caught / (caught + survived) if caught + survived else 100
        print(f"| src/{folder} | {len(r)} | {caught} | {survived} | {nobuild} | {score:.0f} |")
    with open(args.report, "w", encoding="utf-8") as f:
        for fault in survivors:
            f.write(f"{fault.id} ({fault.rule}) {fault.what}\n{diff_of(fault)}\n")
    print(f"\nThe faults no test caught, with their changes: {args.report}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
