#!/usr/bin/env bash
# Plays a hostile user against the built programs: a program folder whose name is not
# UTF-8 (run as an unprivileged user, so that nothing can land in /), a data file cut
# short during a batch, a national file of commas and a huge fuken.DAT with their peak
# memory, a 53-prefecture data set closed by the window, mixed encodings, an empty
# national file, read-only data, a full standard output and a mistyped --data.
#
#   hostile_test.sh PATH-TO-mirabo OUTPUT-FOLDER
#
# mirabo-cli is taken from beside mirabo. Peak memory figures go to OUTPUT-FOLDER/peaks.txt.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=desktop_session.sh
source "$here/desktop_session.sh"
expect_two_arguments "PATH-TO-mirabo OUTPUT-FOLDER" "$@"
# The outer run checks the tools and starts itself again under a fresh X server.
run_under_xvfb "$0" "$1" "$2" xdotool python3 /usr/bin/time truncate

program=$1
out=$2
require_cli "$program"
start_work mirabo-hostile
chmod 755 "$work"  # the unprivileged user runs programs inside

contains() { grep -qF -- "$2" "$1"; }
# Peak resident memory in kB of a command; its status in $status, its output in $work/run.*
measure() {
  /usr/bin/time -f %M -o "$work/peak" "$@" >"$work/run.out" 2>"$work/run.err"
  status=$?
  peak=$(tail -n1 "$work/peak")
}

data=$work/data
mkdir -p "$data"
make_csv --rows 3000 --seed 9 --out "$data/KEN_ALL.CSV"
"$cli" --data "$data" rebuild >/dev/null 2>"$work/setup.err" || { log "FAIL setup: $(cat "$work/setup.err")"; exit 1; }
good=$(data_bytes "$data")

# ---- 1. A program folder named by Shift-JIS bytes (東京), run as nobody.
if [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null; then
  sjis=$work/$(printf '\x93\x8c\x8b\x9e')
  mkdir -p "$sjis" "$sjis-window" "$work/nobody-home"
  cp "$cli" "$sjis/" && cp "$data/KEN_ALL.CSV" "$sjis/" && cp "$program" "$sjis-window/"
  chown -R nobody "$sjis" "$sjis-window" "$work/nobody-home"
  root_before=$(ls / | md5sum)
  as_nobody() { runuser -u nobody -- env HOME="$work/nobody-home" XDG_RUNTIME_DIR="$work/nobody-home" \
    XDG_DATA_HOME="$work/nobody-home" QT_QPA_PLATFORM=offscreen "$@"; }
  as_nobody "$sjis/mirabo-cli" rebuild >"$work/sjis.out" 2>&1
  as_nobody "$sjis/mirabo-cli" browse >"$work/sjis-browse.out" 2>&1
  check sjis-cli "rebuild or browse did not work in the Shift-JIS folder: $(head -c 300 "$work/sjis.out")" \
    test -s "$sjis/ubinno.dat" -a "$(wc -l <"$work/sjis-browse.out")" -gt 0
  as_nobody timeout 5 "$sjis-window/mirabo" >/dev/null 2>&1
  check sjis-window "the window did not open its data files in its own folder" \
    test -e "$sjis-window/fuken.DAT" -a -e "$sjis-window/ubinind.dat"
  check sjis-nowhere-else "files appeared in /" test "$(ls / | md5sum)" = "$root_before"
else
  log "SKIP sjis: needs root and runuser to act as nobody"
fi

# ---- 2. The entry file is cut short between two searches of one batch.
shrink=$work/shrink
mkdir -p "$shrink" && cp "$data"/*.DAT "$data"/*.dat "$shrink/"
first=$("$cli" --data "$shrink" browse 0 0 | head -n1 | cut -c1-7)
{ echo "$first"; sleep 1; truncate -s 0 "$shrink/ubinno.dat"; echo "$first"; } |
  "$cli" --data "$shrink" code - >"$work/shrink.out" 2>/dev/null
status=$?
check shrinking-file "status $status (135 is a bus error), or the first result was lost" \
  test "$status" -le 1 -a "$(grep -c "^$first" "$work/shrink.out")" -ge 1

# ---- 3. A national file of 100 MB of commas: refused at line 1 in bounded memory.
head -c 100000000 /dev/zero | tr '\0' ',' >"$work/commas.csv"
measure "$cli" --data "$data" rebuild --csv "$work/commas.csv"
echo "comma file (100 MB): ${peak} kB peak, status $status" >>"$out/peaks.txt"
log "comma file: peak ${peak} kB"
check comma-bomb "status $status, peak ${peak} kB, message: $(head -c 300 "$work/run.err")" \
  test "$status" -eq 2 -a "$peak" -lt 400000 -a "$(data_bytes "$data")" = "$good"
contains "$work/run.err" "1 行目" || fail comma-bomb-line "the message does not name line 1"
rm -f "$work/commas.csv"

# ---- 4. A fuken.DAT of 900,000,000 bytes (50 million records).
huge=$work/huge
mkdir -p "$huge" && cp "$data"/*.DAT "$data"/*.dat "$huge/"
truncate -s 900000000 "$huge/fuken.DAT"
measure "$cli" --data "$huge" browse
echo "huge fuken.DAT, browse: ${peak} kB peak, status $status" >>"$out/peaks.txt"
check huge-cli "status $status, peak ${peak} kB: $(head -c 300 "$work/run.err")" \
  test "$status" -eq 2 -a "$peak" -lt 100000 -a ! -s "$work/run.out"
contains "$work/run.err" "データファイルが壊れています。" || fail huge-cli-message "no damaged-data message"
cp "$program" "$huge/"
/usr/bin/time -f %M -o "$work/peak" timeout --foreground -s KILL 8 env QT_QPA_PLATFORM=offscreen "$huge/mirabo" >/dev/null 2>&1
peak=$(tail -n1 "$work/peak")
echo "huge fuken.DAT, window for 8 s: ${peak} kB peak" >>"$out/peaks.txt"
# Below 5 MB the program itself was not measured.
check huge-window "the window took ${peak} kB" test "$peak" -gt 5000 -a "$peak" -lt 300000

# ---- 5. 53 prefectures: record 48 is a prefecture; closing the window leaves it alone.
app53=$work/app53
mkdir -p "$app53" && cp "$program" "$app53/"
python3 - "$app53/KEN_ALL.CSV" <<'EOF'
import sys
rows = []
for p in range(1, 54):
    for c in (1, 2):
        code = "%02d%02d001" % (p, c)
        rows.append('1,"1",%s,"k","k","k","県%02d","市%dの%d","町",0,0,0,0,0,0' % (code, p, p, c))
open(sys.argv[1], "wb").write(("\r\n".join(rows) + "\r\n").encode("cp932"))
EOF
"$cli" --data "$app53" rebuild >/dev/null 2>&1
before53=$(md5sum <"$app53/fuken.DAT")
"$app53/mirabo" >"$out/mirabo53.log" 2>&1 &
pid=$!
wid=$(find_window 30)
if [ -n "$wid" ]; then
  xdotool windowfocus --sync "$wid"; sleep 0.5; xdotool key alt+x
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
fi
kill "$pid" 2>/dev/null && fail fifty-three "the window did not close on Alt+X"
wait "$pid" 2>/dev/null
pid=""
check fifty-three "closing the window changed fuken.DAT" test "$(md5sum <"$app53/fuken.DAT")" = "$before53"

# ---- 6. Mixed encodings and 7. an empty national file: refused, the data unchanged.
make_csv --rows 50 --seed 4 --out "$work/cp932.csv"
make_csv --rows 50 --seed 4 --encoding utf8 --out "$work/utf8.csv"
{ printf '\xef\xbb\xbf'; cat "$work/cp932.csv"; } >"$work/bom-cp932.csv"
{ cat "$work/utf8.csv"; tail -n1 "$work/cp932.csv"; } >"$work/utf8-one-cp932.csv"
: >"$work/empty.csv"
printf '\r\n\r\n' >"$work/blank.csv"
for case in "bom-cp932:1 行目: UTF-8" "utf8-one-cp932:51 行目: UTF-8" "empty:データの行がありません" \
  "blank:データの行がありません"; do
  name=${case%%:*} want=${case#*:}
  "$cli" --data "$data" rebuild --csv "$work/$name.csv" >/dev/null 2>"$work/enc.err"
  status=$?
  check "refused-$name" "status $status: $(head -c 300 "$work/enc.err")" \
    test "$status" -eq 2 -a "$(data_bytes "$data")" = "$good"
  contains "$work/enc.err" "$want" || fail "refused-$name-message" "no '$want' in the message"
done

# ---- 8. Read-only data: root's files, read by nobody.
if [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null; then
  ro=$work/readonly
  mkdir -p "$ro" && cp "$data"/*.DAT "$data"/*.dat "$data/KEN_ALL.CSV" "$ro/" && chmod 644 "$ro"/* && chmod 755 "$ro"
  # A copy in the work folder: the build folder may lie where nobody cannot reach
  # (a clone in a folder from mktemp -d, say).
  ro_cli=$work/ro-bin/mirabo-cli
  mkdir -p "$work/ro-bin" && cp "$cli" "$ro_cli" && chmod 755 "$work/ro-bin" "$ro_cli"
  runuser -u nobody -- "$ro_cli" --data "$ro" browse >"$work/ro.out" 2>&1
  status=$?
  check readonly-browse "browse of read-only data listed nothing (status $status)" \
    test "$status" -eq 0 -a "$(wc -l <"$work/ro.out")" -gt 0
  runuser -u nobody -- "$ro_cli" --data "$ro" code "$first" >"$work/ro.out" 2>&1
  check readonly-code "the code search found nothing" grep -q "^$first" "$work/ro.out"
  runuser -u nobody -- "$ro_cli" --data "$ro" rebuild >/dev/null 2>"$work/ro.err"
  status=$?
  check readonly-rebuild "status $status: $(cat "$work/ro.err")" \
    test "$status" -eq 2 -a "$(data_bytes "$ro")" = "$good"
  contains "$work/ro.err" "Permission denied" || fail readonly-rebuild-reason "the reason is not named"
  # The read-only unit tests skip themselves as root; run them here as nobody.
  tests=$(dirname "$program")/tests
  if [ -x "$tests/test_data" ] && [ -x "$tests/damaged_data_test" ]; then
    mkdir -p "$work/nobody-home"
    cp "$tests/test_data" "$tests/damaged_data_test" "$work/nobody-home/"
    chown -R nobody "$work/nobody-home"
    runuser -u nobody -- env HOME="$work/nobody-home" TMPDIR="$work/nobody-home" \
      "$work/nobody-home/test_data" --gtest_filter='*ReadOnly*:*WithoutWriteAccess*' >"$work/ut.out" 2>&1
    ut=$?
    check readonly-unit-data "$(tail -n5 "$work/ut.out")" test "$ut" -eq 0 -a -z "$(grep SKIPPED "$work/ut.out")"
    if [ -x "$tests/test_update" ]; then
      cp "$tests/test_update" "$work/nobody-home/" && chown nobody "$work/nobody-home/test_update"
      runuser -u nobody -- env HOME="$work/nobody-home" TMPDIR="$work/nobody-home" \
        "$work/nobody-home/test_update" --gtest_filter='DataFolderCheck.*' >"$work/ut.out" 2>&1
      ut=$?
      check readonly-unit-update "$(tail -n5 "$work/ut.out")" test "$ut" -eq 0 -a -z "$(grep SKIPPED "$work/ut.out")"
    fi
    runuser -u nobody -- env HOME="$work/nobody-home" TMPDIR="$work/nobody-home" XDG_RUNTIME_DIR="$work/nobody-home" \
      QT_QPA_PLATFORM=offscreen "$work/nobody-home/damaged_data_test" readOnlyDataIsBrowsedAndClosingWritesNothing \
      >"$work/ut.out" 2>&1
    ut=$?
    check readonly-unit-window "$(tail -n5 "$work/ut.out")" \
      test "$ut" -eq 0 -a -n "$(grep '^PASS   : .*readOnlyData' "$work/ut.out")"
  fi
else
  log "SKIP readonly: needs root and runuser to act as nobody"
fi

# ---- 9. A full standard output, and 10. a mistyped --data.
"$cli" --data "$data" browse >/dev/full 2>"$work/full.err"
status=$?
check full-output "status $status: $(cat "$work/full.err")" test "$status" -eq 2
contains "$work/full.err" "No space left on device" || fail full-output-reason "the reason is not named"
"$cli" --data "$work/nonexistent" browse >"$work/mistyped.out" 2>"$work/mistyped.err"
status=$?
check mistyped-data "status $status: $(cat "$work/mistyped.err")" \
  test "$status" -eq 2 -a ! -e "$work/nonexistent" -a ! -s "$work/mistyped.out"
mkdir -p "$work/emptyfolder"
"$cli" --data "$work/emptyfolder" code 1000001 >/dev/null 2>&1
check empty-folder-untouched "files were created" test -z "$(ls -A "$work/emptyfolder")"

log "$passed passed, $failed failed (peak memory in $out/peaks.txt)"
[ "$failed" -eq 0 ]
