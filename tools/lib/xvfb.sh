# Shell functions shared by the Wine scripts; source this file.

# start_xvfb <folder>: starts a private Xvfb on a free display, writes its
# number to <folder>/display (":N") and its process id to <folder>/xvfb.pid.
# -displayfd picks the display and reports it once the server listens, so
# there is nothing to poll for and no clash with another run.
start_xvfb() {
  local folder=$1 waited=0
  mkdir -p "$folder"
  rm -f "$folder/display.tmp"
  exec 3>"$folder/display.tmp"
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    </dev/null >"$folder/xvfb.log" 2>&1 &
  echo $! >"$folder/xvfb.pid"
  exec 3>&-
  until [ -s "$folder/display.tmp" ]; do
    sleep 0.1
    waited=$((waited + 1))
    if [ $waited -ge 300 ]; then
      echo "Xvfb did not start:" >&2
      cat "$folder/xvfb.log" >&2
      return 1
    fi
  done
  echo ":$(head -n1 "$folder/display.tmp")" >"$folder/display"
  rm -f "$folder/display.tmp"
}

# stop_xvfb <folder>: stops the Xvfb that start_xvfb started there.
stop_xvfb() {
  local folder=$1
  if [ -f "$folder/xvfb.pid" ]; then
    kill "$(cat "$folder/xvfb.pid")" 2>/dev/null || true
  fi
  rm -f "$folder/display" "$folder/xvfb.pid"
}

# register_standins <folder>: registers the stand-in speech runtimes
# (standin_sapi*.dll) found there in the current WINEPREFIX. The HTML Help
# stand-in is not registered: the tests that want it point the HTML Help
# control at it themselves, and everyone else gets Wine's own viewer.
register_standins() {
  local dll
  for dll in "$1"/standin_sapi*.dll; do
    [ -e "$dll" ] || continue
    wine regsvr32 /s "$(winepath -w "$dll")" </dev/null >/dev/null 2>&1
  done
}
