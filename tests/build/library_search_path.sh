#!/bin/bash
# The programs' own library search path (RUNPATH or RPATH) may name only absolute
# folders: an empty or relative entry makes the loader look in the working folder,
# where anyone who can write there could plant a library.
# Usage: library_search_path.sh PROGRAM...
set -u
status=0
for program in "$@"; do
  paths=$(readelf -d "$program" | sed -n 's/.*Library r\(un\)\{0,1\}path: \[\(.*\)\]$/\2/p')
  [ -z "$paths" ] && continue
  IFS=: read -r -a entries <<<"$paths:"
  for entry in "${entries[@]}"; do
    case "$entry" in
      /* | '$ORIGIN'*) ;;
      *) echo "$program: the library search path '$paths' has the entry '$entry'"; status=1; break ;;
    esac
  done
done
exit $status
