# Shell functions shared by tests/e2e/run, scripts/bench and scripts/play
# (sourced, not run): a private Xvfb, and a Wine prefix set up for the game.

# Starts a private Xvfb of the given size (WIDTHxHEIGHT) and exports DISPLAY;
# sets xvfb_pid. Xvfb picks a free display number itself (-displayfd takes
# the number by creating its lock file, so runs started at the same moment
# never share one) and writes it once it accepts clients.
start_xvfb() {
  local number_file number=""
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 300); do
    number=$(cat "$number_file")
    [ -n "$number" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  if [ -z "$number" ]; then kill "$xvfb_pid" 2>/dev/null; echo "Xvfb did not start"; return 1; fi
  export DISPLAY=":$number"
}

# Wine draws the caption buttons, arrows and check marks with its Marlett
# font. Debian's fonts-wine puts it in /usr/share/wine/fonts, where Wine 8 as
# Debian builds it does not look (it asks for "<data dir>\../fonts"): the
# prefix's own Fonts folder, where Windows keeps it, gets a link to it.
link_wine_fonts() {
  local font=/usr/share/wine/fonts/marlett.ttf
  [ -f "$font" ] || echo "warning: $font is missing (Debian package fonts-wine): caption buttons show letters"
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
}

# Makes a fresh Wine prefix in $WINEPREFIX whose programs all show in one
# virtual desktop of the given size (frames and captions without a window
# manager, and `wine prog.exe` still returns the program's exit code), where
# a crash ends the program at once instead of opening a dialog. The prefix is
# shut down at the end: the explorer that wineboot started still serves the
# X root window, and a program started beside it would show without a frame
# or a caption; the first program started now brings up the desktop.
new_wine_prefix() {
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$1" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  link_wine_fonts
  wineboot -s >/dev/null 2>&1 || true
  timeout 30 wineserver -w || true
}
