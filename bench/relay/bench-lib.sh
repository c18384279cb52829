# Helpers shared by the relay benchmarks (sourced): process figures, ports, peer configurations, medians and
# the comparison table. The caller sets `work`, `daemons`, `paths`, `peers`, `ROUNDS`, `rounds` and `result`.

log() { printf '  [%3ds] %s\n' "$SECONDS" "$*" >&2; }

stop_all() {
    local p
    for p in "${daemons[@]}"; do kill "$p" 2>/dev/null || true; done
    for p in "${daemons[@]}"; do wait "$p" 2>/dev/null || true; done
    daemons=()
}

wait_port() {  # wait_port PORT: until something listens on it (at most 10 s); connects to nothing
    local i hex
    hex=$(printf '%04X' "$1")
    for i in $(seq 100); do
        awk -v p="$hex" '$4 == "0A" { split($2, a, ":"); if (a[2] == p) found = 1 } END { exit !found }' \
            /proc/net/tcp /proc/net/tcp6 && return 0
        sleep 0.1
    done
    echo "bench: nothing listens on port $1" >&2
    return 1
}

ticks_per_s=$(getconf CLK_TCK)
cpu_ms() { awk -v t="$ticks_per_s" '{ print int(($14 + $15) * 1000 / t) }' "/proc/$1/stat"; }
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
# CPU of a relay: the process and the children it has reaped (socat's one process per connection).
relay_cpu_ms() {
    [ -n "$1" ] || { echo 0; return; }
    awk -v t="$ticks_per_s" '{ print int(($14 + $15 + $16 + $17) * 1000 / t) }' "/proc/$1/stat"
}
# Times a relay's live threads went to sleep waiting (voluntary switches; threads that ended meanwhile are not
# counted). Involuntary switches are left out: a thread that yields its core is not waiting for anything.
relay_sleeps() {
    [ -n "$1" ] || { echo 0; return; }
    # A thread may end while the files are read.
    awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }' /proc/"$1"/task/*/status 2>/dev/null || true
}

# mappings_ini NAME LOCAL_PORT TARGET_PORT...: a settings file of auto-started mappings to 127.0.0.1.
mappings_ini() {
    local i=1
    while [ $# -ge 3 ]; do
        printf '[%s]\r\nName=%s\r\nLocalPort=%s\r\nAddress=127.0.0.1\r\nPort=%s\r\nAutoStart=1\r\n\r\n' "$i" "$1" "$2" "$3"
        shift 3
        i=$((i + 1))
    done
}

# start_tarvix PATH BIN_DIR NAME LOCAL_PORT TARGET_PORT...: the tarvix-relay of BIN_DIR on those mappings (see
# mappings_ini), under the caller's "${run[@]}" when it has one; its settings and log under $work, its pid in
# pid[PATH].
start_tarvix() {
    local path=$1 dir=$2
    shift 2
    mappings_ini "$@" >"$work/$path.ini"
    ${run[@]+"${run[@]}"} "$dir/tarvix-relay" --quiet --ini "$work/$path.ini" 2>"$work/$path.log" &
    pid[$path]=$!
    daemons+=($!)
}

# haproxy_conf LISTEN_PORT TARGET_PORT [LISTEN_PORT TARGET_PORT...]: TCP frontends, no splice, enough
# connections for the hold test.
haproxy_conf() {
    printf 'global\n    maxconn 9800\n    nosplice\n\ndefaults\n    mode tcp\n    timeout connect 5s\n'
    printf '    timeout client 1h\n    timeout server 1h\n'
    local i=0
    while [ $# -ge 2 ]; do
        printf '\nfrontend relay%s\n    bind 127.0.0.1:%s\n    default_backend remote%s\n\n' "$i" "$1" "$i"
        printf 'backend remote%s\n    server target 127.0.0.1:%s\n' "$i" "$2"
        shift 2
        i=$((i + 1))
    done
}

field() { awk -v k="$1" '{ for (i = 1; i < NF; i += 2) if ($i == k) print $(i + 1) }' <<<"$2"; }

ratio() {  # ratio VALUE DIRECT
    awk -v v="$1" -v d="$2" 'BEGIN { if (d > 0 && v != "") printf "%.2fx", v / d; else printf "-" }'
}

# The median of the rounds' figures of one key (a figure with a suffix such as " PSS" keeps it).
median() {
    local key=$1 r v suffix=
    local values=()
    for ((r = 1; r <= ROUNDS; r++)); do
        v=${rounds[$key,$r]:-}
        [ -n "$v" ] || continue
        [[ $v == *" "* ]] && suffix=" ${v#* }"
        values+=("${v%% *}")
    done
    [ ${#values[@]} -gt 0 ] || return 0
    printf '%s%s' "$(printf '%s\n' "${values[@]}" | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')" "$suffix"
}

# Replaces `result` with the medians of `rounds`.
take_medians() {
    local key k
    result=()
    for key in "${!rounds[@]}"; do
        k=${key%,*}
        [ -n "${result[$k]+set}" ] || result[$k]=$(median "$k")
    done
}

# best KEY high|low: the best peer's figure and name ("value name"), higher or lower being better.
best() {
    local key=$1 dir=$2 path v
    for path in "${peers[@]}"; do
        v=${result[$key,$path]:-}
        v=${v%% *}
        [ -n "$v" ] && [ "$v" != - ] && echo "$v $path"
    done | sort -g $([ "$dir" = high ] && echo -r) | head -1
}

row() {  # row LABEL KEY high|low TARGET: medians, ratios to direct, tarvix-relay against the best peer
    local label=$1 key=$2 path d v b
    d=${result[$key,direct]:-}
    printf '%-34s' "$label"
    for path in "${paths[@]}"; do
        v=${result[$key,$path]:-}
        if [ "$path" = direct ]; then
            printf '%-11s' "${v:--}"
        elif [ -n "$d" ]; then
            printf '%-19s' "${v:--} ($(ratio "${v%% *}" "$d"))"
        else
            printf '%-19s' "${v:--}"
        fi
    done
    b=$(best "$key" "$3")
    v=${result[$key,tarvix-relay]:-}
    if [ -n "$b" ] && [ -n "$v" ]; then
        printf '%-24s' "$(ratio "${v%% *}" "${b%% *}") (${b#* })"
    else
        printf '%-24s' "-"
    fi
    printf '%s\n' "${4:-}"
}

table_header() {
    local path
    printf '%-34s' ""
    for path in "${paths[@]}"; do
        if [ "$path" = direct ]; then printf '%-11s' "$path"; else printf '%-19s' "$path"; fi
    done
    printf '%-24s%s\n' "vs best peer" "target"
}
