#!/usr/bin/env bash
# Takes the screenshot of an import shown in README.md: the importer's test
# pages and a damaged export imported into a copy of the sample cookbook, with
# the report of the files that held no recipe, rendered offscreen, saved as
# docs/images/saltrove-import-report.png (or the path given as the first
# argument).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
sources="$(mktemp -d "${TMPDIR:-/tmp}/saltrove-import-sources.XXXXXX")"
trap 'rm -rf "$sources"' EXIT
cp tests/core/import/pages/* "$sources/"
echo "an export cut short by a download" >"$sources/Old export.paprikarecipes"
printf '>> title: Empty\n-- nothing but a comment\n' >"$sources/notes.cook"
scripts/desktop-screenshot.sh importreport_screenshot \
    "${1:-docs/images/saltrove-import-report.png}" "$sources"
