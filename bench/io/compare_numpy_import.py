#!/usr/bin/python3
"""Times importing the W4 table against numpy, on the same file, in the same run.

The file: tavex_import_bench --write-table, a header row "x,y,z,w,f" and
2.56 million rows of four coordinates and a function value (40^4 points).

tavex: ReadTable/W4 of tavex_import_bench (read from the disk, fields split,
       numbers parsed, each coordinate's values found and sorted, the table
       filled and checked: every grid point exactly once).
numpy: np.loadtxt of the file alone; then the same with the grid made as
       tavex makes it (np.unique with the inverse per column, the values put
       in their places, every point checked to be given once).

Prints the best of several runs on each side and the ratios numpy / tavex
(above 1: tavex is faster).

Usage: bench/io/compare_numpy_import.py [path/to/tavex_import_bench]
"""
import json
import os
import subprocess
import sys
import tempfile

import numpy as np

from compare_numpy import best_of  # the same timing as the pair's comparison

ROUNDS = 3


def load(path):
    return np.loadtxt(path, delimiter=",", skiprows=1)


def load_and_grid(path):
    rows = load(path)
    places = []
    shape = []
    for k in range(rows.shape[1] - 1):
        values, inverse = np.unique(rows[:, k], return_inverse=True)
        places.append(inverse)
        shape.append(values.size)
    table = np.full(shape, np.nan)
    index = tuple(places)
    table[index] = rows[:, -1]
    counts = np.zeros(shape, dtype=np.int64)
    np.add.at(counts, index, 1)
    assert (counts == 1).all()
    return table


def tavex_timing(binary):
    out = subprocess.run([binary, "--benchmark_filter=^ReadTable/W4/", "--benchmark_format=json",
                          "--benchmark_repetitions=%d" % ROUNDS, "--benchmark_report_aggregates_only=false"],
                         check=True, capture_output=True, text=True).stdout
    return min(b["real_time"] for b in json.loads(out)["benchmarks"] if b.get("run_type") == "iteration")


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "bin", "tavex_import_bench")
    with tempfile.TemporaryDirectory(prefix="tavex-compare-") as directory:
        path = os.path.join(directory, "w4.csv")
        subprocess.run([binary, "--write-table=" + path], check=True)
        megabytes = os.path.getsize(path) / 1e6
        tavex = tavex_timing(binary)
        numpy_load = best_of(ROUNDS, lambda: load(path))
        numpy_grid = best_of(ROUNDS, lambda: load_and_grid(path))

    print("W4 table: 2560000 rows, %.0f MB (best of %d)" % (megabytes, ROUNDS))
    print("%-26s %10s %14s" % ("", "ms", "numpy / tavex"))
    print("%-26s %10.0f" % ("tavex ReadTable", tavex))
    print("%-26s %10.0f %14.1f" % ("numpy loadtxt", numpy_load, numpy_load / tavex))
    print("%-26s %10.0f %14.1f" % ("numpy loadtxt + grid", numpy_grid, numpy_grid / tavex))


if __name__ == "__main__":
    main()
