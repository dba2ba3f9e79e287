#!/usr/bin/env bash
# Runs inside xvfb-run for install_test.sh: starts the installed mirabo on an empty user
# data folder, takes the first-start offer of the sample, opens the help from the menu,
# checks that it shows MIRABO.HLP's topics, and exits with Alt+X.
#
#   window_check.sh PREFIX OUTPUT-FOLDER      (HOME and XDG_DATA_HOME set by the caller)
set -u
log_prefix="install: window"
# shellcheck source=../e2e/desktop_session.sh
source "$(dirname "$0")/../e2e/desktop_session.sh"
prefix=$1
out=$2
export QT_QPA_PLATFORM=xcb
MIRABO_E2E_INNER=1  # on the X server install_test.sh started: screenshots may be taken
data=$XDG_DATA_HOME/mirabo
rows=$(wc -l <"$prefix/share/mirabo/sample/KEN_ALL.CSV")
trap end_session EXIT

problem() {
  log "$1"
  shot failed
  exit 1
}
built() { [ "$(stat -c %s "$data/ubinno.dat" 2>/dev/null)" = $((rows * 130)) ]; }

"$prefix/bin/mirabo" >"$out/mirabo.log" 2>&1 &
pid=$!
main=$(find_window 30 '^郵便番号検索\(Ver') || true
[ -n "$main" ] || problem "no main window appeared (see $out/mirabo.log)"

# The offer: "サンプルから作成(&S)" is its first button.
offer=$(find_window 15 '^郵便番号検索$') || true
[ -n "$offer" ] || problem "the first start offered nothing"
shot first-start-offer
xdotool windowfocus --sync "$offer" && sleep 0.5 && xdotool key alt+s
wait_until 30 built || problem "the data was not built in $data from the sample"
[ -f "$data/.first-start-offered" ] || problem "the offer was not noted in $data"
log "built from the sample in $data"
# The rebuild's closing message ("初めての取り込みです") is closed with Enter.
done_box=$(find_window 15 '^郵便番号ファイル更新$') || true
[ -n "$done_box" ] || problem "the rebuild showed no closing message"
shot built
[ -n "$done_box" ] && xdotool windowfocus --sync "$done_box" && sleep 0.5 && xdotool key Return
sleep 1

# Help: "ﾍﾙﾌﾟ(&H)" then "ﾄﾋﾟｯｸの検索(&H)"; the topic pane's text is copied to the clipboard.
xdotool windowfocus --sync "$main" && sleep 0.5 && xdotool key alt+h && sleep 0.5 && xdotool key h
help=$(find_window 15 '^ヘルプ - 郵便番号検索$') || true
[ -n "$help" ] || problem "no help window appeared"
xdotool windowfocus --sync "$help" && sleep 0.5
xdotool key --delay 100 Tab Tab ctrl+a ctrl+c
sleep 0.5
shot help
text=$(xclip -o -selection clipboard 2>/dev/null)
# The first topic's title, as the installed help file spells it.
title=$(head -n1 <<<"$text")
if [ -z "$title" ] || ! grep -qF "<h1>$title</h1>" "$prefix/share/mirabo/MIRABO.HLP"; then
  problem "the help window shows no topic of $prefix/share/mirabo/MIRABO.HLP: '$text'"
fi
log "help shows the topic $title"

xdotool windowfocus --sync "$main" && sleep 0.5 && xdotool key alt+x
wait_until 10 eval '! kill -0 "$pid" 2>/dev/null' || problem "still running 10 s after Alt+X"
wait "$pid"
status=$?
pid=""
[ "$status" -eq 0 ] || problem "exited with status $status"
exit 0
