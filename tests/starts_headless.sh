#!/bin/sh
# Starts the program headless, checks that it is still running after a few seconds, then stops it.
program=$1
"$program" -platform offscreen &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    echo "runewright exited within 3 seconds, with status $?"
    exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null
exit 0
