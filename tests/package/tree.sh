# Checks of an installed tree, shared by the install and the package tests.
# Sourced after tests/e2e/lib.sh, with qml_subdir set to the folder of QML
# modules below the prefix (Qt's own QML folder relative to Qt's prefix).

# check_tree <folder the prefix lies in>: every file the programs and the
# desktop need, each where it belongs, and the desktop entries and metainfo
# accepted by their validators.
check_tree() {
    local root=$1
    local expected=(
        bin/saltrove
        bin/saltrovetouch
        "$qml_subdir/org/vantrel/tessellate/qmldir"
        "$qml_subdir/org/vantrel/tessellate/libtessellate.so"
        "$qml_subdir/org/vantrel/tessellate/tessellate.qmltypes"
        share/applications/org.vantrel.saltrove.desktop
        share/applications/org.vantrel.saltrovetouch.desktop
        share/metainfo/org.vantrel.saltrove.metainfo.xml
        share/metainfo/org.vantrel.saltrovetouch.metainfo.xml
        share/icons/hicolor/scalable/apps/org.vantrel.saltrove.svg
        share/icons/hicolor/scalable/apps/org.vantrel.saltrovetouch.svg
        share/saltrove/examples/cookbook/README.md
        share/saltrove/examples/cookbook/Desserts/Cakes/lemon-drizzle-cake.recipe.md
        share/saltrove/examples/cookbook/Breads/loaf.svg
        share/doc/saltrove/copyright
        share/doc/saltrove/README.md
    )
    local file
    for file in "${expected[@]}"; do
        [[ -f $root/$file ]] || fail "missing: $file"
    done
    [[ -x $root/bin/saltrove && -x $root/bin/saltrovetouch ]] || fail "the programs are not executable"
    local found
    found=$(find "$root/share/saltrove/examples/cookbook" -name '*.recipe.md' | wc -l)
    [[ $found -eq 7 ]] || fail "the example cookbook has $found recipes, not 7"

    local id
    for id in org.vantrel.saltrove org.vantrel.saltrovetouch; do
        desktop-file-validate "$root/share/applications/$id.desktop" ||
            fail "$id.desktop does not validate"
        grep -qx "Icon=$id" "$root/share/applications/$id.desktop" || fail "$id.desktop names another icon"
        # --pedantic fails on the smallest remark too; no network for the
        # screenshot and homepage addresses.
        appstreamcli validate --no-net --pedantic "$root/share/metainfo/$id.metainfo.xml" ||
            fail "$id.metainfo.xml does not validate"
        grep -q "<release version=\"$version\"" "$root/share/metainfo/$id.metainfo.xml" ||
            fail "$id.metainfo.xml does not name release $version"
    done
}
