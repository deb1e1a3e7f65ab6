#!/usr/bin/env bash
# keymill-cli as whole processes, against pwgen on the same machine in the same run: median wall
# time over several runs (hyperfine), processor time, and peak memory (GNU time). Prints a
# table; never fails. Usage: bench/cli/bench_cli.sh [build dir]
set -uo pipefail
build=${1:-build}
cli=$(realpath "$build/keymill-cli")
runs=${RUNS:-10}
for tool in hyperfine pwgen /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "bench_cli: $tool is missing"; exit 0; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# median seconds, user seconds of one command, output discarded
timing() {
    hyperfine -N --warmup 2 --runs "$runs" --export-csv "$work/t.csv" "$1" >/dev/null 2>&1 ||
        { echo "- -"; return; }
    awk -F, 'NR == 2 { print $4, $5 }' "$work/t.csv"
}
# peak resident memory in MB
peak() {
    /usr/bin/time -f %M -o "$work/m" "$@" >/dev/null 2>&1
    awk '{ printf "%.1f", $1 / 1024 }' "$work/m"
}

short="$cli -l 16 -c 99999"
long="$cli -l 99999 -c 1000"
read -r short_median short_user < <(timing "$short")
read -r pwgen_median pwgen_user < <(timing "pwgen -s -1 16 99999")
read -r long_median long_user < <(timing "$long")

printf '%-40s %10s %10s %14s %9s\n' "command (output to /dev/null)" "median s" "user s" \
    "chars/s" "peak MB"
row() { # name median user characters peak
    awk -v n="$1" -v m="$2" -v u="$3" -v c="$4" -v p="$5" 'BEGIN {
        printf "%-40s %10.4f %10.4f %14.3g %9s\n", n, m, u, c / m, p }'
}
row "keymill-cli -l 16 -c 99999" "$short_median" "$short_user" 1599984 "$(peak $short)"
row "pwgen -s -1 16 99999" "$pwgen_median" "$pwgen_user" 1599984 "$(peak pwgen -s -1 16 99999)"
row "keymill-cli -l 99999 -c 1000" "$long_median" "$long_user" 99999000 "$(peak $long)"
printf '%-40s %43s %9s\n' "keymill-cli -l 16 -c 10000000" "" "$(peak "$cli" -l 16 -c 10000000)"
printf '%-40s %43s %9s\n' "keymill-cli -l 99999 -c 1000 -y -B -o f" "" \
    "$(peak "$cli" -l 99999 -c 1000 -y -B -o "$work/f")"
awk -v k="$short_median" -v p="$pwgen_median" \
    'BEGIN { printf "\nkeymill-cli is %.1f times as fast as pwgen (median wall time, goal 30)\n", p / k }'
# Both in one hyperfine run, so that both see the same machine.
hyperfine -N --warmup 2 --runs "$runs" --export-json "$work/both.json" "$short" \
    "pwgen -s -1 16 99999" >/dev/null 2>&1 &&
    python3 - "$work/both.json" <<'PY'
import json, sys
keymill, pwgen = (r["median"] for r in json.load(open(sys.argv[1]))["results"])
print(f"in one hyperfine run: keymill-cli {keymill * 1000:.1f} ms, pwgen {pwgen * 1000:.0f} ms, "
      f"{pwgen / keymill:.1f} times as fast (goal 30)")
PY
awk -v m="$long_median" -v u="$long_user" 'BEGIN {
    printf "10^8 characters: %.0f million per second wall, %.0f million per second of processor time (goal 350 wall)\n", 99.999 / m, 99.999 / u }'
# The rules of real sites and distinct passwords, each against the run without them.
read -r unique_median _ < <(timing "$short -U")
read -r jis_median _ < <(timing "$short -s jis-us")
read -r minimums_median _ < <(timing "$short -s jis-us --min-digits 3 --min-upper 2 --min-symbols 1")
read -r run_median _ < <(timing "$cli --max-run 2 -l 99999 -c 100")
awk -v u="$unique_median" -v s="$short_median" -v m="$minimums_median" -v j="$jis_median" \
    -v r="$run_median" 'BEGIN {
    printf "-U: %.1f ms, %.2f times -l 16 -c 99999 (goal 1.2)\n", u * 1000, u / s
    printf "-s jis-us with --min-digits 3 --min-upper 2 --min-symbols 1: %.1f ms, %.2f times the run without (goal 2)\n", m * 1000, m / j
    printf "--max-run 2 -l 99999 -c 100: %.0f million characters per second wall (goal 100)\n", 9.9999 / r }'
exit 0
