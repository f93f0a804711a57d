#!/bin/sh
# testbox-run.exe under wine against the Linux simulator on a real serial line:
# benchrun.sh TESTBOX-RUN.EXE TESTBOX-SIM. The simulator (--loop) links COM3 in a folder of its
# own to its pseudo-terminal; wine's COM3 is made that pseudo-terminal too. Three scripts: every
# kind of frame sent and seen back (exit 0), an expectation no line meets (1), a script mistake (2).
set -u
run=$1
sim=$2
devices="$WINEPREFIX/dosdevices"
work=$(mktemp -d)
failures=0
fail() {
    echo "benchrun.sh: $*" >&2
    failures=$((failures + 1))
}

if [ ! -x "$sim" ]; then
    echo "benchrun.sh: no Linux simulator at $sim (scripts/windows builds it in build/)" >&2
    exit 1
fi

rm -f "$devices/com3"
(cd "$work" && exec "$sim" --loop --port 3) >"$work/sim.out" 2>&1 &
simulator=$!
trap 'wineserver -w; kill $simulator 2>/dev/null; wait $simulator 2>/dev/null; rm -f "$devices/com3"; rm -rf "$work"' EXIT
tries=0
until [ -L "$work/COM3" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 $simulator 2>/dev/null; then
        echo "benchrun.sh: the simulator made no COM3 in $work" >&2
        cat "$work/sim.out" >&2
        exit 1
    fi
    sleep 0.05
done
ln -s "$(readlink "$work/COM3")" "$devices/com3"

cat >"$work/good.tb" <<'SCRIPT'
send ais1 mmsi=123456789 lat=57°03.0001'N lon=009°55.1234'E heading=90
expect ais msgId=1 mmsi=123456789 lat=57°03,0001'N lon=9°55,1234'E heading=90 within 10s
send ais5 mmsi=257123000 shipName=TESTBOX callSign=LA1234
expect ais msgId=5 mmsi=257123000 shipName~^TESTBOX\s*$ callSign~^LA1234\s*$ within 10s
send nmea $--HDT,009.0,T
expect line ^\$--HDT,009\.0,T\*2B$ within 10s
send dsc 120 120 0 23 45 67 89 103 0 23 45 67 89 117
expect line ^\$DSC,120,120,0,23,45,67,89,103,0,23,45,67,89,117$ within 10s
SCRIPT
cat >"$work/fail.tb" <<'SCRIPT'
send ais1 mmsi=111111111
expect ais mmsi=999999999 within 1s
SCRIPT
# The send before the mistake must not go out: every script is checked before the first byte.
cat >"$work/error.tb" <<'SCRIPT'
send nmea $--ZZZ,1
send ais1 mmsi=1000000000
SCRIPT

# Runs testbox-run.exe in the work folder (so wine's current folder is it): runs NAME ARGS...
runs() {
    name=$1
    shift
    (cd "$work" && wine "$run" --port 3 "$@" >"$name.out" 2>"$name.err")
    echo $?
}

status=$(runs good --junit good.xml good.tb)
[ "$status" -eq 0 ] || fail "good.tb: exit status $status, not 0"
for line in 1 2 3 4 5 6 7 8; do
    step=$(sed -n "${line}p" "$work/good.tb" | cut -d' ' -f1-2)
    grep -q "^pass  good.tb:$line  $step" "$work/good.out" || fail "good.tb: no pass line for line $line ($step)"
    grep -qF "name=\"$line: $step" "$work/good.xml" || fail "good.xml: no test case for line $line ($step)"
done
grep -q "^8 passed, 0 failed" "$work/good.out" || fail "good.tb: not 8 passed, 0 failed"
grep -q "<failure\|<error" "$work/good.xml" && fail "good.xml: a failure or error"

status=$(runs fail --junit fail.xml fail.tb)
[ "$status" -eq 1 ] || fail "fail.tb: exit status $status, not 1"
grep -q "^FAIL  fail.tb:2  expect ais mmsi=999999999 within 1s" "$work/fail.out" || fail "fail.tb: no FAIL line for line 2"
grep -q "^1 passed, 1 failed" "$work/fail.out" || fail "fail.tb: not 1 passed, 1 failed"
grep -q "<failure" "$work/fail.xml" || fail "fail.xml: no failure"

status=$(runs error error.tb)
[ "$status" -eq 2 ] || fail "error.tb: exit status $status, not 2"
grep -q "^error.tb:2: " "$work/error.err" || fail "error.tb: no error.tb:2: message"

# What the simulator saw on its end of the line, once it has stopped (after the wine server: a
# port pulled from under it makes it dump all its state).
wineserver -w
kill $simulator
wait $simulator
grep -q "NMEA \$--HDT,009.0,T\*2B | checksum right" "$work/sim.out" || fail "the simulator got no HDT sentence"
grep -q "ZZZ" "$work/sim.out" && fail "error.tb sent its first step"

for name in good fail error; do
    echo "== testbox-run.exe --port 3 ... $name.tb"
    cat "$work/$name.out" "$work/$name.err"
done
echo "== the simulator"
cat "$work/sim.out"
[ $failures -eq 0 ]
