#!/bin/sh
# Writes the event sounds of the demo data folder ("Sounds"): a short chime
# and the event's caption spoken. Run by hand after changing the table:
#   apt-get install -y espeak-ng sox && tools/sounds/make-sounds.sh
# The files are committed; the program only plays them.
set -eu
out="$(dirname "$0")/../../demo/Sounds"
mkdir -p "$out"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# File, words, chime pitch (a rising chime for news, a low one for alarms).
while IFS='|' read -r file words pitch; do
    [ -n "$file" ] || continue
    espeak-ng -v en-us -s 170 -w "$tmp/voice.wav" "$words"
    sox -n -r 16000 -c 1 -b 16 "$tmp/chime.wav" synth 0.12 sine "$pitch" fade 0.01 0.12 0.05 : \
        synth 0.12 sine "$((pitch * 5 / 4))" fade 0.01 0.12 0.05 : synth 0.08 sine 0 gain -50
    sox "$tmp/voice.wav" -r 16000 -c 1 -b 16 "$tmp/voice16.wav"
    sox "$tmp/chime.wav" "$tmp/voice16.wav" "$out/$file" norm -3
    echo "$out/$file"
done <<'TABLE'
Moved.wav|Station moved|660
TNCConn.wav|T N C connected|660
NewStat.wav|New station|660
NewMail.wav|New message|880
Bulletin.wav|New bulletin|880
Explode.wav|Explosion|220
SelQuery.wav|Selective query|660
LowTemp.wav|Low temperature alarm|330
HiTemp.wav|High temperature alarm|330
DeltTemp.wav|Temperature change alarm|330
GPSAlarm.wav|G P S alarm|330
ProxWarn.wav|Proximity warning|330
ProxDang.wav|Proximity danger|220
HiWind.wav|High wind alarm|330
BandOpen.wav|Band opening|660
WxBultn.wav|Weather bulletin|330
Unknown.wav|Event|440
TABLE
