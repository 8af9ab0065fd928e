#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Prints each fast kernel's time as a ratio to the plain one and to the floor.

A kernel with only a plain version (ringdiff) is listed with its time alone.
A kernel with a peer or a variant that also returns the marker vector
(greedypick) gets a table of its own: plain, fast (kept list only),
fast+marker (both outputs) and peer (another library's function for the same
job), with the plain and the peer time as ratios to the fast ones; runs of
other variants (each of greedypick's walks forced) get a table of times.

Reads Google Benchmark JSON files (--benchmark_out_format=json) whose runs are
named <kernel>/<variant>/<workload...>, and uses the median of the repetitions
where there is one, else the single run. Times are CPU times by default (the
kernels run on one thread, and on a shared machine wall time also counts the
time spent waiting for a core); --real uses wall time. A run that reported an
error (the peer picking other windows, say) is left out of the tables, named
at the end, and makes the exit status 1.
Usage: ratios.py [--real] result.json...
"""
import json
import re
import sys

UNIT = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
MAIN = ("plain", "fast", "floor")
SIDE = ("plain", "fast", "fast+marker", "peer")


def medians(paths, clock, errors):
    times, singles = {}, {}
    for path in paths:
        with open(path) as f:
            for b in json.load(f)["benchmarks"]:
                # Settings Google Benchmark appends to a name are not part of the workload.
                parts = [p for p in b.get("run_name", b["name"]).split("/")
                         if not re.match(r"(min_time|iterations|repeats):", p)]
                if b.get("error_occurred"):
                    errors.add(f"{b.get('run_name', b['name'])}: {b.get('error_message', '')}")
                    continue
                if len(parts) < 2:
                    continue
                key = (parts[0], "/".join(parts[2:]), parts[1])
                ms = b[clock] * UNIT[b.get("time_unit", "ns")]
                if b.get("aggregate_name") == "median":
                    times[key] = ms
                elif b.get("run_type", "iteration") == "iteration":
                    singles.setdefault(key, ms)
    for key, ms in singles.items():
        times.setdefault(key, ms)
    return times


def in_order(workload):
    """Sorts workloads by their words and numbers, 10 before 100 before 1000."""
    return [(0, int(t), "") if t.isdigit() else (1, 0, t) for t in re.split(r"(\d+)", workload)]


def cell(v, width=10):
    return f"{v:{width}.3f}" if v is not None else f"{'-':>{width}}"


def ratio(num, den, width=12):
    return f"{num / den:{width - 1}.2f}x" if num and den else f"{'-':>{width}}"


def main_table(times, rows):
    wide = max([len(w) + 2 for _, w in rows] + [14])
    print(f"{'kernel':<14}{'workload':<{wide}}{'plain ms':>10}{'fast ms':>10}{'floor ms':>10}"
          f"{'plain/fast':>12}{'fast/floor':>12}")
    for kernel, workload in rows:
        plain, fast, floor = (times.get((kernel, workload, v)) for v in MAIN)
        if fast is None and plain is None:
            continue
        print(f"{kernel:<14}{workload or '-':<{wide}}{cell(plain)}{cell(fast)}{cell(floor)}"
              f"{ratio(plain, fast)}{ratio(fast, floor)}")


def side_table(times, kernel, workloads):
    print(f"\n{kernel}: kept list only (fast), both outputs (fast+marker), and the peer")
    print(f"{'workload':<18}{'plain ms':>11}{'fast ms':>11}{'+marker ms':>11}{'peer ms':>11}"
          f"{'plain/fast':>12}{'plain/+mark':>12}{'peer/fast':>11}")
    for workload in workloads:
        plain, fast, marker, peer = (times.get((kernel, workload, v)) for v in SIDE)
        cells = "".join(cell(v, 11) for v in (plain, fast, marker, peer))
        print(f"{workload or '-':<18}{cells}"
              f"{ratio(plain, fast)}{ratio(plain, marker)}{ratio(peer, fast, 11)}")


def variant_table(times, kernel, workloads):
    variants = sorted({v for k, _, v in times if k == kernel and v not in SIDE})
    if not variants:
        return
    print(f"\n{kernel}: each walk forced, ms")
    print(f"{'workload':<18}" + "".join(f"{v:>17}" for v in variants))
    for workload in workloads:
        print(f"{workload or '-':<18}"
              + "".join(cell(times.get((kernel, workload, v)), 17) for v in variants))


def main(args):
    clock = "real_time" if "--real" in args else "cpu_time"
    paths = [a for a in args if a != "--real"]
    if not paths:
        sys.exit(__doc__)
    errors = set()
    times = medians(paths, clock, errors)
    side = {k for k, _, v in times if v in SIDE[2:]}
    rows = sorted({(k, w) for k, w, _ in times}, key=lambda r: (r[0], in_order(r[1])))
    print(f"{'CPU' if clock == 'cpu_time' else 'wall'} times, medians where repeated")
    main_table(times, [r for r in rows if r[0] not in side])
    for kernel in sorted(side):
        side_table(times, kernel, [w for k, w in rows if k == kernel])
        variant_table(times, kernel, [w for k, w in rows if k == kernel])
    if errors:
        sys.exit("\nruns that reported an error:\n" + "\n".join(sorted(errors)))


if __name__ == "__main__":
    main(sys.argv[1:])
