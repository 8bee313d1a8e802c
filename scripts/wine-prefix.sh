# Shared by the scripts: a private Wine prefix that is booted once, with no pipes attached,
# so that the services Wine starts never hold a caller's stdout open.
# Source it, then call wine_prefix_up PREFIX / wine_prefix_down PREFIX.

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

wine_env() {
    export WINEPREFIX=$1
    export WINEDEBUG=${WINEDEBUG:--all}
    # No Mono/Gecko prompts; a crash exits non-zero instead of starting the debugger.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
    unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY
}

wine_prefix_up() {
    wine_env "$1"
    mkdir -p "$(dirname "$1")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.velkor-ready" ]; then
            rm -rf "$WINEPREFIX"
            mkdir -p "$WINEPREFIX"
            "$WINESERVER" -p </dev/null >/dev/null 2>&1 9>&-
            "$WINE" wineboot -i </dev/null >/dev/null 2>&1 9>&-
            # Without a window manager every closed window would wait for one otherwise.
            "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 9>&-
            "$WINESERVER" -k </dev/null >/dev/null 2>&1 9>&-  # writes the registry to disk
            touch "$WINEPREFIX/.velkor-ready"
        fi
        # The server exits 2 when one runs already. A server we just started has none of the
        # services running yet: boot them here, not inside a test whose pipes they would keep.
        if "$WINESERVER" -p </dev/null >/dev/null 2>&1 9>&-; then
            "$WINE" wineboot </dev/null >/dev/null 2>&1 9>&-
        fi
    ) 9>"$1.lock"
}

wine_prefix_down() {
    WINEPREFIX=$1 "$WINESERVER" -k </dev/null >/dev/null 2>&1 9>&- || true
}
