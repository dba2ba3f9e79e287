#!/usr/bin/env bash
# Builds the Debian package for install_test.sh and checks its name, file list, control
# fields and, where lintian is present, that lintian reports no error.
#
#   package_check.sh BUILD-FOLDER PACKAGE-FOLDER OUTPUT-FOLDER EXPECTED-FILES
set -u
build=$1
folder=$2
out=$3
expected=$4
say() { echo "install: package: $*"; }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$folder" >"$out/cpack.log" 2>&1; then
  say "cpack failed (see $out/cpack.log)"
  exit 1
fi
debs=("$folder"/mirabo_*_amd64.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { say "expected one mirabo_*_amd64.deb, found: ${debs[*]}"; exit 1; }
deb=${debs[0]}
field() { dpkg-deb -f "$deb" "$1"; }
status=0
check() { # check NAME CONDITION-TEXT COMMAND...
  local name=$1 what=$2
  shift 2
  if "$@"; then say "ok $name"; else say "wrong $name: $what"; status=1; fi
}

check file-name "$(basename "$deb") for version $(field Version)" [ "$(basename "$deb")" = "mirabo_$(field Version)_amd64.deb" ]
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort)
check file-list "$(diff <(echo "$expected") <(echo "$files") | tr '\n' ' ')" [ "$files" = "$expected" ]
check depends "Depends: $(field Depends)" grep -qE '(^|, )libqt6widgets6( |,|$)' <<<"$(field Depends)"
check depends-libc "Depends: $(field Depends)" grep -qE '(^|, )libc6( |,|$)' <<<"$(field Depends)"
check section "Section: $(field Section)" [ "$(field Section)" = utils ]
check maintainer "Maintainer: $(field Maintainer)" grep -qE '^[^<]+ <[^@ ]+@[^> ]+>$' <<<"$(field Maintainer)"
check description "Description: $(field Description | head -n1)" [ "$(field Description | wc -l)" -gt 3 ]
if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$deb" >"$out/lintian.log" 2>&1
  sed 's/^/install: package: lintian: /' "$out/lintian.log"
  check lintian "errors in $out/lintian.log" eval '! grep -q "^E:" "$out/lintian.log"'
else
  say "lintian is missing: not run (scripts/install-deps installs it)"
fi
exit $status
