#!/usr/bin/env bash
# Sourced: a virtual X display for programs that open windows (under Wine).
display_env_start() {
    local number=${DRIFTLACE_DISPLAY:-97}
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    DRIFTLACE_XVFB_PID=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$number" ] && return 0
        sleep 0.1
    done
    echo "the virtual display did not start" >&2
    return 1
}

display_env_stop() {
    [ -n "${DRIFTLACE_XVFB_PID:-}" ] && kill "$DRIFTLACE_XVFB_PID" 2>/dev/null || true
}
