#!/usr/bin/env bash
# tests/e2e/journeys.sh GAME [JOURNEY...]: a player's journeys, every wait bounded.
set -u
game=$1
shift
failures=0
fail() { echo "FAIL [$journey]: $*" >&2; failures=$((failures + 1)); }
# The game in a scratch directory: with its standard streams closed after
# "closed", else with the environment changes given; without changes, until
# it plays.
start() {
    dir=$(mktemp -d)
    if [ "${1:-}" = closed ]; then
        (cd "$dir" && exec env LD_PRELOAD="${GAME_PRELOAD:-}" "$game" <&- >&- 2>&-) &
    else
        (cd "$dir" && exec env "$@" LD_PRELOAD="${GAME_PRELOAD:-}" "$game" >out.txt 2>err.txt) &
    fi
    pid=$!
    [ $# = 0 ] || [ "$1" = closed ] || return 0
    for _ in $(seq 200); do
        window=$(xdotool search --name '^Vorlanx \[Quillmark\]$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ] && break
        sleep 0.1
    done
    picture_moves
}
expect_exit() {
    for _ in $(seq 300); do kill -0 $pid 2>/dev/null && sleep 0.1; done
    kill -9 $pid 2>/dev/null && fail "still running"
    wait $pid
    local status=$?
    [ $status = "$1" ] || fail "exit status $status, not $1: $(cat "$dir"/*.txt)"
    rm -rf "$dir"
}
hold() { xdotool keydown "$1" sleep 0.2 keyup "$1"; }
shot() { xwd -root -silent | md5sum; }
picture_moves() { # waits until it does
    local a b=$(shot)
    for _ in $(seq 50); do
        a=$b b=$(sleep 0.2 && shot)
        [ "$a" != "$b" ] && return 0
    done
    fail "the picture never moves"
}
cpu_ticks() { awk '{ print $14 + $15 }' /proc/$pid/stat; } # 1/100 s
for journey in ${*:-quit no_display play_to_the_end desktop}; do
    case $journey in
    quit) # Q (tapped within one frame), Escape and a termination signal end the
        for how in q Escape TERM; do # game cleanly, with no score
            if [ $how = q ]; then # started with 0, 1 and 2 closed, it puts them on /dev/null, not on X
                start closed
                for fd in 0 1 2; do
                    [ "$(readlink /proc/$pid/fd/$fd)" = /dev/null ] || fail "descriptor $fd: $(readlink /proc/$pid/fd/$fd)"
                done
            else start; fi
            case $how in q) xdotool keydown q keyup q ;; TERM) kill -TERM $pid ;; *) hold $how ;; esac
            [ -e "$dir/scores.txt" ] && fail "$how wrote a score"
            expect_exit 0
        done ;;
    no_display) # unset or empty, the message says which
        for how in 'not set' empty; do
            [ "$how" = empty ] && start DISPLAY= || start -u DISPLAY
            sleep 1
            grep -q "cannot open the game window: .*no display.*DISPLAY is $how" "$dir/err.txt" ||
                fail "no message: $(cat "$dir/err.txt")"
            expect_exit 1
        done ;;
    play_to_the_end) # holding S ends the game: one score line after the earlier ones
        start
        printf '2020-Jan-01 00:00:00\t5\t2 rows\n' >"$dir/scores.txt"
        xdotool keydown s
        for _ in $(seq 1200); do [ "$(wc -l <"$dir/scores.txt")" = 1 ] && sleep 0.1; done
        xdotool keyup s sleep 0.5
        grep -qvxE "2020-Jan-01 00:00:00	5	2 rows|[0-9]{4}-[A-Z][a-z]{2}-[0-9]{2} [0-9:]{8}	[0-9]+	[0-9]+ rows" \
            "$dir/scores.txt" && fail "a malformed line"
        [ "$(wc -l <"$dir/scores.txt")" = 2 ] || fail "not two lines: $(cat "$dir/scores.txt")"
        hold q
        expect_exit 0 ;;
    desktop) # under openbox: fullscreen with the game's class and icon; shown while
        # another window has the focus; alt-tab back; resting while minimised; alt+F4
        openbox >/dev/null 2>&1 &
        wm=$!
        for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window && break; sleep 0.1; done
        start
        xprop -id "$window" _NET_WM_STATE | grep -q FULLSCREEN || fail "not fullscreen"
        xprop -id "$window" WM_CLASS | grep -q '"org.spinwell.Spinwell", "org.spinwell.Spinwell"' || fail "class"
        xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (64 x 64)' || fail "no icon"
        xlogo &
        for _ in $(seq 100); do [ "$(xdotool getwindowfocus)" != "$window" ] && break; sleep 0.1; done
        sleep 0.5
        xwininfo -id "$window" | grep -q IsViewable || fail "hidden when another window took the focus"
        xdotool key alt+Tab
        for _ in $(seq 100); do [ "$(xdotool getwindowfocus)" = "$window" ] && break; sleep 0.1; done
        [ "$(xdotool getwindowfocus)" = "$window" ] || fail "alt-tab did not come back"
        xdotool windowminimize "$window" sleep 0.5
        before=$(cpu_ticks) && sleep 2
        [ $(($(cpu_ticks) - before)) -lt 10 ] || fail "$(($(cpu_ticks) - before)) ticks in 2 s while minimised"
        xdotool windowactivate "$window"
        picture_moves
        xdotool key alt+F4
        expect_exit 0
        kill $! $wm ;;
    *) fail "no such journey" ;;
    esac
done
exit $((failures > 0))
