#!/usr/bin/env bash
# The AT-SPI check of a panel (atspi_panel.py) inside a private session bus, so that
# neither the desktop's bus nor another run's is touched.
#   atspi_panel.sh HOST
set -euo pipefail
if ! command -v dbus-run-session >/dev/null; then
  echo "atspi: FAIL: dbus-run-session is missing (scripts/setup installs dbus)" >&2
  exit 1
fi
# The system's Python, which the Debian packages (python3-pyatspi) install into,
# whatever other Python comes first on the path.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
exec dbus-run-session -- "$python" "$(dirname "$0")/atspi_panel.py" "$@"
