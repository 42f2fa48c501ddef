#!/usr/bin/env bash
# Builds the fuzzing harnesses (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and fuzzes every reader of outside
# data for SECONDS seconds each.
#
#   tools/fuzz.sh SECONDS [READER...]   fuzz (all readers, or the ones named)
#   tools/fuzz.sh --check [READER...]   only run the seeds and the regression
#                                       inputs, no fuzzing
#   tools/fuzz.sh --list                the readers
#
# Seeds: tests/fuzz/seeds/READER/ (read only). Inputs that found a fault:
# tests/data/fuzz-regressions/READER/, run on every call; one file each, the
# raw file the reader reads. New coverage goes to build-fuzz/corpus/READER/,
# a crash input to build-fuzz/crashes/READER/ (copy it to the regressions
# once the fault is mended). Exit status 1 when any reader failed.
# FUZZ_BUILD_DIR and FUZZ_JOBS change the build folder and the compile jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# reader  harness  choice (ORVEX_FUZZ_READER, "-" for a harness of one reader)
readers="
image_bmp image_bmp -
image_sgi image_sgi -
image_jpeg image_jpeg -
image_png image_png -
texture_image texture_image -
datafile_le datafile_le -
datafile_be datafile_be -
scenario_line scenario_line -
scenario_condition scenario_condition -
body_data body_data -
orbit_planet orbit 0
orbit_moon orbit 1
orbit_satellite orbit 2
orbit_comet orbit 3
orbit_asteroid orbit 4
orbit_spacecraft orbit 5
orbit_tle orbit 6
list_comet object_list 0
list_asteroid object_list 1
list_spacecraft object_list 2
list_asatellite object_list 3
list_place object_list 4
stars_ascii stars 0
stars_binary stars 1
stars_hipparcos stars 2
star_catalog star_catalog 0
star_colors star_catalog 1
constellation_list constellation 0
constellation constellation 1
art_cab constellation 2
art_cat constellation 3
obj_model obj_model 0
obj_material obj_model 1
configuration configuration -
keymap small_files 0
help_file small_files 1
direction_names small_files 2
fixed_star_names small_files 3
galaxy_names small_files 4
display_config small_files 5
particles particles -
"

mode=fuzz
seconds=0
case "${1:-}" in
--list)
    echo "$readers" | awk 'NF { print $1 }'
    exit 0
    ;;
--check) mode=check ;;
'' | -*)
    sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
*) seconds=$1 ;;
esac
shift
wanted=" $* "

build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DORVEX_FUZZ=ON \
    -DORVEX_BUILD_TESTS=OFF -DORVEX_BUILD_BENCH=OFF \
    ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
cmake --build "$build" --target fuzzers -j"${FUZZ_JOBS:-$(nproc)}" >/dev/null

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TZ=UTC QT_QPA_PLATFORM=offscreen
# Limits: a run of one input may take 10 s and 2 GB; more is a fault too.
limits=(-timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048 -max_len=65536)

status=0
while read -r reader harness choice; do
    [ -n "$reader" ] || continue
    if [ "$wanted" != "  " ] && [[ $wanted != *" $reader "* ]]; then
        continue
    fi
    program=$build/tests/fuzz/fuzz_$harness
    seeds=$root/tests/fuzz/seeds/$reader
    regressions=$root/tests/data/fuzz-regressions/$reader
    corpus=$build/corpus/$reader
    crashes=$build/crashes/$reader
    mkdir -p "$corpus" "$crashes"
    dirs=()
    for d in "$seeds" "$regressions"; do
        [ -d "$d" ] && dirs+=("$d")
    done
    options=("${limits[@]}" -artifact_prefix="$crashes/")
    dict=$root/tests/fuzz/dict/$reader.dict
    [ -f "$dict" ] && options+=(-dict="$dict")
    log=$build/logs/$reader.log
    mkdir -p "$(dirname "$log")"
    if [ "$choice" = "-" ]; then unset ORVEX_FUZZ_READER; else export ORVEX_FUZZ_READER=$choice; fi

    # Every seed and regression input runs first; then, when fuzzing, new
    # inputs for the given time. libFuzzer writes new inputs only into the
    # first folder, the corpus in build-fuzz, never into the source tree.
    if [ "$mode" = check ]; then
        run=(-runs=0)
    else
        run=(-max_total_time="$seconds" -print_final_stats=1)
    fi
    if "$program" "${options[@]}" "${run[@]}" "$corpus" "${dirs[@]}" >"$log" 2>&1 </dev/null; then
        # A check run (-runs=0) prints no statistics: no match is no failure.
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -1 | awk '{print $2}' || true)
        cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | awk '{print $2}' || true)
        echo "ok   $reader runs=${runs:-$(find "${dirs[@]}" -type f | wc -l)} cov=${cov:-?} corpus=$(ls "$corpus" | wc -l)"
    else
        echo "FAIL $reader: see $log; the input is in $crashes"
        status=1
    fi
done <<<"$readers"
exit $status
