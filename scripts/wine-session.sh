# Sourced by the scripts that run the Windows programs: start_wine_session sets $wine and a
# throw-away wine prefix ($prefix/wine) and, when there is no display, starts a virtual X server
# for the windows; everything goes again when the script ends.
# shellcheck shell=bash

start_wine_session() {
  wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
  prefix="$(mktemp -d)"
  # No Mono or Gecko installers, and no menu builder: it would put the installer's Start-menu entry
  # and icons into the desktop's menus of whoever runs the tests, from a process of its own that
  # is still writing into the prefix while the round trip checks it.
  export WINEPREFIX="$prefix/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  display_server=""
  cleanup() {
    "$(dirname "$wine")/wineserver" -k 2> /dev/null || true
    [ -n "$display_server" ] && kill "$display_server" 2> /dev/null
    rm -rf "$prefix"
  }
  trap cleanup EXIT

  # The windows need a display. Without one, a virtual X server serves wine; where there is none
  # of that either, the tests that show windows are skipped and say why.
  if [ -z "${DISPLAY:-}" ] && command -v Xvfb > /dev/null; then
    mkfifo "$prefix/display"
    Xvfb -displayfd 3 -nolisten tcp 3> "$prefix/display" 2> "$prefix/xvfb.log" &
    display_server=$!
    # Xvfb writes the number of the display it took once it is ready for clients.
    read -r -t 60 display_number < "$prefix/display" || true
    if [ -n "${display_number:-}" ]; then
      export DISPLAY=":$display_number"
    else
      echo "No virtual display (Xvfb did not start); the tests that show windows are skipped:"
      tail -n 5 "$prefix/xvfb.log"
    fi
  fi
}
