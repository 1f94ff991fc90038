#!/usr/bin/env bash
# Times the native autorun-lint on a CD folder: RUNS whole runs, each a new process, as an author
# runs it; prints the median, the fastest and the slowest.
#   lint-benchmark.sh CD [RUNS]      (after make native; B names another build folder)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
/usr/bin/python3 - "$top/${B:-build}/native/autorun-lint" "$1" "${2:-30}" <<'PY'
import statistics, subprocess, sys, time
lint, cd, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
times = []
for _ in range(runs):
    start = time.perf_counter()
    subprocess.run([lint, cd], stdout=subprocess.DEVNULL, check=False)
    times.append((time.perf_counter() - start) * 1000)
print(f"autorun-lint {cd}: median {statistics.median(times):.0f} ms, "
      f"{min(times):.0f} to {max(times):.0f} ms, {runs} runs")
PY
