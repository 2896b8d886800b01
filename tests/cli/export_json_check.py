"""Evaluates a JSON export of the coefficients with the function tavex.hlp shows.

Usage: export_json_check.py EXPORT.json < POINTS

Reads the export strictly (UTF-8, no NaN or Infinity); for each line of
blank-separated coordinates prints the expansion's value there and the sum of
its terms' magnitudes, the scale of its rounding error. The evaluator is taken
from the help file as it stands, so that the function users copy is the one
tested."""
import html
import itertools
import json
import math
import pathlib
import sys


def help_evaluator():
    text = (pathlib.Path(__file__).resolve().parents[2] / "tavex.hlp").read_text(encoding="utf-8")
    blocks = [block.split("</pre>")[0] for block in text.split("<pre>")[1:]]
    namespace = {}
    exec(html.unescape(next(block for block in blocks if "def evaluate(" in block)), namespace)
    return namespace["evaluate"]


def term_magnitudes(variable, x):
    d, n = x - variable["center"], len(variable["values"])
    if variable["kind"] == "power":
        return [abs(d) ** j for j in range(n)]
    a = 2 * math.pi * d / variable["period"]
    return [abs((math.sin if j % 2 else math.cos)((j + 1) // 2 * a)) for j in range(n)]


def magnitude(export, point):
    factors = [term_magnitudes(v, x) for v, x in zip(export["variables"], point)]
    products = itertools.product(*reversed(factors))  # the first variable's index fastest, as the list
    return sum(abs(c) * math.prod(p) for c, p in zip(export["coefficients"], products, strict=True))


def refuse(constant):
    raise ValueError(f"{constant} is not JSON")


evaluate = help_evaluator()
with open(sys.argv[1], encoding="utf-8") as f:
    export = json.load(f, parse_constant=refuse)
for line in sys.stdin:
    point = [float(x) for x in line.split()]
    print(repr(evaluate(export, point)), repr(magnitude(export, point)))
