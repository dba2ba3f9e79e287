#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it as a desktop would: the files
# that went in, the desktop entry and the AppStream data through their validators, the
# installed mirabo-cli and mirabo keeping their data in the user's data folder, the bash
# completion, and the Debian package with its file list, Depends and lintian.
#
#   install_test.sh BUILD-FOLDER OUTPUT-FOLDER
#
# A check whose tool is missing is skipped with a message; the test then exits 77
# (ctest: skipped) unless another check failed.
set -u
here=$(cd "$(dirname "$0")" && pwd)
log_prefix=install
# shellcheck source=../e2e/desktop_session.sh
source "$here/../e2e/desktop_session.sh"
expect_two_arguments "BUILD-FOLDER OUTPUT-FOLDER" "$@"
build=$(cd "$1" && pwd)
mkdir -p "$2" && out=$(cd "$2" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/mirabo-install.XXXXXX")
trap end_session EXIT
prefix=$work/prefix

skipped=0
skip() { skipped=$((skipped + 1)); log "SKIP $1: '$2' is missing (scripts/install-deps installs it)"; }
have() { command -v "$1" >/dev/null; }
# Every file and link under a folder with its size and time, to see that nothing changed.
snapshot() { (cd "$1" && find . -printf '%p %s %T@\n' | sort); }

expected_files="bin/mirabo
bin/mirabo-cli
share/applications/org.mirabo.Mirabo.desktop
share/bash-completion/completions/mirabo-cli
share/doc/mirabo/changelog.gz
share/doc/mirabo/copyright
share/icons/hicolor/256x256/apps/org.mirabo.Mirabo.png
share/icons/hicolor/48x48/apps/org.mirabo.Mirabo.png
share/icons/hicolor/scalable/apps/org.mirabo.Mirabo.svg
share/lintian/overrides/mirabo
share/man/man1/mirabo-cli.1.gz
share/man/man1/mirabo.1.gz
share/metainfo/org.mirabo.Mirabo.metainfo.xml
share/mirabo/MIRABO.HLP
share/mirabo/sample/KEN_ALL.CSV"

# ---- cmake --install into the temporary prefix.
if ! cmake --install "$build" --prefix "$prefix" >"$out/cmake-install.log" 2>&1; then
  fail cmake-install "see $out/cmake-install.log"
  exit 1
fi
files=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
if [ "$files" = "$expected_files" ]; then pass installed-files; else
  fail installed-files "$(diff <(echo "$expected_files") <(echo "$files") | tr '\n' ' ')"
fi

# ---- The validators.
if have desktop-file-validate; then
  report=$(desktop-file-validate "$prefix/share/applications/org.mirabo.Mirabo.desktop" 2>&1)
  # A hint (Office and Utility are both main categories, as intended) is not a fault.
  if [ $? -eq 0 ] && ! grep -qE ': (error|warning):' <<<"$report"; then pass desktop-entry; else fail desktop-entry "$report"; fi
else skip desktop-entry desktop-file-validate; fi

if have appstreamcli; then
  if report=$(appstreamcli validate --no-net "$prefix/share/metainfo/org.mirabo.Mirabo.metainfo.xml" 2>&1); then
    pass metainfo
  else fail metainfo "$report"; fi
else skip metainfo appstreamcli; fi

# ---- The installed mirabo-cli keeps its data in the user's data folder.
export HOME=$work/home XDG_DATA_HOME=$work/xdg XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" && mkdir -p -m 700 "$XDG_RUNTIME_DIR"
sample=$prefix/share/mirabo/sample/KEN_ALL.CSV
rows=$(wc -l <"$sample")
before=$(snapshot "$prefix")
result=$("$prefix/bin/mirabo-cli" rebuild --csv "$sample" 2>&1)
if [ "$(sed -n 's/^ubinno.dat //p' <<<"$result")" = "$rows" ] &&
  [ "$(stat -c %s "$XDG_DATA_HOME/mirabo/ubinno.dat" 2>/dev/null)" = $((rows * 130)) ]; then
  pass cli-rebuild
else fail cli-rebuild "output '$result', ubinno.dat in $XDG_DATA_HOME/mirabo of $(stat -c %s "$XDG_DATA_HOME/mirabo/ubinno.dat" 2>&1)"; fi
# The sample's first row: 0010074, 北海道 鷹寿町 白崎が丘.
result=$("$prefix/bin/mirabo-cli" code --tsv 0010074 2>&1)
if [ "$(head -n1 <<<"$result" | cut -f1-4)" = "$(printf '0010074\t北海道\t鷹寿町\t白崎が丘')" ]; then pass cli-code; else
  fail cli-code "output '$result'"
fi
if [ "$(snapshot "$prefix")" = "$before" ]; then pass cli-writes-nothing-beside-itself; else
  fail cli-writes-nothing-beside-itself "$(diff <(echo "$before") <(snapshot "$prefix") | tr '\n' ' ')"
fi

# ---- The bash completion, with the two helpers of the bash-completion package stood in.
completions() {
  bash -c '
    _init_completion() { words=("${COMP_WORDS[@]}"); cword=$COMP_CWORD; cur=${words[cword]}; prev=${words[cword-1]}; }
    _filedir() { COMPREPLY=("FILES:$*"); }
    source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    _mirabo_cli; echo "${COMPREPLY[*]}"' _ "$prefix/share/bash-completion/completions/mirabo-cli" "$@"
}
c1=$(completions mirabo-cli "") c2=$(completions mirabo-cli --data /tmp c) c3=$(completions mirabo-cli --data "")
c4=$(completions mirabo-cli rebuild --csv "") c5=$(completions mirabo-cli copy 3 --n) c6=$(completions mirabo-cli -)
if [ "$c1" = "browse rebuild download code address copy info changes check" ] && [ "$c2" = "code copy changes check" ] && [ "$c3" = "FILES:-d" ] &&
  [ "$c4" = "FILES:@(csv|CSV|zip|ZIP)" ] && [ "$c5" = "--no-hyphen --no-space" ] && [ "$c6" = "--data --help" ]; then
  pass bash-completion
else fail bash-completion "got '$c1' / '$c2' / '$c3' / '$c4' / '$c5' / '$c6'"; fi

# ---- The installed window under Xvfb: first start, the sample offer, help, exit.
if have xvfb-run && have xdotool && have xclip; then
  if XDG_DATA_HOME=$work/gui-xdg xvfb-run -a -s "-screen 0 1024x768x24" bash "$here/window_check.sh" "$prefix" "$out"; then
    pass window
  else fail window "see the lines above and $out"; fi
  if [ "$(snapshot "$prefix")" = "$before" ]; then pass window-writes-nothing-beside-itself; else
    fail window-writes-nothing-beside-itself "$(diff <(echo "$before") <(snapshot "$prefix") | tr '\n' ' ')"
  fi
else skip window "xvfb-run, xdotool or xclip"; fi

# ---- The Debian package.
if have dpkg-deb && have dpkg-shlibdeps && have cpack; then
  bash "$here/package_check.sh" "$build" "$work/package" "$out" "$expected_files" && pass package || fail package "see the lines above"
else skip package "dpkg-deb, dpkg-shlibdeps (dpkg-dev) or cpack"; fi

log "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ] || exit 1
[ "$skipped" -eq 0 ] || exit 77
exit 0
