#!/usr/bin/env python3
"""Time from starting `Tarnwick --headless` to its first scheduler pass.

The program prints its "按 Ctrl+C 退出..." line (and flushes) right before
the first pass, so the moment that line arrives on the pipe marks the end of
the boot. Each run gets a fresh program folder and TMPDIR. Prints the median
and the spread in milliseconds, and the median whole-run wall time.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

MARKER = "按 Ctrl+C 退出".encode()


def one_run(program):
    with tempfile.TemporaryDirectory() as scratch:
        copy = os.path.join(scratch, "Tarnwick")
        shutil.copy2(program, copy)
        env = dict(os.environ, TMPDIR=os.path.join(scratch, "tmp"))
        os.mkdir(env["TMPDIR"])
        start = time.perf_counter()
        proc = subprocess.Popen([copy, "--headless"], stdout=subprocess.PIPE, env=env)
        boot = None
        for line in proc.stdout:
            if boot is None and MARKER in line:
                boot = time.perf_counter() - start
        proc.wait()
        total = time.perf_counter() - start
        if proc.returncode != 0 or boot is None:
            sys.exit(f"headless run failed: exit {proc.returncode}")
        return boot * 1000, total * 1000


def main():
    program, runs = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 10
    results = [one_run(program) for _ in range(runs)]
    boots = [b for b, _ in results]
    totals = [t for _, t in results]
    print(f"headless boot to first scheduler pass: median {statistics.median(boots):.2f} ms "
          f"(min {min(boots):.2f}, max {max(boots):.2f}, {runs} runs; goal < 50 ms)")
    print(f"headless wall time: median {statistics.median(totals):.0f} ms "
          f"(50 passes x 50 ms = 2500 ms of sleeping)")


if __name__ == "__main__":
    main()
