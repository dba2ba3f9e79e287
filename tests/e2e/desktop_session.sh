# shellcheck shell=bash
# Sourced by the end-to-end and install scripts: the private X server they run under,
# their work folder, counting and reporting checks, screenshots, waiting, and starting
# and finding the window program. Nothing here runs when the file is sourced except
# setting the counters.
#
# A sourcing script may set, before it calls these:
#   log_prefix   the word before each output line (default "e2e")
#   out          the output folder; shot_prefix begins each screenshot's name there
#   app          where the window program is started; program_log takes its output
#   raise_window the xdotool command that gives a started window the keyboard
#                (default windowfocus; windowactivate where a window manager runs)
# and reads: work (the work folder), pid (the program running, or empty), wid (its
# window), passed and failed.

log_prefix=${log_prefix:-e2e}
passed=0
failed=0
pid=""
session_pids=()  # further background processes to end on exit

# Exits with status 2 unless the script got exactly two arguments.
#   expect_two_arguments USAGE "$@"
expect_two_arguments() {
  local usage=$1
  shift
  if [ $# -ne 2 ]; then
    echo "usage: $0 $usage" >&2
    exit 2
  fi
}

# The outer run of a script: checks its tools and the program, then runs the script
# again under a fresh X server, with absolute paths; returns only in that inner run.
#   run_under_xvfb SCRIPT PROGRAM OUTPUT-FOLDER TOOL...
run_under_xvfb() {
  [ -z "${MIRABO_E2E_INNER:-}" ] || return 0
  local script=$1 program=$2 output=$3 tool
  shift 3
  for tool in xvfb-run xauth "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "e2e: FAIL setup: '$tool' is missing (scripts/install-deps installs it)" >&2
      exit 1
    fi
  done
  [ -x "$program" ] || { echo "e2e: FAIL setup: no program at $program" >&2; exit 1; }
  mkdir -p "$output" || exit 1
  program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
  output=$(cd "$output" && pwd)
  MIRABO_E2E_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$script" "$program" "$output"
}

# Sets `cli` to the mirabo-cli beside the window program, or exits.
require_cli() {
  cli=$(dirname "$1")/mirabo-cli
  [ -x "$cli" ] || { echo "e2e: FAIL setup: no mirabo-cli beside $1" >&2; exit 1; }
}

# A fresh work folder `work`, named after $1 and removed at exit, holding Qt's runtime
# folder and the XDG data home (where the trash lives), so that nothing lands in the
# user's home; programs use the X server.
start_work() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")
  mkdir -p -m 700 "$work/runtime" "$work/xdg-data"
  export XDG_RUNTIME_DIR=$work/runtime XDG_DATA_HOME=$work/xdg-data
  # `make test` runs ctest with the offscreen platform; these scripts need the X server.
  export QT_QPA_PLATFORM=xcb
  trap end_session EXIT
}

# Ends the program and every other background process, and removes the work folder.
# Only the program is waited for: a server's keep-alive pipe may outlive its kill.
end_session() {
  local p
  for p in "$pid" "${session_pids[@]}"; do
    if [ -n "$p" ] && kill -0 "$p" 2>/dev/null; then kill "$p"; fi
  done
  [ -z "$pid" ] || wait "$pid" 2>/dev/null
  [ -z "${work:-}" ] || rm -rf "$work"
}

log() { echo "$log_prefix: $*"; }
pass() { passed=$((passed + 1)); log "PASS $1"; }
fail() {
  failed=$((failed + 1))
  local note=""
  [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || note=" (the program is no longer running; see ${program_log:-its log})"
  log "FAIL $1: $2$note"
  shot "failed-$1"
}
check() {  # check NAME "what went wrong" COMMAND...
  local name=$1 why=$2
  shift 2
  if "$@"; then pass "$name"; else fail "$name" "$why"; fi
}

# A screenshot of the private X server's screen; none outside it (on a user's desktop).
shot() {
  [ -n "${MIRABO_E2E_INNER:-}" ] || return 0
  import -window root "$out/${shot_prefix:-}$1.png" 2>/dev/null || log "(screenshot $1 not taken)"
}

# Polls a command every 0.1 s until it succeeds or `seconds` have passed.
#   wait_until SECONDS COMMAND...
wait_until() {
  local tries=$(($1 * 10))
  shift
  while ! "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# Time for the window to take in what it was sent.
settle() { sleep 1; }

# The visible window of the program whose title matches TITLE-REGEX (any title without
# one), waiting up to SECONDS for it; empty when none appeared.
#   find_window SECONDS [TITLE-REGEX]
find_window() {
  if [ $# -gt 1 ]; then
    # --all: the process and the title, not either.
    timeout "$1" xdotool search --all --sync --onlyvisible --pid "$pid" --name "$2" 2>/dev/null | head -n1
  else
    timeout "$1" xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null | head -n1
  fi
}

# Starts ./mirabo in $app, its output added to $program_log, waits for its window `wid`
# and gives it the keyboard.
start_program() {
  (cd "$app" && exec ./mirabo) >>"$program_log" 2>&1 &
  pid=$!
  wid=$(find_window 30)
  [ -n "$wid" ] || return 1
  xdotool "${raise_window:-windowfocus}" --sync "$wid" && settle
}

# National-format rows from tests/support/make_ken_all.py (its options as given), or an
# exit with the setup failure.
make_csv() {
  python3 "$(dirname "${BASH_SOURCE[0]}")/../support/make_ken_all.py" "$@" ||
    { log "FAIL setup: make_ken_all.py $*"; exit 1; }
}

# A digest of each of the four data files of a folder, to compare two folders' data.
data_bytes() {
  local f
  for f in fuken.DAT city.DAT ubinno.dat ubinind.dat; do md5sum <"$1/$f" 2>/dev/null || echo "$f missing"; done
}
