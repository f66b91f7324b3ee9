#!/bin/sh
# Peak memory of `barloom-cli create`: a 20-bar set in which every bar imports one source bar of
# BUTTONS buttons (each with all six keys), against the same program doing nothing but starting
# (`--version`). Prints the source's size, both peaks (maximum resident set, /usr/bin/time -v)
# and the peak above the start-up's as a multiple of the source.
#
#   sh bench/import_memory.sh build/native-release/dist/barloom-cli [BUTTONS...]
set -eu
cli=$1
shift
[ -x "$cli" ] || { echo "import_memory: $cli is not a program" >&2; exit 2; }
[ $# -gt 0 ] || set -- 1000 10000 50000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

peak_kb() { /usr/bin/time -v "$@" 2>&1 >/dev/null | sed -n 's/.*Maximum resident set size (kbytes): //p'; }

start_kb=$(peak_kb "$cli" --version)
printf '%8s %12s %14s %14s %10s\n' buttons source_kB start_peak_kB create_peak_kB above/src
for buttons in "$@"; do
  python3 - "$buttons" "$work/source.bar" <<'PY'
import sys
n, path = int(sys.argv[1]), sys.argv[2]
lines = ["[ButtonBar]", f"Buttoncount={n}"]
for k in range(1, n + 1):
    lines += [f"button{k}=%COMMANDER_PATH%\\Icons\\wcmicons.dll,{k}", f"cmd{k}=%COMMANDER_PATH%\\Tools\\program{k}.exe",
              f"path{k}=%COMMANDER_PATH%\\Tools", f"menu{k}=Program number {k}", f"param{k}=/switch {k}", f"iconic{k}=0"]
open(path, "wb").write(("\r\n".join(lines) + "\r\n").encode())
PY
  imports=""
  for bar in $(seq 1 20); do imports="$imports --import $bar=$work/source.bar"; done
  rm -rf "$work/set"
  # shellcheck disable=SC2086
  create_kb=$(peak_kb "$cli" create --bars 20 --folder "$work/set" --prefix Bar_ --app-folder "$work" $imports)
  [ -f "$work/set/Bar_20.bar" ] || { echo "import_memory: the create of $buttons buttons failed" >&2; exit 1; }
  source_kb=$(( $(wc -c < "$work/source.bar") / 1024 ))
  ratio=$(awk -v c="$create_kb" -v s="$start_kb" -v b="$source_kb" 'BEGIN { printf "%.1f", (c - s) / b }')
  printf '%8s %12s %14s %14s %10s\n' "$buttons" "$source_kb" "$start_kb" "$create_kb" "$ratio"
done
