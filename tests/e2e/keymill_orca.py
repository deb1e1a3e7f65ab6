#!/usr/bin/env python3
"""What Orca says of a run and of a changed option: the built program and Orca in one private X
session and D-Bus session, Orca's speech read from its debug log (no sound is needed).

usage: dbus-run-session -- keymill_orca.py --program build/keymill --qch build/keymill.qch
                                           --out DIR
Makes a 20 x 12 run and toggles 全種類を含む; the log must hold the count in words and the
strength figure the label then shows. Keys without Alt only: Orca's key snooping lets Alt
through as a key of its own, which opens the menu bar. Orca's log is kept as DIR/orca.log."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
from xsession import CheckFailed, XSession, require_tools, wait_until
from keymill_a11y import TITLE, find, find_app, frame_named, pyatspi


def spoken(log):
    """The lines Orca sent to speech so far."""
    try:
        with open(log, encoding="utf-8", errors="replace") as f:
            return re.findall(r"SPEECH OUTPUT: '([^']*)'", f.read())
    except FileNotFoundError:
        return []


def check_spoken(log, texts):
    lines = spoken(log)
    missing = [t for t in texts if not any(t in line for line in lines)]
    if missing:
        raise CheckFailed(f"Orca never said {missing}")


def orca_listens():
    desktop = pyatspi.Registry.getDesktop(0)
    return any(desktop.getChildAtIndex(i) is not None and desktop.getChildAtIndex(i).name == "orca"
               for i in range(desktop.childCount))


def control(frame, role, name):
    return find(frame, lambda a: a.getRoleName() == role and a.name == name,
                f'the {role} "{name}"')


def strength(frame):
    label = find(frame, lambda a: a.getRoleName() == "label" and a.name.startswith("強度 "),
                 "the strength label")
    return label.name


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--qch", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        print("no D-Bus session: run under dbus-run-session", file=sys.stderr)
        return 1
    require_tools("orca", "speech-dispatcher")
    os.makedirs(args.out, exist_ok=True)
    log = os.path.join(args.out, "orca.log")
    if os.path.exists(log):
        os.remove(log)
    from keymill_e2e import Program

    with tempfile.TemporaryDirectory(prefix="keymill-orca-") as tmp:
        appdir = os.path.join(tmp, "app")
        home = os.path.join(tmp, "home")
        prefs = os.path.join(home, "orca")
        for folder in (appdir, prefs):
            os.makedirs(folder)
        program = shutil.copy(args.program, appdir)
        shutil.copy(args.qch, appdir)
        with XSession(home) as x:
            x.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
            x.env["QT_ACCESSIBILITY"] = "1"
            # Speech Dispatcher of its own, on the session's runtime directory: Orca's own
            # start of it is refused now and then, and Orca then never comes up.
            # It speaks into ALSA's null device: a test machine has no sound card.
            config = os.path.join(tmp, "speech-dispatcher")
            shutil.copytree("/etc/speech-dispatcher", config)
            with open(os.path.join(config, "speechd.conf"), "a", encoding="utf-8") as conf:
                conf.write('\nAudioOutputMethod "alsa"\nAudioALSADevice "null"\n')
            speechd = subprocess.Popen(["speech-dispatcher", "--run-single", "--timeout", "0",
                                        "--config-dir", config, "--log-dir", args.out],
                                       env=x.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            x.procs.append(speechd)
            socket = os.path.join(home, "speech-dispatcher", "speechd.sock")
            wait_until("Speech Dispatcher", lambda: os.path.exists(socket), 20)
            orca = subprocess.Popen(["orca", "--replace", "--user-prefs", prefs,
                                     "--debug-file", log], env=x.env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            x.procs.append(orca)
            try:
                wait_until("Orca on the accessibility bus", orca_listens, 60)
                app = Program(x, program, appdir)
                frame = frame_named(find_app(app.pid), TITLE)
                control(frame, "text", "文字数").queryEditableText().setTextContents("20")
                count = control(frame, "text", "生成数")
                count.queryEditableText().setTextContents("12")
                count.queryComponent().grabFocus()
                x.key("F5")
                find(frame, lambda a: a.getRoleName() == "list item" and a.description == "1 / 12",
                     "the run's 12 passwords in the list", 20)
                # A user listens before the next key; a key pressed while Orca still works
                # through the run's burst of events makes it prune the waiting ones.
                time.sleep(3)

                before = strength(frame)
                control(frame, "check box", "全種類を含む").queryComponent().grabFocus()
                x.key("space")
                after = wait_until("a new strength figure",
                                   lambda: (lambda s: s if s != before else None)(
                                       strength(frame)), 5)
                # The figure is said once the options have settled; Orca writes its log in
                # blocks, all of it when it ends.
                time.sleep(3)
                orca.terminate()
                orca.wait(20)
                check_spoken(log, ["12 件のパスワードを生成しました", after])
            except CheckFailed as failure:
                print(f"FAILED: {failure}\n(Orca's log: {log})", file=sys.stderr)
                return 1
    said = [line for line in spoken(log) if "件のパスワード" in line or "強度" in line]
    print("Orca said:\n  " + "\n  ".join(said))
    return 0


if __name__ == "__main__":
    sys.exit(main())
