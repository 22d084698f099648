#!/usr/bin/env bash
# Makes the game's sounds from media/manifest_sounds.tsv, with espeak-ng (the
# two voice sets and the spoken help note) and sox (effects and section
# tracks). Everything is synthesised here: same input, same bytes out.
#
#   make_sounds.sh voices  <correto|caipira> <manifest> <voice folder> <work>
#   make_sounds.sh program <manifest> <program folder> <work>
#   make_sounds.sh drive   <manifest> <drive folder> <work> <make_clips>
set -euo pipefail

rate=22050

need() {
  if ! command -v "$1" >/dev/null 2>&1; then
    echo "make_sounds.sh: '$1' não encontrado; instale-o (scripts/setup.sh instala espeak-ng e sox)." >&2
    exit 1
  fi
}

# The manifest's rows of one folder kind: name, kind, correto, caipira.
rows() {
  awk -F'\t' -v folder="$2" '!/^#/ && NF >= 5 && $2 == folder { print $1 "\t" $3 "\t" $4 "\t" $5 }' "$1"
}

# "\anima\broto.avi" -> "anima/broto.avi"
disk_name() {
  local n=${1#\\}
  printf '%s' "${n//\\//}"
}

# Shared post-processing of speech: 22050 Hz mono 16-bit, the silence at both
# ends trimmed to a short margin, peak normalised.
finish_speech() {
  sox -R -D "$1" -r $rate -c 1 -b 16 -e signed-integer "$2" \
    silence 1 0.02 0.3% reverse silence 1 0.02 0.3% reverse \
    pad 0.06 0.15 norm -1
}

# speak <set> <text> <out.wav> <work>
speak() {
  local set=$1 text=$2 out=$3 work=$4
  local raw="$work/raw.wav"
  case $set in
    correto) espeak-ng -b 1 -v pt-br -s 150 -p 50 -a 120 -w "$raw" "$text" ;;
    caipira) espeak-ng -b 1 -v pt-br+grandpa -s 128 -p 36 -a 120 -w "$raw" "$text" ;;
    *) echo "make_sounds.sh: locução desconhecida '$set'" >&2; exit 1 ;;
  esac
  mkdir -p "$(dirname "$out")"
  finish_speech "$raw" "$out"
}

do_voices() {
  local set=$1 manifest=$2 out=$3 work=$4
  need espeak-ng; need sox
  mkdir -p "$out" "$work"
  local name kind correto caipira text n=0
  while IFS=$'\t' read -r name kind correto caipira; do
    [ "$kind" = voice ] || continue
    if [ "$set" = caipira ]; then text=$caipira; else text=$correto; fi
    if [ -z "$text" ] || [ "$text" = - ]; then
      echo "make_sounds.sh: $name sem fala para a locução $set" >&2; exit 1
    fi
    speak "$set" "$text" "$out/$(disk_name "$name")" "$work"
    n=$((n + 1))
  done < <(rows "$manifest" voices)
  rm -f "$work/raw.wav"
  echo "locução $set: $n falas"
}

# --- Section tracks -------------------------------------------------------
# A tune is written in scale degrees of a major key (1 = tonic, 8 = the octave
# above, 0 and below go down) with lengths in eighth notes; "r" is a rest.
# Bars of eight eighths; one chord root per bar for the bass.

tune_horta="1:2 3:2 5:2 3:2  4:2 6:2 5:4  3:2 5:2 8:2 7:1 6:1  5:2 4:2 2:2 3:2  1:6 r:2"
chords_horta="1 4 1 5 1"
tune_agenda="5:1 5:1 6:1 5:1 8:2 7:2  6:1 6:1 7:1 6:1 9:2 8:2  8:1 7:1 6:1 5:1 4:2 6:2  5:2 3:2 2:2 5:2  1:6 r:2"
chords_agenda="1 4 4 5 1"
tune_sementeira="1:2 2:2 3:2 5:2  6:2 5:2 3:4  2:2 3:2 4:2 6:2  5:2 4:2 2:4  1:6 r:2"
chords_sementeira="1 4 4 5 1"
tune_feira="5:1 5:1 8:1 8:1 7:1 6:1 5:2  4:1 4:1 6:1 6:1 5:1 4:1 3:2  2:1 3:1 4:1 5:1 6:1 7:1 8:2  7:1 6:1 5:1 4:1 3:2 2:2  5:1 5:1 8:1 8:1 7:1 6:1 5:2  4:1 4:1 6:1 6:1 5:1 4:1 3:2  2:1 5:1 4:1 2:1 3:2 2:2  1:6 r:2"
chords_feira="1 4 5 5 1 4 5 1"

# Prints the sox effect chain (one argument a line) that plays one line of a
# tune: shift moves every degree (-2 gives the third below, -14 two octaves
# down); instrument is pluck (a plucked string) or bell (a sine that dies away).
tune_line() {
  local notes=$1 tonic=$2 eighth=$3 shift=$4 instrument=$5 volume=$6
  awk -v notes="$notes" -v tonic="$tonic" -v eighth="$eighth" -v shift="$shift" \
      -v inst="$instrument" -v vol="$volume" 'BEGIN {
    split("0 2 4 5 7 9 11", major, " ")
    n = split(notes, seq, " ")
    first = 1
    for (i = 1; i <= n; i++) {
      split(seq[i], part, ":")
      len = sprintf("%.4f", part[2] * eighth)
      if (!first) print ":"
      first = 0
      if (part[1] == "r") {
        print "synth"; print len; print "sine"; print "100"; print "vol"; print "0"
        continue
      }
      d = part[1] + shift - 1
      oct = (d >= 0) ? int(d / 7) : -int((-d + 6) / 7)
      step = d - 7 * oct
      midi = tonic + 12 * oct + major[step + 1]
      freq = sprintf("%.2f", 440 * exp(log(2) * (midi - 69) / 12))
      if (inst == "pluck") {
        print "synth"; print len; print "pluck"; print freq
        print "fade"; print "0"; print len; print sprintf("%.4f", len * 0.3)
      } else {
        print "synth"; print len; print "sine"; print freq
        print "fade"; print "l"; print "0.004"; print len; print sprintf("%.4f", len * 0.85)
      }
      print "vol"; print vol
    }
  }'
}

# The bass: root and fifth of each bar's chord, a quarter note each.
bass_notes() {
  local out="" c
  for c in $1; do
    out+="$c:2 $((c + 4)):2 $c:2 $((c + 4)):2 "
  done
  printf '%s' "$out"
}

render_line() {
  local out=$1; shift
  local -a chain
  mapfile -t chain < <(tune_line "$@")
  # pluck only synthesises at 44.1 kHz and up
  sox -R -D -r 44100 -c 1 -n -r $rate -b 16 "$out" "${chain[@]}"
}

# make_track <out> <tune> <chords> <caipira|correto> <seconds> <work>
make_track() {
  local out=$1 notes=$2 chords=$3 style=$4 seconds=$5 work=$6
  local bars eighth
  bars=$(wc -w <<<"$chords")
  eighth=$(awk -v s="$seconds" -v b="$bars" 'BEGIN { printf "%.4f", (s - 0.3) / (b * 8) }')
  local bass
  bass=$(bass_notes "$chords")
  if [ "$style" = caipira ]; then
    # Two plucked strings in parallel thirds over a plucked bass, in G.
    render_line "$work/a.wav" "$notes" 67 "$eighth" 0 pluck 0.5
    render_line "$work/b.wav" "$notes" 67 "$eighth" -2 pluck 0.3
    render_line "$work/c.wav" "$bass" 67 "$eighth" -14 pluck 0.45
  else
    # A bell melody doubled an octave up, over a soft bass, in C.
    render_line "$work/a.wav" "$notes" 72 "$eighth" 0 bell 0.5
    render_line "$work/b.wav" "$notes" 72 "$eighth" 7 bell 0.15
    render_line "$work/c.wav" "$bass" 72 "$eighth" -14 bell 0.4
  fi
  sox -R -D -m "$work/a.wav" "$work/b.wav" "$work/c.wav" -r $rate -c 1 -b 16 "$out" \
    pad 0 0.3 fade h 0.01 0 0.5 norm -3
  rm -f "$work/a.wav" "$work/b.wav" "$work/c.wav"
}

make_program_sound() {
  local name=$1 out=$2 work=$3
  local s="sox -R -D -r $rate -c 1 -n -b 16"
  case $name in
    blip.wav)     $s "$out" synth 0.035 square 1800 fade l 0 0.035 0.03 vol 0.6 ;;
    silencio.wav) $s "$out" trim 0 0.1 ;;
    quickly.wav)  $s "$out" synth 0.12 sine 500-2000 fade l 0.005 0.12 0.06 norm -3 ;;
    oia.wav)      $s "$out" synth 0.15 sine 1318.51 fade l 0.005 0.15 0.12 vol 0.7 : \
                    synth 0.4 sine 1760 fade l 0.005 0.4 0.35 vol 0.7 ;;
    hortafim.wav) make_track "$out" "$tune_horta" "$chords_horta" caipira 8 "$work" ;;
    agendfim.wav) make_track "$out" "$tune_agenda" "$chords_agenda" caipira 8 "$work" ;;
    semefim.wav)  make_track "$out" "$tune_sementeira" "$chords_sementeira" caipira 8 "$work" ;;
    feirafim.wav) make_track "$out" "$tune_feira" "$chords_feira" caipira 12 "$work" ;;
    htfimc.wav)   make_track "$out" "$tune_horta" "$chords_horta" correto 8 "$work" ;;
    agfimc.wav)   make_track "$out" "$tune_agenda" "$chords_agenda" correto 8 "$work" ;;
    sefimc.wav)   make_track "$out" "$tune_sementeira" "$chords_sementeira" correto 8 "$work" ;;
    fefimc.wav)   make_track "$out" "$tune_feira" "$chords_feira" correto 12 "$work" ;;
    *) echo "make_sounds.sh: não sei fazer o som $name" >&2; exit 1 ;;
  esac
}

do_program() {
  local manifest=$1 out=$2 work=$3
  need sox
  mkdir -p "$out" "$work"
  local name kind correto caipira n=0
  while IFS=$'\t' read -r name kind correto caipira; do
    make_program_sound "$(disk_name "$name")" "$out/$(disk_name "$name")" "$work"
    n=$((n + 1))
  done < <(rows "$manifest" program)
  echo "pasta do programa: $n sons"
}

do_drive() {
  local manifest=$1 out=$2 work=$3 clips=$4
  need espeak-ng; need sox
  mkdir -p "$out" "$work"
  local name kind correto caipira path
  while IFS=$'\t' read -r name kind correto caipira; do
    path="$out/$(disk_name "$name")"
    mkdir -p "$(dirname "$path")"
    case ${name,,} in
      *.mid) "$clips" mid "$path" ;;
      *.avi) "$clips" avi "$path" ;;
      *.wav) speak correto "$correto" "$path" "$work" ;;
      *) echo "make_sounds.sh: não sei fazer $name" >&2; exit 1 ;;
    esac
  done < <(rows "$manifest" drive)
  rm -f "$work/raw.wav"
}

case ${1:-} in
  voices)  do_voices "$2" "$3" "$4" "$5" ;;
  program) do_program "$2" "$3" "$4" ;;
  drive)   do_drive "$2" "$3" "$4" "$5" ;;
  *) echo "uso: make_sounds.sh voices|program|drive ..." >&2; exit 2 ;;
esac
