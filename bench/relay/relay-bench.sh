#!/usr/bin/env bash
# Relay benchmarks: the direct loopback path, tarvix-relay, HAProxy (TCP mode, no splice), socat and rinetd, all
# measured in this run, in ROUNDS rounds with the order rotated; each median printed with its ratio to direct
# and tarvix-relay's to the best peer. Usage: bench/relay/relay-bench.sh BIN_DIR
# BIN_DIR holds tarvix-relay and the bench_* tools (a Release build). Needs iperf3, haproxy, socat, rinetd, jq,
# taskset. BASELINE_BIN=DIR adds the column "baseline": the tarvix-relay in DIR (an earlier build), measured in
# the same run.
set -euo pipefail
bin=$(cd "$1" && pwd)
THROUGHPUT_SECONDS=${THROUGHPUT_SECONDS:-3}
PINGPONG_SECONDS=${PINGPONG_SECONDS:-2}
CONNRATE_SECONDS=${CONNRATE_SECONDS:-3}
HOLD_COUNT=${HOLD_COUNT:-9000}
HOLD_SECONDS=${HOLD_SECONDS:-20} # a relay slower than this to take the clients shows as fewer held
ROUNDS=${ROUNDS:-3}

all_paths=(direct tarvix-relay haproxy socat rinetd)
[ -z "${BASELINE_BIN:-}" ] || all_paths+=(baseline)
peers=(haproxy socat rinetd)
paths=("${all_paths[@]}")
work=$(mktemp -d /tmp/tarvix-bench.XXXXXX)
daemons=()
declare -A result

cleanup() {
    stop_all
    rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "$0")/bench-lib.sh"

# Proportional set size of a process and its children: the fair memory figure for one-process-per-connection
# relays. Reading thousands of smaps is slow, so the children (all alike) are sampled and the sum scaled.
pss_kib() { awk '/^Pss:/ { print $2 }' "/proc/$1/smaps_rollup" 2>/dev/null || echo 0; }
pss_tree_kib() {
    local children n step total=0 sampled=0 i
    mapfile -t children < <(pgrep -P "$1" || true)
    n=${#children[@]}
    step=$(( n > 300 ? n / 300 : 1 ))
    for ((i = 0; i < n; i += step)); do
        total=$((total + $(pss_kib "${children[i]}")))
        sampled=$((sampled + 1))
    done
    echo $(( $(pss_kib "$1") + (sampled > 0 ? total * n / sampled : 0) ))
}

# start_all [pin]: echo server, iperf3 server and the three relays in front of both; with "pin", all on core 0.
# Fills iperf_port[path], echo_port[path], pid[path] (the relay process to measure; for socat the parent
# that forks the echo mapping's connections) and iperf_pid[path] (the same for the iperf3 mapping).
declare -A iperf_port echo_port pid iperf_pid
start_all() {
    local run=()
    [ "${1:-}" = pin ] && run=(taskset -c 0)
    local ports
    mapfile -t ports < <("$bin/bench_ports" 7)

    "${run[@]}" "$bin/bench_echo" --port "${ports[0]}" >/dev/null &
    daemons+=($!)
    "${run[@]}" iperf3 -s -p "${ports[1]}" >/dev/null 2>&1 &
    daemons+=($!)
    iperf_port[direct]=${ports[1]}
    echo_port[direct]=${ports[0]}
    pid[direct]=
    iperf_pid[direct]=

    iperf_port[tarvix-relay]=${ports[2]}
    echo_port[tarvix-relay]=${ports[3]}
    start_tarvix tarvix-relay "$bin" iperf "${ports[2]}" "${ports[1]}" echo "${ports[3]}" "${ports[0]}"
    iperf_pid[tarvix-relay]=${pid[tarvix-relay]}

    if [ -n "${BASELINE_BIN:-}" ]; then
        local b
        mapfile -t b < <("$bin/bench_ports" 2)
        iperf_port[baseline]=${b[0]}
        echo_port[baseline]=${b[1]}
        start_tarvix baseline "$BASELINE_BIN" iperf "${b[0]}" "${ports[1]}" echo "${b[1]}" "${ports[0]}"
        iperf_pid[baseline]=${pid[baseline]}
    fi

    iperf_port[socat]=${ports[4]}
    echo_port[socat]=${ports[5]}
    "${run[@]}" socat "TCP4-LISTEN:${ports[4]},bind=127.0.0.1,reuseaddr,fork,backlog=4096" "TCP4:127.0.0.1:${ports[1]}" 2>>"$work/socat.log" &
    iperf_pid[socat]=$!
    daemons+=($!)
    "${run[@]}" socat "TCP4-LISTEN:${ports[5]},bind=127.0.0.1,reuseaddr,fork,backlog=4096" "TCP4:127.0.0.1:${ports[0]}" 2>>"$work/socat.log" &
    pid[socat]=$!
    daemons+=($!)

    local h
    mapfile -t h < <("$bin/bench_ports" 2)
    iperf_port[haproxy]=${h[0]}
    echo_port[haproxy]=${h[1]}
    haproxy_conf "${h[0]}" "${ports[1]}" >"$work/haproxy-iperf.cfg"
    haproxy_conf "${h[1]}" "${ports[0]}" >"$work/haproxy-echo.cfg"
    "${run[@]}" haproxy -db -f "$work/haproxy-iperf.cfg" 2>>"$work/haproxy.log" &
    iperf_pid[haproxy]=$!
    daemons+=($!)
    "${run[@]}" haproxy -db -f "$work/haproxy-echo.cfg" 2>>"$work/haproxy.log" &
    pid[haproxy]=$!
    daemons+=($!)

    local r
    mapfile -t r < <("$bin/bench_ports" 2)
    iperf_port[rinetd]=${r[0]}
    echo_port[rinetd]=${r[1]}
    printf '127.0.0.1 %s 127.0.0.1 %s\n127.0.0.1 %s 127.0.0.1 %s\n' "${r[0]}" "${ports[1]}" "${r[1]}" "${ports[0]}" \
        >"$work/rinetd.conf"
    "${run[@]}" rinetd -f -c "$work/rinetd.conf" &
    pid[rinetd]=$!
    iperf_pid[rinetd]=$!
    daemons+=($!)

    local path
    for path in "${paths[@]}"; do
        wait_port "${iperf_port[$path]}"
        wait_port "${echo_port[$path]}"
    done
}

# ---------------------------------------------------------------- throughput
bench_throughput() {
    local path streams json gbit bytes c0 c1
    for streams in 1 4; do
        for path in "${paths[@]}"; do
            c0=$(relay_cpu_ms "${iperf_pid[$path]}")
            json=$(iperf3 -c 127.0.0.1 -p "${iperf_port[$path]}" -t "$THROUGHPUT_SECONDS" -P "$streams" -J)
            sleep 0.5  # forked relays are reaped, their time counted
            c1=$(relay_cpu_ms "${iperf_pid[$path]}")
            gbit=$(jq '.end.sum_received.bits_per_second / 1e9' <<<"$json")
            bytes=$(jq '.end.sum_received.bytes' <<<"$json")
            result[tp$streams,$path]=$(awk -v g="$gbit" 'BEGIN { printf "%.2f", g }')
            [ -n "${iperf_pid[$path]}" ] &&
                result[tpcpu$streams,$path]=$(awk -v c=$((c1 - c0)) -v b="$bytes" 'BEGIN { printf "%.2f", c / 1000 / (b / 1e9) }')
            log "throughput, $streams stream(s), $path: ${result[tp$streams,$path]} Gbit/s, relay CPU ${result[tpcpu$streams,$path]:--} s/GB"
        done
    done
}

# ---------------------------------------------------------------- round trips, pinned
bench_pingpong() {
    local path line c0 c1
    for path in "${paths[@]}"; do
        c0=$(relay_cpu_ms "${pid[$path]}")
        line=$(taskset -c 0 "$bin/bench_pingpong" "${echo_port[$path]}" --seconds "$PINGPONG_SECONDS" --size 64)
        c1=$(relay_cpu_ms "${pid[$path]}")
        result[p50,$path]=$(field p50_us "$line")
        result[p99,$path]=$(field p99_us "$line")
        [ -n "${pid[$path]}" ] &&
            result[ppcpu,$path]=$(awk -v c=$((c1 - c0)) -v n="$(field rounds "$line")" 'BEGIN { printf "%.1f", c * 1000 / (n + 1000) }')
        log "ping-pong 64 B, pinned, $path: $line, relay CPU ${result[ppcpu,$path]:--} us per round trip"
    done
}

# ---------------------------------------------------------------- short connections
bench_connrate() {
    local path line c0 c1
    for path in "${paths[@]}"; do
        c0=$(relay_cpu_ms "${pid[$path]}")
        line=$("$bin/bench_connrate" "${echo_port[$path]}" --workers 4 --seconds "$CONNRATE_SECONDS")
        sleep 1  # let the closed connections drain (and forked relays be reaped) before the next path
        c1=$(relay_cpu_ms "${pid[$path]}")
        result[cps,$path]=$(field per_s "$line")
        result[cpserr,$path]=$(field errors "$line")
        [ -n "${pid[$path]}" ] &&
            result[cpscpu,$path]=$(awk -v c=$((c1 - c0)) -v n="$(field conns "$line")" 'BEGIN { printf "%.0f", c * 1000 / n }')
        log "connections, $path: $line, relay CPU ${result[cpscpu,$path]:--} us per connection"
    done
}

# ---------------------------------------------------------------- connections held open, descriptor limit
hold_cmd() {  # hold_cmd COMMAND: one command to the hold client, its answer line on stdout
    echo "$1" >&"${HOLD[1]}"
    local line
    read -r line <&"${HOLD[0]}"
    echo "$line"
}

bench_hold() {
    local path p line before after held cpu0 cpu1 hold_pid
    for path in "${paths[@]}"; do
        p=${pid[$path]}
        if [ -n "$p" ]; then
            before=$(rss_kib "$p")
            [ "$path" = socat ] && before=$(pss_tree_kib "$p")
        fi
        log "holding $HOLD_COUNT connections through $path"
        coproc HOLD { "$bin/bench_hold" "${echo_port[$path]}"; }
        hold_pid=$HOLD_PID
        line=$(hold_cmd "open $HOLD_COUNT $HOLD_SECONDS")
        held=$(field held "$line")
        result[held,$path]=$held
        log "held, $path: $line"
        if [ -n "$p" ]; then
            sleep 1
            if [ "$path" = socat ]; then
                after=$(pss_tree_kib "$p")
                result[mem,$path]="$(awk -v a="$after" -v b="$before" -v n="$held" 'BEGIN { printf "%.1f", (a - b) / n }') PSS"
            else
                after=$(rss_kib "$p")
                result[mem,$path]=$(awk -v a="$after" -v b="$before" -v n="$held" 'BEGIN { printf "%.1f", (a - b) / n }')
                log "  $path: RSS $before -> $after KiB, $(ls "/proc/$p/fd" | wc -l) descriptors, $(awk '/^Threads:/ { print $2 }' "/proc/$p/status") threads"
            fi
        fi
        if [ "$round" = 1 ] && { [ "$path" = tarvix-relay ] || [ "$path" = rinetd ]; }; then
            # Past the descriptor limit: clients queue in the backlog; the relay must wait without spinning.
            line=$(hold_cmd "open 1500 8")
            log "  $path, 1,500 more: $line ($(ls "/proc/$p/fd" | wc -l) descriptors)"
            cpu0=$(cpu_ms "$p")
            sleep 3
            cpu1=$(cpu_ms "$p")
            result[limitcpu,$path]=$((cpu1 - cpu0))
            result[limitwait,$path]=$(field pending "$line")
            log "  $path at the limit: $((cpu1 - cpu0)) ms CPU in 3 s with $(field pending "$line") clients waiting"
            hold_cmd "close 2000" >/dev/null
            line=$(hold_cmd "wait 10")
            result[limitafter,$path]=$(field pending "$line")
            log "  $path after 2,000 closed: $line"
        fi
        hold_cmd quit >/dev/null
        wait "$hold_pid" 2>/dev/null || true
        sleep 2  # the relay tears its side down
    done
}

# ---------------------------------------------------------------- run
declare -A rounds
echo "relay benchmarks ($(nproc) cores, descriptor limit $(ulimit -n), $ROUNDS rounds)" >&2
for ((round = 1; round <= ROUNDS; round++)); do
    # Each round starts at another path, so that none is always measured first or last.
    shift_by=$(( (round - 1) % ${#all_paths[@]} ))
    paths=("${all_paths[@]:shift_by}" "${all_paths[@]:0:shift_by}")
    log "round $round: ${paths[*]}"
    result=()
    start_all
    bench_throughput
    bench_connrate
    bench_hold
    stop_all
    start_all pin
    bench_pingpong
    stop_all
    for key in "${!result[@]}"; do rounds[$key,$round]=${result[$key]}; done
done
paths=("${all_paths[@]}")
take_medians

# ---------------------------------------------------------------- table
echo
echo "medians of $ROUNDS rounds; in brackets the ratio to direct; last but one column: tarvix-relay / best peer"
table_header
row "throughput 1 stream, Gbit/s" tp1 high ">= today, ahead of peers"
row "throughput 4 streams, Gbit/s" tp4 high ">= today, ahead of peers"
row "round trip 64 B pinned p50, us" p50 low ">= today, ahead of peers"
row "round trip 64 B pinned p99, us" p99 low
row "connections per second" cps high ">= 1.2x best peer"
row "  relay CPU s per GB, 1 stream" tpcpu1 low
row "  relay CPU s per GB, 4 streams" tpcpu4 low
row "  relay CPU us per round trip" ppcpu low
row "  relay CPU us per connection" cpscpu low
row "connections held at once" held high ">= $HOLD_COUNT"
row "memory per held connection, KiB" mem low "<= 8 KiB RSS"
printf '%-34s%-11s' "at the limit, round 1: CPU ms, 3 s" "-"
for path in tarvix-relay haproxy socat rinetd; do printf '%-19s' "${result[limitcpu,$path]:--}"; done
printf '%s\n' "idle"
printf '%-34s%-11s' "  clients waiting then / after" "-"
for path in tarvix-relay haproxy socat rinetd; do
    if [ -n "${result[limitwait,$path]:-}" ]; then
        printf '%-19s' "${result[limitwait,$path]} / ${result[limitafter,$path]}"
    else
        printf '%-19s' "-"
    fi
done
printf '\n'
for path in tarvix-relay haproxy socat rinetd; do
    [ "${result[cpserr,$path]:-0}" = 0 ] || echo "note: $path had ${result[cpserr,$path]} failed short connections (median)"
done
