# CD-ROM drives plugged in and taken away while the program runs, told to the program as the
# system tells it.
section "a CD-ROM drive plugged in and taken away while the program runs"
# Lock all drives at start-up, in the notification area, no password; F: comes as Wine's drive
# configuration adds a drive (through the mount manager), and the top-level windows are told as
# the system tells them (the mount manager does not, for a drive defined this way).
rm -f "$e2e/Velkor/password.txt"
setting DeviceAll=1 UseLastState=0 Minimize=1
start_velkor
act wait-icon 30000 || bad "the icon never came"
expect "D: and E: locked at start-up" "D: locked|1/E: locked|1/selected=1" combo
disc F
act mount F "$e2e/discF" "$e2e/dev/cdF" || bad "the mount manager did not add F:"
told=$(date +%s%N)  # the broadcast returns once every window has taken it
tries=100 step=0.05 expect "F: locked by lock all at start-up (the device request)" "1" locks 1 F
echo "  (F: locked within $((($(date +%s%N) - told) / 1000000)) ms of the notification)"
expect "F: listed after E:, locked" "D: locked|1/E: locked|1/F: locked|1/selected=1" combo
expect "F: recorded as locked" "DeviceF=1" record DeviceF
act replug F "$e2e/discF" "$e2e/dev/cdF" || bad "the mount manager did not replug F:"
tries=50 expect "F: replugged under its letter is a new drive, locked again" "2" locks 1 F
unlocksDE="$(locks 0 D) $(locks 0 E)"
popup u home down down enter  # Unlock > F:, the third drive of the submenu
expect "Unlock > F: in the pop-up menu reaches F: alone" "1 $unlocksDE" \
    eval 'echo "$(locks 0 F) $(locks 0 D) $(locks 0 E)"'
mark
act unmount F || bad "the mount manager did not take F: away"
expect "F: gone from the list" "D: locked|1/E: locked|1/selected=1" combo
expect "F:'s record kept for its return" "DeviceF=0" record DeviceF
no_requests "and asks nothing of the drives"
# A drive that comes with nothing but a change of the device tree is listed all the same.
disc G
act mount G "$e2e/discG" "$e2e/dev/cdG" quiet || bad "the mount manager did not add G:"
act devnodes
tries=50 expect "G:, told by a change of the device tree alone, locked" "1" locks 1 G
expect "G: listed" "D: locked|1/E: locked|1/G: locked|1/selected=1" combo
act unmount G quiet || bad "the mount manager did not take G: away"
act devnodes
expect "G: gone the same way" "D: locked|1/E: locked|1/selected=1" combo
end_leftover
setting DeviceAll=0 Minimize=0
