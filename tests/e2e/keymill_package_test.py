#!/usr/bin/env python3
"""Builds the Debian package (cpack), checks it as a distribution reviewer would (lintian,
appstreamcli, desktop-file-validate, the manual pages), installs it, runs the installed
keymill-cli, starts the installed /usr/bin/keymill in a private X session, ends it through the
end command and removes the package again.

Needs root; skipped (exit 77) without it, and on a machine where a keymill package or a
/usr/bin/keymill is already present, which it leaves alone.

usage: keymill_package_test.py --build-dir build --out DIR"""

import argparse
import glob
import os
import re
import struct
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
from xsession import CheckFailed, XSession, wait_until

SKIP = 77
APP_ID = "org.example.keymill"
DESKTOP = f"/usr/share/applications/{APP_ID}.desktop"
METAINFO = f"/usr/share/metainfo/{APP_ID}.metainfo.xml"
ICON_SIZES = (16, 32, 48, 64, 128, 256)
INSTALLED = {
    "/usr/bin/keymill": "the program",
    "/usr/share/keymill/keymill.qch": "the help file",
    DESKTOP: "the menu entry",
    METAINFO: "the AppStream metadata",
    "/usr/share/doc/keymill/copyright": "the copyright file",
    "/usr/share/doc/keymill/changelog.gz": "the changelog",
    "/usr/share/man/man1/keymill.1.gz": "the manual page",
    "/usr/share/man/man1/keymill-cli.1.gz": "the command's manual page",
    "/usr/share/man/ja/man1/keymill.1.gz": "the Japanese manual page",
    "/usr/share/man/ja/man1/keymill-cli.1.gz": "the command's Japanese manual page",
    "/usr/share/icons/hicolor/scalable/apps/keymill.svg": "the scalable icon",
}
INSTALLED.update({f"/usr/share/icons/hicolor/{n}x{n}/apps/keymill.png": f"the {n} px icon"
                  for n in ICON_SIZES})
DEPENDS = ["libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6printsupport6", "libqt6help6",
           "libqt6sql6-sqlite", "fonts-ipafont-gothic", "fonts-morisawa-bizud-gothic",
           "qt6-translations-l10n", "libcups2", "libsodium23", "libxcb1", "libicu72",
           "libxlsxwriter4", "libcrypt1"]
STRAY_SETTINGS = "/usr/bin/keymill.ini"
CLI = "/usr/bin/keymill-cli"


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
    # Only what the package holds; the rest of the tree need not be built.
    r = run(["cmake", "--build", build_dir, "--target", "keymill_package"])
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


def check_lintian(deb):
    r = subprocess.run(["lintian", "--no-tag-display-limit", deb], stdout=subprocess.PIPE,
                       stderr=subprocess.DEVNULL, text=True, timeout=240)
    complaints = [line for line in r.stdout.splitlines() if re.match(r"[EW]: ", line)]
    check(not complaints, "lintian finds errors or warnings:\n" + "\n".join(complaints))
    check(r.returncode == 0, f"lintian failed ({r.returncode}):\n{r.stdout}")


def packs_cli(deb):
    listing = run(["dpkg-deb", "-c", deb]).stdout.splitlines()
    return any(line.split()[-1] == "." + CLI for line in listing if line.strip())


def check_metadata():
    r = run(["appstreamcli", "validate", "--no-net", METAINFO])
    check(r.returncode == 0, "appstreamcli does not accept the metadata:\n" + r.stdout)
    r = run(["desktop-file-validate", DESKTOP])
    errors = [line for line in r.stdout.splitlines() if "error:" in line]
    check(r.returncode == 0 and not errors, "desktop-file-validate refuses the menu entry:\n" +
          r.stdout)
    for n in ICON_SIZES:
        path = f"/usr/share/icons/hicolor/{n}x{n}/apps/keymill.png"
        with open(path, "rb") as f:
            header = f.read(24)
        size = struct.unpack(">II", header[16:24])
        check(header[:8] == b"\x89PNG\r\n\x1a\n" and size == (n, n),
              f"{path} is not a {n} x {n} PNG image (found {size})")
    for lang, page in (("C", "keymill"), ("C", "keymill-cli"), ("ja", "keymill-cli")):
        r = run(["man", "-w", "-L", lang, page])
        want = f"/usr/share/man/{'' if lang == 'C' else lang + '/'}man1/{page}.1.gz"
        check(r.returncode == 0 and r.stdout.strip() == want,
              f"man -w -L {lang} {page} answers {r.stdout.strip()!r}, expected {want}")


def check_cli():
    r = subprocess.run([CLI, "-l", "12", "-c", "3"], stdout=subprocess.PIPE,
                       stderr=subprocess.PIPE, text=True, timeout=30)
    check(r.returncode == 0, f"keymill-cli -l 12 -c 3 ended with {r.returncode}: {r.stderr}")
    lines = r.stdout.split("\n")
    check(lines[-1] == "" and len(lines) == 4 and all(len(p) == 12 for p in lines[:3]),
          f"keymill-cli -l 12 -c 3 printed {r.stdout!r}, not three lines of 12 characters")
    # Every long option the program knows is documented in both manual pages.
    options = set(re.findall(r"--[a-z][a-z-]*", run([CLI, "--help"]).stdout))
    check(options, "keymill-cli --help lists no long option")
    for page in ("/usr/share/man/man1/keymill-cli.1.gz", "/usr/share/man/ja/man1/keymill-cli.1.gz"):
        text = run(["zcat", page]).stdout.replace("\\-", "-")
        missing = sorted(o for o in options if o not in text)
        check(not missing, f"{page} does not document {missing}")


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
            check_lintian(deb)
            install(deb)
            check_metadata()
            if packs_cli(deb):
                check_cli()
                print("keymill-cli: run from the package and its options found in both manuals")
            else:
                print(f"NOT RUN: the keymill-cli checks; the package holds no {CLI}")
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
    print("package built, passed lintian, appstreamcli and desktop-file-validate, installed, "
          "started, ended and removed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
