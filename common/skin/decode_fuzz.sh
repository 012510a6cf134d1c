#!/usr/bin/env bash
# The sanitizer run of the picture decoder and resampler on the host: builds decode_fuzz with g++,
# AddressSanitizer and UndefinedBehaviorSanitizer (again only when a source changed), then feeds it
# damaged copies of our JPEG pictures for SECONDS (or RUNS inputs, whichever comes first: the
# same seed and count try the same inputs on any machine). Any report ends the run with a failure.
# usage: decode_fuzz.sh [SECONDS] [SEED] [RUNS]   (make test: a fixed seed and count; by hand: 600)
set -euo pipefail
seconds=${1:-3}
seed=${2:-$RANDOM}
runs=${3:-0}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${TESSALY_BUILD:-$root/build}/host
mkdir -p "$out"
exe=$out/decode_fuzz
sources=("$here/decode_fuzz.cpp" "$here/jpeg_pixels.cpp" "$here/pixel_memory.cpp" "$here/resample.cpp")
stale=0
[ -x "$exe" ] || stale=1
for f in "${sources[@]}" "$here/jpeg_pixels.h" "$here/resample.h" "$0"; do
  [ "$f" -nt "$exe" ] && stale=1
done
if [ $stale = 1 ]; then
  g++ -std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=all \
      -Wall -Wextra -Werror -I"$root" -isystem /usr/include/stb "${sources[@]}" -o "$exe.new"
  mv "$exe.new" "$exe"
fi
export ASAN_OPTIONS=abort_on_error=1:allocator_may_return_null=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
echo "decode_fuzz.sh: rerun with: bash $0 $seconds $seed $runs"
exec "$exe" "$seconds" "$seed" "$runs" "$root"/launcher/resources/art/*.jpg "$here/skin_test_solid.jpg"
