#!/usr/bin/env bash
# Runs a program on a virtual X server of the given screen size with a real window manager
# (openbox), so that windows get frames and are placed as on a desktop.
# Usage: run_under_window_manager.sh WIDTHxHEIGHT PROGRAM [ARGS...]
# Ends with 77 (the test is skipped) when Xvfb or openbox is not installed, or with 1 when
# NOX_REQUIRE_WINDOW_MANAGER is set (CI, where scripts/install-deps.sh has installed them).
set -uo pipefail
size=$1
shift
for tool in Xvfb openbox; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    [[ -n "${NOX_REQUIRE_WINDOW_MANAGER:-}" ]] && exit 1
    exit 77
  fi
done

work=$(mktemp -d)
server=""
manager=""
cleanup() {
  [[ -n "$manager" ]] && kill "$manager" 2>/dev/null
  [[ -n "$server" ]] && kill "$server" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display number and writes it to the pipe once it accepts clients.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
for _ in $(seq 100); do
  [[ -s "$work/display" ]] && break
  sleep 0.1
done
if [[ ! -s "$work/display" ]]; then
  echo "Xvfb did not start:" && cat "$work/xvfb.log"
  exit 1
fi
export DISPLAY=":$(head -n 1 "$work/display")"

# openbox runs the start-up command once it manages the screen.
openbox --sm-disable --startup "touch $work/ready" >"$work/openbox.log" 2>&1 &
manager=$!
for _ in $(seq 100); do
  [[ -e "$work/ready" ]] && break
  sleep 0.1
done
if [[ ! -e "$work/ready" ]]; then
  echo "openbox did not start:" && cat "$work/openbox.log"
  exit 1
fi

QT_QPA_PLATFORM=xcb "$@"
