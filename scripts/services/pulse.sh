# Sourced by scripts/test.sh (bash, set -euo pipefail): when the machine has
# PulseAudio and no sound server answers, starts a private one whose only
# output is a null sink ("brotalia_nula", recordable through its monitor) in a
# private runtime folder, exports PULSE_SERVER so the tests find it, and adds
# the command that stops it to stop_services. Never fails: without PulseAudio
# the tests that need a sound server skip.
pulse_start() {
  command -v pulseaudio >/dev/null 2>&1 || { echo "pulse.sh: pulseaudio não instalado; testes de som real serão pulados" >&2; return 0; }
  command -v pactl >/dev/null 2>&1 || { echo "pulse.sh: pactl não instalado; testes de som real serão pulados" >&2; return 0; }
  if pactl info >/dev/null 2>&1; then
    echo "pulse.sh: servidor de som já em execução: $(pactl info 2>/dev/null | sed -n 's/^Server String: //p')" >&2
    return 0
  fi
  local dir socket log pid i
  dir=$(mktemp -d "${TMPDIR:-/tmp}/brotalia-pulse.XXXXXX")
  socket="$dir/native"
  log="$dir/pulseaudio.log"
  mkdir -p "$dir/state"
  # --system=no with root: PulseAudio warns but runs a per-user daemon, which
  # is what the tests need; no config files are read (-n), only the modules named.
  XDG_RUNTIME_DIR="$dir" PULSE_RUNTIME_PATH="$dir" PULSE_STATE_PATH="$dir/state" HOME="$dir" \
    pulseaudio --daemonize=no --system=no --exit-idle-time=-1 --disallow-exit -n \
      --use-pid-file=no --log-target=stderr --log-level=error \
      --load="module-null-sink sink_name=brotalia_nula sink_properties=device.description=Brotalia_nula" \
      --load="module-native-protocol-unix socket=$socket auth-anonymous=1" \
      >"$log" 2>&1 &
  pid=$!
  export PULSE_SERVER="unix:$socket"
  for i in $(seq 1 100); do
    if pactl info >/dev/null 2>&1; then break; fi
    if ! kill -0 "$pid" 2>/dev/null; then break; fi
    sleep 0.05
  done
  if pactl info >/dev/null 2>&1; then
    pactl set-default-sink brotalia_nula >/dev/null 2>&1 || true
    # While nothing plays, a null sink renders 2-second blocks of silence, so
    # the first samples of a new stream come out up to 2 s late; a sound
    # card's sink runs in short periods. A recorder on the monitor at a short
    # latency keeps the null sink running like a card, once the block that
    # was rendering when it connected has passed.
    local keeper=""
    if command -v parec >/dev/null 2>&1; then
      parec --latency-msec=20 -d brotalia_nula.monitor >/dev/null 2>&1 &
      keeper=$!
      sleep 2.1
    fi
    echo "pulse.sh: servidor de som privado (pid $pid) em $PULSE_SERVER" >&2
    stop_services+=("kill $keeper $pid; wait $keeper $pid 2>/dev/null; rm -rf '$dir'")
  else
    echo "pulse.sh: o servidor de som não respondeu; testes de som real serão pulados" >&2
    sed -n 1,20p "$log" >&2 || true
    kill "$pid" 2>/dev/null || true
    unset PULSE_SERVER
    rm -rf "$dir"
  fi
}
pulse_start
unset -f pulse_start
