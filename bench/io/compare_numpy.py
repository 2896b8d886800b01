#!/usr/bin/python3
"""Times saving and opening the W4 pair against numpy, in the same run.

tavex: Save/W4 and Open/W4 of tavex_io_bench (both files, through the disk,
       the save flushed to the disk before its renames).
numpy: np.savetxt and np.loadtxt of the same numbers, one per line with 15
       significant digits ("%.15g"), in two files like the pair: the
       coefficients, and the value lists with the function table.

Prints the times and the ratios numpy / tavex (above 1: tavex is faster).

Usage: bench/io/compare_numpy.py [path/to/tavex_io_bench]
"""
import json
import os
import subprocess
import sys
import tempfile
import time

import numpy as np

ROUNDS = 3


def read_pair(directory):
    """The numbers of the pair as tavex wrote them, for numpy to write and read."""
    with open(os.path.join(directory, "w4"), "rb") as f:
        problem = f.read().split(b"\r\n")
    with open(os.path.join(directory, "w4.dat"), "rb") as f:
        data = f.read().split(b"\r\n")
    last_var = int(problem[0])
    # problem file: count, one record per variable, the flag, then the coefficients
    coefficients = np.array([float(x) for x in problem[last_var + 3:] if x.strip()])
    # data file: count, a count line and a flag line per variable, then the numbers
    numbers = np.array([float(x) for x in data[1 + 2 * (last_var + 1):] if x.strip()])
    return coefficients, numbers


def best_of(rounds, action):
    times = []
    for _ in range(rounds):
        start = time.perf_counter()
        action()
        times.append(time.perf_counter() - start)
    return min(times) * 1000.0


def numpy_timings(coefficients, numbers, directory):
    a = os.path.join(directory, "np_problem.txt")
    b = os.path.join(directory, "np_data.txt")

    def save():
        np.savetxt(a, coefficients, fmt="%.15g")
        np.savetxt(b, numbers, fmt="%.15g")

    def load():
        x = np.loadtxt(a)
        y = np.loadtxt(b)
        assert x.size == coefficients.size and y.size == numbers.size

    save_ms = best_of(ROUNDS, save)
    load_ms = best_of(ROUNDS, load)
    return save_ms, load_ms


def tavex_timings(binary):
    out = subprocess.run([binary, "--benchmark_filter=^(Save|Open)/W4/", "--benchmark_format=json",
                          "--benchmark_repetitions=%d" % ROUNDS, "--benchmark_report_aggregates_only=false"],
                         check=True, capture_output=True, text=True).stdout
    best = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        name = b["run_name"].split("/real_time")[0]
        best[name] = min(best.get(name, float("inf")), b["real_time"])
    return best["Save/W4"], best["Open/W4"]


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "bin", "tavex_io_bench")
    with tempfile.TemporaryDirectory(prefix="tavex-compare-") as directory:
        subprocess.run([binary, "--write-pair=" + directory], check=True)
        coefficients, numbers = read_pair(directory)
        tavex_save, tavex_open = tavex_timings(binary)
        numpy_save, numpy_load = numpy_timings(coefficients, numbers, directory)

    print("W4 pair: %d coefficients, %d values and function values (best of %d)"
          % (coefficients.size, numbers.size, ROUNDS))
    print("%-14s %10s %10s %10s" % ("", "save ms", "open ms", "both ms"))
    print("%-14s %10.0f %10.0f %10.0f" % ("tavex", tavex_save, tavex_open, tavex_save + tavex_open))
    print("%-14s %10.0f %10.0f %10.0f" % ("numpy txt", numpy_save, numpy_load, numpy_save + numpy_load))
    print("%-14s %10.1f %10.1f %10.1f" % ("numpy / tavex", numpy_save / tavex_save, numpy_load / tavex_open,
                                          (numpy_save + numpy_load) / (tavex_save + tavex_open)))


if __name__ == "__main__":
    main()
