#!/usr/bin/env bash
# journeys.sh GAME [JOURNEY...]: a player's journeys, every wait bounded.
set -u
game=$1
shift
failures=0
fail() { echo "FAIL [$journey]: $*" >&2; failures=$((failures + 1)); }
# The game in a scratch directory, its standard streams closed after
# "closed", else with the environment changes given; with none, until it plays.
start() {
    dir=$(mktemp -d)
    if [ "${1:-}" = closed ]; then
        (cd "$dir" && exec env LD_PRELOAD="${GAME_PRELOAD:-}" "$game" <&- >&- 2>&-) &
    else
        (cd "$dir" && exec env "$@" LD_PRELOAD="${GAME_PRELOAD:-}" "$game" >out.txt 2>err.txt) &
    fi
    pid=$!
    [ $# = 0 ] || [ "$1" = closed ] || return 0
    for _ in $(seq 400); do
        window=$(xdotool search --name '^Vorlanx \[Quillmark\]$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && [ "$(focus)" = "$window" ] && break
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
within_10s() { # the shell test given holds, within 10 s
    for _ in $(seq 100); do eval "$1" && return 0; sleep 0.1; done
    return 1
}
focus() { xdotool getwindowfocus 2>/dev/null; }
for journey in ${*:-quit no_display play_to_the_end openbox}; do
    case $journey in
    quit) # Q (tapped within one frame) and Escape end the
        for how in q Escape; do # game cleanly, with no score
            if [ $how = q ]; then # started with 0, 1 and 2 closed, it puts
                start closed      # them on /dev/null, not on X
                for fd in 0 1 2; do
                    target=$(readlink /proc/$pid/fd/$fd)
                    [ "$target" = /dev/null ] || fail "descriptor $fd: $target"
                done
            else start; fi
            case $how in
            q) xdotool keydown q keyup q ;;
            *) hold $how ;;
            esac
            [ -e "$dir/scores.txt" ] && fail "$how wrote a score"
            expect_exit 0
        done ;;
    no_display) # the message says why
        start -u DISPLAY
        within_10s "! kill -0 $pid 2>/dev/null"
        grep -q "game window: .*no display.*DISPLAY is not set" "$dir/err.txt" ||
            fail "no message: $(cat "$dir/err.txt")"
        expect_exit 1 ;;
    play_to_the_end) # the sky over the well at the start; holding S ends
        # the game: a line after the earlier one
        start
        import -window root -crop 1x1+960+2 txt:- | grep -q 66669999FFFF || fail "no sky"
        printf '2020-Jan-01 00:00:00\t5\t2 rows\n' >"$dir/scores.txt"
        xdotool keydown s
        for _ in $(seq 1200); do [ "$(wc -l <"$dir/scores.txt")" = 1 ] && sleep 0.1; done
        xdotool keyup s sleep 0.5
        [ "$(wc -l <"$dir/scores.txt")" = 2 ] || fail "not two lines: $(cat "$dir/scores.txt")"
        hold q
        expect_exit 0 ;;
    openbox) # under a window manager: fullscreen with the game's class and icon;
        # resting while minimised; alt+F4
        openbox >/dev/null 2>&1 &
        wm=$!
        within_10s 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window'
        start
        xprop -id "$window" _NET_WM_STATE | grep -q FULLSCREEN || fail "not fullscreen"
        class='"org.spinwell.Spinwell", "org.spinwell.Spinwell"'
        xprop -id "$window" WM_CLASS | grep -q "$class" || fail "class"
        xprop -id "$window" -notype -f _NET_WM_ICON 32c '=$0+\n' _NET_WM_ICON | md5sum |
            grep -q ^f7d4d75 || fail "not the built-in icon"
        xdotool windowminimize "$window" sleep 0.5
        before=$(cpu_ticks) && sleep 2
        ticks=$(($(cpu_ticks) - before))
        [ $ticks -lt 10 ] || fail "$ticks ticks in 2 s while minimised"
        xdotool windowactivate "$window"
        picture_moves
        xdotool key alt+F4
        expect_exit 0
        kill $wm ;;
    *) fail "no such journey" ;;
    esac
done
exit $((failures > 0))
