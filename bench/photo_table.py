#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""winscore.propose on real photos beside what a user would run instead.

Makes the photos (bench/photos.sh), then measures, one after another:
winscore.propose with its defaults warm (an Octave process per photo, the
median of several calls after a first one, bench/octave/propose_warm.m) and
in a fresh octave-cli per photo (the call alone and the whole process, with
the peak memory, bench/octave/propose_fresh.m); and OpenCV's EdgeBoxes and
selective search on one thread (the photo_peers program). Prints one markdown
table, with the issue's targets marked met or not:
  - propose warm at most max(25 ms, 20 ms per megapixel);
  - propose at least 5 times faster than EdgeBoxes;
  - the call's peak memory above what the caller holds at most three
    image-sized double planes, or 32 MiB for small photos.
Times are CPU seconds of the process doing the work by default (every step
runs on one thread, and on a shared machine wall time also counts the time
spent waiting for a core); --wall uses the wall clock.

Usage: photo_table.py --peers PROGRAM [--octave COMMAND] [--mex DIR]
                      [--reuse-peers] [--wall] [--only NAME,...]
--reuse-peers takes the peers' figures of earlier runs (kept in
build/bench/photos/peers.tsv) and measures only the photos they lack:
selective search at 12 MP takes minutes, and the peers do not change when
winscore does.
"""
import argparse
import os
import shlex
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SAVED_PEERS = os.path.join(ROOT, "build", "bench", "photos", "peers.tsv")
MIB = 2 ** 20


def run(command, env=None):
    """Runs COMMAND in the repository; its standard output, and the child's
    wall and CPU seconds (user + system, from wait4)."""
    start = time.perf_counter()
    child = subprocess.Popen(command, cwd=ROOT, env=env, stdout=subprocess.PIPE, text=True)
    out = child.stdout.read()
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    return out, child.returncode, wall, usage.ru_utime + usage.ru_stime


def tagged(out, tag):
    """The fields of the lines of OUT that start with TAG, by file."""
    rows = {}
    for line in out.splitlines():
        fields = line.split("\t")
        if fields[0] == tag:
            rows[fields[1]] = fields[2:]
    return rows


def octave(args, mex, code, photo_env):
    env = dict(os.environ, WS_BENCH_MEX=mex, **photo_env)
    return run(shlex.split(args) + ["--eval", "addpath(getenv('WS_BENCH_MEX')); "
                                    "addpath('bench/octave'); " + code], env)


def peers(program, files, reuse):
    """The peers' figures by file: measured now, or with REUSE those of the
    last run where it has them, measuring only the photos it lacks."""
    rows = {}
    if reuse and os.path.exists(SAVED_PEERS):
        with open(SAVED_PEERS) as f:
            rows = {r[0]: r[1:] for r in (l.split("\t") for l in f.read().splitlines()) if r[0]}
    missing = [f for f in files if f not in rows]
    note = "reused from an earlier run" if reuse and not missing else "measured in this run"
    if missing:
        out, code, _, _ = run([program] + missing)
        if code != 0:
            sys.exit("photo_table: %s failed (exit %d)" % (program, code))
        rows.update({r[0]: r[1:] for r in (l.split("\t") for l in out.splitlines()) if r[0]})
        os.makedirs(os.path.dirname(SAVED_PEERS), exist_ok=True)
        with open(SAVED_PEERS, "w") as f:
            f.writelines("\t".join([k] + v) + "\n" for k, v in sorted(rows.items()))
    return rows, note


def seconds(t):
    if t != t:  # NaN
        return "-"
    if t < 1:
        return "%.0f ms" % (t * 1e3) if t >= 0.01 else "%.1f ms" % (t * 1e3)
    return "%.2f s" % t if t < 10 else "%.0f s" % t


def mib(kb):
    return "%.0f MiB" % (kb * 1024 / MIB)


def fault(identifier):
    return "refused (`%s`)" % identifier.split(":")[-1]


def loadavg():
    with open("/proc/loadavg") as f:
        return " / ".join(f.read().split()[:3])


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--peers", required=True, help="the photo_peers program")
    ap.add_argument("--octave", default="octave-cli --no-history --no-init-file "
                    "--no-window-system --quiet")
    ap.add_argument("--mex", default=os.path.join(ROOT, "build", "mex"))
    ap.add_argument("--reuse-peers", action="store_true")
    ap.add_argument("--wall", action="store_true")
    ap.add_argument("--only", help="comma-separated photo names (fig,mountains,...)")
    opts = ap.parse_args()
    clock = 1 if opts.wall else 0  # column of the wall time after the CPU time

    made = subprocess.run([os.path.join(ROOT, "bench", "photos.sh")], cwd=ROOT,
                          stdout=subprocess.PIPE, text=True, check=True).stdout
    photos = [line.split("\t") for line in made.splitlines()]
    if opts.only:
        photos = [p for p in photos if p[0] in opts.only.split(",")]
    files = [p[1] for p in photos]
    load_start = loadavg()

    # Warm: an Octave process of its own per photo, as the allocator's state
    # left by one photo changes the next one's page faults.
    warm = {}
    for f in files:
        out, _, _, _ = octave(opts.octave, opts.mex, "propose_warm({getenv('WS_PHOTO')})",
                              {"WS_PHOTO": f})
        warm.update(tagged(out, "warm"))
    fresh = {}
    for f in files:
        out, code, wall, cpu = octave(opts.octave, opts.mex, "propose_fresh(getenv('WS_PHOTO'))",
                                      {"WS_PHOTO": f})
        fresh[f] = (tagged(out, "fresh").get(f), code, (cpu, wall)[clock])
    peer, peer_note = peers(opts.peers, files, opts.reuse_peers)
    load_end = loadavg()

    print("\n| image | size (W x H) | MP | propose warm | propose, fresh process: call / whole "
          "| peak memory: process / above the caller | EdgeBoxes | selective search "
          "| EdgeBoxes / propose | warm target | 5x EdgeBoxes | memory target |")
    print("|---|---|---:|---:|---:|---:|---:|---:|---:|---|---|---|")
    notes = []
    for name, f, width, height, source in photos:
        W, H = int(width), int(height)
        mp = W * H / 1e6
        target = max(0.025, 0.020 * mp)
        planes = max(32 * MIB, 3 * 8 * W * H)

        w = warm.get(f)
        if w is None:
            warm_t, warm_cell = float("nan"), "failed"
        elif w[4] != "-":
            warm_t, warm_cell = float("nan"), fault(w[4])
        else:
            warm_t = float(w[clock])
            warm_cell = seconds(warm_t)

        row, code, whole = fresh[f]
        memory_ok = None
        if row is None:
            fresh_cell, memory_cell = "failed (exit %d)" % code, "-"
        else:
            call = float(row[clock])
            before, during, held = (int(x) for x in row[2:5])
            above = (during - held) * 1024
            memory_ok = above <= planes
            memory_cell = "%s / %s" % (mib(max(before, during)), mib(during - held))
            fresh_cell = "%s / %s" % (fault(row[6]) if row[6] != "-" else seconds(call),
                                      seconds(whole))
            if row[6] != "-":
                memory_ok = None

        p = peer.get(f)
        edge_t = float(p[2 + clock]) if p else float("nan")
        search_t = float(p[6 + clock]) if p else float("nan")
        search_cell = seconds(search_t) + (" (1 run)" if p and p[8] == "1" else "")
        edge_cell = seconds(edge_t) + (" (1 run)" if p and p[4] == "1" else "")
        ratio = edge_t / warm_t if warm_t == warm_t and warm_t > 0 else float("nan")

        def mark(ok):
            return "-" if ok is None else ("met" if ok else "**not met**")

        print("| %s | %d x %d | %.2f | %s | %s | %s | %s | %s | %s | %s: %s | %s | %s: %s |" % (
            name, W, H, mp, warm_cell, fresh_cell, memory_cell, edge_cell, search_cell,
            "-" if ratio != ratio else ("%.1fx" if ratio < 10 else "%.0fx") % ratio,
            seconds(target), mark(warm_t <= target if warm_t == warm_t else None),
            mark(ratio >= 5 if ratio == ratio else None),
            "%.0f MiB" % (planes / MIB), mark(memory_ok)))
        notes.append("%s: %s" % (name, source))

    print("\n%s time, medians; winscore.propose with its defaults on the uint8 RGB photo; "
          "peers: OpenCV %s on one thread (EdgeBoxes on a thinned Sobel edge map; selective "
          "search in fast mode), %s. Fresh process: the call alone / octave-cli from start to "
          "exit (start-up, imread, the call). Peak memory: the fresh process's VmHWM / the "
          "call's peak less what the process held when the call began. Load average "
          "(1 / 5 / 15 min) %s at the start, %s at the end, on %d cores." % (
              "Wall" if opts.wall else "CPU", peer_version(opts.peers), peer_note,
              load_start, load_end, os.cpu_count()))
    print("Photos (from Debian's lomiri-wallpapers-16.04, scaled down and cropped to the "
          "centre, none scaled up): " + "; ".join(notes) + ".")


def peer_version(program):
    out = subprocess.run([program, "--version"], stdout=subprocess.PIPE, text=True).stdout
    return out.strip() or "?"


if __name__ == "__main__":
    main()
