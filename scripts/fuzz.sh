#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time: the PDS and FITS
# readers, seeded with the shared corpus of real files and with the test pictures; the reader of
# puzzles in progress, seeded with a hand-written file; and random play on small puzzles. Not part of the
# test command. What a run finds stays in build/fuzz/corpus for the next run to start from; a
# crashing input is saved in build/fuzz/crashes and ends the script with an error.
#
#   bash scripts/fuzz.sh [SECONDS_PER_TARGET]      (60 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

seconds=${1:-60}
build=build/fuzz
testdata=../shared/testdata

step "Checking packages"
ensure_packages cmake ninja-build clang libclang-rt-14-dev

step "Building the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

step "Making the seeds"
rm -rf "$build/seeds"
mkdir -p "$build/seeds/pictures" "$build/seeds/pds_label" "$build/seeds/fits_header" "$build/seeds/progress_file" \
    "$build/seeds/random_play" "$build/crashes"
cp fuzz/progress_file.seed "$build/seeds/progress_file/"
# Small pictures keep every run of a target short.
"$build/tools/make_test_pictures" "$build/seeds/pictures" 24 16
cp "$build"/seeds/pictures/*.img "$build/seeds/pds_label/"
cp "$build"/seeds/pictures/*.fits "$build/seeds/fits_header/"
if [ -d "$testdata" ]; then
    cp "$testdata"/*.img "$testdata"/*.imq "$testdata"/*.lbl "$build/seeds/pds_label/"
    cp "$testdata"/*.fits "$testdata"/*.fts "$build/seeds/fits_header/"
else
    echo "The shared corpus ($testdata) is not here: seeding with the test pictures only."
fi

for target in pds_label fits_header progress_file; do
    step "Fuzzing ${target} for ${seconds} s"
    mkdir -p "$build/corpus/$target"
    # Standard error is closed for the target (the refusals' messages would flood it); the
    # fuzzer and the sanitizers keep reporting.
    "$build/fuzz/${target}_fuzz" "$build/corpus/$target" "$build/seeds/$target" \
        -max_total_time="$seconds" -max_len=65536 -close_fd_mask=2 -print_final_stats=1 \
        -dict="fuzz/${target}.dict" -artifact_prefix="$build/crashes/${target}-"
done

step "Fuzzing random_play for ${seconds} s"
mkdir -p "$build/corpus/random_play"
# Each store writes a file and forces it to the disk, so short inputs keep the runs coming.
"$build/fuzz/random_play_fuzz" "$build/corpus/random_play" "$build/seeds/random_play" \
    -max_total_time="$seconds" -max_len=512 -print_final_stats=1 -artifact_prefix="$build/crashes/random_play-"
