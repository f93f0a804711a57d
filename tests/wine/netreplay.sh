#!/bin/sh
# The Linux side of tst_net_replay: netreplay.sh PROGRAM.exe TESTBOX-DECODE DUMP. socat receives
# the datagrams on a free UDP port and, once the program has written the port it listens on, is its
# TCP client; each writes what it gets to a file the program compares with the Linux
# testbox-decode's sentences of DUMP.
set -u
program=$1
decode=$2
dump=$3
work=$(mktemp -d)
receiver=""
client=""
trap 'kill $receiver $client 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

if [ ! -x "$decode" ]; then
    echo "netreplay.sh: no Linux testbox-decode at $decode (scripts/windows builds it in build/)" >&2
    exit 1
fi
# The mixed dump has a bad line: exit status 1, and the sentences of the others.
"$decode" --format aivdm "$dump" >"$work/expected.aivdm"
[ -s "$work/expected.aivdm" ] || { echo "netreplay.sh: testbox-decode wrote no sentences" >&2; exit 1; }

# A port socat could bind and still holds; a taken one ends it at once.
for try in 1 2 3 4 5 6 7 8 9 10; do
    port=$((20000 + ($$ * 31 + try * 977) % 40000))
    socat -u "UDP4-RECV:$port,bind=127.0.0.1" "CREATE:$work/udp.out" &
    receiver=$!
    sleep 0.2
    kill -0 $receiver 2>/dev/null && break
    receiver=""
done
[ -n "$receiver" ] || { echo "netreplay.sh: no free UDP port" >&2; exit 1; }

TB_NET_FOLDER=$work TB_NET_UDP_PORT=$port "$(dirname "$0")/runtest.sh" "$program" &
tested=$!
tries=0
until [ -s "$work/tcp.port" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 600 ] || ! kill -0 $tested 2>/dev/null; then
        break
    fi
    sleep 0.1
done
if [ -s "$work/tcp.port" ]; then
    socat -u "TCP4:127.0.0.1:$(cat "$work/tcp.port")" "CREATE:$work/tcp.out" &
    client=$!
fi
wait $tested
