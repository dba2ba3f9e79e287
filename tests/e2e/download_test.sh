#!/usr/bin/env bash
# Drives the built window program on a private X server to get the national file without
# unpacking or copying: the update button on a folder that holds only ken_all.zip, the
# help menu's download item against a local server, and a download cancelled with Esc
# that leaves the data as it was. mirabo-cli download is run against the same server.
#
#   download_test.sh PATH-TO-mirabo OUTPUT-FOLDER
#
# The server (tests/support/http_fixture.py) listens on 127.0.0.1 only and stops by itself.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=desktop_session.sh
source "$here/desktop_session.sh"
expect_two_arguments "PATH-TO-mirabo OUTPUT-FOLDER" "$@"
run_under_xvfb "$0" "$1" "$2" xdotool import python3

program=$1
out=$2
require_cli "$program"
start_work mirabo-e2e-dl
app=$work/app
srv=$work/server
mkdir -p "$app" "$srv" "$work/ref1" "$work/ref2" "$work/cli"
program_log=$out/mirabo-download.log
shot_prefix=download-

same_data() { [ "$(data_bytes "$1")" = "$(data_bytes "$2")" ]; }  # same_data FOLDER REFERENCE
stop_program() {
  # Focus may have gone with a closed message box; without it Alt+X reaches no window.
  xdotool windowfocus --sync "$wid" 2>/dev/null
  xdotool key alt+x
  wait_until 10 eval '! kill -0 $pid 2>/dev/null' || kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=""
}
# A finished rebuild reports what it changed in a message box; Return closes it.
close_done_message() {
  settle
  xdotool key Return
  settle
}
zip_of() {  # zip_of CSV MEMBER ZIP
  python3 -c 'import sys, zipfile
with zipfile.ZipFile(sys.argv[3], "w", zipfile.ZIP_DEFLATED) as z: z.write(sys.argv[1], sys.argv[2])' "$1" "$2" "$3"
}

# ---- Data: two editions of different rows, their archives, the files each must give.
make_csv --rows 3000 --seed 3 --out "$work/first.csv"
make_csv --rows 2000 --seed 8 --encoding utf8 --out "$work/second.csv"
zip_of "$work/first.csv" KEN_ALL.CSV "$app/ken_all.zip"
zip_of "$work/second.csv" utf_ken_all.csv "$srv/utf_ken_all.zip"
head -c 1048576 /dev/urandom >"$srv/big.zip"
"$cli" --data "$work/ref1" rebuild --csv "$work/first.csv" >/dev/null &&
  "$cli" --data "$work/ref2" rebuild --csv "$work/second.csv" >/dev/null ||
  { log "FAIL setup: reference rebuilds failed"; exit 1; }
cp "$program" "$app/mirabo"

# The sleep keeps the server's input open; neither may hold the test's own output, or the
# test's runner waits for the sleep after the test has ended.
sleep 200 2>/dev/null | python3 "$here/../support/http_fixture.py" "$srv" --lifetime 180 >"$work/port" 2>"$work/server.log" &
session_pids+=($!)
wait_until 20 grep -q PORT "$work/port" || { log "FAIL setup: the local server did not start"; exit 1; }
base="http://127.0.0.1:$(sed -n 's/^PORT //p' "$work/port")"

# ---- The update button on a folder that holds only the archive as downloaded.
start_program || { log "FAIL start: no window appeared"; log "0 passed, 1 failed"; exit 1; }
read -r start_width start_height < <(xdotool getwindowgeometry --shell "$wid" | sed -n 's/^WIDTH=//p; s/^HEIGHT=//p' | xargs)
xdotool windowsize --sync "$wid" "$start_width" 640
settle
shot 01-update-panel
xdotool key --delay 40 shift+Tab shift+Tab space
if wait_until 60 same_data "$app" "$work/ref1"; then pass zip-in-folder; else fail zip-in-folder "the data files differ from a rebuild of the unpacked CSV"; fi
close_done_message
[ -e "$app/KEN_ALL.CSV" ] && fail zip-in-folder "a KEN_ALL.CSV was unpacked into the folder"
stop_program

# ---- The help menu's download item: Alt+H, then the third item.
export MIRABO_DOWNLOAD_URL="$base/redirect/2/utf_ken_all.zip"
start_program || { log "FAIL start: no window appeared"; exit 1; }
xdotool key --delay 80 alt+h Down Down Return
if wait_until 60 same_data "$app" "$work/ref2"; then pass download-menu; else fail download-menu "the data files differ from a rebuild of the downloaded CSV"; fi
settle
shot 02-downloaded
close_done_message
stop_program

# ---- A download that stalls, cancelled with Esc in the progress dialog: the data stays.
export MIRABO_DOWNLOAD_URL="$base/trickle/big.zip"
start_program || { log "FAIL start: no window appeared"; exit 1; }
xdotool key --delay 80 alt+h Down Down Return
dialog_open() { xdotool search --onlyvisible --name "最新データをダウンロードして更新" >/dev/null 2>&1; }
if wait_until 20 dialog_open; then
  sleep 1
  shot 03-progress
  xdotool key Escape
  sleep 1
  shot 04-cancelled-message
  xdotool key Return
  settle
  if same_data "$app" "$work/ref2" && kill -0 "$pid" 2>/dev/null; then pass download-cancel; else fail download-cancel "data changed or program ended"; fi
else
  fail download-cancel "no progress dialog appeared"
fi
stop_program

# ---- mirabo-cli download: good archive, and a silent server ended by --timeout.
if "$cli" --data "$work/cli" download --url "$base/utf_ken_all.zip" >/dev/null 2>"$work/err" && same_data "$work/cli" "$work/ref2"; then
  pass cli-download
else
  fail cli-download "$(cat "$work/err")"
fi
"$cli" --data "$work/cli" download --url "$base/silent/x" --timeout 2 >/dev/null 2>"$work/err"
status=$?
if [ "$status" = 2 ] && grep -q "タイムアウト" "$work/err" && same_data "$work/cli" "$work/ref2"; then
  pass cli-timeout
else
  fail cli-timeout "status $status: $(cat "$work/err")"
fi

log "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
