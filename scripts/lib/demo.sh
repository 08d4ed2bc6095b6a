# The demonstration of scripts/run.sh: settings that show an affirmation soon, the pictures taken while one is
# on the screen, and what the settings in the prefix mean for the first showing. Source it after
# wine_session.sh, with the session started.
# shellcheck shell=bash

DEMO_PARAM_KEY='HKCU\Software\Shared Program Settings\Uplift Beacon Plus\ParamSection'
DEMO_DESKTOP='#3a6ea5'

# The box style, 3 seconds on the screen ("Time" 17), 4 seconds between showings ("Pause" 3).
demo_settings() {
    local pair
    for pair in WhenToDisplay=0 Pause=3 Time=17 optTimeLength=True ScreenBackground=1 Enabled=True; do
        wine reg add "$DEMO_PARAM_KEY" /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f </dev/null >/dev/null 2>&1
    done
}

# One line: when the first showing comes and for how long, read from the prefix's settings (defaults where a
# value is missing) and the program's own lists of time lengths and pauses.
first_showing_text() {
    wine reg query "$DEMO_PARAM_KEY" </dev/null 2>/dev/null | python3 -c '
import re, sys
lists = {}
text = open(sys.argv[1], encoding="utf-8").read()
for name in ("kTimeLengths", "kPauses"):
    body = text[text.index(name):]
    body = body[:body.index("}};")]
    lists[name] = [(t, int(v)) for t, v in re.findall(r"\{L\"([^\"]+)\", (\d+)\}", body)]
values = dict(re.findall(r"^    (\S+)    REG_SZ    (.*?)\r?$", sys.stdin.read(), re.M))
def entry(name, default, index):
    try:
        return lists[name][int(values.get(index, default))][0]
    except (ValueError, IndexError):
        return lists[name][default][0]
length = entry("kTimeLengths", 7, "Time")
if values.get("optTimeLength", "True") != "True":
    length = "until Escape or a double click on the icon"
else:
    length = "for " + length
mode = values.get("WhenToDisplay", "0")
if values.get("Enabled", "True") not in ("True", "1"):
    print("showings are disabled (Enable in the icon\u2019s menu)")
elif mode == "1":
    print("the first showing comes every day at the time of %s, %s" % (values.get("Everyday", "?"), length))
elif mode == "2":
    print("the showing comes once, at %s, %s" % (values.get("Date", "?"), length))
else:
    pause = entry("kPauses", 10, "Pause").replace("minuet", "minute")
    print("the first showing comes about %s after the start, %s, and again %s after each one has gone "
          "(double-click the icon for the options)" % (pause, length, pause))
' "$HARNESS_ROOT/src/core/schedule/durations.h"
}

# The colour of the screen's centre, as ImageMagick writes it ("#RRGGBB").
_demo_centre_colour() {
    local size
    size=$(xdpyinfo | awk '/dimensions:/ {print $2}')
    import -window root -crop "1x1+$((${size%x*} / 2))+$((${size#*x} / 2))" -depth 8 txt:- 2>/dev/null |
        grep -o '#[0-9A-F]\{6\}' | head -n 1
}

_demo_wait() { # <what> <command...>: up to 60 s
    local what="$1" i
    shift
    for ((i = 0; i < 300; i++)); do
        "$@" && return 0
        sleep 0.2
    done
    harness_log "waited 60 s for $what"
    return 1
}

_demo_showing() { [[ -n "$(_demo_centre_colour)" && "$(_demo_centre_colour)" != "${DEMO_DESKTOP^^}" ]]; }
_demo_gone() { ! _demo_showing; }
_demo_options_id() { xdotool search --onlyvisible --name '^Uplift Beacon Options$' 2>/dev/null | head -n 1; }
_demo_options_up() { [[ -n "$(_demo_options_id)" ]]; }

# demo_pictures <folder> <1: also the README's copies>: showing.png while an affirmation is on the screen,
# options.png of the options window opened by a double click on the icon.
demo_pictures() {
    local screens="$1" readme="$2" id
    mkdir -p "$screens"
    _demo_wait "a showing" _demo_showing || return 1
    import -window root "$screens/showing.png"
    harness_log "an affirmation on the screen: $screens/showing.png"
    _demo_wait "the showing to end" _demo_gone || return 1
    xdotool mousemove 13 32 click --repeat 2 --delay 80 1
    _demo_wait "the options window" _demo_options_up || return 1
    id=$(_demo_options_id)
    sleep 1 # drawn
    import -window "$id" "$screens/options.png"
    harness_log "the options window: $screens/options.png"
    if [[ "$readme" == 1 ]]; then
        mkdir -p "$HARNESS_ROOT/docs/pictures"
        # The box and some desktop around it, halved; few colours keep the files small.
        convert "$screens/showing.png" -gravity center -crop 1100x420+0+0 +repage -resize 50% -colors 64 \
            "PNG8:$HARNESS_ROOT/docs/pictures/showing.png"
        convert "$screens/options.png" -colors 128 "PNG8:$HARNESS_ROOT/docs/pictures/options.png"
        harness_log "README pictures: docs/pictures/showing.png, docs/pictures/options.png"
    fi
}
