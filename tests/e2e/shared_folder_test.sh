#!/usr/bin/env bash
# Plays another account against a data folder that two users may write to: names
# planted there (links, fifos, crafted journals) by `nobody`, and a swap cut short in
# a folder the reader may not write. Each case checks the exit status, the message,
# the folder's data files and a file outside the folder, by their bytes.
#
#   shared_folder_test.sh PATH-TO-mirabo OUTPUT-FOLDER
#
# Needs root and runuser; skipped otherwise.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=desktop_session.sh
source "$here/desktop_session.sh"
expect_two_arguments "PATH-TO-mirabo OUTPUT-FOLDER" "$@"
if [ "$(id -u)" -ne 0 ] || ! command -v runuser >/dev/null; then
  echo "e2e: SKIP shared folder: needs root and runuser to act as a second user"
  exit 0
fi
run_under_xvfb "$0" "$1" "$2" python3 timeout /usr/bin/time

program=$1
out=$2
require_cli "$program"
start_work mirabo-shared
chmod 755 "$work"
# Copies both users can run: the build folder may be private.
mkdir -p "$work/bin" "$work/home"
cp "$cli" "$work/bin/" && cli=$work/bin/mirabo-cli
chmod 755 "$work/bin" "$cli" && chown nobody "$work/home"

export LC_ALL=C.UTF-8  # the system's reasons in English
nobody=(runuser -u nobody -- env HOME="$work/home" XDG_DATA_HOME="$work/home")
contains() { grep -qF -- "$2" "$1"; }
# Runs a command (at most 20 s), its status in $status, its output in $work/run.*
run() { timeout -s KILL 20 "$@" >"$work/run.out" 2>"$work/run.err"; status=$?; }

# A file outside the data folder that planted links point at.
outside=$work/outside
mkdir -p "$outside" && printf 'outside\n' >"$outside/victim" && chmod 644 "$outside/victim"
victim_bytes=$(md5sum <"$outside/victim")
outside_untouched() { [ "$(md5sum <"$outside/victim")" = "$victim_bytes" ] && [ ! -e "$outside/created" ] &&
  [ "$(stat -c %a "$outside/victim")" = 644 ]; }

make_csv --rows 400 --seed 3 --out "$work/old.csv"
make_csv --rows 420 --seed 5 --out "$work/new.csv"
# A fresh shared folder holding the old set, writable by both users.
fresh_folder() {
  shared=$work/shared-$1
  mkdir -p "$shared" && cp "$work/old.csv" "$shared/KEN_ALL.CSV"
  "$cli" --data "$shared" rebuild >/dev/null 2>&1 || { log "FAIL setup: rebuild in $shared"; exit 1; }
  cp "$work/new.csv" "$shared/KEN_ALL.CSV"
  chmod 777 "$shared" && chmod 666 "$shared"/*
  old_set=$(data_bytes "$shared")
}
first_code=$(head -n1 "$work/old.csv" | cut -d, -f3 | tr -d '"')

# ---- 1. A stale link as a new file's name: cleared, never written through.
fresh_folder new-link
"${nobody[@]}" ln -s "$outside/victim" "$shared/city.DAT.new"
run "$cli" --data "$shared" rebuild
check new-link "status $status: $(head -c 300 "$work/run.err")" \
  test "$status" -eq 0 -a ! -L "$shared/city.DAT" -a "$(data_bytes "$shared")" != "$old_set"
check new-link-outside "the file outside changed" outside_untouched

# ---- 2. The lock as a link, a lookup and a rebuild; another user's closed lock.
fresh_folder lock-link
rm "$shared/mirabo.lock" && "${nobody[@]}" ln -s "$outside/created" "$shared/mirabo.lock"
"${nobody[@]}" touch "$shared/fuken.DAT.new"  # a leftover, so that the lookup tries the lock
run "$cli" --data "$shared" code "$first_code"
check lock-link-lookup "status $status: $(head -c 300 "$work/run.err")" \
  test "$status" -eq 0 -a "$(data_bytes "$shared")" = "$old_set"
run "$cli" --data "$shared" rebuild
check lock-link-rebuild "status $status: $(head -c 300 "$work/run.err")" \
  test "$status" -eq 2 -a "$(data_bytes "$shared")" = "$old_set"
contains "$work/run.err" "ロックファイル「mirabo.lock」が通常のファイルではないため、更新できません" ||
  fail lock-link-message "$(cat "$work/run.err")"
check lock-link-outside "a file was created outside the folder" outside_untouched

fresh_folder lock-closed
rm -f "$shared/mirabo.lock" && (umask 077 && : >"$shared/mirabo.lock")
run "${nobody[@]}" "$cli" --data "$shared" rebuild
check lock-closed "status $status: $(head -c 300 "$work/run.err")" \
  test "$status" -eq 2 -a "$(data_bytes "$shared")" = "$old_set"
contains "$work/run.err" "別のユーザーのロックファイル「mirabo.lock」があるため、更新できません" ||
  fail lock-closed-message "$(cat "$work/run.err")"

# ---- 3. A journal that is a fifo, a link to /dev/zero, or 100 MB: no hang, no flood.
for kind in fifo zero large; do
  fresh_folder "journal-$kind"
  case $kind in
    fifo) "${nobody[@]}" mkfifo "$shared/mirabo.journal" ;;
    zero) "${nobody[@]}" ln -s /dev/zero "$shared/mirabo.journal" ;;
    large) "${nobody[@]}" truncate -s 100M "$shared/mirabo.journal" ;;
  esac
  run /usr/bin/time -f %M -o "$work/peak" "$cli" --data "$shared" code "$first_code"
  peak=$(tail -n1 "$work/peak" 2>/dev/null)
  echo "journal $kind: ${peak} kB peak, status $status" >>"$out/shared-peaks.txt"
  check "journal-$kind" "status $status, peak ${peak} kB: $(head -c 300 "$work/run.err")" \
    test "$status" -eq 0 -a "${peak:-999999}" -lt 100000 -a "$(data_bytes "$shared")" = "$old_set" \
    -a ! -e "$shared/mirabo.journal"
done

# ---- 4. A crafted journal that would remove three data files: nothing changes.
fresh_folder crafted
printf 'mirabo data-file swap 1\nfuken.DAT none\ncity.DAT none\nubinno.dat none\nubinind.dat none\nend\n' |
  "${nobody[@]}" tee "$shared/mirabo.journal" >/dev/null
"${nobody[@]}" cp "$shared/city.DAT" "$shared/city.DAT.new"
run "$cli" --data "$shared" code "$first_code"
check crafted-journal "status $status: $(head -c 300 "$work/run.err")" \
  test "$status" -eq 2 -a "$(data_bytes "$shared")" = "$old_set" -a -e "$shared/mirabo.journal" -a ! -s "$work/run.out"
contains "$work/run.err" "データの更新が途中で止まっています" || fail crafted-journal-message "$(cat "$work/run.err")"

# ---- 5. A swap killed half-way in a folder the reader may not write: exit 2, not a mixed set.
fresh_folder killed
new_dir=$work/shared-new-link  # the new set, made in case 1
mv "$shared/fuken.DAT" "$shared/fuken.DAT.old" && cp "$new_dir/fuken.DAT" "$shared/fuken.DAT"
for f in city.DAT ubinno.dat ubinind.dat; do cp "$new_dir/$f" "$shared/$f.new"; done
printf 'mirabo data-file swap 1\nfuken.DAT old\ncity.DAT old\nubinno.dat old\nubinind.dat old\nend\n' \
  >"$shared/mirabo.journal"
chmod 755 "$shared" && chmod 644 "$shared"/*
before=$(ls -l "$shared" | md5sum)
run "${nobody[@]}" "$cli" --data "$shared" browse
check killed-swap-reader "status $status: $(head -c 300 "$work/run.err")" \
  test "$status" -eq 2 -a ! -s "$work/run.out" -a "$(ls -l "$shared" | md5sum)" = "$before"
contains "$work/run.err" "データの更新が途中で止まっています（フォルダ: $shared、理由: Permission denied）。データファイルは開きません。" ||
  fail killed-swap-message "$(cat "$work/run.err")"
run "$cli" --data "$shared" browse  # its owner settles it
check killed-swap-owner "status $status" test "$status" -eq 0 -a "$(data_bytes "$shared")" = "$old_set"

# ---- 6. A change report planted as a fifo, a link to /dev/zero, 100 MB, or not UTF-8.
fresh_folder report
for kind in fifo zero large utf8; do
  rm -f "$shared/CHANGES.TSV"
  case $kind in
    fifo) "${nobody[@]}" mkfifo "$shared/CHANGES.TSV"; want="を読み込めません（理由: 通常のファイルではありません）。" ;;
    zero) "${nobody[@]}" ln -s /dev/zero "$shared/CHANGES.TSV"; want="を読み込めません（理由: 通常のファイルではありません）。" ;;
    large) "${nobody[@]}" truncate -s 100M "$shared/CHANGES.TSV"; want="が 64 MB を超えているため読み込みません。" ;;
    utf8) printf '区分\t郵便番号\t都道府県\t市区町村\t町域\n追加\t1\t\377\t3\t4\n' >"$shared/CHANGES.TSV"
      want="の 2 行目が読めません（UTF-8 ではありません）。" ;;
  esac
  run /usr/bin/time -f %M -o "$work/peak" "$cli" --data "$shared" changes
  peak=$(tail -n1 "$work/peak" 2>/dev/null)
  check "report-$kind" "status $status, peak ${peak} kB: $(head -c 300 "$work/run.err")" \
    test "$status" -eq 2 -a "${peak:-999999}" -lt 150000 -a ! -s "$work/run.out"
  contains "$work/run.err" "「CHANGES.TSV」$want" || fail "report-$kind-message" "$(cat "$work/run.err")"
done
run "$cli" --data "$work/no-such-folder" changes
check report-mistyped-data "status $status: $(cat "$work/run.err")" \
  test "$status" -eq 2 -a "$(cat "$work/run.err")" = "mirabo-cli: no data files in $work/no-such-folder"

# ---- 7. A rebuild killed at each step: a report there always describes the set in place.
shim=$(dirname "$program")/tests/libmirabo_fs_shim.so
if [ -f "$shim" ]; then
  fresh_folder report-kill
  cp -r "$shared" "$work/report-whole" && "$cli" --data "$work/report-whole" rebuild >/dev/null 2>&1
  new_set=$(data_bytes "$work/report-whole") new_report=$(md5sum <"$work/report-whole/CHANGES.TSV")
  printf '区分\t郵便番号\t都道府県\t市区町村\t町域\n' >"$shared/CHANGES.TSV"  # the previous update's
  old_report=$(md5sum <"$shared/CHANGES.TSV")
  mismatched=""
  for step in $(seq 1 14); do
    rm -rf "$work/report-step" && cp -r "$shared" "$work/report-step"
    # The braces take the shell's own "Killed" notice as well.
    { (env LD_PRELOAD="$shim" MIRABO_SHIM_DIR="$work/report-step/" MIRABO_SHIM_KILL_STEP="$step" \
      "$cli" --data "$work/report-step" rebuild) >/dev/null 2>&1; } 2>/dev/null
    "$cli" --data "$work/report-step" info >/dev/null 2>&1  # settles the swap
    set_now=$(data_bytes "$work/report-step")
    report_now=$({ md5sum <"$work/report-step/CHANGES.TSV"; } 2>/dev/null || echo none)
    if [ "$set_now" = "$new_set" ]; then [ "$report_now" = "$new_report" ] || [ "$report_now" = none ] ||
      mismatched="$mismatched $step(new set, report $report_now)"
    elif [ "$set_now" = "$old_set" ]; then [ "$report_now" = "$old_report" ] || [ "$report_now" = none ] ||
      mismatched="$mismatched $step(old set, other report)"
    else mismatched="$mismatched $step(mixed set)"; fi
  done
  check report-after-kill "kill steps whose report describes another set:$mismatched" test -z "$mismatched"
else
  log "SKIP report-after-kill: no $shim"
fi

# ---- 8. Endless input: refused at the first line too long, in flat memory.
for kind in check-zero check-yes address-zero; do
  case $kind in
    check-zero) run /usr/bin/time -f %M -o "$work/peak" "$cli" --data "$shared" check /dev/zero
      want="mirabo-cli: /dev/zero: line 1 is longer than 4096 bytes" ;;
    check-yes) run /usr/bin/time -f %M -o "$work/peak" sh -c "yes '$first_code,x' | head -n 200000 |
        \"$cli\" --data \"$shared\" check -"
      want="" ;;
    address-zero) run /usr/bin/time -f %M -o "$work/peak" sh -c "\"$cli\" --data \"$shared\" address - </dev/zero"
      want="mirabo-cli: standard input: line 1 is longer than 4096 bytes" ;;
  esac
  peak=$(tail -n1 "$work/peak" 2>/dev/null)
  echo "$kind: ${peak} kB peak, status $status" >>"$out/shared-peaks.txt"
  if [ -n "$want" ]; then
    check "$kind" "status $status, peak $peak kB: $(head -c 300 "$work/run.err")" \
      test "$status" -eq 2 -a "${peak:-999999}" -lt 100000 -a "$(cat "$work/run.err")" = "$want"
  else
    check "$kind" "status $status, peak $peak kB, $(wc -l <"$work/run.out") lines" \
      test "$status" -eq 1 -a "${peak:-999999}" -lt 100000 -a "$(wc -l <"$work/run.out")" -eq 200000
  fi
done

# ---- 9. No HOME: no trash under "/", the old set deleted, and said.
fresh_folder no-home
root_before=$(ls -a / | md5sum)
run env -u HOME -u XDG_DATA_HOME "$cli" --data "$shared" rebuild
check no-home "status $status: $(head -c 300 "$work/run.err")" \
  test "$status" -eq 0 -a "$(ls -a / | md5sum)" = "$root_before" -a -z "$(ls "$shared" | grep '\.old$')"
contains "$work/run.err" "no home folder (HOME) and so no trash: the old data files are deleted" ||
  fail no-home-message "$(cat "$work/run.err")"

# ---- 11. Three updates: the trash keeps the old sets of the newest two (4 files each).
fresh_folder trash
trash_home=$work/trash-home
for csv in new old new; do
  cp "$work/$csv.csv" "$shared/KEN_ALL.CSV"
  env XDG_DATA_HOME="$trash_home" "$cli" --data "$shared" rebuild >/dev/null 2>"$work/run.err" ||
    fail trash-rebuild "$(cat "$work/run.err")"
done
check trash-two-generations "in the trash: $(ls "$trash_home/Trash/files" | tr '\n' ' ')" \
  test "$(ls "$trash_home/Trash/files" | wc -l)" -eq 8 -a "$(ls "$trash_home/Trash/info" | wc -l)" -eq 8 \
  -a "$(wc -l <"$trash_home/mirabo/trashed.tsv")" -eq 8

# ---- 10. A folder planted under a new file's name: the refusal names it.
fresh_folder leftover-folder
"${nobody[@]}" mkdir -p "$shared/ubinno.dat.new/x"
run "$cli" --data "$shared" rebuild
check leftover-folder "status $status: $(head -c 300 "$work/run.err")" \
  test "$status" -eq 2 -a "$(data_bytes "$shared")" = "$old_set"
contains "$work/run.err" "「ubinno.dat.new」を片付けられないため、前回中断された更新の後始末ができません" ||
  fail leftover-folder-message "$(cat "$work/run.err")"

check nothing-outside "a file outside the data folders changed" outside_untouched
log "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
