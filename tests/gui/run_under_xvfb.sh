#!/usr/bin/env bash
# Runs a test program on a private Xvfb server that lives as long as it does.
# The timeout ends a run that hangs, server included.
set -u
exec timeout 100 xvfb-run -a -s "-screen 0 640x480x24 -nolisten tcp" "$@"
