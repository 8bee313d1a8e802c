# Velkor.com as a script runs it: through the running copy (with its password prompt) and alone.
section "commands from scripts, through the running copy and without one"
# Velkor.com from the program folder, its output redirected; a line
# "CODE|stdout lines joined by /|stderr's first line".
run_command() {
    local code=0
    (cd "$e2e/Velkor" && timeout -k 5 120 "$WINE" Velkor.com "$@" </dev/null >"$e2e/out" 2>"$e2e/err") || code=$?
    echo "$code|$(tr -d '\r' <"$e2e/out" | paste -sd/)|$(tr -d '\r' <"$e2e/err" | head -1)"
}
later_command() {  # started in the background; its line lands in $e2e/later
    run_command "$@" >"$e2e/later" &
    later=$!
}
cp "$e2e/password-Kiosk42.txt" "$e2e/Velkor/password.txt"
setting DeviceAll=1 UseLastState=0 Minimize=1
start_velkor
act wait-icon 30000 || bad "the icon never came"
tries=1 expect "/status: one line a drive" "0|D: locked/E: locked|" run_command /status
before=$(locks 0 D)
later_command /unlock D:
give_password 10000
wait $later || true
expect "/unlock D: asks in the running copy: the right password, 0" "0|D: unlocked|" cat "$e2e/later"
expect "and D: is unlocked" "$((before + 1))" locks 0 D
echo "$e2e/dev/cdD" >"$e2e/fail"
tries=1 expect "a drive that refuses: 2, named with the reason" "2|D: unlocked|D: could not be locked: " \
    eval 'run_command /lock D: | cut -c1-38'
rm -f "$e2e/fail"
before=$(locks 1 D)
tries=1 expect "/lock D: answers with the state" "0|D: locked|" run_command -LOCK d
expect "and the device got it" "$((before + 1))" locks 1 D
expect "the running copy shows it and records it" "D: locked|1 DeviceD=1" \
    eval 'echo "$(drive combo | head -1) $(record DeviceD)"'
mark
later_command /unlock all
window_up "Password required" 10000 || true
press esc
wait $later || true
expect "Cancel: refused, 1" "1||Sorry, a password is required for this action." cat "$e2e/later"
tries=1 expect "usage errors: 3" "3||Unknown option \"/frob\". 3||Q: is not an optical drive." \
    eval 'echo "$(run_command /frob) $(run_command /lock Q:)"'
no_requests "and no request reached a drive meanwhile"
later_command /exit
give_password 10000
wait $later || true
expect "/exit with the password ends the running copy" "0|D: unlocked/E: unlocked| 0" \
    eval 'echo "$(cat "$e2e/later") $(wait_exit)"'
rm -f "$e2e/Velkor/password.txt"
before="$(locks 1 D) $(locks 1 E)"
tries=1 expect "no copy running: /lock all is carried out alone" "0|D: locked/E: locked|" run_command /lock all
expect "each device got it, and the record" "$((${before% *} + 1)) $((${before#* } + 1)) DeviceD=1 DeviceE=1" \
    eval 'echo $(locks 1 D) $(locks 1 E) $(records DeviceD DeviceE)'
expect "and nothing is left running" "" eval 'drive visible 2>/dev/null | grep 1; drive icon | grep 1'
setting Minimize=0
