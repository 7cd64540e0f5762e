#!/usr/bin/env python3
"""Runs Quelvara's start-up and click benchmarks and writes bench/results.json.

    bench/run.py BUILD_DIR [startup | clicks | all] [--runs N] [--warm-up N] [--clicks N] [--label TEXT]
    bench/run.py --tables      # the figures of bench/results.json as the README's tables

BUILD_DIR is a CMake build of the project (Release for figures worth quoting)
in which the target "bench" has been built. The start-up benchmark and the
click benchmark on X run on a virtual X server of their own, which is always
stopped at the end. Each part replaces its own section of the results file.
"""

import argparse
import datetime
import json
import os
import platform
import select
import signal
import statistics
import subprocess
import sys
import tempfile
import textwrap
import threading
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
RESULTS = HERE / "results.json"
MIB = 1024 * 1024

STARTUP_GOALS = {"wall_ratio": 1.10, "cpu_ratio": 1.20, "peak_memory_extra_mib": 6.0}
CLICK_GOALS = {
    "offscreen": {"median_us": 50.0, "p99_us": 150.0},
    "xcb": {"median_us": 500.0, "p99_us": 1000.0},
}
SPLIT = ["to_application_ms", "decode_ms", "decode_to_window_ms", "window_ms", "show_ms", "first_paint_ms",
         "total_ms"]


class VirtualScreen:
    """An Xvfb on the first free display, which it writes to the pipe given with -displayfd."""

    def __init__(self):
        self.process = None
        self.display = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        try:
            number = b""
            deadline = time.monotonic() + 20
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
                chunk = os.read(read_end, 16) if ready else b""
                if not chunk:
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        except BaseException:
            self.__exit__(None, None, None)
            raise
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()
        return self

    def __exit__(self, *_):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def stop_on_signals():
    """Turns SIGTERM and SIGHUP into an exception, so the X server is stopped on the way out."""
    def handler(number, _frame):
        raise SystemExit(128 + number)
    for number in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, handler)


def environment(runtime_dir, qpa, display=None):
    """The environment of a measured run: nothing from the desktop the runner may be started in."""
    env = {key: value for key, value in os.environ.items()
           if not key.startswith(("QT_", "DISPLAY", "WAYLAND_", "XAUTHORITY", "DBUS_", "AT_SPI_"))}
    env.update(QT_QPA_PLATFORM=qpa, XDG_RUNTIME_DIR=runtime_dir, LC_ALL="C.UTF-8")
    if display:
        env["DISPLAY"] = display
    return env


def run_measured(command, env, timeout=120):
    """Runs a program to its end; returns its JSON line, wall and CPU seconds and peak memory (bytes)."""
    if not Path(command[0]).exists():
        raise RuntimeError(f"{command[0]} is missing: build the target 'bench' first")
    with tempfile.TemporaryFile() as output, tempfile.TemporaryFile() as errors:
        start = time.perf_counter()
        child = subprocess.Popen(command, env=env, stdout=output, stderr=errors)
        # A program that never paints is stopped rather than waited for.
        watchdog = threading.Timer(timeout, child.kill)
        watchdog.start()
        _, status, usage = os.wait4(child.pid, 0)
        wall = time.perf_counter() - start
        watchdog.cancel()
        child.returncode = os.waitstatus_to_exitcode(status)
        output.seek(0)
        errors.seek(0)
        printed, complaints = output.read().decode(), errors.read().decode()
    if child.returncode != 0:
        raise RuntimeError(f"{command[0]} ended with status {child.returncode}:\n{complaints}")
    lines = [line for line in printed.splitlines() if line.startswith("{")]
    if not lines:
        raise RuntimeError(f"{command[0]} printed no figures:\n{printed}{complaints}")
    return {
        "figures": json.loads(lines[-1]),
        "wall_s": wall,
        "cpu_s": usage.ru_utime + usage.ru_stime,
        "peak_memory_bytes": usage.ru_maxrss * 1024,
    }


def median_of(runs, pick):
    values = [pick(run) for run in runs]
    values = [value for value in values if value is not None]
    return statistics.median(values) if values else None


def summarise(runs):
    return {
        "wall_ms": median_of(runs, lambda run: run["wall_s"] * 1000),
        "cpu_ms": median_of(runs, lambda run: run["cpu_s"] * 1000),
        "peak_memory_mib": median_of(runs, lambda run: run["peak_memory_bytes"] / MIB),
        "split_ms": {key: median_of(runs, lambda run, key=key: run["figures"].get(key)) for key in SPLIT},
    }


def startup(build, runs, warm_up, runtime_dir):
    program = [str(build / "bench" / "quelvara-startup-bench")]
    baseline = [str(build / "bench" / "quelvara-startup-baseline")]
    with VirtualScreen() as screen:
        env = environment(runtime_dir, "xcb", screen.display)
        for _ in range(warm_up):
            run_measured(program, env)
            run_measured(baseline, env)
        pairs = []
        for _ in range(runs):
            pairs.append((run_measured(program, env), run_measured(baseline, env)))
    if not all(run["figures"]["x_round_trip"] for pair in pairs for run in pair):
        raise RuntimeError("a start-up run did not reach the X server")
    qt = pairs[0][0]["figures"]["qt_version"]

    ours = [pair[0] for pair in pairs]
    theirs = [pair[1] for pair in pairs]
    ratios = {
        "wall_ratio": statistics.median(a["wall_s"] / b["wall_s"] for a, b in pairs),
        "cpu_ratio": statistics.median(a["cpu_s"] / b["cpu_s"] for a, b in pairs),
        "peak_memory_extra_mib": statistics.median(
            (a["peak_memory_bytes"] - b["peak_memory_bytes"]) / MIB for a, b in pairs),
    }
    return {
        "measured": now(),
        "qt_version": qt,
        "runs_each": runs,
        "warm_up_runs_each": warm_up,
        "platform": "xcb on Xvfb",
        "program": summarise(ours),
        "baseline": summarise(theirs),
        "paired_medians": ratios,
        "goals": {key: {"goal": goal, "met": ratios[key] <= goal} for key, goal in STARTUP_GOALS.items()},
        "runs": [{"program": strip(a), "baseline": strip(b)} for a, b in pairs],
    }


def strip(run):
    return {"wall_ms": round(run["wall_s"] * 1000, 3), "cpu_ms": round(run["cpu_s"] * 1000, 3),
            "peak_memory_kib": run["peak_memory_bytes"] // 1024, "split_ms": run["figures"]}


def clicks(build, count, runtime_dir):
    command = [str(build / "bench" / "quelvara-click-bench"), str(count)]
    results = {"measured": now()}
    results["offscreen"] = run_measured(command, environment(runtime_dir, "offscreen"))["figures"]
    with VirtualScreen() as screen:
        results["xcb"] = run_measured(command, environment(runtime_dir, "xcb", screen.display))["figures"]
    if not results["xcb"]["x_round_trip"]:
        raise RuntimeError("the click benchmark on X did not reach the X server")
    results["goals"] = {
        name: {key: {"goal": goal, "met": results[name][key] <= goal} for key, goal in goals.items()}
        for name, goals in CLICK_GOALS.items()}
    results["goals"]["no_large_allocation_per_click"] = {
        "goal": 0, "met": all(results[name]["large_allocations"] == 0 for name in CLICK_GOALS)}
    return results


def now():
    return datetime.datetime.now(datetime.timezone.utc).isoformat(timespec="seconds")


def cache_entries(build):
    cache = build / "CMakeCache.txt"
    if not cache.exists():
        return {}
    entries = {}
    for line in cache.read_text().splitlines():
        if ":" in line and "=" in line and not line.startswith(("#", "//")):
            name, value = line.split("=", 1)
            entries[name.split(":", 1)[0]] = value
    return entries


def source_revision(cache):
    """The commit the build's sources are at, marked when files differ from it; None outside git."""
    source = cache.get("CMAKE_HOME_DIRECTORY")
    if not source:
        return None
    def git(*arguments):
        return subprocess.run(["git", "-C", source, *arguments], capture_output=True, text=True)
    head = git("rev-parse", "--short", "HEAD")
    if head.returncode != 0:
        return None
    changed = git("status", "--porcelain", "--untracked-files=no").stdout.strip()
    return head.stdout.strip() + (" with uncommitted changes" if changed else "")


def machine(build):
    model = next((line.split(":", 1)[1].strip() for line in Path("/proc/cpuinfo").read_text().splitlines()
                  if line.startswith("model name")), platform.processor())
    cache = cache_entries(build)
    return {
        "nproc": os.cpu_count(),
        "cpu_model": model,
        "qt_version": None,
        "kernel": platform.release(),
        "build_type": cache.get("CMAKE_BUILD_TYPE"),
        "sources": source_revision(cache),
        "load_average_at_start": [round(value, 2) for value in os.getloadavg()],
    }


def verdict(met):
    return "met" if met else "MISSED"


def print_startup(results):
    program, baseline, ratios = results["program"], results["baseline"], results["paired_medians"]
    print(f"\nStart-up under Xvfb with Qt {results['qt_version']}, {results['runs_each']} runs each after"
          f" {results['warm_up_runs_each']} warm-up runs (medians)")
    print(f"  {'':22}{'program':>10}{'baseline':>10}{'paired':>10}  goal")
    rows = [("wall (ms)", "wall_ms", "wall_ratio", "×"), ("CPU user+sys (ms)", "cpu_ms", "cpu_ratio", "×"),
            ("peak memory (MiB)", "peak_memory_mib", "peak_memory_extra_mib", "+")]
    for label, key, ratio, sign in rows:
        goal = results["goals"][ratio]
        shown = f"{ratios[ratio]:.2f}" if sign == "×" else f"{ratios[ratio]:+.2f}"
        print(f"  {label:22}{program[key]:10.2f}{baseline[key]:10.2f}{shown:>10}  "
              f"{'≤' if sign == '×' else '≤ +'}{goal['goal']:.2f} {verdict(goal['met'])}")
    print("  in-process split (ms):")
    for key in SPLIT:
        ours, theirs = program["split_ms"][key], baseline["split_ms"][key]
        show = lambda value: f"{value:10.2f}" if value is not None else f"{'-':>10}"
        print(f"    {key[:-3]:20}{show(ours)}{show(theirs)}")


def print_clicks(results):
    print(f"\nClicks, from the press until the frame is out (µs)")
    print(f"  {'platform':12}{'clicks':>8}{'median':>9}{'p99':>9}{'max':>10}{'large allocs':>14}  goals")
    for name in CLICK_GOALS:
        figures, goals = results[name], results["goals"][name]
        print(f"  {name:12}{figures['clicks']:8}{figures['median_us']:9.1f}{figures['p99_us']:9.1f}"
              f"{figures['max_us']:10.1f}{str(figures['large_allocations']):>14}  "
              f"median ≤ {goals['median_us']['goal']:.0f} {verdict(goals['median_us']['met'])}, "
              f"p99 ≤ {goals['p99_us']['goal']:.0f} {verdict(goals['p99_us']['met'])}")


def markdown_tables(results):
    """The README's tables, from the figures of both benchmarks."""
    startup, clicks = results["startup"], results["clicks"]
    program, baseline, paired = startup["program"], startup["baseline"], startup["paired_medians"]
    goals = startup["goals"]
    info = startup["machine"]
    when = datetime.date.fromisoformat(startup["measured"][:10])
    heading = (f"Measured on {when:%d %B %Y} on {info['nproc']} cores (\"{info['cpu_model']}\"), Qt"
               f" {startup['qt_version']}, {info['build_type']} build of {info['sources']}, load average"
               f" {info['load_average_at_start'][0]}:")
    lines = textwrap.wrap(heading, 120) + [""]
    lines += [f"| start-up under Xvfb, {startup['runs_each']} runs each | program | empty window | paired median | goal |",
              "|---|---:|---:|---:|---|"]
    def met(key):
        return "met" if goals[key]["met"] else "missed"
    lines.append(f"| wall time | {program['wall_ms']:.1f} ms | {baseline['wall_ms']:.1f} ms |"
                 f" × {paired['wall_ratio']:.2f} | ≤ × 1.10, {met('wall_ratio')} |")
    lines.append(f"| CPU time, user + system | {program['cpu_ms']:.1f} ms | {baseline['cpu_ms']:.1f} ms |"
                 f" × {paired['cpu_ratio']:.2f} | ≤ × 1.20, {met('cpu_ratio')} |")
    lines.append(f"| peak memory | {program['peak_memory_mib']:.1f} MiB | {baseline['peak_memory_mib']:.1f} MiB |"
                 f" + {paired['peak_memory_extra_mib']:.1f} MiB | ≤ + 6 MiB, {met('peak_memory_extra_mib')} |")
    lines += ["", "| inside the program (medians) | program | empty window |", "|---|---:|---:|"]
    names = {"to_application_ms": "from the first initialiser to the application object",
             "decode_ms": "decoding every picture",
             "decode_to_window_ms": "between them: typeface, accessibility, navigation",
             "window_ms": "building the window",
             "show_ms": "showing it, until its first paint",
             "first_paint_ms": "first paint until the frame is on the X server"}
    for key, name in names.items():
        ours, theirs = program["split_ms"][key], baseline["split_ms"][key]
        lines.append(f"| {name} | {ours:.1f} ms | " + (f"{theirs:.1f} ms |" if theirs is not None else "– |"))
    lines += ["", f"| clicks, {clicks['offscreen']['clicks']} per platform | median | p99 | max | goal |"
              " allocations ≥ 100 000 bytes |", "|---|---:|---:|---:|---|---:|"]
    for name, label, goal in (("offscreen", "offscreen, until repainted", "median ≤ 50 µs, p99 ≤ 150 µs"),
                              ("xcb", "Xvfb, until the X server has the frame", "median ≤ 0.5 ms, p99 ≤ 1 ms")):
        figures = clicks[name]
        both = all(clicks["goals"][name][key]["met"] for key in ("median_us", "p99_us"))
        lines.append(f"| {label} | {figures['median_us']:.1f} µs | {figures['p99_us']:.1f} µs |"
                     f" {figures['max_us']:.0f} µs | {goal}: {'met' if both else 'missed'} |"
                     f" {figures['large_allocations']} |")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build", type=Path, nargs="?", help="a CMake build directory with the target 'bench' built")
    parser.add_argument("part", nargs="?", choices=["startup", "clicks", "all"], default="all")
    parser.add_argument("--runs", type=int, default=21, help="measured start-up runs of each program (21)")
    parser.add_argument("--warm-up", type=int, default=3, help="start-up runs of each left out first (3)")
    parser.add_argument("--clicks", type=int, default=10080, help="timed clicks per platform (10080)")
    parser.add_argument("--results", type=Path, default=RESULTS, help="where to write the figures")
    parser.add_argument("--label", help="what was measured, kept with the figures")
    parser.add_argument("--tables", action="store_true", help="print the results file's figures as Markdown, run nothing")
    args = parser.parse_args()
    if args.tables:
        print(markdown_tables(json.loads(args.results.read_text())))
        return
    if args.build is None:
        parser.error("the build directory is missing")
    if args.runs < 15:
        parser.error("--runs: at least 15")
    build = args.build.resolve()
    stop_on_signals()

    results = json.loads(args.results.read_text()) if args.results.exists() else {}
    info = machine(build)
    print(f"{info['cpu_model']}, {info['nproc']} cores, {info['build_type']} build of {info['sources'] or build};"
          f" load average {info['load_average_at_start'][0]}")
    with tempfile.TemporaryDirectory(prefix="quelvara-bench-") as runtime_dir:
        os.chmod(runtime_dir, 0o700)
        if args.part in ("startup", "all"):
            results["startup"] = {"label": args.label, "machine": info,
                                  **startup(build, args.runs, args.warm_up, runtime_dir)}
            info["qt_version"] = results["startup"]["qt_version"]
            print_startup(results["startup"])
        if args.part in ("clicks", "all"):
            results["clicks"] = {"label": args.label, "machine": info, **clicks(build, args.clicks, runtime_dir)}
            info["qt_version"] = results["clicks"]["offscreen"]["qt_version"]
            print_clicks(results["clicks"])
    info["load_average_at_end"] = [round(value, 2) for value in os.getloadavg()]
    args.results.write_text(json.dumps(results, indent=2, ensure_ascii=False) + "\n")
    print(f"\nwritten to {args.results}")


if __name__ == "__main__":
    try:
        main()
    except RuntimeError as error:
        sys.exit(f"run.py: {error}")
