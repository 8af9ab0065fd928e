#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Prints each fast kernel's time as a ratio to the plain one and to the floor.

A kernel with only a plain version (ringdiff) is listed with its time alone.

Reads Google Benchmark JSON files (--benchmark_out_format=json) whose runs are
named <kernel>/<variant>/<workload...> with variant plain, fast or floor, and
uses the median of the repetitions where there is one, else the single run.
Usage: ratios.py result.json...
"""
import json
import sys

UNIT = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def medians(paths):
    times, singles = {}, {}
    for path in paths:
        with open(path) as f:
            for b in json.load(f)["benchmarks"]:
                parts = b.get("run_name", b["name"]).split("/")
                if len(parts) < 2:
                    continue
                key = (parts[0], "/".join(parts[2:]), parts[1])
                ms = b["real_time"] * UNIT[b.get("time_unit", "ns")]
                if b.get("aggregate_name") == "median":
                    times[key] = ms
                elif b.get("run_type", "iteration") == "iteration":
                    singles.setdefault(key, ms)
    for key, ms in singles.items():
        times.setdefault(key, ms)
    return times


def main(paths):
    times = medians(paths)
    rows = sorted({(k, w) for k, w, _ in times})
    print(f"{'kernel':<14}{'workload':<14}{'plain ms':>10}{'fast ms':>10}{'floor ms':>10}"
          f"{'plain/fast':>12}{'fast/floor':>12}")
    for kernel, workload in rows:
        plain, fast, floor = (times.get((kernel, workload, v)) for v in ("plain", "fast", "floor"))
        if fast is None and plain is None:
            continue
        cell = lambda v: f"{v:10.3f}" if v is not None else f"{'-':>10}"
        speedup = f"{plain / fast:11.2f}x" if plain and fast else f"{'-':>12}"
        to_floor = f"{fast / floor:11.2f}x" if fast and floor else f"{'-':>12}"
        print(f"{kernel:<14}{workload or '-':<14}{cell(plain)}{cell(fast)}{cell(floor)}"
              f"{speedup}{to_floor}")


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    main(sys.argv[1:])
