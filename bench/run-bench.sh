#!/usr/bin/env bash
# Times the whole numera-cli process (start, read, calculate all cells, write)
# on every benchmark input, in a Release build in build/release, then runs
# the in-process Google Benchmark target.
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
if ((engine)) && grep -q '^bench_engine:' <(ninja -C "$build" -t targets all 2>/dev/null); then
    targets+=(bench_engine)
fi
cmake --build "$build" -j "${NUMERA_JOBS:-2}" --target "${targets[@]}"

cli=$build/bin/numera-cli
inputs=$build/bench/inputs
names=(typical_1mib typical_4mib sum_100000 product_100000 power_100000 nested_sums_1000
       nested_brackets_1000 nested_brackets_100000 open_brackets_1mib minus_signs_1mib)

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

echo
echo "numera-cli, whole process, $runs runs each ($(nproc) cores, $(uname -m))"
printf '%-24s %10s %5s %9s %7s %9s %9s\n' input bytes exit mean_ms sd_ms min_ms max_ms
declare -A mean
for name in "${names[@]}"; do
    file=$inputs/$name.txt
    status=0
    "$cli" "$file" >/dev/null 2>&1 || status=$?
    read -r m sd lo hi < <(time_input "$name")
    mean[$name]=$m
    awk -v n="$name" -v b="$(stat -c %s "$file")" -v rc="$status" -v m="$m" -v sd="$sd" -v lo="$lo" -v hi="$hi" \
        'BEGIN { printf "%-24s %10d %5d %9.1f %7.1f %9.1f %9.1f\n", n, b, rc, m * 1000, sd * 1000, lo * 1000, hi * 1000 }'
done
awk -v a="${mean[typical_1mib]}" -v b="${mean[typical_4mib]}" \
    'BEGIN { if (a > 0) printf "\n4x document / 1x document: %.2fx the time\n", b / a }'

if ((engine)) && [[ -x $build/bin/bench_engine ]]; then
    echo
    echo "In-process (CalculateText only):"
    "$build/bin/bench_engine" --benchmark_min_time=0.5
fi
