#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the project's own sources, compiled as
# the debug build compiles them (build/debug/compile_commands.json; the build is configured
# and its generated headers made when they are missing). Any finding fails the script.
#   scripts/tidy.sh [BASE]   the files changed since the merge base of HEAD and BASE (default
#                            HEAD^, the previous commit: for a merge, everything it brings)
#   scripts/tidy.sh --all    every source file of the build
# A changed header is checked through the source file of the same name beside it, or else
# through the source files that include it. A change to a .clang-tidy or to this script, or a
# base that the clone does not hold, checks everything.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/debug
jobs=${JOBS:-$(nproc)}

if [[ ! -f $build/compile_commands.json ]]; then
  cmake --preset debug >/dev/null
fi
# The project's own translation units of the build, relative to the checkout.
mapfile -t units < <(python3 - "$build/compile_commands.json" "$PWD" <<'PY'
import json, os, sys
root = sys.argv[2]
for entry in json.load(open(sys.argv[1])):
    path = os.path.relpath(os.path.join(entry["directory"], entry["file"]), root)
    if not path.startswith(("build/", "../")):
        print(path)
PY
)

changed_units() {
  local base=$1 merge_base
  if ! merge_base=$(git merge-base HEAD "$base" 2>/dev/null); then
    echo "tidy: $base is not in this clone: every file checked" >&2
    printf '%s\n' "${units[@]}"
    return
  fi
  mapfile -t changed < <(git diff --name-only --diff-filter=d "$merge_base" HEAD)
  local file
  for file in "${changed[@]}"; do
    if [[ $file == .clang-tidy || $file == */.clang-tidy || $file == scripts/tidy.sh ]]; then
      printf '%s\n' "${units[@]}"
      return
    fi
  done
  for file in "${changed[@]}"; do
    case $file in
      *.cc) printf '%s\n' "$file" ;;
      *.h)
        if [[ -f ${file%.h}.cc ]]; then
          printf '%s\n' "${file%.h}.cc"
        else
          grep -lF "#include \"${file#src/}\"" "${units[@]}" || true
          grep -lF "#include \"$file\"" "${units[@]}" || true
        fi
        ;;
    esac
  done
}

if [[ ${1:-} == --all ]]; then
  selected=("${units[@]}")
else
  # Only files the build compiles: a file of another platform's build is not checked here.
  mapfile -t selected < <(comm -12 <(changed_units "${1:-HEAD^}" | sort -u) \
    <(printf '%s\n' "${units[@]}" | sort -u))
fi

if ((${#selected[@]} == 0)); then
  echo "tidy: no source file to check"
  exit 0
fi
# The files the build generates and the sources include: the version stamp always, the Qt
# meta-object sources (which wait for the libraries the window tests link) when needed.
cmake --build "$build" --target konwerter_version_stamp >/dev/null
if grep -qE '^#include "[^"]*\.moc"' "${selected[@]}"; then
  mapfile -t autogen < <(cmake --build "$build" --target help |
    sed -n 's/^\([A-Za-z0-9_]*_autogen\): .*/\1/p')
  ((${#autogen[@]} == 0)) || cmake --build "$build" --target "${autogen[@]}" >/dev/null
fi

echo "tidy: checking ${#selected[@]} files with $jobs jobs"
# Each file's findings printed whole, as the file finishes. GCC's warning options the build
# uses that clang does not know are no finding.
printf '%s\0' "${selected[@]}" | xargs -0 -n 1 -P "$jobs" sh -c '
  if ! out=$(clang-tidy -p "$0" --quiet --extra-arg=-Wno-unknown-warning-option "$1" 2>&1); then
    printf "%s\n" "$out" | grep -v "^[0-9]* warnings\? generated\.$" >&2
    echo "tidy: findings in $1" >&2
    exit 1
  fi' "$build"
echo "tidy: ${#selected[@]} files clean"
