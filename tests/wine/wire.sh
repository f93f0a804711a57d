#!/bin/sh
# The end-to-end test under wine on a real serial line: wire.sh PROGRAM.exe. wine's COM3 (the
# tool's port) and COM4 (the Testbox's end) are two pseudo-terminals that socat joins, so each byte
# one end writes arrives at the other as it was written.
devices="$WINEPREFIX/dosdevices"
rm -f "$devices/com3" "$devices/com4"
socat pty,raw,echo=0,link="$devices/com3" pty,raw,echo=0,link="$devices/com4" &
relay=$!
# The line ends after the wine server has: pulled from under it, the ports make it dump all its state.
trap 'wineserver -w; kill $relay 2>/dev/null; wait $relay 2>/dev/null; rm -f "$devices/com3" "$devices/com4"' EXIT
tries=0
until [ -e "$devices/com3" ] && [ -e "$devices/com4" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then
        echo "wire.sh: socat made no pseudo-terminals in $devices" >&2
        exit 1
    fi
    sleep 0.05
done
"$(dirname "$0")/runtest.sh" "$@"
status=$?
exit $status
