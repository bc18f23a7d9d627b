#!/usr/bin/env bash
# Peak memory (maximum resident set size, from /usr/bin/time -v) of tessaloom-cli
# exporting a sprite as an animated GIF and showing its info, beside the size of its
# decoded pixels, for sprites of 200 x 200 figure frames that the bench writes itself.
#   bench/memory/peak.sh [BUILD_DIR] [FRAMES...]     (default: build 300 20000)
# Needs the targets tessaloom-cli and tessaloom_figure_sprite.
set -euo pipefail

build=${1:-build}
shift || true
counts=("$@")
[ ${#counts[@]} -eq 0 ] && counts=(300 20000)
side=200
cli=$build/src/cli/tessaloom-cli
make_sprite=$build/bench/tessaloom_figure_sprite
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Peak resident set of the command, in kilobytes.
peak_kb() {
  /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ {print $2}'
}
mb() { awk -v kb="$1" 'BEGIN {printf "%.1f", kb / 1024}'; }

printf '%8s %12s %10s %14s %12s %12s\n' frames decoded_MB file_MB export_anim_MB info_MB info/decoded
for frames in "${counts[@]}"; do
  sprite=$work/figure-$frames.spr
  "$make_sprite" "$sprite" "$frames" "$side"
  # Every frame is stored in rows of RowStride(200) = 200 bytes.
  decoded_kb=$((frames * side * side / 1024))
  file_kb=$(($(stat -c %s "$sprite") / 1024))
  export_kb=$(peak_kb "$cli" export "$sprite" "$work/figure-$frames.gif" --format anim)
  info_kb=$(peak_kb "$cli" info "$sprite")
  ratio=$(awk -v a="$info_kb" -v b="$decoded_kb" 'BEGIN {printf "%.2f", a / b}')
  printf '%8s %12s %10s %14s %12s %12s\n' "$frames" "$(mb $decoded_kb)" "$(mb $file_kb)" "$(mb $export_kb)" \
    "$(mb $info_kb)" "$ratio"
  rm -f "$sprite" "$work/figure-$frames.gif"
done
