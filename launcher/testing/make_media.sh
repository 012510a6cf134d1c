#!/usr/bin/env bash
# Makes the media the player tests play, into the folder given: tone.wav and tone.mp3 (about four
# seconds), blip.wav (half a second), clip.avi (ten seconds of MJPEG video, bars moving sideways),
# and the bad ones: empty.mp3 (no bytes), truncated.mp3 (the first 3000 bytes of tone.mp3),
# noise.mp3 (random bytes).
set -euo pipefail
out=${1:?folder}
mkdir -p "$out"
cd "$out"
[ -f .done ] && exit 0
gst() { gst-launch-1.0 -q "$@" >/dev/null; }
gst audiotestsrc num-buffers=180 ! audioconvert ! wavenc ! filesink location=tone.wav
gst audiotestsrc num-buffers=180 ! audioconvert ! lamemp3enc ! filesink location=tone.mp3
gst audiotestsrc num-buffers=22 wave=square ! audioconvert ! wavenc ! filesink location=blip.wav
gst videotestsrc num-buffers=300 horizontal-speed=4 ! jpegenc ! avimux ! filesink location=clip.avi
: >empty.mp3
head -c 3000 tone.mp3 >truncated.mp3
head -c 20000 /dev/urandom >noise.mp3
touch .done
