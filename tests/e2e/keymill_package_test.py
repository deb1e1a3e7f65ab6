#!/usr/bin/env python3
"""Builds the Debian package (cpack), installs it, starts the installed /usr/bin/keymill in a
private X session, ends it through the end command and removes the package again.

Needs root; skipped (exit 77) without it, and on a machine where a keymill package or a
/usr/bin/keymill is already present, which it leaves alone.

usage: keymill_package_test.py --build-dir build --out DIR"""

import argparse
import glob
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
from xsession import CheckFailed, XSession, wait_until

SKIP = 77
INSTALLED = {
    "/usr/bin/keymill": "the program",
    "/usr/share/keymill/keymill.qch": "the help file",
    "/usr/share/applications/keymill.desktop": "the menu entry",
    "/usr/share/icons/hicolor/32x32/apps/keymill.png": "the icon",
}
DEPENDS = ["libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6printsupport6", "libqt6help6",
           "libqt6sql6-sqlite", "fonts-ipafont-gothic"]
STRAY_SETTINGS = "/usr/bin/keymill.ini"


def run(args, **kw):
    return subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          timeout=240, **kw)


def check(condition, message):
    if not condition:
        raise CheckFailed(message)


def package_installed():
    r = run(["dpkg-query", "-W", "-f=${Status}", "keymill"])
    return r.returncode == 0 and "installed" in r.stdout and "not-installed" not in r.stdout


def build_deb(build_dir, outdir):
    # The package holds only these two; the rest of the tree need not be built.
    r = run(["cmake", "--build", build_dir, "--target", "keymill", "keymill_qch"])
    check(r.returncode == 0, "building the program failed:\n" + r.stdout)
    r = run(["cpack", "-G", "DEB", "--config", os.path.join(build_dir, "CPackConfig.cmake"),
             "-B", outdir], cwd=build_dir)
    check(r.returncode == 0, "cpack failed:\n" + r.stdout)
    debs = glob.glob(os.path.join(outdir, "keymill_*.deb"))
    check(len(debs) == 1, f"cpack made {debs}, expected one keymill_*.deb")
    return debs[0]


def check_control(deb):
    fields = run(["dpkg-deb", "-f", deb, "Depends", "Section", "Maintainer"]).stdout
    for name in DEPENDS:
        check(name in fields, f"the package does not depend on {name}:\n{fields}")
    check("Section: utils" in fields, f"the package is not in section utils:\n{fields}")


def install(deb):
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    r = run(["apt-get", "install", "-y", "-q", "--no-install-recommends", deb], env=env)
    check(r.returncode == 0, "installing the package failed:\n" + r.stdout)
    for path, what in INSTALLED.items():
        check(os.path.isfile(path), f"{what} is not installed at {path}")


def start_and_end(home, out):
    with XSession(home) as x:
        try:
            proc = x.start("/usr/bin/keymill", home)
            wid = x.window(proc.pid, "キーミル", timeout=15)
            x.activate(wid)
            x.key("alt+f", "x")  # ファイル > 終了
            wait_until("the installed program to end", lambda: proc.poll() is not None, 10)
            check(proc.returncode == 0, f"the installed program ended with {proc.returncode}")
        except CheckFailed:
            x.screenshot(os.path.join(out, "package.png"))
            raise
    check(not os.path.exists(STRAY_SETTINGS),
          f"the installed program wrote its settings into {STRAY_SETTINGS}")
    settings = os.path.join(home, ".config", "keymill", "keymill.ini")
    check(os.path.isfile(settings), f"the installed program kept no settings in {settings}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    if os.geteuid() != 0:
        print("skipped: installing a package needs root")
        return SKIP
    if package_installed() or os.path.exists("/usr/bin/keymill") or \
            os.path.exists(STRAY_SETTINGS):
        print("skipped: keymill is installed on this machine already; left alone")
        return SKIP
    os.makedirs(args.out, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="keymill-package-") as tmp:
        try:
            deb = build_deb(args.build_dir, tmp)
            check_control(deb)
            install(deb)
            home = os.path.join(tmp, "home")
            os.makedirs(home)
            start_and_end(home, args.out)
        except CheckFailed as failure:
            print(f"FAILED: {failure}", file=sys.stderr)
            return 1
        finally:
            if package_installed():
                run(["dpkg", "--purge", "keymill"])
            if os.path.exists(STRAY_SETTINGS):
                os.remove(STRAY_SETTINGS)
    check_removed = [p for p in INSTALLED if os.path.exists(p)]
    if check_removed:
        print(f"FAILED: left behind after removal: {check_removed}", file=sys.stderr)
        return 1
    print("package built, installed, started, ended and removed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
