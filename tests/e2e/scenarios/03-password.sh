# A password set in the preferences: typed as people type, asked for every guarded action from
# the window, the menus and the icon, and at start-up; each prompt cancelled each way; the
# password file held by another program.
section "password protection set in the preferences, asked at exit and at the next start"
# The stored password, deciphered as the program deciphers it.
stored_password() {
    python3 - "$e2e/Velkor/password.txt" <<'PY'
import sys
key = b"Hq7Xt2Lm9Pz4Wk8Rb3Nv6Yc1Jd5Gs0Fa"
for line in open(sys.argv[1], "rb").read().split(b"\r\n"):
    if line.startswith(b"Password="):
        value = line[len(b"Password="):]
        codes = [c - key[i % len(key)] for i, c in enumerate(value)]
        print(bytes(d if d >= 0 else d + 255 for d in codes).decode("cp1252"))
PY
}
start_velkor
act wait-main 30000
front; press alt+e p  # Edit > Preferences
check "Edit > Preferences by keyboard" window_up Preferences
press alt+p  # Password protection: none stored, so it asks for one
check "ticking the switch opens Set Password" window_up "Set Password"
expect "its first box has the focus" "Set Password|" drive focused
tries=1 expect "Tab: the second box, the buttons, and round" "| |OK |Cancel |" drive tabs tab 4
# A slip mended by Backspace; the repetition typed end first, then its start after Home.
act text Kiosx; press backspace; act text k42
press tab; act text sk42; press home; act text Kio
press enter
expect "the password is stored as meant, enciphered" "Kiosk42" stored_password
expect "the focus back where it was: on the switch" "Preferences|&Password protection" drive focused
cp "$e2e/Velkor/password.txt" "$e2e/password-Kiosk42.txt"  # for the commands from scripts
window_up Preferences || true  # back to the preferences, as the user clicks on them
press alt+u alt+a  # no last state at start, then Apply
expect "Apply writes the start-up keys" "DeviceAll=0 UseLastState=0 Minimize=0 Standby=1" \
    records DeviceAll UseLastState Minimize Standby

section "every prompt can be cancelled: Cancel, Escape, the close command; nothing reaches a drive"
press esc  # the preferences away
action "&Lock"  # one action first
expect "E: locked without a prompt" "E: locked|1" eval 'drive combo | grep "^E:"'
cancel_prompt() {  # cancel_prompt HOW WHERE [FOCUS]: answers the prompt, then the refusal
    window_up "Password required" 5000 || return 0
    case $1 in
        button) act click Cancel "Password required" ;;
        esc)
            expect "the prompt opens with the focus in its password box" "Password required|" \
                drive focused
            tries=1 expect "Tab: OK, Cancel, the box" "|OK |Cancel |" drive tabs tab 3
            press esc
            ;;
        close) press alt+f4 ;;
    esac
    box_is "$2: $1 is refused" ok 5000 "Velkor|Sorry, a password is required for this action."
    [ -z "${3:-}" ] || expect "$2: the focus back on $3" "Velkor|$3" drive focused
}
for how in button esc close; do
    mark
    action "&Unlock"
    if [ $how = button ]; then  # another program clicks where the prompt's flags once were
        drive wait-window "Password required" 5000 && act forge
    fi
    cancel_prompt $how "the action button" OK
    sleep 1.2
    check "still running after $how" drive wait-main 100
    no_requests "no drive request after $how"
done
mark
front; press alt+f x  # the menu bar
act box ok 10000  # Exit Velkor?
check "exit asks for the password" window_up "Password required"
act text kiosk42; press enter
box_is "a wrong password is refused" ok 5000 "Velkor|Invalid Password, try again!"
check "the prompt stays open" window_up "Password required" 1000
press ctrl+a backspace
cancel_prompt esc "File > Exit"
front; press ctrl+x  # the accelerator
act box ok 10000
cancel_prompt close "Ctrl+X"
sleep 1.2
check "Cancel keeps the program running" drive wait-main 100
no_requests "no drive request after Cancel"
front; press ctrl+x
act box ok 10000
give_password
check "the right password typed lets it exit" eval '[ "$(wait_exit)" = 0 ]'

section "a minimised start with a password: the prompt at start-up and from the pop-up menu"
setting Minimize=1
start_velkor
cancel_prompt button "start-up"
expect "the icon is there" "1" drive icon
# A resume unlocks every drive without the password; E fails and its box waits. The pop-up
# menu's Unlock meanwhile is refused: it neither runs without the password nor asks for it.
echo "$e2e/dev/cdE" >"$e2e/fail"
unlocks=$(locks 0 D)
act resume
act wait-box 10000 || bad "no box from the resume"
popup u home enter  # Unlock > D:
box_is "Unlock during the resume's box is refused" ok 5000 \
    "Velkor|Velkor is busy with another action. Please try again when it has finished."
rm -f "$e2e/fail"  # before the box goes: the resume's restore comes right after it
box_is "then the resume's box" ok 5000 "Velkor|E: could not be unlocked: *"
act no-box 1500 || bad "another box after the resume's"
expect "D unlocked once, by the resume" "$((unlocks + 1))" locks 0 D
refute "and no prompt" drive wait-window "Password required" 300
unlocks=$(locks 0 E)
popup u home down enter  # Unlock > E:
cancel_prompt esc "the pop-up menu"
sleep 1.2
expect "E: not unlocked" "$unlocks" locks 0 E
# The password file held by another program once the prompt is open: an empty answer unlocks
# nothing, and the user is told why.
popup u home down enter  # Unlock > E:
window_up "Password required" 5000 || true
# Another program holds password.txt open, unshared, for $1 ms; not through drive(): its
# output must reach the file while the holder still holds.
hold_password() {
    rm -f "$e2e/held"
    timeout -k 5 60 "$WINE" "$driver" hold "$(winpath "$e2e/Velkor/password.txt")" "$1" \
        </dev/null >"$e2e/held" 2>/dev/null &
    holder=$!
    for _ in $(seq 1 50); do grep -qs held "$e2e/held" && break; sleep 0.2; done
}
hold_password 4000
press enter
box_is "a password file lost mid-prompt refuses" ok 5000 "Velkor|The password file *cannot be read*"
wait $holder || true
expect "and E: is not unlocked" "$unlocks" locks 0 E
popup x  # E&xit
act box ok 10000
give_password
check "exit from the pop-up menu with the password" eval '[ "$(wait_exit)" = 0 ]'
setting Minimize=0

section "the next start asks before unlocking; clearing the switch removes the password"
start_velkor
check "the next start asks before unlocking" window_up "Password required" 30000
act text Kiosk42; press enter
check "started after the password" drive wait-main 10000
hold_password 8000
mark
action "&Unlock"
box_is "a password file held open keeps the gate shut" ok 5000 \
    'Velkor|The password file "*password.txt" cannot be read: *'
refute "no prompt then" drive wait-window "Password required" 300
no_requests "no drive request while the file is held"
wait $holder || true
front; press alt+e p
window_up Preferences || true
press alt+p  # clearing the switch asks for the password
give_password
expect "the right password removes it" "Password=" \
    eval 'grep -a "^Password=" "$e2e/Velkor/password.txt" | tr -d "\r"'
press esc  # the preferences hide without applying
exit_velkor "exit without a password" ctrl+x
