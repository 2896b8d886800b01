#!/usr/bin/python3
"""Times Compute against numpy doing the same solve, in the same run.

numpy solves the tensor-product system one axis at a time, two ways:
  solve    np.linalg.solve(A_i, table moved to put axis i first, reshaped (n_i, -1)),
           moved back;
  inverse  each axis's inverse applied by matrix product, without copies
           (ping-pong between two buffers).
Both run with OpenBLAS on 1 and on 2 threads; Compute with 1 and 2 threads.
Every figure is the best of several runs: this machine's timings wander by
ten percent from run to run, and the best is the most repeatable.

Usage: bench/compare_numpy.py [path/to/tavex_compute_bench]
"""
import json
import os
import subprocess
import sys
import time

WORKLOADS = [("W1", [20]), ("W2", [200, 200]), ("W3", [64] * 3), ("W4", [40] * 4), ("W5", [64] * 4)]
PERIOD = 2.5


def numpy_timings(threads):
    """Runs in a child process so that OpenBLAS starts with its thread count."""
    env = dict(os.environ, OPENBLAS_NUM_THREADS=str(threads))
    # Older OpenBLAS builds need these on some processors; they slow a current one.
    env.pop("OPENBLAS_CORETYPE", None)
    env.pop("OPENBLAS_L2_SIZE", None)
    out = subprocess.run([sys.executable, __file__, "--numpy-child"], env=env,
                         check=True, capture_output=True, text=True).stdout
    return json.loads(out)


def numpy_child():
    import numpy as np
    try:
        from threadpoolctl import threadpool_info
        blas = [(i.get("internal_api"), i.get("num_threads"), i.get("architecture"))
                for i in threadpool_info()]
    except ImportError:
        blas = []

    def basis(values, trig):
        n = len(values)
        a = np.zeros((n, n))
        u = values * (2 * np.pi / PERIOD if trig else 1.0)
        for j in range(n):
            if not trig:
                a[:, j] = u ** j
            elif j == 0:
                a[:, j] = 1.0
            else:
                p = (j + 1) // 2
                a[:, j] = np.sin(p * u) if j % 2 else np.cos(p * u)
        return a

    def best_of(fn, seconds=1.0, at_least=3):
        times, start = [], time.perf_counter()
        while len(times) < at_least or time.perf_counter() - start < seconds:
            t0 = time.perf_counter()
            fn()
            times.append(time.perf_counter() - t0)
            if len(times) >= 50:
                break
        return min(times) * 1e3

    results = {"blas": blas, "times": {}}
    for name, counts in WORKLOADS:
        grids = [np.linspace(-1.0, 1.0, n) for n in counts]
        # numpy's C order with the first variable last: its index runs fastest, as in coef.
        mesh = np.meshgrid(*reversed(grids), indexing="ij")
        coords = list(reversed(mesh)) + [np.zeros(1)] * (4 - len(counts))
        x, y, z, w = (np.broadcast_to(c, mesh[0].shape) for c in coords)
        table = np.ascontiguousarray(np.cos(x + 2 * y) * np.exp(0.5 * z) + x * w)
        nd = table.ndim
        for trig in (False, True):
            mats = [basis(g, trig) for g in grids]

            def solve():
                t = table
                for i, a in enumerate(mats):
                    ax = nd - 1 - i
                    moved = np.moveaxis(t, ax, 0)
                    shape = moved.shape
                    y = np.linalg.solve(a, moved.reshape(shape[0], -1))
                    t = np.moveaxis(y.reshape(shape), 0, ax)
                return t

            src = table.copy()
            dst = np.empty_like(table)

            def inverse():
                s, d = src, dst
                for i, a in enumerate(mats):
                    inv = np.linalg.inv(a)
                    ax = nd - 1 - i
                    n = table.shape[ax]
                    pre = int(np.prod(table.shape[:ax], dtype=np.int64))
                    post = int(np.prod(table.shape[ax + 1:], dtype=np.int64))
                    if post == 1:
                        np.matmul(s.reshape(pre, n), inv.T, out=d.reshape(pre, n))
                    else:
                        np.matmul(inv, s.reshape(pre, n, post), out=d.reshape(pre, n, post))
                    s, d = d, s
                return s

            # No check that the two agree: the big monomial bases are so badly
            # conditioned that every method gives its own digits.
            kind = "trig" if trig else "poly"
            seconds = 2.0 if len(counts) >= 4 else 0.5
            results["times"][f"{name}/{kind}"] = {"solve": best_of(solve, seconds),
                                                  "inverse": best_of(inverse, seconds)}
    json.dump(results, sys.stdout)


def tavex_timings(binary):
    """Best of five runs of each Compute benchmark, as numpy's are best of several."""
    out = subprocess.run([binary, "--benchmark_filter=^Compute/", "--benchmark_format=json",
                          "--benchmark_repetitions=5", "--benchmark_min_time=0.2"],
                         check=True, capture_output=True, text=True).stdout
    times = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        parts = b["run_name"].split("/")  # Compute/W4/poly/threads:1/...
        key = (f"{parts[1]}/{parts[2]}", int(parts[3].split(":")[1]))
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        times[key] = min(times.get(key, float("inf")), b["real_time"] * scale)
    return times


def main():
    if sys.argv[1:] == ["--numpy-child"]:
        numpy_child()
        return
    binary = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "build", "bin", "tavex_compute_bench")
    tavex = tavex_timings(binary)
    numpy = {t: numpy_timings(t) for t in (1, 2)}
    print("BLAS:", numpy[1]["blas"], numpy[2]["blas"])
    print(f"{'workload':10} {'thr':>3} {'tavex ms':>9} {'np solve':>9} {'np inv':>9} "
          f"{'solve/tavex':>11} {'inv/tavex':>9} {'2nd thread':>10}")
    for name, _ in WORKLOADS:
        for kind in ("poly", "trig"):
            key = f"{name}/{kind}"
            for t in (1, 2):
                ours = tavex[(key, t)]
                np_t = numpy[t]["times"][key]
                speedup = tavex[(key, 1)] / tavex[(key, 2)] if t == 2 else float("nan")
                print(f"{key:10} {t:>3} {ours:9.3f} {np_t['solve']:9.3f} {np_t['inverse']:9.3f} "
                      f"{np_t['solve'] / ours:11.1f} {np_t['inverse'] / ours:9.2f} "
                      + (f"{speedup:10.2f}" if t == 2 else f"{'':10}"))


if __name__ == "__main__":
    main()
