#!/usr/bin/env bash
# A flight drawn on a real Slurm cluster of one node, this machine: the job
# array's shares together hold every frame once, bit for bit the frames one
# process draws, and the assembling job makes the video; a share that fails
# cancels the assembly; submit-flight refuses bad settings before queueing
# anything. Skipped (77) where Slurm or munge cannot start here.
#
#   slurm_flight_test.sh SEEDSCAPE_RENDER SOURCE_ROOT
set -euo pipefail
program=$(realpath "$1")
submit=$2/contrib/slurm/submit-flight
# shellcheck source=tests/cluster/one_node_slurm.sh
source "$(dirname "$0")/one_node_slurm.sh"

# The help is read whole first: grep -q would stop reading at its match and
# leave the program writing into a closed pipe.
help=$("$program" --help 2>&1) || true
grep -q -- '--flight' <<<"$help" || Skip "$program draws no flights (no --flight)"

work=$(mktemp -d /tmp/seedscape-slurm.XXXXXX)
trap 'StopOneNodeSlurm; rm -rf "$work"' EXIT
trap 'exit 1' INT TERM
fail() {
    echo "FAIL: $*"
    tail -n +1 "$work"/jobs/*.out 2>/dev/null || true
    exit 1
}

StartOneNodeSlurm "$work"
echo "one-node Slurm up: $(sinfo -h -N -o '%N, %c CPUs, %t')"
mkdir "$work/jobs"
cd "$work/jobs"

# A zoom of 1.1 s at 10 frames a second: 12 frames.
cat >"$work/zoom.flight" <<'FLIGHT'
seedscape-flight/1 fps=10 scale=1 supersample=1
at=0 seedscape/1 seed=449139
at=1.1 seedscape/1 seed=449139 press=150,100@20
FLIGHT
frame_count=$("$program" --flight "$work/zoom.flight" --frame-count) || fail "the test flight does not read"
[[ "$frame_count" -ge 8 ]] || fail "the test flight has $frame_count frames, too few for four shares"
echo "not a flight" >"$work/bad.flight"

# Refusals: each row is the arguments and a word its one-line message holds.
# None may queue a job.
refusals=(
    "--tasks|--tasks 0 $work/zoom.flight $work/f $work/v.mp4"
    "--at-once|--at-once many $work/zoom.flight $work/f $work/v.mp4"
    "usage|$work/zoom.flight $work/f"
    "cannot read|$work/missing.flight $work/f $work/v.mp4"
    "does not read|$work/bad.flight $work/f $work/v.mp4"
    "no program|--program $work/missing-program $work/zoom.flight $work/f $work/v.mp4"
)
for row in "${refusals[@]}"; do
    word=${row%%|*}
    read -ra arguments <<<"${row#*|}"
    status=0
    message=$(bash "$submit" --program "$program" "${arguments[@]}" 2>&1 >/dev/null) || status=$?
    [[ $status -eq 2 && $(wc -l <<<"$message") -eq 1 && "$message" == *"$word"* ]] ||
        fail "submit-flight ${row#*|}: exit $status, '$message' (expected exit 2, one line with '$word')"
done
status=0
message=$(env -u SLURM_ARRAY_TASK_ID -u SLURM_ARRAY_TASK_COUNT bash "$2/contrib/slurm/flight.sbatch" \
    "$work/zoom.flight" "$work/f" "$program" 2>&1) || status=$?
[[ $status -eq 2 && "$message" == *"job array"* ]] || fail "flight.sbatch ran outside an array: '$message'"
[[ -z "$(squeue -h -t all)" && ! -e "$work/f" ]] || fail "a refused submission queued a job or made a folder"
echo "submit-flight refused ${#refusals[@]} bad settings, and flight.sbatch a run outside an array"

# Job states as scontrol keeps them after the jobs left the queue.
states() { scontrol -o show job "$1" | grep -o 'JobState=[A-Z_]*' | cut -d= -f2 | sort | uniq -c | xargs; }

# Four shares, two at a time, then the video. The node is held while they
# are queued, so that the queue shows what was asked of Slurm.
node=$(sinfo -h -N -o %N)
scontrol update NodeName="$node" State=DRAIN Reason="queueing a flight"
ids=$(bash "$submit" --tasks 4 --at-once 2 --program "$program" \
    "$work/zoom.flight" "$work/frames" "$work/zoom.mp4") || fail "submit-flight failed"
read -r array assemble <<<"$(xargs <<<"$ids")"
[[ "$array" =~ ^[0-9]+$ && "$assemble" =~ ^[0-9]+$ ]] || fail "submit-flight printed '$ids', not two job ids"
queued=$(scontrol -o show job "$array"; scontrol -o show job "$assemble")
grep -q "ArrayTaskId=0-3%2 " <<<"$queued" || fail "the array was not queued as 0-3%2: $queued"
grep -q "Dependency=afterok:${array}_\*" <<<"$queued" || fail "the assembly does not wait for every share: $queued"
scontrol update NodeName="$node" State=RESUME
WaitUntilGone 150 "$array" "$assemble" || fail "the jobs did not finish in 150 s: $(squeue)"
[[ "$(states "$array")" == "4 COMPLETED" ]] || fail "the array's tasks ended $(states "$array")"
[[ "$(states "$assemble")" == "1 COMPLETED" ]] || fail "the assembling job ended $(states "$assemble")"
[[ -s "$work/zoom.mp4" && "$(head -c 8 "$work/zoom.mp4" | tail -c 4)" == ftyp ]] ||
    fail "the assembling job wrote no MP4 video"

# Every frame once, and nothing else, in the shared folder.
expected=$(for ((frame = 0; frame < frame_count; frame++)); do printf '%06d.png\n' "$frame"; done)
found=$(find "$work/frames" -mindepth 1 -printf '%f\n' | sort)
[[ "$found" == "$expected" ]] ||
    fail "the frames folder holds $(xargs <<<"$found"), not frames 0 to $((frame_count - 1)) once each"

# The same frames from one process, byte for byte.
mkdir "$work/one"
"$program" --flight "$work/zoom.flight" --frames "0-$((frame_count - 1))" -o "$work/one/" >/dev/null ||
    fail "one process could not draw the frames"
for ((frame = 0; frame < frame_count; frame++)); do
    name=$(printf '%06d.png' "$frame")
    cmp -s "$work/frames/$name" "$work/one/$name" || fail "frame $frame drawn by the array differs from one process's"
done
echo "4 array tasks, 2 at a time, drew $frame_count frames, each once and as one process draws it; the video was assembled"

# A share that fails, as on a node that dies: the program exits 3 as share 1
# of 3. The other shares draw, but the assembly must be cancelled, writing
# nothing. And an array with a step would leave shares undrawn: each of its
# tasks must refuse to draw.
cat >"$work/failing-render" <<WRAPPER
#!/usr/bin/env bash
[[ " \$* " == *" --share 1/3 "* ]] && { echo "share 1 fails on purpose" >&2; exit 3; }
exec $(printf '%q' "$program") "\$@"
WRAPPER
chmod +x "$work/failing-render"
ids=$(bash "$submit" --tasks 3 --program "$work/failing-render" \
    "$work/zoom.flight" "$work/partial" "$work/partial.mp4") || fail "submit-flight failed"
read -r array assemble <<<"$(xargs <<<"$ids")"
stepped=$(sbatch --parsable --array=0-4:2 "$2/contrib/slurm/flight.sbatch" \
    "$work/zoom.flight" "$work/stepped" "$program") || fail "sbatch refused a stepped array"
WaitUntilGone 60 "$array" "$assemble" "$stepped" || fail "the failing jobs did not leave the queue in 60 s: $(squeue)"
[[ "$(states "$array")" == "2 COMPLETED 1 FAILED" ]] || fail "shares of which one fails ended $(states "$array")"
[[ "$(states "$assemble")" == "1 CANCELLED" ]] || fail "after a failed share the assembling job ended $(states "$assemble")"
[[ ! -e "$work/partial.mp4" ]] || fail "a video was written from a failed share"
[[ "$(states "$stepped")" == "3 FAILED" ]] || fail "a stepped array's tasks ended $(states "$stepped")"
grep -q "without a step" "slurm-${stepped}_0.out" || fail "the stepped array's task did not say why it failed"
[[ -z "$(ls -A "$work/stepped" 2>/dev/null)" ]] || fail "a stepped array drew frames"
echo "a failed share cancelled the assembly, no video was written, and a stepped array drew nothing"
