#!/usr/bin/env bash
# Runs a command on the current X display under a window manager (openbox),
# as a user's desktop would have one: windows get frames, and showing, hiding
# and full screen take effect in the manager's own time. Started before the
# command, once it has taken the screen, and stopped after it; the command's
# result is the script's. Usage: tools/with-window-manager.sh COMMAND [ARGS...]
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
    echo "with-window-manager.sh: no X display (run it under xvfb-run)" >&2
    exit 1
fi

# The manager's own files (its configuration copy, session, cache) go to a
# scratch directory, not into the user's home.
scratch=$(mktemp -d)
XDG_CONFIG_HOME=$scratch XDG_CACHE_HOME=$scratch XDG_DATA_HOME=$scratch HOME=$scratch \
    openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
manager=$!
stop() {
    kill "$manager" 2>/dev/null || true
    wait "$manager" 2>/dev/null || true
    rm -rf "$scratch"
}
trap stop EXIT

# A manager that has taken the screen announces itself on the root window.
for _ in $(seq 100); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        break
    fi
    if ! kill -0 "$manager" 2>/dev/null; then
        echo "with-window-manager.sh: openbox did not start:" >&2
        cat "$scratch/openbox.log" >&2
        exit 1
    fi
    sleep 0.1
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    echo "with-window-manager.sh: openbox did not take the screen" >&2
    exit 1
fi

status=0
"$@" || status=$?
exit $status
