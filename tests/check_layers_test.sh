#!/usr/bin/env bash
# The layering check must object to every include that points up or sideways,
# between folders or between the window's rooms, to every loop of includes
# between the units of a folder, and to nothing else: run it on a small
# planted tree, first with right includes only, then with wrong ones too.
set -euo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
plant() {
    mkdir -p "$tree/$(dirname "$1")"
    printf '#include "%s"\n' "${@:2}" >"$tree/$1"
}
fail() {
    echo "FAIL: $*"
    exit 1
}

# Right: down the layers, down the rooms, a unit's source including its own
# header, bare names of a neighbour, a chain without a loop.
plant maths/ok.h "maths/maths.h"
plant colour/ok.cpp "state/image_state.h" "maths/maths.h"
plant render/fast/ok.cpp "render/render_image.h" "colour/palette.h"
plant cli/ok.cpp "render/fast/fast_render.h"
plant app/shared/thumbnail.cpp "app/shared/thumbnail.h" "recipe/recipe.h"
plant app/panel/side_panel.cpp "app/panel/side_panel.h" "app/shared/thumbnail.h"
plant app/atlas/atlas_window.cpp "app/atlas/thumbnail_grid.h" "atlas/atlas_sources.h"
plant app/flights/flight_window.cpp "app/shared/thumbnail.h" "flight/flight.h"
plant app/grid/form1.cpp "app/grid/form1.h" "app/panel/side_panel.h" \
    "app/atlas/atlas_window.h" "app/variations/variations_window.h" \
    "app/flights/flight_window.h"
plant app/main.cpp "app/grid/form1.h"
plant bench/ok.cpp "app/shared/thumbnail_renderer.h"
plant tests/app/window_check.h "app/grid/form1.h"
plant tests/app/form1_test.cpp "window_check.h" "app/grid/magnification.h"
plant render/chain_a.cpp "render/chain_b.h"
plant render/chain_b.h "render/chain_c.h"

status=0
output=$(bash "$check" "$tree") || status=$?
echo "$output"
[[ $status -eq 0 ]] || fail "the check refused a tree of right includes"

# Wrong: up, sideways, across the rooms, between cli and app, a room with no
# layer; a loop through a header and a source, a loop of three bare names.
plant colour/up.cpp "render/render_image.h"
plant maths/sideways.h "state/image_state.h"
plant render/into_fast.cpp "render/fast/fast_render.h"
plant app/into_cli.cpp "cli/run_renderer.h"
plant app/shared/up.cpp "app/panel/side_panel.h"
plant app/atlas/sideways.cpp "app/variations/variant_tile.h"
plant app/panel/into_grid.h "app/grid/form1.h"
plant cli/into_app.cpp "app/shared/thumbnail.h"
plant app/flights/flight.cpp "app/grid/form1.h"
plant app/nowhere/room.cpp "app/shared/thumbnail.h"
plant render/loop_a.h "render/loop_b.h"
plant render/loop_b.cpp "render/loop_a.h"
plant tests/app/one.cpp "two.h"
plant tests/app/two.h "three.h"
plant tests/app/three.h "one.h"
plant tests/app/one.h "maths/ok.h"

status=0
output=$(bash "$check" "$tree") || status=$?
echo "$output"
[[ $status -ne 0 ]] || fail "the check passed a tree with wrong includes"
for wrong in colour/up.cpp maths/sideways.h render/into_fast.cpp app/into_cli.cpp \
    app/shared/up.cpp app/atlas/sideways.cpp app/panel/into_grid.h cli/into_app.cpp \
    app/flights/flight.cpp; do
    grep -q "^$wrong:[0-9]*: includes " <<<"$output" || fail "$wrong was not reported"
done
[[ $(grep -c ': includes ' <<<"$output") -eq 9 ]] || fail "a right include was reported"
grep -q "^app/nowhere/room.cpp: folder app/nowhere has no layer" <<<"$output" ||
    fail "a room with no layer was not reported"
grep -q "^render: units include each other in a loop: loop_a loop_b$" <<<"$output" ||
    fail "the loop in render/ was not reported"
grep -q "^tests/app: units include each other in a loop: one three two$" <<<"$output" ||
    fail "the loop in tests/app/ was not reported"
[[ $(grep -c 'in a loop' <<<"$output") -eq 2 ]] || fail "a unit outside a loop was reported"
echo "the layering check caught every wrong include and loop, and only those"
