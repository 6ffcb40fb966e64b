# Shared by the end-to-end tests: how each build is started and where it keeps
# its data and settings, a virtual display, checks and window look-ups.

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scripts="$here/../../scripts"
failures=0
background=() # processes that go with the test
sandbox=$(mktemp -d)
trap on_exit EXIT

pass() { echo "ok - $*"; }
fail() { echo "FAILED - $*"; failures=$((failures + 1)); }
expect_equal() { # description expected actual; false when they differ
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected '$2', got '$3'"; return 1; fi
}
finish() {
  if [ "$failures" -eq 0 ]; then echo "all checks passed"; exit 0; fi
  echo "$failures checks failed"; exit 1
}
on_exit() {
  local pid
  for pid in "${background[@]}"; do kill "$pid" 2>/dev/null; done
  # What has not gone after a second would hold the test's output open.
  for pid in "${background[@]}"; do kill -0 "$pid" 2>/dev/null && sleep 1 && break; done
  for pid in "${background[@]}"; do kill -KILL "$pid" 2>/dev/null; done
  if ${started_clean:-false}; then leave_clean; fi
  if [ -n "${xvfb:-}" ]; then
    # Wine's programs of the prefix live on this display: they go with it.
    [ "${build:-}" = windows ] && WINEPREFIX="$ALMANIX_WINEPREFIX" wineserver -k 2>/dev/null
    end_own_display
  fi
  rm -rf "$sandbox"
}

# A display of the test's own, for a full-screen saver covers every window of a
# display, also those of another test that shares it. Call before use_build.
own_display() { # [width x height [Xvfb options]]
  read -r DISPLAY xvfb < <("$scripts/virtual-display" --own "$@")
  [ -n "$xvfb" ] || exit 1
  export DISPLAY
}
# Ends the display of own_display and waits until its number is free again.
end_own_display() {
  kill "$xvfb" 2>/dev/null
  for _ in $(seq 50); do kill -0 "$xvfb" 2>/dev/null || break; sleep 0.1; done
}

# Sets up one build: "${run[@]}" starts the program, "${agenda[@]}" asks it for
# the agenda, path_of gives a file's path as it takes it, "data" is its data
# folder, "user_folder" what it must leave alone but for that folder; the data folder
# (empty) and the settings (none) start clean and are left so. Ends the test as
# skipped (77) where this machine cannot run the program.
use_build() { # linux|windows program
  build="$1" program="$2"
  DISPLAY="$("$scripts/virtual-display")"
  # C: month/day/year short dates and English day names on both builds.
  export DISPLAY LC_ALL=C.UTF-8 LANG=C.UTF-8
  case "$build" in
    linux)
      # The settings where HOME alone leads, as MATE's daemon hands its savers
      # no XDG_CONFIG_HOME.
      export HOME="$sandbox/home" XDG_CONFIG_HOME="$sandbox/home/.config" XDG_RUNTIME_DIR="$sandbox/run"
      # No session bus is started for Qt, which would leave its address in the home folder.
      export DBUS_SESSION_BUS_ADDRESS="unix:path=$sandbox/no-session-bus"
      export QT_QPA_PLATFORM=xcb
      mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
      data="$HOME/Almanix" user_folder="$HOME" patience=30
      settings="$XDG_CONFIG_HOME/almanix/registry.reg"
      run=("$program") agenda=(--agenda)
      path_of() { echo "$1"; }
      short_date() { date -d "$1" +%m/%d/%Y; }
      store_setting() { # name text
        mkdir -p "$(dirname "$settings")"
        [ -f "$settings" ] ||
          printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Screen saver\\Almanix]\r\n' > "$settings"
        printf '"%s"="%s"\r\n' "$1" "$2" >> "$settings"
      }
      stored_setting() { tr -d '\r' < "$settings" 2>/dev/null | sed -n "s/^\"$1\"=\"\(.*\)\"\$/\1/p"; }
      all_settings() { cat "$settings" 2>/dev/null; }
      leave_clean() { rm -rf "$data" "$settings"; }
      ;;
    windows)
      ALMANIX_WINEPREFIX=$("$scripts/wine-run" --prefix "$program")
      case $? in
        0) export ALMANIX_WINEPREFIX ;;
        77) exit 77 ;; # this machine cannot run the program
        *) echo "could not make a Wine prefix"; exit 1 ;;
      esac
      data="$ALMANIX_WINEPREFIX/drive_c/Almanix" user_folder="$data" patience=120
      key='HKLM\SOFTWARE\Screen saver\Almanix'
      run=("$scripts/wine-run" "$program") agenda=(/agenda)
      path_of() { echo "Z:$1" | tr / '\\'; }
      short_date() { date -d "$1" +%-m/%-d/%Y; }
      wine_reg() { "$scripts/wine-run" "$ALMANIX_WINEPREFIX/drive_c/windows/system32/reg.exe" "$@" 2>/dev/null; }
      store_setting() { wine_reg add "$key" /v "$1" /d "$2" /f >/dev/null; }
      stored_setting() {
        wine_reg query "$key" /v "$1" | tr -d '\r' | awk -v name="$1" '$1 == name && $2 == "REG_SZ" { print $3 }'
      }
      all_settings() { wine_reg query "$key"; }
      leave_clean() { rm -rf "$data"; wine_reg delete "$key" /f >/dev/null; }
      ;;
    *) echo "unknown build '$build': linux or windows"; exit 2 ;;
  esac
  events="$data/events.dat"
  leave_clean
  started_clean=true
  mkdir -p "$data"
}

# Starts the program in the background; sets "started" to its process id.
start_program() { "${run[@]}" "$@" & started=$!; background+=($started); }
# A line of the event file for a day, as the program writes it.
event_line() { echo "#$(short_date "$1") $(date -d "$1" +%A) $2"; }
# Changes whenever the event file or a setting does.
fingerprint() { { cat "$events" 2>/dev/null; all_settings; } | md5sum; }

convert=/usr/bin/convert
# The notices' colours: palette entries 8 to 15.
palette="808080|0000FF|00FF00|00FFFF|FF0000|FF00FF|FFFF00|FFFFFF"
# Takes a screenshot of the screen, or of an area WxH+X+Y of it.
screenshot() { # [area]
  timeout 30 import -window root "$sandbox/shot.png" 2>/dev/null
  [ -z "${1:-}" ] || "$convert" "$sandbox/shot.png" -crop "$1" +repage "$sandbox/shot.png"
}
# Prints how many pixels of the screenshot have the colour.
pixels_of() { # colour
  "$convert" "$sandbox/shot.png" -format %c histogram:info: | awk -v c="#$1" '$3 == c { n = $1 + 0 } END { print n + 0 }'
}
# Prints "width height x y" of all that is not black in the screenshot.
ink_box() { "$convert" "$sandbox/shot.png" -fill white +opaque black -trim -format '%w %h %X %Y' info: 2>/dev/null | tr -d '+'; }
# Prints "colour pixels width height x y black" for the screenshot: the colour
# (of the palette, unless others are named) with the most pixels and their
# count, the box around all that is not black, and the share of black pixels in
# per cent. Fails when none of those colours shows.
look() { # [colours]
  local shot="$sandbox/shot.png" colour box black
  colour=$("$convert" "$shot" -format %c histogram:info: | sed -nE 's/^ *([0-9]+):.*#([0-9A-F]{6}).*/\2 \1/p' |
    grep -E "^(${1:-$palette}) " | sort -k2 -rn | head -n 1)
  [ -n "$colour" ] || return 1
  box=$(ink_box)
  black=$("$convert" "$shot" -fill white +opaque black -negate -format '%[fx:round(100*mean)]' info:)
  echo "$colour $box $black"
}
# Takes screenshots until one's look passes the check; prints that look.
wait_for_look() { # seconds colours check [area]
  local deadline=$((SECONDS + $1)) seen
  while [ $SECONDS -lt $deadline ]; do
    screenshot "${4:-}"
    seen=$(look "$2") && $3 $seen && { echo "$seen"; return 0; }
    sleep 0.2
  done
  return 1
}

# Prints the ids of the shown windows whose title is exactly the given text.
windows_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }

# Waits until a window with the title shows; prints its id.
wait_for_window() { # title seconds
  local deadline=$((SECONDS + $2)) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(windows_titled "$1" | head -n 1)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.5
  done
  return 1
}
wait_closed() { # title
  local deadline=$((SECONDS + 20))
  while [ -n "$(windows_titled "$1")" ]; do [ $SECONDS -lt $deadline ] || return 1; sleep 0.2; done
}

keys_in() { xdotool windowfocus --sync "$1" 2>/dev/null; xdotool key --delay 60 "${@:2}"; } # window keys...
type_in() { xdotool windowfocus --sync "$1" 2>/dev/null; xdotool type --delay 40 "$2"; } # window text

# Waits for a background process of this shell; sets exit_status to its
# status, or to "running" when it did not end in time. (Not in a subshell:
# only this shell can wait for its children.)
wait_for_exit() { # pid seconds
  local deadline=$((${EPOCHREALTIME//[!0-9]/} + $2 * 1000000))
  exit_status=running
  while kill -0 "$1" 2>/dev/null; do
    [ "${EPOCHREALTIME//[!0-9]/}" -ge $deadline ] && return
    sleep 0.02
  done
  wait "$1"
  exit_status=$?
}

# Passes when a background process of this shell ends cleanly within the
# milliseconds of the command (a key, a signal) that asks it to.
expect_quick_end() { # pid milliseconds description command...
  "${@:4}"
  local began=${EPOCHREALTIME/./} took
  wait_for_exit "$1" 5
  took=$(((${EPOCHREALTIME/./} - began) / 1000))
  [ "$exit_status" = 0 ] && [ $took -le "$2" ] && pass "$3 in $took ms" || fail "$3: in $took ms, status $exit_status"
}

# Ends a background process of this shell with the signal (TERM unless named)
# and waits for it, 10 s unless told. One that stays is a failure: what its
# threads wait in is shown, and it is killed.
stop_program() { # pid [signal [seconds]]
  kill -s "${2:-TERM}" "$1" 2>/dev/null
  wait_for_exit "$1" "${3:-10}"
  [ "$exit_status" = running ] || return 0
  fail "process $1 did not end within ${3:-10} s of SIG${2:-TERM}"
  ps -o pid,stat,wchan:32,args -p "$1"
  timeout 60 gdb -batch -p "$1" -ex 'thread apply all bt' 2>/dev/null | grep -E '^(Thread|#)'
  kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  return 1
}
