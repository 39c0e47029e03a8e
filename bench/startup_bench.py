#!/usr/bin/python3
# Start-up and quit times of the real game under Xvfb with sound on: from just before the process
# is started to the first frame shown (the game prints the monotonic clock then, when
# BRICKWRATH_REPORT_FIRST_FRAME=1), and from SIGTERM to the process's end.
#
#   bench/startup_bench.py [build/brickwrath] [runs] [game flags...]
# Runs itself under xvfb-run when there is no display. Sound goes to ALSA's null device.
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

def main():
    game = sys.argv[1] if len(sys.argv) > 1 else "build/brickwrath"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    flags = sys.argv[3:] if len(sys.argv) > 3 else ["-w", "1024", "-h", "768"]
    if not os.environ.get("DISPLAY"):
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-n", str(300 + os.getpid() % 300), "-s", "-screen 0 1024x768x24", sys.executable] + sys.argv)

    folder = tempfile.mkdtemp()
    config = os.path.join(folder, "asound.conf")
    with open(config, "w") as out:
        out.write("pcm.!default {\n    type null\n}\n")
    env = dict(os.environ, BRICKWRATH_REPORT_FIRST_FRAME="1", ALSA_CONFIG_PATH=config, HOME=folder)

    print("cores:", os.cpu_count())
    print("game:", game, " ".join(flags))
    starts, quits = [], []
    for run in range(runs):
        started = time.monotonic()
        process = subprocess.Popen([game] + flags, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env,
                                   text=True)
        first = None
        seen = []
        for line in process.stdout:
            seen.append(line.strip())
            if line.startswith("first frame shown at "):
                first = float(line.split()[-1])
                break
        if first is None:
            process.kill()
            print("no frame shown; the game said:", *seen, sep="\n  ")
            return 1
        starts.append((first - started) * 1e3)
        time.sleep(1.0)
        asked = time.monotonic()
        process.send_signal(signal.SIGTERM)
        process.stdout.read()
        process.wait()
        quits.append((time.monotonic() - asked) * 1e3)
        print("run %d: first frame %.1f ms after start, ended %.1f ms after SIGTERM" % (run + 1, starts[-1],
                                                                                         quits[-1]))
    print("first frame: median %.1f ms (min %.1f, max %.1f) of %d runs" % (statistics.median(starts), min(starts),
                                                                           max(starts), runs))
    print("quit after SIGTERM: median %.1f ms (min %.1f, max %.1f)" % (statistics.median(quits), min(quits),
                                                                       max(quits)))
    return 0

if __name__ == "__main__":
    sys.exit(main())
