#!/usr/bin/env bash
# Starts the terminal from its run layout. Without a display it says so and runs headless
# (simulator, component and file-order gateway running, journal written) until interrupted.
set -euo pipefail
bin=$(cd "${1:-build/dist/bin}" && pwd)
journal="$bin/../journal.jsonl"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running the terminal headless (journal: $journal). Press Ctrl+C to stop."
  exec "$bin/krt-terminal" --headless --journal "$journal"
fi
exec "$bin/krt-terminal" --journal "$journal"
