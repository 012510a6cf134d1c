# Sourced by tools/run-tests.sh: a private PulseAudio server (one null sink, one null source) on a
# socket under the build folder, so Wine finds sound endpoints and a mixer without touching any
# system-wide sound daemon.

# tessaly_pulse_start: start the server unless ours already runs; exports PULSE_SERVER and sets
# TESSALY_PULSE_PID. Returns non-zero when the socket does not appear.
tessaly_pulse_start() {
  [ -n "${TESSALY_PULSE_PID:-}" ] && kill -0 "$TESSALY_PULSE_PID" 2>/dev/null && return 0
  if ! command -v pulseaudio >/dev/null 2>&1; then
    echo "pulse.sh: pulseaudio is not installed (tools/deps.sh)" >&2
    return 1
  fi
  local dir=${TESSALY_BUILD:?TESSALY_BUILD is not set}/pulse
  rm -rf "$dir"
  mkdir -p "$dir/home" "$dir/runtime"
  chmod 700 "$dir/runtime"
  # The server keeps its state under HOME and XDG_RUNTIME_DIR; point both into our folder for it
  # only, so the caller's environment keeps its own values.
  HOME=$dir/home XDG_RUNTIME_DIR=$dir/runtime XDG_CONFIG_HOME=$dir/home/.config \
    pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no \
      -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
      -L module-null-sink -L module-null-source \
      >"$dir/server.log" 2>&1 </dev/null &
  TESSALY_PULSE_PID=$!
  local _
  for _ in $(seq 100); do
    [ -S "$dir/native" ] && break
    kill -0 "$TESSALY_PULSE_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -S "$dir/native" ]; then
    echo "pulse.sh: the sound server did not start (see $dir/server.log)" >&2
    tessaly_pulse_stop
    return 1
  fi
  export PULSE_SERVER=unix:$dir/native
}

# tessaly_pulse_stop: stop the server started above (only that process).
tessaly_pulse_stop() {
  if [ -n "${TESSALY_PULSE_PID:-}" ]; then
    kill "$TESSALY_PULSE_PID" 2>/dev/null || true
    wait "$TESSALY_PULSE_PID" 2>/dev/null || true
  fi
  TESSALY_PULSE_PID=
  unset PULSE_SERVER
}
