#!/usr/bin/env bash
# cmake --install from the build folder into a staging folder (DESTDIR) under
# a prefix of its own: every file lands below that prefix, the stand-in
# framework in Qt's QML folder as it lies below the prefix.
#
#   tests/package/install.sh <build folder> <project version> <QML folder below the prefix>
set -euo pipefail
build="$1"
version="$2"
qml_subdir="$3"
here="$(dirname "${BASH_SOURCE[0]}")"
# shellcheck source=../e2e/lib.sh
source "$here/../e2e/lib.sh"
# shellcheck source=tree.sh
source "$here/tree.sh"

prefix=/opt/saltrove
step "DESTDIR=$work/stage cmake --install $build --prefix $prefix"
DESTDIR="$work/stage" cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
    fail "install failed: $(cat "$work/install.log")"
outside=$(find "$work/stage" -mindepth 1 -maxdepth 2 ! -path "$work/stage/opt" ! -path "$work/stage$prefix")
[[ -z $outside ]] || fail "installed outside the prefix: $outside"
check_tree "$work/stage$prefix"
echo "install tree: all checks passed"
