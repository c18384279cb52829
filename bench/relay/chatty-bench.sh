#!/usr/bin/env bash
# Many clients exchanging small messages, with real clients and servers: redis-benchmark against redis-server
# (50 clients, with and without pipelining) and ab against nginx serving 1 KiB over keep-alive (50 and 400
# clients). The direct path, tarvix-relay, HAProxy (TCP, no splice), socat and rinetd are measured in the same
# run, in ROUNDS rounds with the order rotated; medians with their ratio to direct, the relay's CPU per request
# and how often its threads went to sleep per request. Usage: bench/relay/chatty-bench.sh BIN_DIR
# Needs redis-server, redis-benchmark, nginx, ab, haproxy, socat, rinetd. BASELINE_BIN=DIR adds the column
# "baseline": the tarvix-relay in DIR (an earlier build), measured in the same run.
set -euo pipefail
bin=$(cd "$1" && pwd)
ROUNDS=${ROUNDS:-3}
REDIS_REQUESTS=${REDIS_REQUESTS:-50000}       # per command (SET, GET), no pipelining
REDIS_PIPELINED=${REDIS_PIPELINED:-200000}     # per command, 32 per pipeline
HTTP_REQUESTS=${HTTP_REQUESTS:-50000}

all_paths=(direct tarvix-relay haproxy socat rinetd)
[ -z "${BASELINE_BIN:-}" ] || all_paths+=(baseline)
peers=(haproxy socat rinetd)
paths=("${all_paths[@]}")
work=$(mktemp -d /tmp/tarvix-chatty.XXXXXX)
daemons=()
declare -A result rounds redis_port http_port pid

cleanup() {
    stop_all
    rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "$0")/bench-lib.sh"

# nginx in the foreground with its own configuration, files and logs under $work: one worker, access log off.
nginx_conf() {
    cat <<CONF
daemon off;
master_process off;
worker_processes 1;
pid $work/nginx.pid;
error_log $work/nginx-error.log warn;
worker_rlimit_nofile 4096;
events { worker_connections 2048; }
http {
    access_log off;
    client_body_temp_path $work/nginx-body;
    proxy_temp_path $work/nginx-proxy;
    fastcgi_temp_path $work/nginx-fastcgi;
    uwsgi_temp_path $work/nginx-uwsgi;
    scgi_temp_path $work/nginx-scgi;
    keepalive_requests 1000000;
    keepalive_timeout 60s;
    server {
        listen 127.0.0.1:$1;
        root $work/www;
    }
}
CONF
}

start_all() {
    local ports
    mapfile -t ports < <("$bin/bench_ports" 10)
    redis_port[direct]=${ports[0]}
    http_port[direct]=${ports[1]}
    pid[direct]=
    redis-server --port "${ports[0]}" --bind 127.0.0.1 --save '' --appendonly no --daemonize no \
        --dir "$work" --logfile "$work/redis.log" --maxclients 4000 &
    daemons+=($!)
    mkdir -p "$work/www"
    head -c 1024 /dev/urandom | base64 -w 0 | head -c 1024 >"$work/www/1k"
    nginx_conf "${ports[1]}" >"$work/nginx.conf"
    nginx -c "$work/nginx.conf" -p "$work" 2>>"$work/nginx-error.log" &
    daemons+=($!)

    redis_port[tarvix-relay]=${ports[2]}
    http_port[tarvix-relay]=${ports[3]}
    start_tarvix tarvix-relay "$bin" redis "${ports[2]}" "${ports[0]}" http "${ports[3]}" "${ports[1]}"

    if [ -n "${BASELINE_BIN:-}" ]; then
        local b
        mapfile -t b < <("$bin/bench_ports" 2)
        redis_port[baseline]=${b[0]}
        http_port[baseline]=${b[1]}
        start_tarvix baseline "$BASELINE_BIN" redis "${b[0]}" "${ports[0]}" http "${b[1]}" "${ports[1]}"
    fi

    redis_port[haproxy]=${ports[4]}
    http_port[haproxy]=${ports[5]}
    haproxy_conf "${ports[4]}" "${ports[0]}" "${ports[5]}" "${ports[1]}" >"$work/haproxy.cfg"
    haproxy -db -f "$work/haproxy.cfg" 2>>"$work/haproxy.log" &
    pid[haproxy]=$!
    daemons+=($!)

    # socat forks a process per connection: one listener per target, their CPU measured through the parent.
    redis_port[socat]=${ports[6]}
    http_port[socat]=${ports[7]}
    socat "TCP4-LISTEN:${ports[6]},bind=127.0.0.1,reuseaddr,fork,backlog=4096" "TCP4:127.0.0.1:${ports[0]}" 2>>"$work/socat.log" &
    pid[socat,redis]=$!
    daemons+=($!)
    socat "TCP4-LISTEN:${ports[7]},bind=127.0.0.1,reuseaddr,fork,backlog=4096" "TCP4:127.0.0.1:${ports[1]}" 2>>"$work/socat.log" &
    pid[socat,http]=$!
    daemons+=($!)

    redis_port[rinetd]=${ports[8]}
    http_port[rinetd]=${ports[9]}
    printf '127.0.0.1 %s 127.0.0.1 %s\n127.0.0.1 %s 127.0.0.1 %s\n' "${ports[8]}" "${ports[0]}" "${ports[9]}" "${ports[1]}" \
        >"$work/rinetd.conf"
    rinetd -f -c "$work/rinetd.conf" &
    pid[rinetd]=$!
    daemons+=($!)

    local path
    for path in "${paths[@]}"; do
        wait_port "${redis_port[$path]}"
        wait_port "${http_port[$path]}"
    done
}

relay_of() {  # relay_of PATH redis|http: the process whose CPU the row counts
    [ "$1" = socat ] && { echo "${pid[socat,$2]}"; return; }
    echo "${pid[$1]}"
}

# measure KEY PATH SERVICE REQUESTS COMMAND...: runs the client, which prints requests per second on its last
# line; keeps it with the relay's CPU and sleeps per request (those of threads still alive at the end:
# meaningful while the relay keeps a thread per client, with 50 clients).
measure() {
    local key=$1 path=$2 service=$3 requests=$4
    shift 4
    local p c0 c1 s0 s1 rate
    p=$(relay_of "$path" "$service")
    c0=$(relay_cpu_ms "$p")
    s0=$(relay_sleeps "$p")
    rate=$("$@" | tail -1)
    [ "$path" = socat ] && sleep 0.5 # forked relays are reaped, their time counted
    c1=$(relay_cpu_ms "$p")
    s1=$(relay_sleeps "$p")
    result[$key,$path]=$rate
    if [ -n "$p" ]; then
        result[${key}cpu,$path]=$(awk -v c=$((c1 - c0)) -v n="$requests" 'BEGIN { printf "%.2f", c * 1000 / n }')
        # socat's sleeps happen in its children, which cannot be read; so do those of threads that ended.
        [ "$path" = socat ] ||
            result[${key}cs,$path]=$(awk -v c=$((s1 - s0)) -v n="$requests" 'BEGIN { printf "%.3f", c / n }')
    fi
    log "$key, $path: $rate requests/s, relay CPU ${result[${key}cpu,$path]:--} us and ${result[${key}cs,$path]:--} sleeps per request"
}

# redis-benchmark SET then GET; prints the requests per second of both together.
redis_run() {  # redis_run PORT REQUESTS PIPELINE
    redis-benchmark -h 127.0.0.1 -p "$1" -c 50 -n "$2" -P "$3" -t set,get --csv -q 2>/dev/null |
        awk -F'"' -v n="$2" '$2 == "SET" || $2 == "GET" { t += n / $4; k++ } END { if (k == 2 && t > 0) printf "%.0f\n", 2 * n / t; else print "" }'
}

http_run() {  # http_run PORT CLIENTS REQUESTS: ab over keep-alive; nothing when any request failed
    ab -k -q -c "$2" -n "$3" "http://127.0.0.1:$1/1k" 2>/dev/null |
        awk '/^Failed requests:/ { failed = $3 } /^Non-2xx responses:/ { failed += $3 }
             /^Requests per second:/ { rate = $4 } END { if (failed == 0 && rate != "") printf "%.0f\n", rate; else print "" }'
}

bench_chatty() {
    local path
    for path in "${paths[@]}"; do
        measure redis "$path" redis $((2 * REDIS_REQUESTS)) redis_run "${redis_port[$path]}" "$REDIS_REQUESTS" 1
        measure redisp "$path" redis $((2 * REDIS_PIPELINED)) redis_run "${redis_port[$path]}" "$REDIS_PIPELINED" 32
        measure http50 "$path" http "$HTTP_REQUESTS" http_run "${http_port[$path]}" 50 "$HTTP_REQUESTS"
        measure http400 "$path" http "$HTTP_REQUESTS" http_run "${http_port[$path]}" 400 "$HTTP_REQUESTS"
    done
}

echo "chatty connections ($(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), $ROUNDS rounds)" >&2
for ((round = 1; round <= ROUNDS; round++)); do
    shift_by=$(( (round - 1) % ${#all_paths[@]} ))
    paths=("${all_paths[@]:shift_by}" "${all_paths[@]:0:shift_by}")
    log "round $round: ${paths[*]} (load $(cut -d' ' -f1 /proc/loadavg))"
    result=()
    start_all
    bench_chatty
    stop_all
    for key in "${!result[@]}"; do rounds[$key,$round]=${result[$key]}; done
done
paths=("${all_paths[@]}")
take_medians

echo
echo "medians of $ROUNDS rounds (load at the end $(cut -d' ' -f1-3 /proc/loadavg)); in brackets the ratio to direct; last but one column: tarvix-relay / best peer"
table_header
row "redis 50 clients, req/s" redis high ">= best peer"
row "redis 50 clients -P 32, req/s" redisp high ">= best peer"
row "HTTP 1 KiB keep-alive 50, req/s" http50 high ">= best peer"
row "HTTP 1 KiB keep-alive 400, req/s" http400 high ">= best peer"
row "  relay CPU us/request, redis" rediscpu low "<= best peer"
row "  relay CPU us/req, redis -P 32" redispcpu low "<= best peer"
row "  relay CPU us/request, HTTP 50" http50cpu low "<= best peer"
row "  relay CPU us/request, HTTP 400" http400cpu low "<= best peer"
row "  sleeps/request, redis" rediscs low "(live threads only)"
row "  sleeps/request, HTTP 50" http50cs low
