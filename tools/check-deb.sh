#!/usr/bin/env bash
# Builds the Debian package from a clean clone of the committed project (tools/build-deb.sh; the
# package lands in build-deb/), checks its file list against Debian's games layout and runs
# lintian, which must report no error and no warning.
#
# --install goes on, on a throwaway Debian 12 machine only (as root): installs the package with
# apt, starts the game as a new ordinary user "player" from its desktop entry under Xvfb with a
# PulseAudio server on a null sink, checks that the window maps, that the tune plays, that the
# record table is ~player/.local/share/tessaro/Data.dat and that nothing else was written, then
# removes and purges the package and checks that nothing of it is left.
# --install-only DEB does only that, with a package built elsewhere: on a machine that has never
# built it, apt must bring in everything the game needs from the package's dependencies alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fail() { echo "check-deb: $*" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive
mode=${1:-}
case $mode in
    "" | --install) ;;
    --install-only) deb=$(realpath "${2:?--install-only needs a .deb}") ;;
    *) fail "usage: check-deb.sh [--install | --install-only DEB]" ;;
esac
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
need() { command -v "$1" >/dev/null || $sudo apt-get install -y -q --no-install-recommends "$2"; }
$sudo apt-get update -q

# Every file of the package, and nothing else: no /usr/bin, no tessaro-replay, no test
# programs, no r07.mid beside the program; the music module in the game's private folder.
icons=/usr/share/icons/hicolor
expected=$(sort <<EOF
/usr/games/tessaro
/usr/lib/MULTIARCH/tessaro/tessaro-music.so
/usr/share/games/tessaro/r07.mid
/usr/share/doc/tessaro/README.md.gz
/usr/share/doc/tessaro/changelog.Debian.gz
/usr/share/doc/tessaro/copyright
/usr/share/man/man6/tessaro.6.gz
/usr/share/lintian/overrides/tessaro
/usr/share/applications/org.tessaro.Tessaro.desktop
/usr/share/metainfo/org.tessaro.Tessaro.metainfo.xml
$icons/32x32/apps/org.tessaro.Tessaro.png
$icons/48x48/apps/org.tessaro.Tessaro.png
$icons/64x64/apps/org.tessaro.Tessaro.png
$icons/128x128/apps/org.tessaro.Tessaro.png
$icons/256x256/apps/org.tessaro.Tessaro.png
$icons/scalable/apps/org.tessaro.Tessaro.svg
EOF
)

# Builds the package from a clean clone into build-deb/, checks its files and runs lintian.
build_and_check() {
    need git git
    need lintian lintian
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    git clone -q "$root" "$work/tessaro"
    git -C "$work/tessaro" log -1 --format='check-deb: building %h %s'
    out=$root/build-deb
    rm -f "$out"/tessaro*_*
    TESSARO_DEB_DIR=$out bash "$work/tessaro/tools/build-deb.sh"
    version=$(dpkg-parsechangelog -l "$work/tessaro/debian/changelog" -S Version)
    arch=$(dpkg --print-architecture)
    deb=$out/tessaro_${version}_$arch.deb
    changes=$out/tessaro_${version}_$arch.changes

    actual=$(dpkg -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}' | sort)
    # The game's private folder is below the multiarch library folder (dpkg-dev, here since the
    # build, tells which).
    diff <(echo "${expected//MULTIARCH/$(dpkg-architecture -qDEB_HOST_MULTIARCH)}") <(echo "$actual") ||
        fail "the package's files differ from the layout (< missing, > unexpected)"
    echo "check-deb: the package holds exactly the expected files"

    # Shown with the overridden tags and their reasons; judged without them (lintian counts a
    # shown override as a tag of its level).
    lintian -I --show-overrides "$changes"
    lintian --fail-on error,warning "$changes" >/dev/null
    echo "check-deb: lintian reports no error and no warning"
}

if [ "$mode" != --install-only ]; then
    build_and_check
    [ "$mode" = --install ] || exit 0
fi

# The rest changes this machine: installs packages, adds a user.
[ "$(id -u)" -eq 0 ] || fail "--install must run as root"
apt-get install -y -q --no-install-recommends xvfb xdotool x11-utils strace pulseaudio \
    pulseaudio-utils
id player >/dev/null 2>&1 || useradd -m player
apt-get install -y -q "$deb"
files=$(dpkg -L tessaro)

# The display and the sound server first, so that only the game runs after the stamp. As in a
# desktop session, the user's runtime folder holds the sound server's socket.
session="export XDG_RUNTIME_DIR=/tmp/runtime-player DISPLAY=:99"
su player -c "mkdir -m 700 /tmp/runtime-player; $session
    Xvfb :99 -nolisten tcp >/dev/null 2>&1 & echo \$! > /tmp/xvfb.pid
    pulseaudio -n --daemonize=no --exit-idle-time=-1 -L module-null-sink \
        -L module-native-protocol-unix >/tmp/pulseaudio.log 2>&1 & echo \$! > /tmp/pulseaudio.pid"
sleep 3
su player -c "$session; pactl info" | grep 'Default Sink' || fail "no sound server"
stamp=/tmp/check-deb.stamp
touch "$stamp"
sleep 1
# The desktop entry's command, on an ordinary user's login PATH (which has /usr/games).
command=$(sed -n 's/^Exec=//p' /usr/share/applications/org.tessaro.Tessaro.desktop)
su - player -c "$session; strace -f -e trace=openat -o /tmp/tessaro.trace \
    sh -c 'echo \$\$ > /tmp/tessaro.pid; exec $command' >/tmp/tessaro.log 2>&1 &"
sleep 5
window=$(su player -c "$session; timeout 20 xdotool search --sync --name Tessaro1" | head -1 || true)
[ -n "$window" ] || { cat /tmp/tessaro.log >&2; fail "no window named Tessaro1"; }
echo "check-deb: window $window: $(su player -c "$session; xdotool getwindowname $window")"
su player -c "$session; xwininfo -id $window" | grep 'Map State: IsViewable' ||
    fail "the window is not mapped"
# A new game opens the tune and plays it.
su player -c "$session; xdotool windowfocus --sync $window key ctrl+n"
sleep 3
grep '"/usr/share/games/tessaro/r07.mid".* = [0-9]' /tmp/tessaro.trace ||
    fail "the game did not open /usr/share/games/tessaro/r07.mid"
grep -E '\.sf[23]".* = [0-9]' /tmp/tessaro.trace || fail "the game opened no SoundFont"
su player -c "$session; pactl list sink-inputs" | grep -E 'Sink Input|application.name' ||
    fail "no sound reaches the sound server"
kill "$(cat /tmp/tessaro.pid)"
sleep 1
test -s ~player/.local/share/tessaro/Data.dat || fail "no ~player/.local/share/tessaro/Data.dat"
echo "check-deb: the record table is ~player/.local/share/tessaro/Data.dat"
written=$(find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /run -o -path /tmp \
    -o -path /var/tmp -o -path /var/log \) -prune -o -newer "$stamp" -print)
echo "check-deb: written while the game ran:"
echo "$written"
unexpected=$(echo "$written" | grep -v -x -E '/home/player(/\.local(/share(/tessaro(/Data\.dat)?)?)?)?' || true)
[ -z "$unexpected" ] || fail "the game wrote elsewhere: $unexpected"
kill "$(cat /tmp/xvfb.pid)" "$(cat /tmp/pulseaudio.pid)" 2>/dev/null || true

# Root too keeps its records in its own data folder, never beside the program.
QT_QPA_PLATFORM=offscreen timeout 5 /usr/games/tessaro || true
test -s /root/.local/share/tessaro/Data.dat || fail "no /root/.local/share/tessaro/Data.dat"
test ! -e /usr/games/Data.dat || fail "root's run wrote /usr/games/Data.dat"
echo "check-deb: root's record table is /root/.local/share/tessaro/Data.dat"

apt-get remove -y -q tessaro
# dpkg, as apt no longer knows a package that came from a file once it is removed.
dpkg --purge tessaro
dpkg-query -W -f='${Status}\n' tessaro 2>/dev/null | grep -qx 'install ok installed' &&
    fail "tessaro is still installed"
# Folders that other packages share (/usr/games, the icon theme's) may stay.
left=""
while read -r path; do
    [ -e "$path" ] || continue
    if [ ! -d "$path" ] || [[ $path == *[Tt]essaro* ]]; then left+="$path "; fi
done <<<"$files"
[ -z "$left" ] || fail "left after purge: $left"
echo "check-deb: after purge none of the package's $(wc -l <<<"$files") paths is left"
others=$(find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /tmp -o -path /work \
    -o -path /home -o -path /root \) -prune -o -iname '*tessaro*' -print)
[ -z "$others" ] || fail "left after purge: $others"
echo "check-deb: what remains is the users' own record tables:"
ls -l ~player/.local/share/tessaro/Data.dat /root/.local/share/tessaro/Data.dat
