# Settings an administrator made read-only: used for the run, shown disabled, never written.
section "settings an administrator locked: kept for the run, shown disabled, nothing written"
# Both files read-only (Wine shows a file without write permission as read-only, also to root).
setting DeviceAll=0 UseLastState=1 Standby=1 DeviceD=0 DeviceE=0
printf '[Password]\r\nPassword=\r\n' >"$e2e/Velkor/password.txt"
chmod a-w "$ini" "$e2e/Velkor/password.txt"
settings=$(md5sum <"$ini")
prevents() { grep -c "^CDROM_LOCKDOOR 1 " "$log" || true; }
start_velkor
act wait-main 30000 || bad "main window never came"
before=$(prevents)
action "&Lock"
expect "the selected drive is locked" "$((before + 1))" prevents
act no-box 1500 && ok "no error box at the lock" || bad "a box at the lock: $(drive box ok 100)"
front; press alt+e p
window_up Preferences || true
expect "the line says why" "The settings are managed by your administrator." \
    eval 'drive captions Preferences | grep managed'
expect "options, language and password switch disabled" "0 0 0 0" eval 'echo $(for c in \
    "&Lock all drives at startup" "&Minimize to tray at startup" English "&Password protection"; do
        drive enabled "$c" Preferences; done)'
import -display "$DISPLAY" -window root "$e2e/managed.png" || true  # kept for a person
press alt+a  # Apply
act no-box 1500 && ok "no error box at Apply" || bad "a box at Apply: $(drive box ok 100)"
expect "Apply hides the dialog" "" eval 'drive captions Preferences'
before=$(prevents)
act resume
tries=40 expect "a resume locks the drive again from the run's record" "$((before + 1))" prevents
exit_velkor "exit" ctrl+x
expect "the settings file is unchanged" "$settings" eval 'md5sum <"$ini"'
chmod u+w "$ini" "$e2e/Velkor/password.txt"
