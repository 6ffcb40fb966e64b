# Shared by the end-to-end tests: a virtual display, checks and window look-ups.

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
tools="$here/../tools"
DISPLAY="$("$tools/virtual-display")"
export DISPLAY
failures=0

pass() { echo "ok - $*"; }
fail() { echo "FAILED - $*"; failures=$((failures + 1)); }
expect_equal() { # description expected actual
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected '$2', got '$3'"; fi
}

# Prints the ids of windows whose title is exactly the given text.
windows_titled() { xdotool search --name "^$1\$" 2>/dev/null || true; }

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

press_key_in() { # window key
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool key "$2"
}

# Waits for a background process of this shell; sets exit_status to its
# status, or to "running" when it did not end in time. (Not in a subshell:
# only this shell can wait for its children.)
wait_for_exit() { # pid seconds
  local deadline=$((SECONDS + $2))
  exit_status=running
  while kill -0 "$1" 2>/dev/null; do
    [ $SECONDS -ge $deadline ] && return
    sleep 0.5
  done
  wait "$1"
  exit_status=$?
}

finish() {
  if [ "$failures" -eq 0 ]; then echo "all checks passed"; exit 0; fi
  echo "$failures checks failed"; exit 1
}
