#!/usr/bin/env python3
"""キーミル as a screen reader meets it: the built program in its own X session with Qt's
accessibility bridge on, its tree read through AT-SPI (pyatspi) on a private D-Bus session.

usage: dbus-run-session -- keymill_a11y.py --program build/keymill --qch build/keymill.qch
                                           --out DIR [--dump FILE] [--shots DIR]
Fails on a focusable control without a name, on two focusable controls with one name, and on
a control that does not carry the name, description or relation a user needs; then the same of
each dialog opened from the menu, which Tab must go round. Then drives the help window: a link
clicked where AT-SPI says its text is, the index, the search.
The tree is written to DIR/a11y-tree.txt (and to --dump)."""

import os
import re
import shutil
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
from xsession import (CheckFailed, driver_arguments, program_session, report_failure,
                      stays_false, wait_until)

TITLE = "キーミル"
HELP_TITLE = "キーミル ヘルプ"

try:
    import pyatspi
except ImportError:
    print("python3-pyatspi is missing (scripts/install-deps.sh installs it)", file=sys.stderr)
    sys.exit(1)


def check(condition, message):
    if not condition:
        raise CheckFailed(message)


def state(acc, which):
    try:
        return acc.getState().contains(which)
    except Exception:
        return False


def relations(acc):
    """[(relation name, [target names])]"""
    found = []
    for rel in acc.getRelationSet():
        kind = pyatspi.relationToString(rel.getRelationType())
        targets = [rel.getTarget(i).name for i in range(rel.getNTargets())]
        found.append((str(kind).lower(), targets))
    return found


def walk(acc, depth=0):
    """Yields (depth, accessible) for the object and everything below it; rows of a long
    list stop after a few."""
    yield depth, acc
    role = acc.getRoleName()
    count = acc.childCount
    if role in ("tree table", "table", "list", "tree") and count > 12:
        count = 12
    for i in range(count):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def describe(acc):
    states = []
    for name, flag in (("focusable", pyatspi.STATE_FOCUSABLE), ("focused", pyatspi.STATE_FOCUSED),
                       ("showing", pyatspi.STATE_SHOWING), ("enabled", pyatspi.STATE_ENABLED),
                       ("checked", pyatspi.STATE_CHECKED)):
        if state(acc, flag):
            states.append(name)
    line = f'{acc.getRoleName()} "{acc.name}"'
    if acc.description:
        line += f' description="{acc.description}"'
    line += " [" + " ".join(states) + "]"
    for kind, targets in relations(acc):
        line += f" {kind}->{targets}"
    return line


def find_app(pid):
    def probe():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                continue
        return None
    return wait_until("the program on the accessibility bus", probe, 20)


def find(root, predicate, what, timeout=10):
    def probe():
        try:
            for _, acc in walk(root):
                try:
                    if predicate(acc):
                        return acc
                except Exception:  # an object that went away while we looked
                    continue
        except Exception:
            return None
        return None
    return wait_until(what, probe, timeout)


def frame_named(app, title):
    """A top-level window of the program, by its title."""
    def probe():
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            if child is not None and child.name == title:
                return child
        return None
    try:
        return wait_until(f'the window "{title}" in the tree', probe, 10)
    except CheckFailed as failure:
        seen = [(app.getChildAtIndex(i).getRoleName(), app.getChildAtIndex(i).name)
                for i in range(app.childCount)]
        raise CheckFailed(f"{failure}; the program's windows: {seen}")


def text_of(acc):
    text = acc.queryText()
    return text.getText(0, text.characterCount)


# --- the main window's tree ---------------------------------------------------------------

# (role, name): what each control must be called; description or relation where one is needed.
EXPECTED = [
    ("check box", "数字", None),
    ("check box", "アルファベット大文字", None),
    ("check box", "アルファベット小文字", None),
    ("check box", "任意文字登録", None),
    ("check box", "任意文字除外", None),
    ("text", "任意文字登録の文字", None),
    ("text", "任意文字除外の文字", None),
    ("text", "文字数", "※[1-99999]の値を入力"),
    ("text", "生成数", "※[1-99999]の値を入力"),
]


def check_main_tree(frame, lines):
    focusable = {}
    problems = []
    for depth, acc in walk(frame):
        lines.append("  " * depth + describe(acc))
        role = acc.getRoleName()
        if not state(acc, pyatspi.STATE_SHOWING) and role not in ("popup menu", "menu item",
                                                                   "separator"):
            problems.append(f"hidden object in the tree: {describe(acc)}")
        # The rows of the result list are passwords, not controls.
        if state(acc, pyatspi.STATE_FOCUSABLE) and role not in ("table cell", "list item",
                                                                "tree item"):
            if not acc.name.strip():
                problems.append(f"focusable control without a name: {describe(acc)}")
            focusable.setdefault(acc.name, []).append(role)
        if len(acc.name) > 3 and acc.name.endswith(")") and acc.name[-3] == "(":
            problems.append(f"access key read as part of the name: {describe(acc)}")
    for name, roles in focusable.items():
        if len(roles) > 1:
            problems.append(f'{len(roles)} focusable controls named "{name}": {roles}')

    everything = [acc for _, acc in walk(frame)]
    for role, name, description in EXPECTED:
        match = [a for a in everything if a.getRoleName() == role and a.name == name]
        if not match:
            problems.append(f'no {role} named "{name}"')
        elif description and match[0].description != description:
            problems.append(f'{role} "{name}" is described as "{match[0].description}", '
                            f'expected "{description}"')
    lists = [a for a in everything if a.name == "パスワード生成結果"
             and a.getRoleName() in ("table", "list")]
    if not lists:
        problems.append("no list or table named パスワード生成結果")
    counted = [a for a in everything if a.getRoleName() == "label" and any(
        "生成完了数" in targets for _, targets in relations(a)) and a.name != "生成完了数"]
    if not counted:
        problems.append("the count is not labelled by 生成完了数")
    return problems


def check_progress_name(app_frame, app):
    """During a run the progress bar is named by the state text beside it."""
    # Seconds of drawing however fast the machine is (the run is stopped once it is seen).
    app.set_length_and_count(10000, 99999)
    app.x.key("F5")
    bar = find(app_frame, lambda a: a.getRoleName() == "progress bar"
               and state(a, pyatspi.STATE_SHOWING), "the progress bar during a run", 10)
    name = bar.name
    app.focus()
    app.x.key("alt+r", "e")
    check(name == "パスワード生成中...", f'the progress bar is named "{name}" during a run')


# --- the dialogs --------------------------------------------------------------------------

# The window's dialogs, by their titles; each is opened by its item in the window's menu.
DIALOGS = ["配布用に書き出す", "配布用カード", "詳細設定"]


def check_dialog(x, app, app_acc, main_frame, title):
    """Opens the dialog through its menu item and returns its faults: no window of that title,
    a focusable control without a name (a combo box, named by its value, needs a label) or with
    its access key read as part of it, a control Tab does not reach. Closes it with Esc."""
    find(main_frame, lambda a: a.getRoleName() == "menu item" and a.name.startswith(title),
         f'the menu item "{title}"').queryAction().doAction(0)
    x.activate(x.window(app.pid, title))
    frame = frame_named(app_acc, title)
    problems, controls = [], {}
    for _, acc in walk(frame):
        key = (acc.getRoleName(), acc.name)
        if state(acc, pyatspi.STATE_SHOWING) and re.search(r"[(（][A-Z0-9][)）]", acc.name):
            problems.append(f"{title}: access key read as part of the name: {describe(acc)}")
        if key[0] in ("table cell", "list item") or not all(state(acc, s) for s in (
                pyatspi.STATE_FOCUSABLE, pyatspi.STATE_SHOWING, pyatspi.STATE_ENABLED)):
            continue
        controls[key] = acc
        labelled = any(kind == "labelled by" for kind, _ in relations(acc))
        if not acc.name.strip() or (key[0] == "combo box" and not labelled):
            problems.append(f"{title}: focusable control without a name: {describe(acc)}")

    def focused():
        return next((k for k, a in controls.items() if state(a, pyatspi.STATE_FOCUSED)), None)

    # Once round the dialog. A date box takes Tab from one of its parts to the next first.
    reached = [wait_until(f"the focus in {title}", focused, 5)]
    for _ in range(len(controls) + 1):
        for _ in range(4):
            x.key("Tab")
            if not stays_false(lambda: focused() not in (None, reached[-1]), 1):
                break
        else:
            raise CheckFailed(f"{title}: Tab does not leave {reached[-1]}")
        reached.append(focused())
    # Of a set of radio buttons only the checked one takes Tab; arrows move within the set.
    missed = [k for k, a in controls.items() if k not in reached and not (
        k[0] == "radio button" and not state(a, pyatspi.STATE_CHECKED))]
    if missed:
        problems.append(f"{title}: Tab does not reach {missed}")
    x.key("Escape")
    wait_until(f"Esc to close {title}", lambda: not x.windows(app.pid, f"^{title}$"), 5)
    app.focus()
    return problems


# --- the help window ----------------------------------------------------------------------

def click_text(x, page, word):
    """Clicks the middle of the first line of the page that is exactly word."""
    text = text_of(page)
    offset = -1
    for line_start, line in _lines(text):
        if line.strip() == word:
            offset = line_start + line.index(word) + len(word) // 2
            break
    check(offset >= 0, f'no line "{word}" on the page')
    ex, ey, ew, eh = page.queryText().getCharacterExtents(offset, pyatspi.DESKTOP_COORDS)
    x.quiet(["xdotool", "mousemove", "--sync", str(ex + max(ew, 1) // 2),
             str(ey + max(eh, 1) // 2), "click", "1"])


def _lines(text):
    start = 0
    for line in text.split("\n"):
        yield start, line
        start += len(line) + 1


def page_shows(page, words):
    try:
        text = text_of(page)
    except Exception:
        return False
    return all(w in text for w in words)


def check_help(x, app_acc, app, shots):
    x.key("F1")
    wid = x.window(app.pid, HELP_TITLE, timeout=10)
    x.activate(wid)
    frame = frame_named(app_acc, HELP_TITLE)
    page = find(frame, lambda a: a.name == "ヘルプのページ", "the help page in the tree")
    wait_until("the contents page", lambda: page_shows(page, ["キーミルについて"]), 10)
    links = [page.getChildAtIndex(i) for i in range(page.childCount)]
    links = [a for a in links if a.getRoleName() == "link" and a.name and a.description]
    check(page.getRoleName().startswith("document") and len(links) >= 5,
          f"the help page is a {page.getRoleName()} with {len(links)} links")
    unnamed = [describe(a) for _, a in walk(frame) if a.getRoleName() == "text"
               and state(a, pyatspi.STATE_SHOWING) and not a.name.strip()]
    check(not unnamed, f"text fields without a name in the help window: {unnamed}")
    keyed = [describe(a) for _, a in walk(frame) if re.search(r"\([A-Z]\):?$", a.name)]
    check(not keyed, f"access keys read as part of names in the help window: {keyed}")

    # A link on the contents page, clicked where its text is on the screen.
    click_text(x, page, "保存")
    wait_until("the save page after the click",
               lambda: page_shows(page, ["コードページ", "保存の手順"]), 5)
    shot(x, wid, shots, "help-link.png")
    x.key("alt+Left")
    wait_until("the contents page again after Alt+Left",
               lambda: page_shows(page, ["キーミルについて"]) and not page_shows(
                   page, ["コードページ"]), 5)

    # The index: 保存 typed (pasted: xdotool cannot type Japanese) into the keyword box.
    # Alt+I alone puts the focus in the keyword field.
    x.key("alt+i")
    x.set_clipboard("保存")
    x.activate(wid)
    x.key("ctrl+v")
    find(frame, lambda a: a.getRoleName() == "list item" and a.name == "保存"
                   and state(a, pyatspi.STATE_SHOWING), "the keyword 保存 in the index", 5)
    x.key("Return")
    wait_until("the save page from the index",
               lambda: page_shows(page, ["コードページ", "保存の手順"]), 5)
    shot(x, wid, shots, "help-index.png")

    # The search: the query field takes the focus, コードページ pasted, Return.
    x.key("alt+s")
    find(frame, lambda a: a.name == "検索する語" and state(a, pyatspi.STATE_FOCUSED),
         "the focus in the search field after Alt+S", 5)
    x.set_clipboard("コードページ")
    x.activate(wid)
    x.key("ctrl+v", "Return")
    results = find(frame, lambda a: a.name == "検索結果", "the search results")
    wait_until("the save page among the search results",
               lambda: any(results.getChildAtIndex(i).name == "保存"
                           for i in range(results.childCount)), 10)
    shot(x, wid, shots, "help-search.png")
    return wid


def check_help_fits(x, program, appdir, screen):
    """At twice the scale the help window lies inside the screen, and Esc closes it."""
    x.env["QT_SCALE_FACTOR"] = "2"
    try:
        from keymill_e2e import Program
        app = Program(x, program, appdir)
    finally:
        del x.env["QT_SCALE_FACTOR"]
    x.key("F1")
    wid = x.window(app.pid, HELP_TITLE, timeout=10)
    frame = x.frame_rect(wid)
    check(frame[0] >= 0 and frame[1] >= 0 and frame[2] <= screen[0] and frame[3] <= screen[1],
          f"at scale 2 the help window's frame {frame} leaves the {screen} screen")
    x.activate(wid)
    x.key("Escape")
    wait_until("Esc to close the help window",
               lambda: not x.windows(app.pid, "^" + HELP_TITLE + "$"), 5)
    app.end()


def shot(x, wid, folder, name):
    if folder and shutil.which("import"):
        x.quiet(["import", "-window", str(wid), os.path.join(folder, name)])


def main():
    parser = driver_arguments()
    parser.add_argument("--dump")
    parser.add_argument("--shots", help="where the help window's screenshots go")
    args = parser.parse_args()
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        print("no D-Bus session: run under dbus-run-session", file=sys.stderr)
        return 1
    from keymill_e2e import Program  # the same way into the window as the other checks

    step = "setup"
    with program_session(args, "keymill-a11y-") as (x, program, appdir, _):
        x.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        x.env["QT_ACCESSIBILITY"] = "1"
        try:
            step = "start"
            app = Program(x, program, appdir)
            app_acc = find_app(app.pid)
            frame = frame_named(app_acc, TITLE)
            step = "tree_after_a_run"
            app.run_and_copy(8, 5)
            lines = []
            problems = check_main_tree(frame, lines)
            tree = "\n".join(lines) + "\n"
            for path in filter(None, (os.path.join(args.out, "a11y-tree.txt"), args.dump)):
                with open(path, "w", encoding="utf-8") as f:
                    f.write(tree)
            check(not problems, "the tree has faults:\n  " + "\n  ".join(problems))
            step = "dialogs"
            problems = sum((check_dialog(x, app, app_acc, frame, t) for t in DIALOGS), [])
            check(not problems, "the dialogs have faults:\n  " + "\n  ".join(problems))
            step = "progress_bar_name"
            check_progress_name(frame, app)
            step = "help"
            check_help(x, app_acc, app, args.shots or args.out)
            app.end()
            step = "help_at_scale_2"
            check_help_fits(x, program, appdir, (1280, 1024))
        except CheckFailed as failure:
            return report_failure(x, args.out, step, failure)
    print("the accessibility tree and the help window passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
