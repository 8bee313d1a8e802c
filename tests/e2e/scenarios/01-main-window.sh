# The main window with the delivered settings: each action on one drive and on all, by mouse and
# by keyboard; a second start; closing and exiting.
section "end-to-end: start with the delivered settings (restore last state, no record yet)"
start_velkor
check "main window shown" drive wait-main 30000
expect "selector lists D: and E: unlocked, E selected" "D: unlocked|0/E: unlocked|0/selected=2" combo
expect "start-up reset and restore: two allow requests per drive" "2 2" \
    eval 'echo "$(locks 0 D) $(locks 0 E)"'
expect "no prevent request at start" "0" eval 'grep -c " 1 " "$log" || true'
expect "no hidden window another program could click or set" "0" drive hidden-children
import -display "$DISPLAY" -window root "$e2e/main-window.png" || true  # kept for a person

section "lock the selected drive"
action "&Lock"
expect "E: shows locked" "D: unlocked|0/E: locked|1/selected=2" combo
expect "one prevent request to E" "1" locks 1 E
expect "record DeviceE=1" "DeviceE=1" record DeviceE

section "the main window by keyboard alone: the list by its label's key, then in reading order"
front
press alt+d up          # Drive: the list; D:, the entry above
press alt+l tab space   # Lock, then Tab to OK, and Space presses it
expect "D: locked" "D: locked|1/E: locked|1/selected=1" combo
expect "one prevent request to D" "1" locks 1 D
allowD=$(locks 0 D)
press alt+u tab enter alt+d down alt+l  # Unlock, OK by Enter; E:, Lock again
expect "D: unlocked again, E: selected" "D: unlocked|0/E: locked|1/selected=2 $((allowD + 1))" \
    eval 'echo "$(combo) $(locks 0 D)"'

section "the preferences by Tab alone, in reading order; the focus back where it was"
front; press alt+l  # the focus on the Lock option
front; press alt+e p
act wait-window Preferences 5000
# From the first control; "Lock all" and "Set password..." are disabled (last state, no password).
tries=1 expect "Tab visits every enabled control once, in reading order" \
    "|&Minimize to tray at startup |&Password protection |&Save drive status at standby/hibernate |English |Check &now... |&Apply |&Use last drive state at startup" \
    drive tabs tab 7
tries=1 expect "Shift+Tab goes back" "|&Apply |Check &now..." drive tabs shift+tab 2
press esc
expect "Escape closes them, the focus back on the option" "Velkor|&Lock" drive focused

section "lock all: only D gets a request"
act click "&All CD/DVD drives"
expect "all drives ticked" "1" drive checked "&All CD/DVD drives"
press enter  # the box has the focus: Enter presses the default button, OK
expect "both locked, first entry selected" "D: locked|1/E: locked|1/selected=1" combo
expect "D a second prevent, E still one" "2 1" eval 'echo "$(locks 1 D) $(locks 1 E)"'

section "unlock all while E's device fails"
echo "$e2e/dev/cdE" >"$e2e/fail"
action "&Unlock"
box_is "failure box names E:" ok 10000 "Velkor|E: could not be unlocked: *"
rm -f "$e2e/fail"
expect "D unlocked, E still locked" "D: unlocked|0/E: locked|1/selected=1" combo

section "open all: E is unlocked around its door"
action "&Open"
expect "a door request per drive" "2" eval 'grep -c "^CDROMEJECT " "$log" || true'
expect "E locked again" "D: unlocked|0/E: locked|1/selected=1" combo

section "close all: the selected drive first, then every drive"
action "&Close"
expect "three close requests: D, then D and E" "2 1" \
    eval 'echo "$(grep -c "^CDROMCLOSETRAY .*/cdD$" "$log") $(grep -c "^CDROMCLOSETRAY .*/cdE$" "$log")"'
expect "closing leaves the locks alone" "D: unlocked|0/E: locked|1/selected=1" combo

section "a second start ends at once"
mark
check "second copy exited 0" eval '(cd "$e2e/Velkor" && timeout 30 "$WINE" Velkor.exe </dev/null >/dev/null 2>&1)'
no_requests "second copy sent nothing"

section "the title bar cannot close it"
act close
check "no question on close" drive no-box 1500
check "still running" drive wait-main 100

section "exit: Cancel keeps it, OK unlocks and ends"
front; press alt+f x  # File > Exit, by its access keys
box_is "exit question" cancel 10000 \
    "Exit Velkor|Exit Velkor\? / /Velkor will unlock all CD/DVD drives at programme exit."
sleep 1
check "Cancel keeps it running" drive wait-main 100
unlocksE=$(locks 0 E)
exit_velkor "exit confirmed, exit code 0" ctrl+x  # Exit by its shortcut
[ "$(locks 0 E)" -gt "$unlocksE" ] && ok "E unlocked at exit" || bad "E not unlocked at exit"
expect "record kept across the exit" "DeviceD=0 DeviceE=1" records DeviceD DeviceE
