#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# window_comes_up.sh [LAUNCHER...] PROGRAM
#
# Starts the program as a user does, on the display's own platform (a Windows program through
# LAUNCHER, Wine), and waits for its main window, titled "Runewright", to appear. An error box
# keeps a process alive too, so it is the window that counts. Without a display, runs itself on
# a private Xvfb.
if [ -z "${DISPLAY:-}" ]; then
    # -noreset: xwininfo below may be the server's only client for a moment, and a server that
    # resets as its last client leaves refuses the program's connection meanwhile.
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" sh "$0" "$@"
fi
unset QT_QPA_PLATFORM

"$@" &
pid=$!
stop() {
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}
tries=0
until xwininfo -root -tree | grep -q '"Runewright": ('; do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        echo "the program exited with status $? before its window appeared"
        exit 1
    fi
    tries=$((tries + 1))
    if [ "$tries" -gt 120 ]; then
        echo "no window titled Runewright appeared within 60 seconds; the windows there are:"
        xwininfo -root -tree | grep '"'
        stop
        exit 1
    fi
    sleep 0.5
done
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    echo "the program exited with status $? right after its window appeared"
    exit 1
fi
stop
exit 0
