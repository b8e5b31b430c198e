#!/usr/bin/env python3
"""A small sampled mutation run over the logic libraries.

Each mutant flips one operator on one line of tools/mutants.txt (< and <=,
> and >=, == and !=, && and ||, return true and return false), rebuilds
only the test executables of the layers that see that library, runs them,
and puts the line back. A mutant is killed when a test fails, survives
when every test passes; one that does not compile is not counted.

    tools/mutate.py [--build DIR] [--only N,...]       run the sample
    tools/mutate.py --sample 40 > tools/mutants.txt    draw a new sample

The sample is kept in the repository so that runs before and after a change
to the tests compare the same mutants.
"""
import argparse
import os
import random
import resource
import re
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LIBRARIES = ["core", "schedule", "scores", "stats", "picks", "results", "accounts", "session",
             "settings", "utilities", "net", "exchange", "export"]
# The test executables that see each library's faults, lowest layer first.
LAYERS = {
    "core": ["core_tests", "schedule_tests", "stats_tests", "picks_tests"],
    "schedule": ["schedule_tests", "stats_tests", "picks_tests"],
    "scores": ["schedule_tests", "picks_tests"],
    "stats": ["stats_tests", "picks_tests"],
    "picks": ["picks_tests", "stats_tests"],
    "results": ["stats_tests", "picks_tests"],
    "accounts": ["picks_tests"],
    "session": ["picks_tests"],
    "settings": ["picks_tests"],
    "utilities": ["picks_tests"],
    "export": ["picks_tests", "stats_tests"],
    "net": ["exchange_tests"],
    "exchange": ["exchange_tests"],
}
FLIPS = [(" <= ", " < "), (" >= ", " > "), (" < ", " <= "), (" > ", " >= "),
         (" == ", " != "), (" != ", " == "), (" && ", " || "), (" || ", " && "),
         ("return true;", "return false;"), ("return false;", "return true;")]


def candidates():
    for library in LIBRARIES:
        for path in sorted((ROOT / library).glob("*.cpp")):
            for line in path.read_text(encoding="utf-8").splitlines():
                stripped = line.strip()
                if stripped.startswith("//") or "<<" in line or ">>" in line or "#include" in line:
                    continue
                for old, new in FLIPS:
                    if old in line:
                        yield (str(path.relative_to(ROOT)), old.strip(), new.strip(), stripped)
                        break


def draw(count):
    pool = list(candidates())
    random.Random(20240601).shuffle(pool)
    for path, old, new, text in sorted(pool[:count]):
        print(f"{path}\t{old}\t{new}\t{text}")


def limitMemory():
    # A mutant that turns a loop endless can grow until the machine runs out
    # of memory; stop it at 4 GiB, which fails the run and kills the mutant.
    limit = 4 << 30
    resource.setrlimit(resource.RLIMIT_AS, (limit, limit))


def mutate(text, line, old, new):
    """The text with the first `old` of the line `line` turned into `new`."""
    lines = text.split("\n")
    for k, candidate in enumerate(lines):
        if candidate.strip() == line:
            spaced = old if old.startswith("return") else f" {old} "
            replacement = new if new.startswith("return") else f" {new} "
            lines[k] = candidate.replace(spaced, replacement, 1)
            return "\n".join(lines)
    return None


def run(build, only):
    entries = [row.split("\t") for row in (ROOT / "tools/mutants.txt").read_text().splitlines()
               if row and not row.startswith("#")]
    killed = survived = skipped = 0
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    started = time.time()
    for number, (path, old, new, line) in enumerate(entries, 1):
        if only and number not in only:
            continue
        source = ROOT / path
        original = source.read_text(encoding="utf-8")
        mutated = mutate(original, line, old, new)
        label = f"{number:2} {path}: {old} -> {new}: {line}"
        if mutated is None:
            print(f"{label}\n   line not found, skipped", flush=True)
            skipped += 1
            continue
        targets = LAYERS[path.split("/")[0]]
        try:
            source.write_text(mutated, encoding="utf-8")
            built = subprocess.run(["cmake", "--build", build, "--target", *targets],
                                   capture_output=True, text=True)
            if built.returncode != 0:
                print(f"{label}\n   does not compile, skipped", flush=True)
                skipped += 1
                continue
            verdict = "survived"
            for target in targets:
                exe = next(Path(build).rglob(target), None)
                try:
                    ran = subprocess.run([str(exe), "--gtest_brief=1", "--gtest_fail_fast"], capture_output=True,
                                         env=env, timeout=120, preexec_fn=limitMemory)
                    failed = ran.returncode != 0
                except subprocess.TimeoutExpired:
                    failed = True
                if failed:
                    verdict = f"killed by {target}"
                    break
            if verdict == "survived":
                survived += 1
            else:
                killed += 1
            print(f"{label}\n   {verdict}", flush=True)
        finally:
            source.write_text(original, encoding="utf-8")
    # Put the build back as the sources are.
    subprocess.run(["cmake", "--build", build, "--target",
                    *sorted({t for ts in LAYERS.values() for t in ts})], capture_output=True)
    print(f"killed {killed}, survived {survived}, skipped {skipped} "
          f"in {time.time() - started:.0f} s")
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=str(ROOT / "build"))
    parser.add_argument("--sample", type=int)
    parser.add_argument("--only", default="")
    args = parser.parse_args()
    if args.sample:
        draw(args.sample)
        return 0
    only = {int(n) for n in args.only.split(",") if n}
    return run(args.build, only)


if __name__ == "__main__":
    sys.exit(main())
