#!/usr/bin/env python3
"""Prints the benchmark ratios from Google Benchmark JSON output.

    python3 bench/ratios.py bench.json bias.json

Every figure is a quotient of two medians taken in the same run: the median
over the repetitions of each benchmark (CPU time for the short benchmarks, so
that time spent waiting for a busy machine's other work is left out; wall
time for the report, whose file writing counts). Nothing here passes or fails.
"""
import json
import math
import sys


def medians(paths):
    cpu, real, counters = {}, {}, {}
    for path in paths:
        with open(path) as f:
            data = json.load(f)
        for b in data["benchmarks"]:
            if b.get("run_type") != "aggregate" or b.get("aggregate_name") != "median":
                continue
            name = b["run_name"]
            cpu[name] = b["cpu_time"]
            real[name] = b["real_time"]
            counters[name] = b
    return cpu, real, counters


def main(paths):
    cpu, real, counters = medians(paths)
    rows = []

    def ratio(figure, numerator, denominator, target, times=cpu, note=""):
        if numerator in times and denominator in times:
            rows.append((figure, times[numerator] / times[denominator], target, note))

    for shape, name in [("16 areas in rotation", "begin_end"),
                        ("one area in a hot loop", "begin_end_one_area"),
                        ("16 areas, 100-byte file", "begin_end_long_file")]:
        ratio("begin+end pair / two bare clock reads, %s" % shape, "Timer/pair/" + name,
              "Timer/pair/two_bare_clock_reads", "<= 1.3")
    bare = counters.get("Bias/bare_read_difference", {})
    # The floor has no target: it shows how low any mark's bias could go.
    for figure, name, target in [
            ("bias, 16 areas in rotation: empty area ticks", "empty_area_ticks", "<= 1.3"),
            ("bias, one area in a hot loop: empty area ticks", "empty_area_ticks_one_area",
             "<= 1.3"),
            ("floor of the bias: ticks between two calls that only read", "call_floor_ticks",
             "")]:
        empty = counters.get("Bias/" + name, {})
        for kind in ["median", "mean"]:
            b, e = bare.get(kind + "_ticks"), empty.get(kind + "_ticks")
            if b and e:
                rows.append(("%s / bare read difference (%s of samples)" % (figure, kind),
                             e / b, target, "%.1f / %.1f ticks" % (e, b)))
    for op in ["add", "subtract", "multiply", "increment", "decrement", "equal", "not_equal",
               "less", "less_equal", "greater", "greater_equal", "shift_left", "shift_right"]:
        ratio("VYKNB64 %s / native" % op, "Number/%s/vyknb64" % op, "Number/%s/native" % op,
              "<= 1.1")
    for op in ["divide", "remainder"]:
        ratio("VYKNB64 %s / native" % op, "Number/%s/vyknb64" % op, "Number/%s/native" % op,
              "<= 1.0")
    ratio("VsStr radix 10 / to_chars", "Text/decimal/VsStr", "Text/decimal/to_chars", "<= 1.0")
    ratio("VsStr format 3 / to_chars", "Text/grouped_3/VsStr", "Text/decimal/to_chars", "<= 1.5")
    ratio("VsStr format 1310723 / to_chars", "Text/grouped_3_fill_20/VsStr",
          "Text/decimal/to_chars", "<= 1.5")
    ratio("VsStr radix 16 / to_chars base 16", "Text/hexadecimal/VsStr",
          "Text/hexadecimal/to_chars", "<= 1.0")
    ratio("VzStr decimal (to the zero byte) / from_chars", "Text/read_decimal/VzStr",
          "Text/read_decimal/from_chars", "<= 1.0")
    ratio("VzStr decimal (length given) / from_chars", "Text/read_decimal_given_length/VzStr",
          "Text/read_decimal/from_chars", "<= 1.0")
    ratio("VsStr radix 10, every magnitude / to_chars", "Text/spread_decimal/VsStr",
          "Text/spread_decimal/to_chars", "<= 1.0")
    ratio("VsStr format 3, every magnitude / to_chars", "Text/spread_grouped_3/VsStr",
          "Text/spread_decimal/to_chars", "<= 1.2")
    ratio("VsStr format 1310723, every magnitude / to_chars",
          "Text/spread_grouped_3_fill_20/VsStr", "Text/spread_decimal/to_chars", "<= 1.4")
    ratio("VzStr decimal (to the zero byte), every magnitude / from_chars",
          "Text/read_spread/VzStr", "Text/read_spread/from_chars", "<= 1.0")
    ratio("VzStr decimal (length given), every magnitude / from_chars",
          "Text/read_spread_given_length/VzStr", "Text/read_spread/from_chars", "<= 1.0")

    tool_rows(real, rows)

    print("| figure | ratio | target | note |")
    print("|---|---|---|---|")
    for figure, value, target, note in rows:
        print("| %s | %.3f | %s | %s |" % (figure, value, target, note))

    area_count_table(cpu, real)

    report_table(real, "Timer/report/", "report of N begun areas")
    for phase in ["order", "compose", "write_file"]:
        report_table(real, "Report/%s/" % phase, "report phase '%s'" % phase)


def tool_rows(real, rows):
    """vykpav-report: summary against pokaz at each size, its growth, compare."""
    for areas in ["100000", "1000000"]:
        writes = "Tool/pokaz_writes/%s/real_time" % areas
        for form in ["text", "json"]:
            summary = "Tool/summary_reads/%s/%s/real_time" % (form, areas)
            if summary in real and writes in real:
                rows.append(("vykpav-report summary (%s) of a %s-area report / pokaz writing it"
                             % (form, areas), real[summary] / real[writes],
                             "<= 3" if form == "text" else "-",
                             "wall %.0f ms / %.0f ms" % (real[summary], real[writes])))
    # Linear: the time per area at 10^6 about that at 10^5, as pokaz's is.
    for what, prefix in [("vykpav-report summary (text)", "Tool/summary_reads/text"),
                         ("pokaz, for comparison", "Tool/pokaz_writes")]:
        small, large = ("%s/%s/real_time" % (prefix, n) for n in ["100000", "1000000"])
        if small in real and large in real:
            rows.append(("%s: time per area at 10^6 / at 10^5" % what,
                         real[large] / 10 / real[small], "about 1", ""))
    compare = "Tool/compare_reads/30x1000/real_time"
    if compare in real:
        rows.append(("vykpav-report compare of two files of 30 reports of 1,000 areas, seconds",
                     real[compare] / 1000, "< 1", "wall %.0f ms" % real[compare]))


def area_count_table(cpu, real):
    """A mark pair among N areas against its floor, for each walk and way of naming."""
    targets = {16: "<= 1.3", 128: "<= 1.3", 1024: "<= 1.4", 65536: "<= 2.0"}
    rows = []
    for walk in ["random", "in_turn"]:
        for names in ["literal", "copied"]:
            prefix = "Areas/pair/%s/%s/" % (walk, names)
            counts = sorted(int(name[len(prefix):]) for name in cpu if name.startswith(prefix))
            for n in counts:
                pair = cpu[prefix + str(n)]
                floor = cpu.get("Areas/floor/%s/%s/%d" % (walk, names, n))
                if floor:
                    rows.append((n, walk.replace("_", " "), names, pair, floor,
                                 targets.get(n, "-")))
    if rows:
        print()
        print("| areas | order | names | mark pair | floor | ratio | target |")
        print("|---|---|---|---|---|---|---|")
        for n, walk, names, pair, floor, target in rows:
            print("| %d | %s | %s | %.1f ns | %.1f ns | %.2f | %s |" % (
                n, walk, names, pair, floor, pair / floor, target))
    for name in sorted(real):
        if name.startswith("Areas/build/"):
            n = int(name.split("/")[2])
            print()
            print("building a timer of %d areas: %.0f ns an area (CPU time %.0f ns)" % (
                n, real[name] * 1e6 / n, cpu[name] * 1e6 / n))


def report_table(real, prefix, title):
    """Wall time and time per area of one kind of report benchmark by N."""
    reports = sorted((int(name[len(prefix):].split("/")[0]), name) for name in real
                     if name.startswith(prefix))
    if reports:
        print()
        print("| %s | wall time | per area | per area / per area at %d | log N / log %d |"
              % (title, reports[0][0], reports[0][0]))
        print("|---|---|---|---|---|")
        first_n, first_name = reports[0]
        first_per_area = real[first_name] / first_n
        for n, name in reports:
            per_area = real[name] / n  # the report benchmarks run in milliseconds
            print("| %d | %.1f ms | %.0f ns | %.2f | %.2f |" % (
                n, real[name], per_area * 1e6, per_area / first_per_area,
                math.log(n) / math.log(first_n)))


if __name__ == "__main__":
    main(sys.argv[1:])
