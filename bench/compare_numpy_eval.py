#!/usr/bin/python3
"""Times evaluation at 10,000 points on W4 against numpy, in the same run.

tavex: EvaluateOne (one point after another) and EvaluateMany on 1 and 2
       threads, the widest instruction set, of tavex_eval_bench.
numpy: the same expansions at the same points by successive tensor
       contractions, a chunk of points at a time: the basis matrix of
       variable 0 times the coefficient table (one matrix product, OpenBLAS
       on as many threads as it likes), then each further variable's basis
       contracted point by point (stacked np.matmul; the fastest of the forms
       tried, np.einsum and the table-first product among them). Basis of a
       polynomial variable: the powers of the offsets; of a trigonometric one:
       1, sin t, cos t, sin 2t, ...
Every figure is the best of several runs. Prints points per second, the
ratios, and the largest difference between numpy's values and ours, as a
share of the sum of the magnitudes of the terms at that point: W4's
expansions are so badly conditioned (values up to 1e37 among the polynomial
ones) that only that measure tells rounding from a fault.

Usage: bench/compare_numpy_eval.py [path/to/tavex_eval_bench]
"""
import json
import os
import subprocess
import sys
import tempfile
import time

CHUNKS = (32, 64, 256, 1024)  # numpy's chunk of points: each size timed, the best kept


def read_problem(directory):
    with open(os.path.join(directory, "w4.txt")) as f:
        fields = f.read().split()
    counts = [int(x) for x in fields[:4]]
    return counts, float(fields[4]), int(fields[5])


def numpy_child(directory):
    """Runs in a child process so that OpenBLAS starts without this shell's settings."""
    import numpy as np
    try:
        from threadpoolctl import threadpool_info
        blas = [(i.get("internal_api"), i.get("num_threads"), i.get("architecture")) for i in threadpool_info()]
    except ImportError:
        blas = []

    counts, period, count = read_problem(directory)
    points = np.fromfile(os.path.join(directory, "points.f64")).reshape(count, 4)

    def basis(dx, n, trig):
        b = np.empty((len(dx), n))
        b[:, 0] = 1.0
        if not trig:
            for j in range(1, n):
                b[:, j] = b[:, j - 1] * dx
            return b
        t = dx * (2 * np.pi / period)
        for j in range(1, n):
            k = (j + 1) // 2
            b[:, j] = np.sin(k * t) if j % 2 else np.cos(k * t)
        return b

    def evaluate(coef, trig, chunk, magnitudes=False):
        n0, n1, n2, n3 = counts
        # numpy's C order puts variable 0 last, fastest, as in coef; transposed,
        # the product with the points' basis runs along its long side.
        lines = np.ascontiguousarray(coef.reshape(-1, n0).T)
        values = np.empty(count)
        for first in range(0, count, chunk):
            p = points[first:first + chunk]
            b = [basis(p[:, v], counts[v], trig) for v in range(4)]
            if magnitudes:
                b = [np.abs(x) for x in b]
            t = b[0] @ lines  # (points, n3 n2 n1)
            t = np.matmul(t.reshape(len(p), n3 * n2, n1), b[1][:, :, None])
            t = np.matmul(t.reshape(len(p), n3, n2), b[2][:, :, None])
            values[first:first + chunk] = np.einsum("pn,pn->p", t.reshape(len(p), n3), b[3])
        return values

    def best_of(fn, rounds=3):
        times = []
        for _ in range(rounds):
            start = time.perf_counter()
            fn()
            times.append(time.perf_counter() - start)
        return min(times)

    results = {"blas": blas, "kinds": {}}
    for kind, trig in (("poly", False), ("trig", True)):
        coef = np.fromfile(os.path.join(directory, kind + ".coef.f64"))
        ours = np.fromfile(os.path.join(directory, kind + ".values.f64"))
        seconds = {chunk: best_of(lambda: evaluate(coef, trig, chunk)) for chunk in CHUNKS}
        chunk = min(seconds, key=seconds.get)
        difference = np.abs(evaluate(coef, trig, chunk) - ours)
        scale = evaluate(np.abs(coef), trig, chunk, magnitudes=True)
        results["kinds"][kind] = {"seconds": seconds[chunk], "chunk": chunk,
                                  "max_difference": float(np.max(difference)),
                                  "max_share": float(np.max(difference / scale)),
                                  "max_value": float(np.max(np.abs(ours)))}
    json.dump(results, sys.stdout)


def numpy_timings(directory):
    env = dict(os.environ)
    env.pop("OPENBLAS_NUM_THREADS", None)
    # Older OpenBLAS builds need these on some processors; they slow a current one.
    env.pop("OPENBLAS_CORETYPE", None)
    env.pop("OPENBLAS_L2_SIZE", None)
    out = subprocess.run([sys.executable, __file__, "--numpy-child", directory], env=env,
                         check=True, capture_output=True, text=True).stdout
    return json.loads(out)


def tavex_timings(binary):
    """Points per second of each benchmark, the widest instruction set only, best of five runs."""
    names = subprocess.run([binary, "--benchmark_list_tests"], check=True, capture_output=True,
                           text=True).stdout.split()
    isa = max(int(name.removesuffix("/real_time").rsplit(":", 1)[1]) for name in names
              if name.startswith("EvaluateMany/"))
    out = subprocess.run([binary, f"--benchmark_filter=^Evaluate(One|Many/.*/isa:{isa})", "--benchmark_format=json",
                          "--benchmark_repetitions=5"], check=True, capture_output=True, text=True).stdout
    best = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        name = b["run_name"].removesuffix("/real_time").removesuffix(f"/isa:{isa}")
        best[name] = max(best.get(name, 0.0), b["points/s"])
    return best


def main():
    if sys.argv[1:2] == ["--numpy-child"]:
        numpy_child(sys.argv[2])
        return
    binary = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "build", "bin", "tavex_eval_bench")
    with tempfile.TemporaryDirectory(prefix="tavex-eval-") as directory:
        subprocess.run([binary, "--write=" + directory], check=True)
        _, _, count = read_problem(directory)
        tavex = tavex_timings(binary)
        numpy = numpy_timings(directory)

    print("BLAS:", numpy["blas"])
    print(f"W4, {count} points; points per second, best of several runs")
    print(f"{'kind':5} {'one point':>10} {'1 thread':>10} {'2 threads':>10} {'numpy':>10} "
          f"{'1 thr/one':>9} {'2 thr/1':>7} {'2 thr/numpy':>11}")
    for kind in ("poly", "trig"):
        one = tavex[f"EvaluateOne/W4/{kind}"]
        t1 = tavex[f"EvaluateMany/W4/{kind}/threads:1"]
        t2 = tavex[f"EvaluateMany/W4/{kind}/threads:2"]
        np_rate = count / numpy["kinds"][kind]["seconds"]
        print(f"{kind:5} {one:10.0f} {t1:10.0f} {t2:10.0f} {np_rate:10.0f} {t1 / one:9.1f} {t2 / t1:7.2f} "
              f"{t2 / np_rate:11.1f}")
    for kind in ("poly", "trig"):
        n = numpy["kinds"][kind]
        print(f"{kind}: values up to {n['max_value']:.3g}; max |numpy - ours| {n['max_difference']:.3g}, "
              f"at most {n['max_share']:.3g} of the sum of |terms|; numpy's best chunk {n['chunk']} points")


if __name__ == "__main__":
    main()
