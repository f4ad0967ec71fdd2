#!/usr/bin/env bash
# Runs a test program on a private Xvfb server that lives as long as it does.
# -noreset: tests close every connection between cases, and a server that
# resets then refuses the next one for a moment. The timeout ends a run that
# hangs, server included.
set -u
exec timeout 100 xvfb-run -a -s "-screen 0 640x480x24 -nolisten tcp -noreset" "$@"
