#!/usr/bin/env python3
"""Makes a class of submissions and times `trevalon-cli grade` over it.

    bench/grade_bench.py make DIR [--count 300]
        DIR/class/: COUNT copies of examples/factorial.skb, most with a small mutation (a
        constant in a formula, a swapped comparison, a changed text, an endless loop), one in
        sixteen damaged; DIR/factorial10.tests: ten cases.
    bench/grade_bench.py time DIR [--cli build/src/cli/trevalon-cli] [--jobs 1] [--runs 5]
        Runs `trevalon-cli grade --jobs J DIR/factorial10.tests DIR/class` RUNS times (after
        one warm-up run) and prints the median, least and most wall seconds and the largest
        peak resident memory of the child.

Goal on a 2-core machine: 300 submissions x 10 cases under 2 s wall; near-linear speed-up
from 1 to 2 jobs; peak memory the same for 300 and 3 000 submissions.
"""

import argparse
import os
import resource
import statistics
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOURCE = ROOT / "examples" / "factorial.skb"

# (name, bytes to find, bytes to put instead); the file is Windows-1250 XML.
MUTATIONS = [
    ("correct", None, None),
    ("correct", None, None),
    ("times-plus-one", b"<t4>f * i</t4>", b"<t4>f * i + 1</t4>"),
    ("step-two", b"<t4>i + 1</t4>", b"<t4>i + 2</t4>"),
    ("less-than", b"<tp>4</tp>\r\n\t\t\t<nrw>35</nrw>", b"<tp>2</tp>\r\n\t\t\t<nrw>35</nrw>"),
    ("other-words", b"<t4>Silnia liczby $n$ wynosi</t4>", b"<t4>Silnia $n$ =</t4>"),
    ("start-at-two", b"<t4>1</t4>", b"<t4>2</t4>"),
    ("endless", b"<t4>i + 1</t4>", b"<t4>i + 0</t4>"),
]


def factorial(n):
    result = 1
    for k in range(2, n + 1):
        result *= k
    return result


def tests_file():
    lines = [
        "# Ten cases of n! for the grading benchmark.",
        "title: Silnia (benchmark)",
        "steps: 10000",
        "time: 2000",
        "",
    ]
    for n in [0, 1, 2, 3, 4, 5, 6, 7, 10, 12]:
        lines += [
            f"case n={n}",
            f"  input: {n}",
            "  output: Podaj liczbę n:",
            f"  output: Silnia liczby {n} wynosi {factorial(n)}",
            "",
        ]
    return "\n".join(lines)


def make(folder, count):
    source = SOURCE.read_bytes()
    target = folder / "class"
    target.mkdir(parents=True, exist_ok=True)
    for old in target.glob("*.skb"):
        old.unlink()
    for i in range(count):
        name, find, put = MUTATIONS[i % len(MUTATIONS)]
        data = source
        if find is not None:
            if find not in data:
                sys.exit(f"mutation {name}: its text is not in {SOURCE}")
            data = data.replace(find, put, 1)
        if i % 16 == 15:
            name, data = "damaged", data[: len(data) // 2]
        (target / f"pupil{i:05d}-{name}.skb").write_bytes(data)
    (folder / "factorial10.tests").write_text(tests_file(), encoding="utf-8")
    print(f"{count} submissions in {target}, tests in {folder / 'factorial10.tests'}")


def run_once(command):
    start = time.monotonic()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.monotonic() - start
    code = os.waitstatus_to_exitcode(status)
    if code not in (0, 1):
        sys.exit(f"{' '.join(command)} answered {code}")
    return wall, usage.ru_maxrss  # kilobytes on Linux


def time_it(folder, cli, jobs, runs):
    command = [str(cli), "grade", "--jobs", str(jobs), str(folder / "factorial10.tests"),
               str(folder / "class")]
    run_once(command)
    results = [run_once(command) for _ in range(runs)]
    walls = sorted(wall for wall, _ in results)
    peak = max(rss for _, rss in results)
    print(f"jobs {jobs}: wall median {statistics.median(walls):.3f} s "
          f"(min {walls[0]:.3f}, max {walls[-1]:.3f}), peak RSS {peak / 1024:.1f} MB")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    sub = parser.add_subparsers(dest="what", required=True)
    m = sub.add_parser("make")
    m.add_argument("dir", type=Path)
    m.add_argument("--count", type=int, default=300)
    t = sub.add_parser("time")
    t.add_argument("dir", type=Path)
    t.add_argument("--cli", type=Path, default=ROOT / "build" / "src" / "cli" / "trevalon-cli")
    t.add_argument("--jobs", type=int, default=1)
    t.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    if args.what == "make":
        make(args.dir, args.count)
    else:
        time_it(args.dir, args.cli, args.jobs, args.runs)


if __name__ == "__main__":
    main()
