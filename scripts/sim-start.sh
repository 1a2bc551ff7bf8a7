# Sourced by scripts/run: starts linkbench-sim in the background and waits for
# the device it prints on its first line.
#     linkbench_start_sim SIM OUT LOG [simulator options...]
# Sets sim_pid and device. Returns 0 when the simulator is running and has
# printed a device that exists. Otherwise it shows what the simulator said
# (OUT on standard output, LOG on standard error) and returns the simulator's
# exit status when it has ended (0 after --help), or 1 when it runs without
# having printed a device.
linkbench_start_sim() {
    local sim=$1 out=$2 log=$3
    shift 3
    # Made here, not by the background job's redirections, which may not have
    # run yet when the first look below reads OUT.
    : >"$out"
    : >"$log"
    "$sim" "$@" >>"$out" 2>>"$log" &
    sim_pid=$!
    device=""
    local first="" _
    for _ in $(seq 100); do
        first=$(head -n 1 "$out")
        if [ -n "$first" ] || ! kill -0 "$sim_pid" 2>/dev/null; then
            break
        fi
        sleep 0.1
    done
    if [ -n "$first" ] && [ -c "$first" ] && kill -0 "$sim_pid" 2>/dev/null; then
        device=$first
        return 0
    fi
    # Not a device: a simulator that printed its help or refused its options
    # is ending; give it a moment to finish its output.
    for _ in $(seq 20); do
        kill -0 "$sim_pid" 2>/dev/null || break
        sleep 0.05
    done
    local status=1
    if ! kill -0 "$sim_pid" 2>/dev/null; then
        status=0
        wait "$sim_pid" || status=$?
    fi
    cat "$out"
    cat "$log" >&2
    if [ "$status" -ne 0 ]; then
        echo "scripts/run: 模拟器未提供串口设备（the simulator gave no device to open）" >&2
    fi
    return "$status"
}
