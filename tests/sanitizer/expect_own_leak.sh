#!/usr/bin/env bash
# Runs the leak canary and passes only when its own leak, and nothing else, is reported.
out="$("$1" 2>&1)"
status=$?
[ "$status" -eq 77 ] && { echo "$out"; exit 77; }
fail() { echo "$1"; echo "$out"; exit 1; }
[ "$status" -ne 0 ] || fail "the leak went unreported (exit status 0)"
grep -q "LeakCanaryAllocate" <<<"$out" || fail "the report does not name the leaking function"
grep -q "unknown module" <<<"$out" && fail "a leak in an unnamed module was reported"
grep -q "48 byte(s) leaked in 1 allocation" <<<"$out" || fail "more than our own leak was reported"
exit 0
