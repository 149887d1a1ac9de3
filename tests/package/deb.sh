#!/usr/bin/env bash
# The Debian package built with cpack -G DEB from the build folder: its
# control fields, its files, and both programs started from the unpacked
# package (never installed into the system) on a virtual X display.
#
#   tests/package/deb.sh <build folder> <project version> <QML folder below the prefix> <screenprobe>
set -euo pipefail
build="$1"
version="$2"
qml_subdir="$3"
probe="$4"
here="$(dirname "${BASH_SOURCE[0]}")"
# shellcheck source=../e2e/lib.sh
source "$here/../e2e/lib.sh"
# shellcheck source=tree.sh
source "$here/tree.sh"

step "cpack -G DEB"
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) ||
    fail "cpack failed: $(cat "$work/cpack.log")"
deb="$work/out/saltrove_${version}_amd64.deb"
[[ -f $deb ]] || fail "no package at $deb: $(ls "$work/out")"

step "control fields"
[[ $(dpkg-deb -f "$deb" Package) == saltrove ]] || fail "wrong package name"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "the version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The libraries the programs link (found by dpkg-shlibdeps) and what they
# load at run time without linking it.
wanted=(libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6qml6
    qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-templates
    qml6-module-qtquick-layouts qml6-module-qtquick-window qml6-module-qtqml-workerscript
    libqt6svg6 qt6-image-formats-plugins libxml2 libarchive13 libmd4c0)
names=" $(sed -e 's/([^)]*)//g' -e 's/[|,]/ /g' <<<"$depends" | tr -s ' ') "
for package in "${wanted[@]}"; do
    [[ $names == *" $package "* ]] || fail "Depends lacks $package"
done
# Every dependency names a package that exists (this machine has them all).
for package in $names; do
    [[ $(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) == "install ok installed" ]] ||
        fail "Depends names $package, which is not an installed package here"
done
grep -q breeze-icon-theme <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "the icon theme is not recommended"

step "files"
dpkg-deb -c "$deb" >"$work/contents"
awk '{print $2}' "$work/contents" | grep -qvx 'root/root' && fail "files not owned by root"
awk '{print $6}' "$work/contents" | grep -v '^\./usr/' | grep -vx '\./' &&
    fail "files outside /usr (above)"
dpkg-deb -x "$deb" "$work/root"
check_tree "$work/root/usr"

step "the unpacked programs start and end cleanly"
start_display
make_home
export QML_IMPORT_PATH="$work/root/usr/$qml_subdir"
mkdir -p "$HOME/Documents"
cp -r "$work/root/usr/share/saltrove/examples/cookbook" "$HOME/Documents/recipes"
for program in saltrove saltrovetouch; do
    QML_IMPORT_TRACE=1 "$work/root/usr/bin/$program" >"$work/$program.log" 2>&1 &
    pid=$!
    started_pids+=("$pid")
    window=$(wait_for_window "$pid" 120)
    wait_until 60 region_shows_something "$window" "$program" 5 20 40 40 ||
        fail "$program shows a blank window"
    close_window "$window" "$pid" 60 || fail "$program did not end: $(cat "$work/$program.log")"
    [[ $exit_status -eq 0 ]] || fail "$program ended with $exit_status"
    if grep -v '^qt\.qml\.import:' "$work/$program.log" | grep .; then
        fail "$program reported problems (above)"
    fi
done
grep -q "$work/root/usr/$qml_subdir/org/vantrel/tessellate/qmldir" "$work/saltrovetouch.log" ||
    fail "the touch program did not take the framework from the package"
echo "package: all checks passed"
