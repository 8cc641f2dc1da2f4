#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${QUENBY_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
bin="$build/bin"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Built. There is no display here, so no window can open."
  echo "Without one you can run every test (scripts/test.sh), the benchmarks"
  echo "($build/bin/quenby_bench), or start the program under a virtual display:"
  echo "  xvfb-run -a scripts/start.sh"
  exit 0
fi
if [ -x "$bin/tarn-viewer" ]; then
  exec "$bin/tarn-viewer" "$@"
fi
echo "Built the control's engine and tests; the editor window is not part of this build yet."
