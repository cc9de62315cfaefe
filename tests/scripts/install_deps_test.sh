#!/usr/bin/env bash
# scripts/install-deps against a package manager that another program holds:
# it says it is waiting and installs once the package manager is free; it
# gives up with a clear message once the wait runs out; and any other
# failure it reports at once, without waiting. apt-get and dpkg-query are
# stand-ins on PATH, so nothing is really installed.
#   waits      busy until the test frees it
#   gives_up   busy for longer than the wait allowed
#   fails      another error
# Usage: install_deps_test.sh CASE
set -u
case=${1:-}
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*"; [[ -s $work/out ]] && echo "--- its output" && cat "$work/out"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/bin"
# Every package is missing.
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
# Busy while the file "busy" exists, as apt says it; each call is logged.
cat >"$work/bin/apt-get" <<STUB
#!/bin/sh
echo "\$*" >>"$work/calls"
if [ -e "$work/busy" ]; then
    echo "E: Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 4242 (unattended-upgr)" >&2
    exit 100
fi
if [ -e "$work/broken" ]; then
    echo "E: Unable to locate package g++" >&2
    exit 100
fi
STUB
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*

install_deps() { # runs it in the background, its output in $work/out
    PATH=$work/bin:$PATH "$here/../../scripts/install-deps" build >"$work/out" 2>&1 &
    pid=$!
}

wait_for() { # COMMAND...: polls until it succeeds, within ten seconds
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
said() { grep -q "$1" "$work/out"; }
ended() { ! kill -0 "$pid" 2>/dev/null; }

case $case in
waits)
    touch "$work/busy"
    install_deps
    wait_for said "waiting for another program to finish with the package manager (unattended-upgr, process 4242)" ||
        fail "it did not say that it waits"
    ended && fail "it ended while the package manager was busy"
    rm "$work/busy"
    wait_for ended || fail "it did not end once the package manager was free"
    wait "$pid" || fail "it failed once the package manager was free"
    grep -q '^install .*g++' "$work/calls" || fail "it installed nothing: $(cat "$work/calls")"
    ;;
gives_up)
    touch "$work/busy"
    INSTALL_DEPS_LOCK_WAIT=0 install_deps
    wait_for ended || fail "it did not give up"
    wait "$pid" && fail "it succeeded with the package manager busy"
    said "still busy after 0 s (unattended-upgr, process 4242); try again once it is done" ||
        fail "it did not say why it gave up"
    ;;
fails)
    touch "$work/broken"
    install_deps
    wait_for ended || fail "it did not end"
    wait "$pid" && fail "it succeeded although apt-get failed"
    said "Unable to locate package g++" || fail "it did not pass on apt-get's error"
    said waiting && fail "it waited on an error that is not a busy package manager"
    ;;
*) echo "unknown case '$case'" >&2; exit 64 ;;
esac
echo PASS
