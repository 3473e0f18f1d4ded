#!/usr/bin/env bash
# journeys.sh GAME JOURNEY...: a player's journeys.  Checks of the live game
# wait, bounded, for their state.
set -u
game=$1
shift
failures=0
trap 'rm -rf "${dirs[@]}"' EXIT
fail() { echo "FAIL [$journey]: $*" >&2; failures=$((failures + 1)); }
within() { # TEST holds within SECONDS
    local deadline=$((SECONDS + $1))
    until eval "$2"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}
# The game in a scratch directory: "closed" streams, or the environment given.
start() {
    dir=$(mktemp -d)
    dirs+=("$dir")
    if [ "${1:-}" = closed ]; then
        (cd "$dir" && exec env LD_PRELOAD="${GAME_PRELOAD:-}" "$game" <&- >&- 2>&-) &
    else
        (cd "$dir" && exec env "$@" LD_PRELOAD="${GAME_PRELOAD:-}" "$game" >out.txt 2>err.txt) &
    fi
    pid=$!
    [ "${1:-}" = -u ] && return 0 # no display, no window
    within 40 'window=$(focus) && [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "Vorlanx [Quillmark]" ]' ||
        fail "no focused window"
    picture_moves
}
ended() { ! kill -0 $pid 2>/dev/null; }
expect_exit() {
    within 30 ended || { kill -9 $pid 2>/dev/null && fail "still running"; }
    wait $pid
    local status=$?
    [ $status = "$1" ] || fail "exit status $status, not $1: $(cat "$dir"/*.txt)"
}
hold() { xdotool keydown "$1" sleep 0.2 keyup "$1"; }
# Again every 5 s: a key can be lost to a window just focused.
quit_with() {
    for _ in 1 2 3 4 5 6; do
        eval "$1"
        within 5 ended && return
    done
}
shot() { xwd -root -silent | md5sum; }
picture_moves() { within 10 'a=$(shot) && sleep 0.2 && [ "$a" != "$(shot)" ]' || fail "the picture never moves"; }
cpu_ticks() { awk '{ print $14 + $15 }' /proc/$pid/stat; } # 1/100 s
wakeups() { awk '/^voluntary/ { print $2 }' /proc/$pid/status; } # the main thread's
resting() { # once the game has seen it may rest; at most $1 wakeups
    local t=$(cpu_ticks) w=$(wakeups)
    sleep 2
    ticks=$(($(cpu_ticks) - t)) woke=$(($(wakeups) - w))
    [ $ticks -lt 10 ] && [ $woke -lt "${1:-300}" ]
}
focus() { xdotool getwindowfocus 2>/dev/null; }
asleep() { [ "$(convert x:root -format '%[max]' info:)" = 0 ]; } # all black
bursts() { # a line a sound: its length, sign changes a second
    od -An -v -td2 -w2 "$dir/sound.raw" | awk '
        { loud = loud || $1 > 300 || $1 < -300; changes += ($1 < 0) != (last < 0); last = $1 }
        NR % 240 { next }
        loud && !start { start = NR; changes = 0 }
        !loud && start { printf "%.3f %d\n", (NR - start) / 48000, changes * 48000 / (NR - start) }
        !loud { start = 0 }
        { loud = 0 }' >"$dir/bursts.txt"
}
burst() { sed -n "$1p" "$dir/bursts.txt" | cut -d' ' -f"$2"; } # burst N's field
recorded=(SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=sound.raw)
for journey in "${@:?name the journeys}"; do
    case $journey in
    quit) # Q, tapped within one frame, ends the game cleanly with no score;
        start closed # started with 0, 1 and 2 closed, it puts them on /dev/null
        for fd in 0 1 2; do
            [ "$(readlink /proc/$pid/fd/$fd)" = /dev/null ] || fail "descriptor $fd"
        done
        # both edges queued while the game is stopped
        quit_with 'kill -STOP $pid && xdotool keydown q keyup q sleep 0.2 && kill -CONT $pid'
        expect_exit 0
        [ -e "$dir/scores.txt" ] && fail "Q wrote a score" ;;
    no_display) # the message says why
        start -u DISPLAY
        expect_exit 1
        grep -q "game window: .*no display.*DISPLAY is not set" "$dir/err.txt" ||
            fail "no message: $(cat "$dir/err.txt")" ;;
    play_to_the_end | stopped_while_saving) # sky and bricks; S held ends the game
        # while another game holds the log: Q closes the window at once; the
        # line, dated at the end, goes in when the lock frees, or SIGTERM gives
        # it up; thuds, the end's phrase
        start "${recorded[@]}"
        within 30 'convert x:root -crop 1x1+960+2 txt:- | grep -q 66669999FFFF' || fail "no sky"
        convert x:root -crop 300x150+100+800 \( +clone -blur 0x2 \) -compose difference -composite \
            -format '%[fx:mean>.001]' info: | grep -q 1 || fail "no bricks"
        printf '2020-Jan-01 00:00:00\t5\t2 rows\n' >"$dir/scores.txt"
        exec 9>>"$dir/scores.txt"
        flock 9
        xdotool keydown s
        within 120 'ls -l /proc/$pid/fd | grep -q scores.txt' || fail "the game never ended"
        seen=$(date +%s) # maybe late, yet before the lock frees
        xdotool keyup s
        within 20 'bursts && [ "$(burst \$ 1 | tr -d .)" -ge 1000 ]' || fail "no end"
        hold q
        within 6 '! xwininfo -id "$window" >/dev/null 2>&1' || fail "the window stays"
        lines=2 said=
        if [ $journey = play_to_the_end ]; then
            resting || fail "busy waiting" # the line, dated at the end, waits
            exec 9>&-
            within 6 '[ "$(wc -l <"$dir/scores.txt")" = 2 ]' || fail "no line"
            dated=$(tail -1 "$dir/scores.txt" | cut -f1 | sed -E 's/(.*)-(.*)-(.*) /\3 \2 \1 /')
            age=$((seen - $(LC_ALL=C date -d "$dated" +%s)))
            [ $age -ge 0 ] && [ $age -lt 60 ] || fail "dated $dated"
        else
            kill -TERM $pid
            lines=1 said="stopped before its turn came"
        fi
        within 6 ended || fail "the game waits on"
        expect_exit 0
        exec 9>&-
        [ "$(grep spinwell: "$dir/err.txt" | grep -c "$said")" = $((2 - lines)) ] || fail "said $(cat "$dir/err.txt")"
        [ "$(wc -l <"$dir/scores.txt")" = $lines ] || fail "not $lines lines"
        [ "$(burst 1 2)" -lt 300 ] || fail "no thud" ;;
    openbox) # under a window manager: fullscreen with the game's class and icon;
        # resting while paused, the screen let sleep, and minimised; alt+F4
        openbox >/dev/null 2>&1 & wm=$!
        # openbox answers once it manages windows
        within 10 'xdotool set_desktop 1 2>/dev/null && xprop -root _NET_CURRENT_DESKTOP | grep -q 1' ||
            fail "no openbox"
        start
        within 10 'xprop -id "$window" _NET_WM_STATE | grep -q FULLSCREEN' || fail "not fullscreen"
        xprop -id "$window" WM_CLASS | grep -q '"org.spinwell.Spinwell", "org.spinwell.Spinwell"' ||
            fail "class"
        xprop -id "$window" -notype -f _NET_WM_ICON 32c '=$0+\n' _NET_WM_ICON | md5sum |
            grep -q ^f7d4d75 || fail "not the built-in icon"
        xset s noblank s 1 0 # Xvfb cannot blank
        hold p # paused
        within 20 'resting 50' || fail "$ticks ticks, $woke wakeups while paused"
        within 10 asleep || fail "no sleep while paused"
        hold p
        picture_moves
        sleep 2
        asleep && fail "sleeps in play"
        xdotool windowminimize "$window"
        within 20 resting || fail "$ticks ticks, $woke wakeups while minimised"
        xdotool windowactivate "$window"
        picture_moves
        within 10 '[ "$(focus)" = "$window" ]' || fail "no focus after the restore"
        xdotool key alt+F4
        expect_exit 0
        kill $wm ;;
    sound) # a step and a turn; silence while paused and muted; Escape quits, not
        # a word said, on a server without the screensaver extension; 48 kHz mono
        began=$SECONDS
        start "${recorded[@]}"
        sleep 1 # focus settles
        within 30 '[ -s "$dir/sound.raw" ]' # the sound is up
        for key in Left space p - - p m+Left m+Left; do # -: no key
            [ $key = - ] || xdotool key ${key/+/ }
            sleep 1
        done
        quit_with 'hold Escape'
        expect_exit 0
        grep -v "^CRITICAL" "$dir/err.txt" && fail "said that" # SDL's note aside
        bursts
        [ "$(grep -c . "$dir/bursts.txt")" = 5 ] || fail "not five sounds: $(cat "$dir/bursts.txt")"
        [ "$(burst 1 2)" -gt $(($(burst 2 2) * 3 / 2)) ] || fail "a step sounds like a turn"
        [ $(($(stat -c %s "$dir/sound.raw") / 96000)) -le $((SECONDS - began)) ] || fail "too fast" ;;
    no_sound) # no sound server, or a stuck one; no sound card: a start and a
        # quit, a line at most, saying why
        stuck=$(mktemp -u)
        nc -dklU "$stuck" >/dev/null & # takes a call, never answers
        server=$!
        within 10 "[ -S $stuck ]" || fail "no stuck server"
        for server_at in /nonexistent "$stuck"; do
            start SDL_AUDIODRIVER=pulseaudio,alsa AUDIODEV=hw:9 PULSE_SERVER="unix:$server_at"
            [ $server_at = "$stuck" ] || within 10 'grep -q "without sound: " "$dir/err.txt"' || fail "not told why"
            quit_with "hold q"
            expect_exit 0
            [ "$(wc -l <"$dir/err.txt")" -le 1 ] || fail "more than a line"
        done
        kill $server
        rm -f "$stuck" ;;
    *) fail "no such journey" ;;
    esac
done
exit $((failures > 0))
