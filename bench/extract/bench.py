#!/usr/bin/env python3
"""Times our 7za and plistconvert against Debian's 7-Zip and plistutil on the inputs of
make_inputs.py. Runs alternate between the two programs; the first run of each is a
warm-up and not counted. Times are medians of wall-clock and of processor time (the
latter is steadier on a busy machine); peak memory is the largest resident size of any
counted run.

    python3 bench.py --ours BUILD/bin --work DIR [--runs N] [--seven PATH] [--plistutil PATH]
"""
import argparse
import os
import resource
import shutil
import statistics
import subprocess
import tempfile
import time


def run_once(cmd, before=None):
    """Wall time, processor time (user + system) and peak resident KiB of one run."""
    if before:
        before()
    with tempfile.NamedTemporaryFile("r") as rss:
        usage = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter()
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", rss.name] + cmd, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        elapsed = time.perf_counter() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        kib = int(rss.read().strip().splitlines()[-1])
    cpu = (after.ru_utime - usage.ru_utime) + (after.ru_stime - usage.ru_stime)
    return elapsed, cpu, kib


def compare(name, ours, ref, runs, before=None):
    times = {"ours": [], "ref": []}
    cpus = {"ours": [], "ref": []}
    peaks = {"ours": 0, "ref": 0}
    for i in range(runs + 1):
        for key, cmd in (("ours", ours), ("ref", ref)):
            elapsed, cpu, kib = run_once(cmd, before(key) if before else None)
            if i == 0:
                continue
            times[key].append(elapsed)
            cpus[key].append(cpu)
            peaks[key] = max(peaks[key], kib)
    mo, mr = statistics.median(times["ours"]), statistics.median(times["ref"])
    co, cr = statistics.median(cpus["ours"]), statistics.median(cpus["ref"])
    print("| %s | %.1f | %.1f | %.2f | %.1f | %.1f | %.2f | %.1f | %.1f |"
          % (name, mo * 1000, mr * 1000, mo / mr, co * 1000, cr * 1000, co / cr if cr else 0,
             peaks["ours"] / 1024, peaks["ref"] / 1024))
    return mo / mr, peaks["ours"] / 1024


def tree(folder):
    return sorted(os.path.relpath(os.path.join(d, f), folder) for d, _, fs in os.walk(folder) for f in fs)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--ours", required=True, help="the program folder holding our 7za and plistconvert")
    ap.add_argument("--work", required=True, help="folder with big.ipa and big.bplist")
    ap.add_argument("--runs", type=int, default=11)
    ap.add_argument("--seven", default=shutil.which("7zz", path="/usr/bin") or "/usr/bin/7za")
    ap.add_argument("--plistutil", default="/usr/bin/plistutil")
    a = ap.parse_args()

    ipa = os.path.join(a.work, "big.ipa")
    bplist = os.path.join(a.work, "big.bplist")
    out = {"ours": os.path.join(a.work, "out-ours"), "ref": os.path.join(a.work, "out-ref")}
    our7za = os.path.join(a.ours, "7za")
    ours_x = [our7za, "x", "-y", "-r", ipa, "-o" + out["ours"], "info.plist"]
    # Debian's 7-Zip matches names case-sensitively, so it gets the archive's own spelling;
    # both bring out the same members (checked below).
    ref_x = [a.seven, "x", "-y", "-r", ipa, "-o" + out["ref"], "Info.plist"]

    def fresh(key):
        return lambda: shutil.rmtree(out[key], ignore_errors=True)

    for key in out:
        shutil.rmtree(out[key], ignore_errors=True)
    run_once(ours_x)
    run_once(ref_x)
    same = tree(out["ours"]) == tree(out["ref"])
    print("archive: %s, %.0f MiB; reference extractor: %s; same files extracted: %s (%d)"
          % (ipa, os.path.getsize(ipa) / 2**20, a.seven, same, len(tree(out["ours"]))))
    print()
    print("| case | ours ms | reference ms | ratio | ours CPU ms | reference CPU ms | CPU ratio "
          "| ours peak MiB | reference peak MiB |")
    print("|---|---|---|---|---|---|---|---|---|")
    ratio, peak = compare("extract info.plist -r, into a fresh folder", ours_x, ref_x, a.runs, fresh)
    compare("extract info.plist -r, overwriting", ours_x, ref_x, a.runs)
    compare("binary list (%.1f MB) to XML" % (os.path.getsize(bplist) / 1e6),
            [os.path.join(a.ours, "plistconvert"), "-convert", "xml1", "-s", "-o",
             os.path.join(a.work, "ours.xml"), bplist],
            [a.plistutil, "-i", bplist, "-o", os.path.join(a.work, "ref.xml"), "-f", "xml"], max(3, a.runs // 3))
    print()
    print("extraction goal (ratio <= 1.0, peak < 32 MiB): %s" % ("met" if ratio <= 1.0 and peak < 32 else "NOT met"))


if __name__ == "__main__":
    main()
