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
# On a first start the registry tool did not exist yet when setup ran.
scripts/register_sysinfo.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Built. There is no display here, so Quenby's window cannot open."
  echo "Without one you can:"
  echo "  - run every test:               scripts/test.sh"
  echo "  - run the benchmarks:           $build/bin/quenby_bench_startup (and the other $build/bin/quenby_bench*)"
  echo "  - look at the editing control:  QT_QPA_PLATFORM=offscreen $bin/tarn-viewer --screenshot out.png FILE"
  echo "  - see a page as a phone shows it: $bin/quenby --render PAGE -o shot.png [--skin fold240x320.ini]"
  echo "  - start Quenby on a virtual display: xvfb-run -a scripts/start.sh [FILE]"
  exit 0
fi
# Everything after the command is the document to open, as one path.
exec "$bin/quenby" "$@"
