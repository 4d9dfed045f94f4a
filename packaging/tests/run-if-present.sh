#!/bin/sh
# Runs a checking tool when it is installed, and reports the test as skipped
# (exit status 77, CTest's SKIP_RETURN_CODE) when it is not.
#   run-if-present.sh TOOL [ARGS...]
tool=$1
if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$tool is not installed: skipped" >&2
    exit 77
fi
exec "$@"
