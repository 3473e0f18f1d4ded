#!/usr/bin/env bash
# journeys.sh GAME [JOURNEY...]: a player's journeys.  Checks of the live game
# wait, bounded, for their state; that something did not happen, after the exit.
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
    [ $# = 0 ] || [ "$1" = closed ] || return 0
    within 40 'window=$(focus) && [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "Vorlanx [Quillmark]" ]' ||
        fail "no focused window"
    picture_moves
}
expect_exit() {
    within 30 "! kill -0 $pid 2>/dev/null" || { kill -9 $pid 2>/dev/null && fail "still running"; }
    wait $pid
    local status=$?
    [ $status = "$1" ] || fail "exit status $status, not $1: $(cat "$dir"/*.txt)"
}
hold() { xdotool keydown "$1" sleep 0.2 keyup "$1"; }
shot() { xwd -root -silent | md5sum; }
picture_moves() { within 10 'a=$(shot) && sleep 0.2 && [ "$a" != "$(shot)" ]' || fail "the picture never moves"; }
cpu_ticks() { awk '{ print $14 + $15 }' /proc/$pid/stat; } # 1/100 s
resting() { # fewer than 10 ticks in 2 s, once the game has seen it may rest
    local before=$(cpu_ticks)
    sleep 2
    ticks=$(($(cpu_ticks) - before))
    [ $ticks -lt 10 ]
}
focus() { xdotool getwindowfocus 2>/dev/null; }
for journey in ${*:-quit no_display play_to_the_end openbox}; do
    case $journey in
    quit) # Q (tapped within one frame) and Escape end the
        for how in q Escape; do # game cleanly, with no score
            if [ $how = q ]; then # started with 0, 1 and 2 closed, it puts
                start closed      # them on /dev/null, not on X
                for fd in 0 1 2; do
                    [ "$(readlink /proc/$pid/fd/$fd)" = /dev/null ] || fail "descriptor $fd"
                done
            else start; fi
            case $how in
            # both edges queued while the game is stopped
            q) kill -STOP $pid && xdotool keydown q keyup q sleep 0.2 && kill -CONT $pid ;;
            *) hold $how ;;
            esac
            expect_exit 0
            [ -e "$dir/scores.txt" ] && fail "$how wrote a score"
        done ;;
    no_display) # the message says why
        start -u DISPLAY
        expect_exit 1
        grep -q "game window: .*no display.*DISPLAY is not set" "$dir/err.txt" ||
            fail "no message: $(cat "$dir/err.txt")" ;;
    play_to_the_end) # the sky over the well at the start, once the camera has
        # risen to the piece; holding S ends the game: a line after the earlier one
        start
        within 10 'import -window root -crop 1x1+960+2 txt:- | grep -q 66669999FFFF' || fail "no sky"
        printf '2020-Jan-01 00:00:00\t5\t2 rows\n' >"$dir/scores.txt"
        xdotool keydown s
        within 120 '[ "$(wc -l <"$dir/scores.txt")" != 1 ]' || fail "the game never ended"
        xdotool keyup s
        hold q
        expect_exit 0
        [ "$(wc -l <"$dir/scores.txt")" = 2 ] || fail "not two lines: $(cat "$dir/scores.txt")" ;;
    openbox) # under a window manager: fullscreen with the game's class and icon;
        # resting while paused and while minimised; alt+F4
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
        hold p # paused
        within 20 resting || fail "$ticks ticks in 2 s while paused"
        hold p
        xdotool windowminimize "$window"
        within 20 resting || fail "$ticks ticks in 2 s while minimised"
        xdotool windowactivate "$window"
        picture_moves
        within 10 '[ "$(focus)" = "$window" ]' || fail "no focus after the restore"
        xdotool key alt+F4
        expect_exit 0
        kill $wm ;;
    *) fail "no such journey" ;;
    esac
done
exit $((failures > 0))
