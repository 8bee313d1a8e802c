# An update server that never answers, or trickles its answer: the check gives up in time and the
# program answers meanwhile.
section "a server that never answers, or trickles: the check ends within 15 s, the program goes on"
setting Minimize=1  # for the pop-up menu's icon
start_velkor
act wait-icon 30000 || bad "no icon"
act tray left  # the window, for the preferences
act wait-main 5000
front; press alt+e p
slow=()
for mode in silent trickle silent; do
    python3 -u - "$mode" >"$e2e/$mode.port" 2>/dev/null <<'PY' &
import socket, sys, threading, time
s = socket.socket()
s.bind(("127.0.0.1", 0))
s.listen(8)
print(s.getsockname()[1])
def serve(c):  # a byte every 4 s, or nothing at all
    try:
        c.recv(4096)
        for b in (b"HTTP/1.0 200 OK\r\n\r\n062" if sys.argv[1] == "trickle" else b""):
            time.sleep(4)
            c.send(bytes([b]))
        time.sleep(600)
    except OSError:
        pass
while True:
    threading.Thread(target=serve, args=(s.accept()[0],), daemon=True).start()
PY
    slow+=($!)
    for _ in $(seq 1 50); do [ -s "$e2e/$mode.port" ] && break; sleep 0.1; done
    port=$(cat "$e2e/$mode.port")
    setting "Server=127.0.0.1:$port"
    window_up Preferences || true
    started=$(date +%s%N)
    press alt+n  # Check now...
    sleep 1
    expect "$mode: the button says that a check runs" "1" \
        eval "drive captions Preferences | grep -c '^Checking\.\.\.$'"
    if [ ${#slow[@]} = 3 ]; then  # Exit while the check waits
        exit_velkor "Exit during a check ends cleanly" ctrl+x
        break
    fi
    why=$(drive tray right) && ok "$mode: the pop-up menu opens during the check" ||
        bad "$mode: the pop-up menu opens during the check: $why"
    press esc
    unlocks=$(grep -c "^CDROM_LOCKDOOR 0 " "$log" || true)
    action "&Unlock"
    expect "$mode: the main window unlocks during the check" "$((unlocks + 1))" \
        eval 'grep -c "^CDROM_LOCKDOOR 0 " "$log"'
    box=$(drive box ok 20000 || true)
    took=$((($(date +%s%N) - started) / 1000000))
    [ "$box" = "Velkor|Timeout during connection to '127.0.0.1:$port'" ] && [ "$took" -lt 16500 ] &&
        ok "$mode: the time-out after $took ms" || bad "$mode: [$box] after $took ms"
done
kill "${slow[@]}" 2>/dev/null || true
setting Minimize=0
