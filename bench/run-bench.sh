#!/usr/bin/env bash
# Times the whole numera-cli process (start, read, calculate all cells, write)
# on every benchmark input, in a Release build in build/release, with its peak
# memory; then numera-cli against the muparser driver side by side (ratio of
# the medians); then the in-process Google Benchmark targets.
#   bench/run-bench.sh [--runs N] [--no-engine]
# Uses hyperfine when available (installed with apt when missing), else a
# plain loop over date(1).
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=10
engine=1
while (($#)); do
    case $1 in
        --runs) runs=$2; shift 2 ;;
        --no-engine) engine=0; shift ;;
        -h|--help) sed -n '2,7p' "$0"; exit 0 ;;
        *) echo "run-bench: unknown argument $1" >&2; exit 2 ;;
    esac
done

scripts/setup-deps.sh hyperfine || echo "run-bench: hyperfine could not be installed; timing with a loop" >&2

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ \
    -DNUMERA_BUILD_GUI=OFF -DNUMERA_BUILD_TESTS=OFF -DNUMERA_BUILD_BENCH=ON \
    -DNUMERA_SANITIZE=OFF -DNUMERA_FUZZ=OFF >/dev/null
targets=(numera-cli bench_inputs)
available=$(ninja -C "$build" -t targets all 2>/dev/null)
if ((engine)) && grep -q '^bench_engine:' <<<"$available"; then
    targets+=(bench_engine bench_phases)
fi
if grep -q '^numera-muparser:' <<<"$available"; then targets+=(numera-muparser); fi
cmake --build "$build" -j "${NUMERA_JOBS:-2}" --target "${targets[@]}"

cli=$build/bin/numera-cli
inputs=$build/bench/inputs
names=(typical_1k typical_10k typical_1mib typical_4mib common_1mib sum_100000 product_100000
       power_100000 nested_sums_1000 nested_brackets_1000 nested_brackets_100000
       open_brackets_1mib minus_signs_1mib)

results=$(mktemp)
trap 'rm -f "$results" "$results".*' EXIT

# time_input NAME: prints "mean stddev min max" in seconds.
time_input() {
    local file=$inputs/$1.txt
    if command -v hyperfine >/dev/null 2>&1; then
        hyperfine -N -i --warmup 2 --runs "$runs" --style none \
            --export-csv "$results.csv" "$cli $file" >/dev/null 2>"$results.err" ||
            { cat "$results.err" >&2; return 1; }
        # command,mean,stddev,median,user,system,min,max
        awk -F, 'NR == 2 { print $2, $3, $7, $8 }' "$results.csv"
    else
        local i t0 t1
        for ((i = 0; i < runs; i++)); do
            t0=$(date +%s%N)
            "$cli" "$file" >/dev/null 2>&1 || true
            t1=$(date +%s%N)
            echo $(((t1 - t0) / 1000))
        done | awk '{ s += $1; q += $1 * $1; if (NR == 1 || $1 < lo) lo = $1; if ($1 > hi) hi = $1 }
                    END { m = s / NR; v = q / NR - m * m; if (v < 0) v = 0;
                          printf "%.6f %.6f %.6f %.6f\n", m / 1e6, sqrt(v) / 1e6, lo / 1e6, hi / 1e6 }'
    fi
}

# peak_kib FILE: the process's maximum resident set, in KiB.
peak_kib() {
    if [[ -x /usr/bin/time ]]; then
        # The last line: after whatever the run itself wrote to stderr.
        { /usr/bin/time -f %M "$cli" "$1" 2>&1 >/dev/null || true; } | tail -1
    else
        echo 0
    fi
}

echo
echo "numera-cli, whole process, $runs runs each ($(nproc) cores, $(uname -m), load $(cut -d' ' -f1-3 /proc/loadavg))"
printf '%-24s %10s %5s %9s %7s %9s %9s %9s\n' input bytes exit mean_ms sd_ms min_ms max_ms peak_kib
declare -A mean peak
for name in "${names[@]}"; do
    file=$inputs/$name.txt
    status=0
    "$cli" "$file" >/dev/null 2>&1 || status=$?
    read -r m sd lo hi < <(time_input "$name")
    mean[$name]=$m
    peak[$name]=$(peak_kib "$file")
    awk -v n="$name" -v b="$(stat -c %s "$file")" -v rc="$status" -v m="$m" -v sd="$sd" -v lo="$lo" -v hi="$hi" -v k="${peak[$name]}" \
        'BEGIN { printf "%-24s %10d %5d %9.1f %7.1f %9.1f %9.1f %9d\n", n, b, rc, m * 1000, sd * 1000, lo * 1000, hi * 1000, k }'
done
awk -v a="${mean[typical_1mib]}" -v b="${mean[typical_4mib]}" -v pa="${peak[typical_1mib]}" -v pb="${peak[typical_4mib]}" \
    'BEGIN { if (a > 0) printf "\n4x document / 1x document: %.2fx the time", b / a
             if (pa > 0) printf ", %.2fx the peak memory", pb / pa
             printf "\n" }'

# The peer: muparser parses and evaluates the common document, one line at a
# time; both programs run in the same hyperfine invocation, so they share the
# machine's state.
peer=$build/bin/numera-muparser
if [[ -x $peer ]] && command -v hyperfine >/dev/null 2>&1; then
    echo
    echo "Side by side, $runs runs each (load $(cut -d' ' -f1-3 /proc/loadavg)):"
    hyperfine -N --warmup 2 --runs "$runs" --style none --export-json "$results.json" \
        "$peer $inputs/common_1mib.muparser" "$cli $inputs/typical_1mib.txt" \
        "$cli $inputs/common_1mib.txt" >/dev/null 2>"$results.err" ||
        { cat "$results.err" >&2; exit 1; }
    python3 - "$results.json" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1]))["results"]
names = ["muparser, common_1mib", "numera-cli, typical_1mib", "numera-cli, common_1mib"]
for name, row in zip(names, rows):
    print(f"  {name:26} median {row['median'] * 1000:7.1f} ms  user {row['user'] * 1000:7.1f} ms  system {row['system'] * 1000:6.1f} ms")
peer = rows[0]["median"]
print(f"ratio of the medians, typical_1mib / muparser: {rows[1]['median'] / peer:.3f}")
print(f"ratio of the medians, common_1mib / muparser:  {rows[2]['median'] / peer:.3f}")
PY
    echo "load afterwards: $(cut -d' ' -f1-3 /proc/loadavg)"
else
    echo "run-bench: numera-muparser not built (libmuparser-dev missing) or no hyperfine: no side-by-side figures" >&2
fi

if ((engine)) && [[ -x $build/bin/bench_engine ]]; then
    echo
    echo "In-process (CalculateText only):"
    "$build/bin/bench_engine" --benchmark_min_time=0.5
    echo
    echo "In-process, step by step:"
    "$build/bin/bench_phases" --benchmark_min_time=0.5
fi
