#!/usr/bin/env bash
# Screenshots of every window of the program, in both languages, at 96, 144 and 192 dpi, for a
# person to look at (clipped captions, layout). Writes build/screens/DPI-LANGUAGE-WINDOW.png.
#   tools/screenshots.sh [ROOT]     needs the Windows build and a display (xvfb-run gives one)
set -euo pipefail
root=$(cd "${1:-.}" && pwd)
. "$root/scripts/wine-prefix.sh"

out=$root/build/screens
work=$root/build/screens-work
driver=$root/build/windows/VelkorDriver.exe
base=$root/build/windows/wineprefix
rm -rf "$out" "$work"
mkdir -p "$out" "$work"
wine_prefix_up "$base"
wine_prefix_down "$base"

drive() { timeout -k 5 60 "$WINE" "$driver" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
shot() { import -display "$DISPLAY" -window root "$out/$1.png"; echo "  $1.png"; }
start() {
    (cd "$work/Velkor" && exec timeout -k 5 120 "$WINE" Velkor.exe </dev/null >/dev/null 2>&1) \
        >/dev/null 2>&1 &
}
stop() {
    timeout -k 5 30 "$WINE" taskkill /f /im Velkor.exe </dev/null >/dev/null 2>&1 || true
    sleep 0.5
}

for dpi in 96 144 192; do
    prefix=$work/prefix-$dpi
    cp -a "$base" "$prefix"
    wine_prefix_up "$prefix"
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        </dev/null >/dev/null 2>&1
    wine_prefix_down "$prefix"  # the server reads the DPI when it starts
    wine_prefix_up "$prefix"
    for language in 0 1; do
        if [ "$language" = 0 ]; then
            preferences=Preferences set="Set Password" prompt="Password required" about="alt+h a"
        else
            preferences=Einstellungen set="Passwort festlegen" prompt="Passwort erforderlich"
            about="alt+h b"
        fi
        rm -rf "$work/Velkor"
        cp -a "$root/build/windows/Velkor" "$work/Velkor"
        sed -i "s/^Language=.*/Language=$language/" "$work/Velkor/Velkor.ini"
        name=$dpi-$language
        echo "== $dpi dpi, language $language"
        start
        drive wait-main 30000
        shot "$name-main"
        drive activate && drive keys $about && drive wait-window About 5000 && shot "$name-about"
        drive activate About && drive keys enter
        drive activate && drive keys alt+f && sleep 0.3 && shot "$name-menu" && drive keys esc esc
        drive activate
        if [ "$language" = 0 ]; then drive keys alt+e p; else drive keys alt+b e; fi
        drive wait-window "$preferences" 5000 && shot "$name-preferences"
        drive activate "$preferences" && drive keys alt+p
        drive wait-window "$set" 5000 && shot "$name-set-password"
        drive text Kiosk42 && drive keys tab && drive text Kiosk42 && drive keys enter
        sleep 0.5
        # Clearing the switch asks for the stored password.
        drive activate "$preferences" && drive keys alt+p
        drive wait-window "$prompt" 5000 && shot "$name-prompt"
        stop
    done
    wine_prefix_down "$prefix"
done
