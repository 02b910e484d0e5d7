#!/usr/bin/env bash
# The layering check must object to every include that points up or sideways,
# and to nothing else: run it on a small planted tree.
set -euo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
plant() {
    mkdir -p "$tree/$(dirname "$1")"
    printf '#include "%s"\n' "${@:2}" >"$tree/$1"
}
plant maths/ok.h "maths/maths.h"
plant colour/ok.cpp "state/image_state.h" "maths/maths.h"
plant render/fast/ok.cpp "render/render_image.h" "colour/palette.h"
plant cli/ok.cpp "render/fast/fast_render.h"
plant colour/up.cpp "render/render_image.h"
plant maths/sideways.h "state/image_state.h"
plant render/into_fast.cpp "render/fast/fast_render.h"
plant app/into_cli.cpp "cli/run_renderer.h"

status=0
output=$(bash "$check" "$tree") || status=$?
echo "$output"
[[ $status -ne 0 ]] || { echo "FAIL: the check passed a tree with wrong includes"; exit 1; }
for wrong in colour/up.cpp maths/sideways.h render/into_fast.cpp app/into_cli.cpp; do
    grep -q "^$wrong:" <<<"$output" || { echo "FAIL: $wrong was not reported"; exit 1; }
done
[[ $(grep -c ': includes ' <<<"$output") -eq 4 ]] || { echo "FAIL: a right include was reported"; exit 1; }
echo "the layering check caught every wrong include, and only those"
