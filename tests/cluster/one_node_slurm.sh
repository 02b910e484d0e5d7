# shellcheck shell=bash
# A Slurm cluster of one node, this machine, with a munge daemon of its own:
# every file in one folder, ports of its own, so that a Slurm or munge already
# running here is left alone. Sourced by the cluster tests; what cannot start
# ends the test as skipped (77) with the reason.
#
#   StartOneNodeSlurm DIR    starts munged, slurmctld and slurmd; exports SLURM_CONF
#   StopOneNodeSlurm         cancels every job and stops the daemons (call it from a trap)
#   WaitUntilGone SECONDS ID...   waits until squeue lists none of the jobs

Skip() {
    echo "SKIPPED: $*"
    exit 77
}

cluster_pids=()
own_slurm_conf=""  # set once this cluster's configuration is written

StopOneNodeSlurm() {
    # Running jobs live on in slurmstepd once slurmd is gone: end them first,
    # and only on this cluster, never on one named by the environment.
    if [[ -n "$own_slurm_conf" ]]; then
        export SLURM_CONF=$own_slurm_conf
        scancel --quiet --user="$(id -un)" 2>/dev/null || true
        local tries
        for ((tries = 0; tries < 20; tries++)); do
            [[ -z "$(squeue -h 2>/dev/null)" ]] && break
            sleep 0.5
        done
    fi
    # slurmd, slurmctld, then munged: each stops while what it talks to runs.
    local pid index
    for ((index = ${#cluster_pids[@]} - 1; index >= 0; index--)); do
        kill "${cluster_pids[index]}" 2>/dev/null || true
    done
    for pid in "${cluster_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    cluster_pids=()
    own_slurm_conf=""
}

# Two neighbouring ports that nothing listens on.
FreePortPair() {
    local port tries
    for ((tries = 0; tries < 50; tries++)); do
        port=$((20000 + RANDOM % 20000))
        if ! (: >"/dev/tcp/127.0.0.1/$port") 2>/dev/null &&
            ! (: >"/dev/tcp/127.0.0.1/$((port + 1))") 2>/dev/null; then
            echo "$port"
            return 0
        fi
    done
    return 1
}

StartMunge() {
    local dir=$1
    command -v munged >/dev/null || Skip "munge is not installed (no munged)"
    command -v munge >/dev/null || Skip "munge is not installed (no munge)"
    if command -v mungekey >/dev/null; then
        mungekey --create --keyfile="$dir/munge.key" >/dev/null 2>&1 || Skip "mungekey could not make a key"
    else
        dd if=/dev/urandom of="$dir/munge.key" bs=1024 count=1 status=none
    fi
    chmod 0400 "$dir/munge.key"
    munge_socket=$dir/munge.socket
    local force=()
    [[ $(id -u) -eq 0 ]] && force=(--force)
    # In the foreground, munged stays this shell's child: the trap stops it
    # by its process id, and no daemon outlives the test.
    munged --foreground "${force[@]}" --socket="$munge_socket" --key-file="$dir/munge.key" \
        --pid-file="$dir/munged.pid" --log-file="$dir/munged.log" --seed-file="$dir/munged.seed" \
        >"$dir/munged.out" 2>&1 &
    cluster_pids+=($!)
    local tries
    for ((tries = 0; tries < 40; tries++)); do
        [[ -S "$munge_socket" ]] && break
        kill -0 "${cluster_pids[0]}" 2>/dev/null || Skip "munged refused to start: $(tail -n 3 "$dir/munged.out")"
        sleep 0.25
    done
    munge --socket="$munge_socket" --no-input | unmunge --socket="$munge_socket" >/dev/null ||
        Skip "munged started but a credential it made does not decode"
}

WriteSlurmConf() {
    local dir=$1 host=$2 port=$3
    cat >"$dir/slurm.conf" <<CONF
ClusterName=seedscape-test
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=$port
SlurmdPort=$((port + 1))
SlurmUser=$(id -un)
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$munge_socket
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
MpiDefault=none
ReturnToService=2
# Finished jobs stay in scontrol long enough for the test to read how they ended.
MinJobAge=600
NodeName=$host NodeAddr=127.0.0.1 CPUs=$(nproc) State=UNKNOWN
PartitionName=test Nodes=$host Default=YES MaxTime=INFINITE State=UP
CONF
}

StartOneNodeSlurm() {
    local dir=$1 daemon
    for daemon in slurmctld slurmd sbatch squeue sinfo scontrol scancel; do
        command -v "$daemon" >/dev/null || Skip "Slurm is not installed (no $daemon)"
    done
    # slurmd starts each job as the job's owner, which only root may do.
    [[ $(id -u) -eq 0 ]] || Skip "slurmd needs root to run jobs"
    # Settings of another cluster in the environment would reach this one's
    # commands and jobs.
    local name
    for name in $(compgen -e | grep -E '^(SLURM|SBATCH|SQUEUE|SINFO|SCONTROL|SCANCEL)_'); do
        unset "$name"
    done
    StartMunge "$dir"
    local host port
    host=$(hostname -s)
    port=$(FreePortPair) || Skip "found no free ports"
    mkdir -p "$dir/state" "$dir/spool"
    WriteSlurmConf "$dir" "$host" "$port"
    own_slurm_conf=$dir/slurm.conf
    export SLURM_CONF=$own_slurm_conf
    slurmctld -D -f "$SLURM_CONF" >"$dir/slurmctld.out" 2>&1 &
    cluster_pids+=($!)
    slurmd -D -f "$SLURM_CONF" >"$dir/slurmd.out" 2>&1 &
    cluster_pids+=($!)
    local tries pid
    for ((tries = 0; tries < 60; tries++)); do
        for pid in "${cluster_pids[@]}"; do
            kill -0 "$pid" 2>/dev/null ||
                Skip "a Slurm daemon stopped at start: $(tail -n 5 "$dir"/slurmctld.out "$dir"/slurmd.out)"
        done
        [[ "$(sinfo -h -N -o %t 2>/dev/null)" == idle ]] && return 0
        sleep 0.5
    done
    Skip "the node did not become idle in 30 s: $(sinfo -N 2>&1 | tail -n 2)"
}

WaitUntilGone() {
    local seconds=$1 tries
    shift
    local ids
    ids=$(
        IFS=,
        echo "$*"
    )
    for ((tries = 0; tries < seconds * 2; tries++)); do
        [[ -z "$(squeue -h -j "$ids" 2>/dev/null)" ]] && return 0
        sleep 0.5
    done
    return 1
}
