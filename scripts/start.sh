#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${QUENBY_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
bin="$build/bin"
# The control is loaded through the registry: register the library just
# built (into $QUENBY_REGISTRY, else the user's registry file), so that
# hosts create the fresh one.
control="$build/control/activex/TarnEditXControl.so"
regsvr="$build/tools/quenby-regsvr"
if [ -f "$control" ] && [ -x "$regsvr" ]; then
  "$regsvr" /s "$control"
fi
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
