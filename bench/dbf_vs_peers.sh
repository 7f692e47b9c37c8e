#!/usr/bin/env bash
# Times the terminal's dBase reader (krt-dbfdump --count: every record into its Json row)
# against `ogr2ogr -f CSV` and Python's dbfread on one 300,000-record order table, and prints on
# its last line how many times longer each peer takes:
#   ogr2ogr/ours=R1 dbfread/ours=R2
# Each program runs three times and its fastest run counts. Times are CPU seconds (user +
# system), so other work on a shared machine does not skew the ratios; wall times are shown too.
# Usage: bench/dbf_vs_peers.sh [build-dir]
set -euo pipefail

build=${1:-build}
ours="$build/bench/krt-dbfdump"
if [ ! -x "$ours" ]; then
  echo "krt-dbfdump not built: cmake --build $build --target krt-dbfdump" >&2
  exit 1
fi
command -v ogr2ogr >/dev/null || { echo "ogr2ogr missing (gdal-bin, scripts/setup.sh)" >&2; exit 1; }
python=""
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import dbfread' 2>/dev/null; then python=$candidate; break; fi
done
[ -n "$python" ] || { echo "dbfread missing (python3-dbfread, scripts/setup.sh)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
table="$work/880012_Order_2.dbf"

# The table is written by an independent writer, so no program reads a file of its own making.
"$python" - "$table" <<'PY'
import struct, sys
fields = [(b'EXCHANGE', b'C', 8), (b'CONTRACT', b'C', 16), (b'DIRECTION', b'C', 1),
          (b'OFFSETFLAG', b'C', 1), (b'COVERED', b'C', 1), (b'VOLUME', b'N', 10)]
count = 300000
width = 1 + sum(f[2] for f in fields)
parts = [bytes([3, 124, 5, 17]) + struct.pack('<IHH', count, 32 + 32 * len(fields) + 1, width) + bytes(20)]
parts += [name.ljust(11, b'\0') + kind + bytes(4) + bytes([size, 0]) + bytes(14) for name, kind, size in fields]
parts.append(b'\r')
for i in range(count):
    parts.append(b' ' + (b'SSE' if i % 2 else b'SZSE').ljust(8) + str(10000000 + i).encode().ljust(16)
                 + (b'1' if i % 3 else b'2') + b'0' + (b'0' if i % 5 else b'1') + str(1 + i % 500).encode().rjust(10))
parts.append(b'\x1a')
open(sys.argv[1], 'wb').write(b''.join(parts))
PY

# best_of3 NAME COMMAND...: prints "NAME cpu=S wall=S" for the run with the least CPU time.
best_of3() {
  local name=$1; shift
  local best_cpu="" best_wall=""
  for _ in 1 2 3; do
    local TIMEFORMAT='%U %S %R'
    local times
    times=$( { time "$@" >/dev/null 2>"$work/stderr"; } 2>&1 ) || { cat "$work/stderr" >&2; exit 1; }
    read -r user sys wall <<<"$times"
    local cpu
    cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.3f", u + s }')
    if [ -z "$best_cpu" ] || awk -v a="$cpu" -v b="$best_cpu" 'BEGIN { exit !(a < b) }'; then
      best_cpu=$cpu best_wall=$wall
    fi
  done
  echo "$name cpu=$best_cpu wall=$best_wall" >&2
  echo "$best_cpu"
}

ours_cpu=$(best_of3 ours "$ours" --count "$table")
ogr_cpu=$(best_of3 ogr2ogr ogr2ogr -f CSV /vsistdout/ "$table")
dbfread_cpu=$(best_of3 dbfread "$python" -c 'import dbfread, sys
rows = 0
for record in dbfread.DBF(sys.argv[1]):
    rows += 1
print(rows)' "$table")

awk -v ours="$ours_cpu" -v ogr="$ogr_cpu" -v dbf="$dbfread_cpu" \
  'BEGIN { if (ours <= 0) ours = 0.001; printf "ogr2ogr/ours=%.2f dbfread/ours=%.2f\n", ogr / ours, dbf / ours }'
