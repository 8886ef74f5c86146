#!/usr/bin/env bash
# Installs what is missing, builds and starts the demo program in a window.
# Without a display it says how to run it under Xvfb or take a screenshot instead.
# Arguments go to the program (for example --screenshot FILE).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target zoompan_demo
demo=build/default/demo/zoompan_demo
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && " $* " != *" --screenshot "* ]]; then
  echo "No display found. Run the demo under a virtual X server:"
  echo "  scripts/install-deps.sh --with-display && xvfb-run -s '-screen 0 1024x768x24' $demo"
  echo "or write a screenshot of the started window:"
  echo "  scripts/run.sh --screenshot demo.png"
  exit 0
fi
exec "$demo" "$@"
