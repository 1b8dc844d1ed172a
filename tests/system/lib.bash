# Helpers for the system tests: a private Xvfb display, the program under
# test, and waiting for what it does. Sourced by each test script.
#
# A test never sleeps on the hope that something has happened by then: the
# machine may be busy. It waits for the fact itself (a window, the keyboard
# focus, a pixel, a row in the file), and every wait ends with a message
# after its limit, so that a real fault fails the test and never hangs it.

# The program's window captions, exactly as its forms set them.
MAIN_TITLE="Телефонный справочник г. Велирск v. 1.0"
APP_TITLE="Телефонный справочник г. Велирск"
DIALOG_TITLE="Телефонный справочник г. Велирск | Поиск в базе данных"
RESULTS_PREFIX="Телефонный справочник г. Велирск | Результаты поиска | Найдена(о) "

# start_display [WIDTHxHEIGHT]: a private display, 1024x768 unless given.
start_display() {
  local n deadline size=${1:-1024x768}
  for n in $(seq 140 200); do
    [ -e "/tmp/.X${n}-lock" ] && continue
    # Without -noreset the server forgets the keyboard map whenever its last
    # client has gone, between two programs of one test.
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    # A server that lost the number to another test ends at once.
    deadline=$((SECONDS + 15))
    while kill -0 "$XVFB_PID" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
      if xprop -root > /dev/null 2>&1; then
        SCREEN_SHOT=$(mktemp --suffix=.png)
        add_cyrillic_keys
        return
      fi
      sleep 0.05
    done
    kill "$XVFB_PID" 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2
  return 1
}

# add_cyrillic_keys: puts the Russian letters, small and capital, on keys of
# their own. xdotool types a character missing from the map by rebinding one
# spare key for each character in turn; a busy program reads the map only
# when it handles the key, by then bound to the next character or to none,
# and the letter is lost or wrong.
add_cyrillic_keys() {
  local keymap code=147 small capital symbols=""
  keymap=$(mktemp)
  xkbcomp -xkb "$DISPLAY" "$keymap" 2>/dev/null || { rm -f "$keymap"; echo "cannot read the keyboard map" >&2; return 1; }
  # а..я and ё on the multimedia keys 147..179, which the program never reads.
  for small in $(seq $((0x430)) $((0x44f))) $((0x451)); do
    capital=$((small - 0x20))
    [ "$small" = $((0x451)) ] && capital=$((0x401))
    sed -i "/^ *key <I$code> /d" "$keymap"
    symbols+=$(printf '    key <I%d> { [ U%04X, U%04X ] };\\n' "$code" "$small" "$capital")
    code=$((code + 1))
  done
  sed -i "/^xkb_symbols/,/^};/ s/^};/${symbols}};/" "$keymap"
  xkbcomp -w 0 "$keymap" "$DISPLAY" 2>/dev/null || { rm -f "$keymap"; echo "cannot load the keyboard map" >&2; return 1; }
  rm -f "$keymap"
}

stop_display() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  rm -f "${SCREEN_SHOT:-}"
  true
}

start_program() {
  "$VELIRSK_BUILD_DIR/velirsk" "$@" > program.log 2>&1 &
  PROGRAM_PID=$!
}

stop_program() { [ -n "${PROGRAM_PID:-}" ] && kill "$PROGRAM_PID" 2>/dev/null; true; }

# wait_until SECONDS WHAT COMMAND...: runs COMMAND until it succeeds; after
# SECONDS says that WHAT did not happen and fails.
wait_until() {
  local limit=$1 what=$2
  shift 2
  local deadline=$(($(now_ms) + limit * 1000))
  until "$@"; do
    if [ "$(now_ms)" -ge "$deadline" ]; then
      echo "$what: not within ${limit}s" >&2
      return 1
    fi
    sleep 0.1
  done
}

# now_ms: the time in milliseconds; bash's SECONDS counts whole seconds and
# would cut a short limit to almost nothing.
now_ms() { echo $((${EPOCHREALTIME//[.,]/} / 1000)); }

# regex TEXT: TEXT as an extended regular expression matching itself, for
# xdotool's window names.
regex() { printf '%s' "$1" | sed 's/[][().|*+?{}^$\\]/\\&/g'; }

# visible_window REGEX: prints the id of a visible window whose title matches.
visible_window() {
  local id
  id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
  [ -n "$id" ] && echo "$id"
}

# wait_for_window TITLE [SECONDS]: prints the window id once a visible window
# with exactly that title (an extended regular expression) exists.
wait_for_window() { wait_for_window_matching "^$1\$" "${2:-15}"; }

# wait_for_window_matching REGEX [SECONDS]: the same for a part of the title.
wait_for_window_matching() {
  local limit=${2:-15} deadline id
  deadline=$(($(now_ms) + limit * 1000))
  until id=$(visible_window "$1"); do
    if [ "$(now_ms)" -ge "$deadline" ]; then
      echo "no window titled '$1' within ${limit}s" >&2
      return 1
    fi
    sleep 0.1
  done
  echo "$id"
}

no_visible_window() { ! visible_window "$1" > /dev/null; }

# wait_for_no_window REGEX [SECONDS]: waits until no visible window's title
# matches.
wait_for_no_window() { wait_until "${2:-10}" "the window '$1' is still there" no_visible_window "$1"; }

# has_focus WINDOW: the window has the keyboard focus of the display. Keys
# that xdotool sends go where the focus is when it sends them, so a test
# waits for this before it types into a window that has just come or gone.
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# wait_for_focus WINDOW [SECONDS]
wait_for_focus() { wait_until "${2:-10}" "the keyboard focus did not come to window $1" has_focus "$1"; }

# open_search_dialog WINDOW: opens the search dialog from the window's menu
# bar by the keys, as a person does ("Поиск" / "Найти"), and waits until the
# dialog has the keys; DIALOG is its window.
open_search_dialog() {
  xdotool windowfocus --sync "$1"
  xdotool key --delay 100 alt Right Return Return
  DIALOG=$(wait_for_window "$(regex "$DIALOG_TITLE")" 10) && wait_for_focus "$DIALOG"
}

# wait_for_screen FILE SECONDS WHAT COMMAND...: takes screenshots into FILE
# until COMMAND succeeds on the latest one, for a repaint that must come.
wait_for_screen() {
  local file=$1 limit=$2 what=$3
  shift 3
  wait_until "$limit" "$what" screenshot_then "$file" "$@"
}

# screenshot_then FILE COMMAND...: a fresh screenshot in FILE, then COMMAND.
screenshot_then() { import -window root "$1" && "${@:2}"; }

pixel_is() { [ "$(pixel "$1" "$2" "$3")" = "$4" ]; }
pixel_is_not() { [ "$(pixel "$1" "$2" "$3")" != "$4" ]; }

# wait_for_pixel X Y COLOUR [SECONDS]: waits until the screen shows COLOUR
# ("r,g,b") at (X, Y); wait_for_pixel_not until it shows another one.
wait_for_pixel() {
  wait_for_screen "$SCREEN_SHOT" "${4:-10}" "the pixel ($1, $2) did not become $3" pixel_is "$1" "$2" "$SCREEN_SHOT" "$3"
}
wait_for_pixel_not() {
  wait_for_screen "$SCREEN_SHOT" "${4:-10}" "the pixel ($1, $2) stayed $3" pixel_is_not "$1" "$2" "$SCREEN_SHOT" "$3"
}

# same_region FILE1 FILE2 X Y W H: both screenshots show the same picture in
# that rectangle.
same_region() {
  [ "$(compare -metric AE -extract "${5}x${6}+${3}+${4}" "$1" "$2" null: 2>&1 || true)" = 0 ]
}

# region_changed FILE X Y W H: the latest screenshot differs from FILE there.
region_changed() { ! same_region "$1" "$SCREEN_SHOT" "$2" "$3" "$4" "$5"; }

# wait_for_change FILE X Y W H [SECONDS]: waits until that rectangle of the
# screen differs from the screenshot FILE taken before.
wait_for_change() {
  wait_until "${6:-10}" "nothing changed in ${4}x${5}+${2}+${3}" \
    screenshot_then "$SCREEN_SHOT" region_changed "$1" "$2" "$3" "$4" "$5"
}

# wait_for_still_screen FILE [SECONDS]: waits until two screenshots taken one
# after the other are alike, for a repaint whose outcome the test compares
# later; the last one is left in FILE.
wait_for_still_screen() {
  import -window root "$1"
  wait_until "${2:-10}" "the screen did not settle" screen_still "$1"
}
screen_still() {
  import -window root "$SCREEN_SHOT"
  local changed
  changed=$(compare -metric AE "$1" "$SCREEN_SHOT" null: 2>&1 || true)
  cp "$SCREEN_SHOT" "$1"
  [ "$changed" = 0 ]
}

# start_program_in DIR [ARGS...]: starts the program with DIR as its working
# folder; its output goes to $PROGRAM_LOG, outside that folder.
start_program_in() {
  local dir=$1
  shift
  PROGRAM_LOG=${PROGRAM_LOG:-$(mktemp)}
  (cd "$dir" && exec "$VELIRSK_BUILD_DIR/velirsk" "$@") > "$PROGRAM_LOG" 2>&1 &
  PROGRAM_PID=$!
}

# wait_for_exit [SECONDS]: waits for the program and sets PROGRAM_STATUS to
# its exit code; fails when it is still running after the limit.
wait_for_exit() {
  local limit=${1:-15}
  for _ in $(seq $((limit * 10))); do
    if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
      PROGRAM_STATUS=0
      wait "$PROGRAM_PID" || PROGRAM_STATUS=$?
      PROGRAM_PID=
      return 0
    fi
    sleep 0.1
  done
  echo "the program is still running after ${limit}s" >&2
  return 1
}

# watch_windows FILE: records the creation, mapping and destruction of
# top-level windows in FILE until stop_watching.
watch_windows() {
  WATCH_FILE=$1
  xev -root -event substructure -event property > "$WATCH_FILE" 2>&1 &
  WATCH_PID=$!
  wait_until 10 "xev did not start watching" watching
}

# watching: xev records the root window's events; a property set on the root
# window shows that it does.
watching() {
  xprop -root -f _VELIRSK_WATCH 8s -set _VELIRSK_WATCH ready
  grep -q _VELIRSK_WATCH "$WATCH_FILE"
}

stop_watching() { [ -n "${WATCH_PID:-}" ] && kill "$WATCH_PID" 2>/dev/null; WATCH_PID=; true; }

# window_events: the recorded events, one a line, in order:
#   create ID WIDTHxHEIGHT | map ID | unmap ID | destroy ID
window_events() {
  awk 'BEGIN { RS = "" } { gsub(/\n/, " "); print }' "$WATCH_FILE" | sed -nE \
    -e 's/^CreateNotify .*parent 0x[0-9a-f]+, window (0x[0-9a-f]+), \([-0-9]+,[-0-9]+\), width ([0-9]+), height ([0-9]+).*/create \1 \2x\3/p' \
    -e 's/^MapNotify .*synthetic NO.*event 0x[0-9a-f]+, window (0x[0-9a-f]+).*/map \1/p' \
    -e 's/^UnmapNotify .*synthetic NO.*event 0x[0-9a-f]+, window (0x[0-9a-f]+).*/unmap \1/p' \
    -e 's/^DestroyNotify .*event 0x[0-9a-f]+, window (0x[0-9a-f]+).*/destroy \1/p'
}

# event_line KIND ID: the line number of the first such event, empty if none.
event_line() { window_events | grep -n -m1 "^$1 $2\b" | cut -d: -f1; }

# window_of_size WIDTHxHEIGHT: the first window created with that size.
window_of_size() { window_events | awk -v size="$1" '$1 == "create" && $3 == size { print $2; exit }'; }

# pixel X Y FILE: the colour of a pixel of a screenshot as "r,g,b".
pixel() {
  convert "$3" -format "%[fx:int(255*u.p{$1,$2}.r)],%[fx:int(255*u.p{$1,$2}.g)],%[fx:int(255*u.p{$1,$2}.b)]" info:
}

# start_wm: starts the window manager that VELIRSK_WM names (for example
# openbox) on the test's display; without VELIRSK_WM the test runs with none.
start_wm() {
  WM_PID=
  [ -n "${VELIRSK_WM:-}" ] || return 0
  command -v "$VELIRSK_WM" > /dev/null || { echo "no window manager '$VELIRSK_WM' installed" >&2; return 1; }
  "$VELIRSK_WM" > /dev/null 2>&1 &
  WM_PID=$!
  wait_until 10 "the window manager did not take the screen" wm_running
}

# wm_running: a window manager has announced itself on the root window.
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

stop_wm() { [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null; true; }

# The main window's client area: 691 x 365, 4 pixels in from the window's
# left edge and 42 down from its top.
CLIENT_W=691
CLIENT_H=365
# client WINDOW FILE OUT: the window's client area in the screenshot FILE.
client() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  convert "$2" -crop "${CLIENT_W}x${CLIENT_H}+$((X + 4))+$((Y + 42))" +repage "$3"
}
# same_in A B W H [X Y]: two client pictures agree in that rectangle.
same_in() {
  [ "$(compare -metric AE -extract "${3}x${4}+${5:-0}+${6:-0}" "$1" "$2" null: 2>&1 || true)" = 0 ]
}
# The psql client, where the PATH has none from the server's own folder.
find_psql() {
  command -v psql || ls /usr/lib/postgresql/*/bin/psql 2>/dev/null | sort -V | tail -n 1
}
# need_server_and_shells: skips the script (exit 77) without the test server,
# the sqlite3 shell or psql; sets PSQL.
need_server_and_shells() {
  [ -n "${VELIRSK_TEST_SERVER:-}" ] || { echo "no test server: VELIRSK_TEST_SERVER is unset"; exit 77; }
  command -v sqlite3 > /dev/null || { echo "no sqlite3 shell"; exit 77; }
  PSQL=$(find_psql)
  [ -n "$PSQL" ] || { echo "no psql"; exit 77; }
}

# no_box: no message box is up, the program's own or the last resort's.
no_box() {
  [ -z "$(xdotool search --onlyvisible --name "^($(regex "$APP_TITLE")|Application Error)\$" 2>/dev/null || true)" ]
}
# settled CONDITION...: CONDITION holds or a message box has come.
settled() { ! no_box || "$@"; }
# await SECONDS WHAT CONDITION...: waits for CONDITION; a message box fails
# the test at once (through the script's own fail). FOLLOWED_MS is then how
# long it took from CHANGED_AT, the script's time of its last change.
await() {
  local limit=$1 what=$2
  shift 2
  wait_until "$limit" "$what" settled "$@" 2> /dev/null || fail "$what: not within ${limit}s"
  no_box || fail "$what: a message box came instead"
  FOLLOWED_MS=$(($(now_ms) - CHANGED_AT))
}
report() { echo "$1: ${FOLLOWED_MS} ms after the commit"; }
