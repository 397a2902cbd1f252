#!/usr/bin/env bash
# Layering check, run by ctest: every #include "folder/..." of the product code must point down
# the layers, never up.
#
#   platform  <  common  <  comm, wizard  <  panel  <  cli
#
# comm and wizard share a layer but do not include each other. tests/, fuzz/ and bench/ sit above
# everything and are not checked.
#
# Inside panel/ the stage folders follow the data's flow; a stage may include itself and the
# stages before it, never one after it:
#
#   model (with the public face at panel/'s top)  <  language  <  prj  <  check  <  properties
#   <  room, image          (room and image do not include each other)
#
# image/code_table/ is the packer inside image/: image may include it; it may include the stages
# before image but not image itself.
#
# Prints every offending line as file:line: "included" (reason) and exits 1 when there is one.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

layer_of() {  # top-level folder -> layer number, or empty when unchecked
  case "$1" in
    platform) echo 0 ;; common) echo 1 ;; comm|wizard) echo 2 ;; panel) echo 3 ;; cli) echo 4 ;;
    *) echo "" ;;
  esac
}

stage_of() {  # path inside panel/ -> stage name
  local rest=${1#panel/}
  case "$rest" in
    image/code_table/*) echo code_table ;;
    */*) echo "${rest%%/*}" ;;
    *) echo model ;;
  esac
}

stage_rank() {
  case "$1" in
    model) echo 0 ;; language) echo 1 ;; prj) echo 2 ;; check) echo 3 ;; properties) echo 4 ;;
    room|code_table) echo 5 ;; image) echo 6 ;; *) echo 99 ;;
  esac
}

stage_allows() {  # may stage $1 include stage $2?
  local from=$1 to=$2
  [ "$from" = "$to" ] && return 0
  [ "$from" = image ] && [ "$to" = code_table ] && return 0
  [ "$to" = room ] || [ "$to" = image ] || [ "$to" = code_table ] && return 1
  [ "$(stage_rank "$to")" -lt "$(stage_rank "$from")" ]
}

failures=0
while IFS= read -r file; do
  top=${file%%/*}
  from_layer=$(layer_of "$top")
  [ -n "$from_layer" ] || continue
  while IFS=: read -r line included; do
    target_top=${included%%/*}
    to_layer=$(layer_of "$target_top")
    [ -n "$to_layer" ] || continue
    reason=""
    if [ "$target_top" != "$top" ]; then
      if [ "$to_layer" -ge "$from_layer" ]; then reason="$top may not include $target_top"; fi
    elif [ "$top" = panel ]; then
      from_stage=$(stage_of "$file")
      to_stage=$(stage_of "$included")
      stage_allows "$from_stage" "$to_stage" || reason="panel stage $from_stage may not include $to_stage"
    fi
    if [ -n "$reason" ]; then
      echo "$file:$line: \"$included\" ($reason)"
      failures=$((failures + 1))
    fi
  done < <(grep -n -o -E '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"]+"' "$file" |
           sed -E 's/^([0-9]+):[^"]*"([^"]+)"/\1:\2/')
done < <(find platform common comm wizard panel cli -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)

if [ "$failures" -gt 0 ]; then
  echo "layering: $failures include(s) against the layers"
  exit 1
fi
echo "layering: every include points down the layers"
