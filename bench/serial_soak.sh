#!/bin/sh
# A VHF TNC port on a pseudo-terminal pair fed continuously at 19200 baud
# (1920 characters a second) for SECONDS: counts the lines that reached the
# APRS log against the lines sent, and samples the program's resident memory.
#   bench/serial_soak.sh BUILD_DIR [SECONDS]      (needs socat and python3)
set -eu
build=${1:?build directory}
seconds=${2:-180}
work=$(mktemp -d)
trap 'kill $socat_pid $velmora_pid 2>/dev/null || true; rm -rf "$work"' EXIT
socat -d -d pty,raw,echo=0,link="$work/ttyA" pty,raw,echo=0,link="$work/ttyB" 2>"$work/socat.log" &
socat_pid=$!
while ! grep -qs "starting data transfer loop" "$work/socat.log"; do sleep 0.1; done
mkdir -p "$work/data"
"$build/tools/velmora-prefs" --data "$work/data" set port2_device "$work/ttyA"
"$build/tools/velmora-prefs" --data "$work/data" set auto_input_vhf_tnc 1
"$build/tools/velmora-prefs" --data "$work/data" set auto_log_aprs 1
mkfifo "$work/console"
"$build/src/velmora" --headless --data "$work/data" <"$work/console" >"$work/velmora.log" 2>&1 &
velmora_pid=$!
exec 3>"$work/console"
sleep 2
python3 - "$work/ttyB" "$seconds" "$velmora_pid" <<'PY'
import os, sys, time
tty, seconds, pid = sys.argv[1], float(sys.argv[2]), sys.argv[3]
fd = os.open(tty, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
def rss():
    for line in open(f"/proc/{pid}/status"):
        if line.startswith("VmRSS"): return line.split()[1] + " kB"
start = time.time(); sent = 0; chars = 0; next_sample = start
while time.time() - start < seconds:
    line = f"N{sent % 5000}>APRS,WIDE2-1:!4140.{sent % 100:02d}N/07240.00W-soak line {sent}\r\n".encode()
    done = 0
    while done < len(line):
        try: done += os.write(fd, line[done:])
        except BlockingIOError: time.sleep(0.01)
    sent += 1; chars += len(line)
    # 1920 characters a second, as 19200 baud carries
    delay = start + chars / 1920.0 - time.time()
    if delay > 0: time.sleep(delay)
    try: os.read(fd, 4096)
    except BlockingIOError: pass
    if time.time() >= next_sample:
        print(f"{time.time() - start:6.0f} s  sent {sent:6d}  rss {rss()}", flush=True); next_sample += 30
print(f"sent {sent} lines, {chars} characters in {time.time() - start:.0f} s")
open(os.environ.get("SENT_FILE", "/dev/null"), "w").write(str(sent))
PY
sleep 2
echo quit >&3
wait $velmora_pid || true
echo "lines in the APRS log: $(cat "$work"/data/Logs/APRS*.log | grep -c soak)"
