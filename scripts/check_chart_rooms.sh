#!/bin/sh
# Keeps the include direction between the chart's rooms (the index in chart/Nox_grafon.h):
#   model        includes none of the other rooms and not the control (chart/*.h);
#   render       includes neither interaction nor form;
#   interaction  includes neither render nor form;
#   form         is included by nothing in chart/ but itself.
# and keeps every header in chart/ at 400 lines or less, so that no header holds more than one
# reader can take in.
# Lists every include or header that breaks a rule and fails; run by CTest (chart_room_includes).
#
# Usage: check_chart_rooms.sh [source root]   (default: the folder above this script)

root=${1:-$(dirname "$0")/..}
chart="$root/chart"
if [ ! -d "$chart/model" ]; then
  echo "check_chart_rooms: no chart/model below $root" >&2
  exit 2
fi

status=0
# forbid <room> <pattern of the path after chart/> <what the rule says>
forbid() {
  room=$1
  pattern=$2
  rule=$3
  dir=$chart/$room
  [ "$room" = . ] && dir=$chart
  for file in "$dir"/*.h "$dir"/*.cpp; do
    [ -f "$file" ] || continue
    grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"chart/($pattern)\"" "$file" |
      while IFS= read -r line; do
        echo "chart/${file#"$chart"/}:$line    ($rule)"
      done
  done
}

report=$(
  forbid model 'render/[^"]*|interaction/[^"]*|[^/"]+' 'the model room includes only itself'
  forbid render 'interaction/[^"]*' 'render and interaction do not include each other'
  forbid interaction 'render/[^"]*' 'render and interaction do not include each other'
  for room in . model render interaction; do
    forbid "$room" 'form/[^"]*' 'only the form room includes the form room'
  done
)

# The longest a header in chart/ may be.
max_lines=400
sizes=$(
  find "$chart" -name '*.h' | sort | while IFS= read -r file; do
    lines=$(wc -l < "$file")
    [ "$lines" -gt "$max_lines" ] && echo "chart/${file#"$chart"/}: $lines lines    (a header in chart/ has at most $max_lines)"
  done
)
[ -n "$sizes" ] && report="${report:+$report
}$sizes"

if [ -n "$report" ]; then
  echo "$report"
  status=1
fi
exit $status
