#!/bin/sh
# A person at the keyboard: starts the real barloom.exe under Wine in the X display, types what a
# person would type (xdotool, through a window manager) and checks the files the program leaves,
# byte for byte.
#   keystrokes_test.sh create|language|close <dist folder> <window_probe.exe> <work folder>
# create:   4 bars, Next, Next, Create, the report closed with Enter, the window with Alt+F4.
# language: File, Options, the language list to German, OK; the title and the captions after it.
# close:    a window manager as it comes (Alt+F4 closes the active window, here Wine's desktop);
#           20 bars that keep the buttons of the 20 large bars in the folder, Create, Alt+F4
#           while it runs: the report once the set is whole, then the program ends.
# WINEPREFIX and the other Wine settings come from CMake; the "wine" fixture runs the server.
# Every step waits for the condition it needs (a window there, active, with the keyboard; the
# program ended), never for a fixed time, so a busy machine makes it slower but not wrong. Every
# wait is bounded: a window that never comes fails the test instead of hanging it.
set -eu
scenario=$1 dist=$2 probe=$3 work=$4
Skip=77

if [ -z "${DISPLAY:-}" ]; then
  echo "SKIP: no X display (run the Windows tests inside xvfb-run)"
  exit $Skip
fi
if grep -qi '"Graphics"="null"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  echo "FAIL: $WINEPREFIX was made without a display (null driver); delete it and run again inside xvfb-run"
  exit 1
fi

fail() {
  echo "FAIL: $*"
  exit 1
}

# The program's own folder, with a blank in its name; fresh for every run.
app="$work/$scenario/app folder"
rm -rf "$work/$scenario"
mkdir -p "$app"
cp "$dist/barloom.exe" "$app/"
cp -R "$dist/icons" "$dist/Languages" "$app/"
app=$(cd "$app" && pwd -P)
# The folder as the program sees it on Wine's Z: drive, without the final separator.
winapp="Z:$(printf '%s' "$app" | tr / '\\')"

# A window manager, so that the display has an active window for the keystrokes. It is started
# with a configuration without key bindings (its default closes windows on Alt+F4 itself); when
# the display has a window manager already, this one exits and that one serves.
printf '<?xml version="1.0"?>\n<openbox_config xmlns="http://openbox.org/3.4/rc"/>\n' >"$work/$scenario/openbox.xml"
if [ "$scenario" = close ]; then
  # As a person has it: the window manager's own key bindings.
  [ -f /etc/xdg/openbox/rc.xml ] || { echo "SKIP: no /etc/xdg/openbox/rc.xml"; exit $Skip; }
  cp /etc/xdg/openbox/rc.xml "$work/$scenario/openbox.xml"
fi
openbox --config-file "$work/$scenario/openbox.xml" >"$work/$scenario/openbox.log" 2>&1 &
openbox=$!
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  kill "$openbox" 2>/dev/null
  wait 2>/dev/null
  true
}
trap cleanup EXIT

# The longest any one condition is waited for, in seconds of wall time: generous, since a machine
# busy with other builds can take long to start Wine and the window manager.
Patience=90
# Runs the command until it succeeds; fails when Patience seconds pass first.
wait_for() {
  end=$(($(date +%s) + Patience))
  until "$@"; do
    [ "$(date +%s)" -lt "$end" ] || return 1
    sleep 0.1
  done
}
probe() { wine "$probe" "$@" </dev/null 2>&1; }
# Waits until the window with exactly this title is in front with the keyboard focus.
await() { probe focus "$1" "$Patience" || fail "waiting for \"$1\" to take the keyboard"; }
# The window manager has made the window the active one (a bounded try: --sync alone waits forever).
activated() { timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1; }
program_ended() { ! kill -0 "$program" 2>/dev/null; }
# The program as a person starts it, without a Total Commander folder to fold paths into.
start_program() {
  env -u COMMANDER_PATH wine "$app/barloom.exe" </dev/null >"$work/$scenario/program.log" 2>&1 &
  program=$!
  # Wine's virtual desktop is one X window: the window manager makes it the active one.
  desktop=$(timeout "$Patience" xdotool search --sync --name ' - Wine desktop$' | head -n 1) ||
    fail "no Wine desktop window within $Patience s"
  # The window manager may still be starting.
  wait_for activated "$desktop" || fail "the Wine desktop could not be activated within $Patience s"
  await "Barloom 1.00"
}
await_exit() {
  wait_for program_ended || fail "the program did not end within $Patience s"
  wait "$program" || fail "the program ended with exit code $?"
  program=""
}
# Compares a whole file with the expected bytes.
expect_file() {
  expected_file="$work/$scenario/$(basename "$1").expected"
  printf '%s' "$2" >"$expected_file"
  cmp "$expected_file" "$1" || { echo "--- expected"; od -c "$expected_file"; echo "--- found"; od -c "$1"; fail "$1 differs"; }
}
crlf() { printf '%s\r\n' "$@"; }
# The stored position of a window left where it opened: the default, at 96 DPI.
position="MainWindowPosition=2610,3240"

case "$scenario" in
create)
  start_program
  # The bar-count list has the focus: 2, 3, 4.
  xdotool key Down Down alt+n alt+n alt+c
  await "Barloom"
  xdotool key Return
  await "Barloom 1.00"
  xdotool key alt+F4
  await_exit

  [ "$(ls "$app/bars")" = "$(printf 'Bar_01.bar\nBar_02.bar\nBar_03.bar\nBar_04.bar')" ] ||
    fail "the bars folder holds: $(ls "$app/bars" | tr '\n' ' ')"
  for bar in 1 2 3 4; do
    expected=$(
      crlf "[ButtonBar]" "Buttoncount=6"
      for j in 1 2 3 4; do
        if [ $j -eq $bar ]; then icon=Dn; else icon=Up; fi
        crlf "button$j=$winapp\\icons\\${icon}_0$j.ico" "cmd$j=$winapp\\bars\\Bar_0$j.bar" "menu$j=Switch to Buttons Bar $j"
      done
      crlf "button5=" "button6=$winapp\\icons\\Up_0$bar.ico" "cmd6=$winapp\\bars\\Bar_0$bar.bar" \
        "menu6=This is the first button in button bar No. $bar"
      printf x
    )
    expect_file "$app/bars/Bar_0$bar.bar" "${expected%x}"
  done
  expected=$(crlf "[Barloom]" "BarFilePrefix=Bar_" "LastPath=$winapp\\bars" "$position"; printf x)
  expect_file "$app/barloom.ini" "${expected%x}"
  ;;
language)
  start_program
  main=$(xdotool search --name '^Barloom 1\.00$' | head -n 1)
  xdotool key alt+f o
  await "Options"
  # The label's access key moves to the language list; a letter picks the first entry it begins
  # (German.lng); Enter is OK.
  xdotool key alt+l g Return
  await "Barloom 1.00"
  title=$(xdotool getwindowname "$main")
  [ "$title" = "Barloom 1.00" ] || fail "the window's title became \"$title\""
  next=$(probe text "Barloom 1.00" 151) || fail "$next"
  [ "$next" = "&Weiter" ] || fail "Next is captioned \"$next\""
  # Read from a file in Windows-1252 and shown as Unicode.
  label=$(probe text "Barloom 1.00" 130) || fail "$label"
  [ "$label" = "Wie viele Symbolleisten benötigen Sie?" ] || fail "the first step's label reads \"$label\""
  xdotool key alt+F4
  await_exit

  expected=$(crlf "[Barloom]" "BarFilePrefix=Bar_" "UseDefaultLanguage=0" \
    "LanguageFile=$winapp\\Languages\\German.lng" "$position"; printf x)
  expect_file "$app/barloom.ini" "${expected%x}"
  ;;
close)
  # 20 bars of the set's names, each with buttons of its own that Create keeps: a Create that
  # takes a while.
  mkdir "$app/bars"
  Kept=12000
  for bar in $(seq -w 1 20); do
    awk -v n=$Kept 'BEGIN { printf "[ButtonBar]\r\nButtoncount=%d\r\n", n
      for (i = 1; i <= n; i++) printf "button%d=kept.ico\r\ncmd%d=kept%d.exe\r\n", i, i, i }' >"$app/bars/Bar_$bar.bar"
  done
  start_program
  # The bar-count list has the focus: End picks 20. Step 3 offers to keep the bars' buttons.
  xdotool key End alt+n alt+n alt+k alt+c
  probe shown "Barloom 1.00" 153 "$Patience" || fail "Create did not start"
  xdotool key alt+F4
  await "Barloom"
  xdotool key Return
  await_exit

  for bar in $(seq -w 1 20); do
    file="$app/bars/Bar_$bar.bar"
    [ -f "$file.bak" ] || fail "no backup of $file"
    tail -c 200 "$file" | grep -q "kept$Kept.exe" || fail "$file is not whole"
    # The 20 switch buttons, the separator and the placeholder, then the buttons kept.
    grep -q "^Buttoncount=$((Kept + 22))" "$file" || fail "$file: $(grep -a Buttoncount "$file")"
  done
  grep -q "^LastPath=" "$app/barloom.ini" || fail "Create did not end: no LastPath in barloom.ini"
  ;;
*)
  echo "usage: $0 create|language|close <dist folder> <window_probe.exe> <work folder>" >&2
  exit 2
  ;;
esac
echo "PASS: $scenario"
