#!/usr/bin/env python3
"""Sums llvm-cov's per-file line counts into one row per library (top-level folder of the tree)."""
import json
import os
import sys

LIBRARIES = ["base", "fileio", "program", "values", "interpreter", "inspection", "runtime", "forms",
             "instructions", "document"]


def main(summary_path, root):
    totals = {name: [0, 0] for name in LIBRARIES}
    for data in json.load(open(summary_path))["data"]:
        for entry in data["files"]:
            path = os.path.normpath(entry["filename"])  # ccache may leave build/../../ in it
            if not path.startswith(root + "/"):
                continue
            library = path[len(root) + 1:].split("/")[0]
            if library in totals:
                lines = entry["summary"]["lines"]
                totals[library][0] += lines["covered"]
                totals[library][1] += lines["count"]
    print(f"| library | lines | covered | share |")
    print(f"|---|---:|---:|---:|")
    covered_all = count_all = 0
    for name in LIBRARIES:
        covered, count = totals[name]
        covered_all += covered
        count_all += count
        share = 100.0 * covered / count if count else 0.0
        print(f"| {name} | {count} | {covered} | {share:.1f}% |")
    print(f"| all | {count_all} | {covered_all} | {100.0 * covered_all / max(count_all, 1):.1f}% |")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
