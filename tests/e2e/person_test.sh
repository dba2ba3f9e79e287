#!/usr/bin/env bash
# Drives the built window program as a person would, on a private X server with a window
# manager (openbox) and another program (an xterm) beside it: checks the start-up frame,
# rebuilds the data from a national file with the update button, searches a code with
# Enter and copies it with Down, clicks the chosen city again after a search, copies a
# result line for an envelope from its right-click menu, switches to
# the other program and checks that the window never takes the keyboard back, searches
# by address, exits, and starts again on the saved selection.
#
#   person_test.sh PATH-TO-mirabo OUTPUT-FOLDER
#
# Screenshots of each stage and the program's own output go into OUTPUT-FOLDER.
# The expectations are computed from the national file's rows by expectations.py.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=desktop_session.sh
source "$here/desktop_session.sh"
expect_two_arguments "PATH-TO-mirabo OUTPUT-FOLDER" "$@"
# The outer run only checks the tools and starts itself again under a fresh X server.
run_under_xvfb "$0" "$1" "$2" xdotool xclip xprop import python3 openbox xterm

program=$1
out=$2
start_work mirabo-e2e
app=$work/app
exp=$work/expect
mkdir -p "$app" "$exp"
program_log=$out/mirabo.log
raise_window=windowactivate  # openbox runs here

running() { [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; }
file_size() { stat -c %s "$app/$1" 2>/dev/null || echo missing; }
window_height() { xdotool getwindowgeometry --shell "$wid" 2>/dev/null | sed -n 's/^HEIGHT=//p'; }
clipboard_is() { xclip -o -selection clipboard 2>/dev/null | cmp -s - "$1"; }
clipboard_text() { xclip -o -selection clipboard 2>/dev/null || echo "(empty)"; }

# The search box gives the focus back 500 ms after losing it; every key sequence below
# starts from the search box, so each waits for that first (settle). Buttons are reached
# with the keyboard: from the search box, Shift+Tab goes to "住所検索", then to the update
# button, then to the result list, and Tab through the chosen options to "番号検索".
# Key presses do not depend on where the menu bar's height puts the controls, and each
# sequence is short enough to finish well within the 500 ms.

# Clicks a point of the window given in pixels from the top-left corner of its client area.
# The menu bar above the controls is about 18 pixels high here; list rows about 17.
menu_bar=18
click_at() { xdotool mousemove --window "$wid" "$1" "$(($2 + menu_bar))" click 1; }

# Samples the active window eight times over four seconds; prints how many times it was
# the other program.
samples_kept_other() {
  local kept=0
  for _ in 1 2 3 4 5 6 7 8; do
    sleep 0.5
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$other_wid" ] && kept=$((kept + 1))
  done
  echo "$kept"
}

# Picks the first result line (End then Home, so that the selection moves onto it and
# copies it) and waits for the clipboard to hold `expected`. The keys are sent again
# once when the clipboard has not changed at all, as when they came while the window
# was still busy and ignored input.
copy_first_line() {
  local stage=$1 expected=$2 before
  before=$(clipboard_text)
  for attempt in 1 2; do
    xdotool key --delay 40 shift+Tab shift+Tab shift+Tab End Home
    wait_until 5 clipboard_is "$expected" && return 0
    [ "$(clipboard_text)" = "$before" ] || break
    settle
  done
  fail "$stage" "clipboard holds '$(clipboard_text)', expected '$(cat "$expected")'"
  return 1
}

# ---- Data: a national file and the expectations computed from its rows.
cp "$program" "$app/mirabo"
[ -f "$(dirname "$program")/MIRABO.HLP" ] && cp "$(dirname "$program")/MIRABO.HLP" "$app/"
make_csv --rows 3000 --seed 3 --out "$app/KEN_ALL.CSV"
read -r rows prefs cities < <(python3 "$here/expectations.py" "$app/KEN_ALL.CSV" "$exp") \
  || { log "FAIL setup: expectations.py failed"; exit 1; }
log "national file: $rows rows, $prefs prefectures, $cities cities; code $(cat "$exp/code-typed.txt"), town $(cat "$exp/address-key.txt")"

# ---- The window manager and the other program.
openbox >>"$out/openbox.log" 2>&1 &
session_pids+=($!)
wait_until 10 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' \
  || { log "FAIL setup: openbox did not start"; exit 1; }
xterm -T other-program >>"$out/xterm.log" 2>&1 &
session_pids+=($!)
other_wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^other-program$' 2>/dev/null | head -n1)
[ -n "$other_wid" ] || { log "FAIL setup: the xterm did not appear"; exit 1; }

# ---- Start on an empty folder: the outer size is 5625 x 6050 twips (375 x 403 pixels)
# with the window manager's real frame; then make the window taller and press the
# update button.
if ! start_program; then
  log "FAIL start: no window appeared (see $out/mirabo.log)"
  log "0 passed, 1 failed"
  exit 1
fi
shot 01-started
read -r fl fr ft fb < <(xprop -id "$wid" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
read -r cw ch < <(xdotool getwindowgeometry --shell "$wid" | sed -n 's/^WIDTH=//p; s/^HEIGHT=//p' | xargs)
if [ "$((cw + fl + fr))x$((ch + ft + fb))" = "375x403" ] && [ "$((ft + fb))" -gt 0 ]; then
  pass frame
else
  fail frame "outer size $((cw + fl + fr))x$((ch + ft + fb)) (client ${cw}x$ch, frame $fl $fr $ft $fb), expected 375x403"
fi
read -r start_width start_height < <(xdotool getwindowgeometry --shell "$wid" | sed -n 's/^WIDTH=//p; s/^HEIGHT=//p' | xargs)
xdotool windowsize --sync "$wid" "$start_width" 600
settle
shot 02-update-panel

rebuilt() {
  [ "$(file_size fuken.DAT)" = $(((prefs + 1) * 18)) ] && [ "$(file_size city.DAT)" = $((cities * 38)) ] &&
    [ "$(file_size ubinno.dat)" = $((rows * 130)) ] && [ "$(file_size ubinind.dat)" = $((rows * 14)) ] &&
    [ "$(window_height)" = "$start_height" ]
}
xdotool key --delay 40 shift+Tab shift+Tab space
# The rebuild ends with a message box (here: the first import); Return closes it.
close_rebuild_message() {
  local box
  box=$(timeout 10 xdotool search --sync --onlyvisible --name "郵便番号ファイル更新" 2>/dev/null | head -n1)
  [ -n "$box" ] || return 1
  xdotool windowfocus --sync "$box" key Return
  wait_until 5 bash -c "! xdotool search --onlyvisible --name 郵便番号ファイル更新 >/dev/null 2>&1"
  xdotool windowfocus --sync "$wid"
}
if wait_until 60 rebuilt && close_rebuild_message; then
  pass rebuild
else
  fail rebuild "sizes fuken $(file_size fuken.DAT) city $(file_size city.DAT) ubinno $(file_size ubinno.dat) ubinind $(file_size ubinind.dat), window height $(window_height) (start-up $start_height)"
fi
settle
shot 03-rebuilt

# ---- Search by postcode as people write it, "〒ddd-dddd", with Enter; Down selects the
# first line, which copies as "ddd-dddd".
code_with_keys() {
  local stage=$1
  xdotool type --delay 60 "$(cat "$exp/code-written.txt")"
  xdotool key --delay 40 Return
  sleep 0.5
  xdotool key Down
  if wait_until 5 clipboard_is "$exp/code-expected.txt"; then
    pass "$stage"
  else
    fail "$stage" "clipboard holds '$(clipboard_text)', expected '$(cat "$exp/code-expected.txt")'"
  fi
}
code_with_keys code-enter-down
shot 04-code-search

# ---- After an address search (Enter), a click on the city that is still chosen lists its
# towns again; a click on the first line copies the city's first code. List2 begins at
# (94, 17) and List3 at (10, 168) pixels in the client area below the menu bar.
settle
xdotool type --delay 80 "$(cat "$exp/address-key.txt")"
xdotool key Return
# The window ignores clicks while a search runs; on a loaded machine that can take a moment.
settle
settle
click_at 124 26
settle
click_at 70 177
if wait_until 5 clipboard_is "$exp/first-city-expected.txt"; then
  pass city-clicked-again
else
  fail city-clicked-again "clipboard holds '$(clipboard_text)', expected '$(cat "$exp/first-city-expected.txt")'"
fi
shot 05-city-again

# ---- A right-click on that first line opens its menu without choosing the line; the
# menu's third item, "〒と住所をコピー", copies the envelope text (the screenshot shows
# the note over the list that says so).
settle
xdotool mousemove --window "$wid" 70 $((177 + menu_bar)) click 3
sleep 0.5
shot 05a-line-menu
xdotool key --delay 60 Down Down Down Return
if wait_until 5 clipboard_is "$exp/first-city-envelope.txt"; then
  pass envelope-menu
else
  fail envelope-menu "clipboard holds '$(clipboard_text)', expected '$(cat "$exp/first-city-envelope.txt")'"
fi
shot 05b-envelope-copied

# ---- The other program keeps the keyboard: once from the search box, once while the
# focus is in a list (the search box's timer running). Coming back, the search box has
# the focus again.
settle
xdotool windowactivate --sync "$other_wid"
kept_box=$(samples_kept_other)
xdotool windowactivate --sync "$wid"
settle
click_at 70 177
xdotool windowactivate --sync "$other_wid"
kept_list=$(samples_kept_other)
log "the other program stayed active in $kept_box of 8 samples (left from the search box) and $kept_list of 8 (left from a list)"
if [ "$kept_box" = 8 ] && [ "$kept_list" = 8 ]; then
  pass other-program-keeps-keyboard
else
  fail other-program-keeps-keyboard "active in $kept_box and $kept_list of 8 samples"
fi
shot 06-other-program
xdotool windowactivate --sync "$wid"
settle
code_with_keys focus-back-in-search-box

# ---- Search by address; with "住所" and "府県名付" the first line copies as "pref city town".
settle
xdotool type --delay 80 "$(cat "$exp/address-key.txt")"
xdotool key --delay 40 shift+Tab space
settle
# Tab to the chosen mode option, Right to "住所" (which shows the address panel), Tab to
# its chosen prefecture option, Down to "府県名付".
xdotool key --delay 40 Tab Right Tab Down
settle
copy_first_line address-search "$exp/address-expected.txt" && pass address-search
shot 07-address-search

# ---- Choose the second prefecture with a click (List1 begins at (10, 17)), then exit with
# Alt+X ("終了(&X)"); closing saves the list positions in record 48 of fuken.DAT.
settle
click_at 40 43
settle
shot 08-second-prefecture
xdotool key alt+x
if wait_until 10 eval '! running'; then
  wait "$pid"
  status=$?
  pid=""
  # Name: four ideographic spaces and two spaces; first city 1 (the second prefecture's
  # zero-based position); last city 0.
  saved=$(od -An -v -tx1 -j $((47 * 18)) -N 18 "$app/fuken.DAT" | xargs)
  want="81 40 81 40 81 40 81 40 20 20 01 00 00 00 00 00 00 00"
  if [ "$status" -ne 0 ]; then
    fail close "the program exited with status $status"
  elif [ "$prefs" = 47 ] && [ "$saved" != "$want" ]; then
    fail close "record 48 of fuken.DAT is '$saved', expected '$want'"
  elif [ "$(file_size fuken.DAT)" != $(((prefs + 1) * 18)) ]; then
    fail close "fuken.DAT is $(file_size fuken.DAT) bytes after closing"
  else
    pass close
  fi
else
  fail close "the program was still running 10 s after Alt+X"
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=""
fi

# ---- Start again: the saved prefecture and its first city come back, so the result
# list shows the second prefecture's first entries.
if start_program; then
  shot 09-reopened
  copy_first_line reopen "$exp/reopen-expected.txt" && pass reopen
  xdotool key alt+x
  wait_until 10 eval '! running' || fail reopen "the program did not exit after Alt+X"
else
  fail reopen "no window appeared on the second start"
fi

log "$passed passed, $failed failed (screenshots in $out)"
[ "$failed" -eq 0 ]
