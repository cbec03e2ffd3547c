#!/bin/sh
# run_isolated.sh ISOLATED_NET ADDRESS[,ADDRESS]... PROGRAM [ARG]...
# Runs PROGRAM in a fresh network namespace that has only loopback, with
# each ADDRESS placed on it. Skips (exit 77) where no such namespace can be had:
# the program is never run anywhere else.
tool=$1
address=$2
shift 2
if [ "$(id -u)" != 0 ]; then
  echo "skipped: an isolated network needs root"
  exit 77
fi
if [ ! -x "$tool" ]; then
  echo "skipped: no isolated-net at $tool"
  exit 77
fi
if ! "$tool" -- true >/dev/null 2>&1; then
  echo "skipped: no network namespace can be made here"
  exit 77
fi
addresses=""
for one in $(echo "$address" | tr ',' ' '); do
  addresses="$addresses -a $one"
done
# $addresses is split on purpose: one -a per address.
exec "$tool" $addresses -- "$@"
