#!/usr/bin/env bash
# Checks of Telefika as an installed desktop program, one per ctest test:
#
#   check.sh desktop-entry|metainfo|manual|installed-tree|package SOURCE BUILD APP_ID ICON_SIZE...
#
# desktop-entry   the menu entry passes desktop-file-validate
# metainfo        the AppStream metainfo passes `appstreamcli validate --no-net`
# manual          the Turkish and the English manual page format without a warning, name
#                 the same options as each other and as `telefika --help`, document every
#                 option of their synopsis, and name the version of the changelog
# installed-tree  `cmake --install` into a temporary DESTDIR gives exactly the expected
#                 files, and the metainfo finds its desktop entry there
# package         `cpack -G DEB` gives telefika_2.0_amd64.deb with exactly the expected
#                 files, a maintainer, dependencies computed from the program's libraries,
#                 the repository's changelog and the metainfo's licence; lintian prints
#                 nothing for it
#
# A missing tool fails the check; nothing is skipped.
set -euo pipefail
mode=$1 source=$2 build=$3 id=$4
shift 4
sizes=("$@")

fail() { echo "FAIL: $*" >&2; exit 1; }
need() {  # need TOOL PACKAGE
  command -v "$1" >/dev/null || fail "$1 is missing (Debian package $2; bash tools/setup.sh installs it)"
}

# Every file the program installs, below the prefix /usr.
expected() {
  {
    echo /usr/bin/telefika
    echo "/usr/share/applications/$id.desktop"
    echo "/usr/share/metainfo/$id.metainfo.xml"
    echo /usr/share/doc/telefika/changelog.gz
    echo /usr/share/doc/telefika/copyright
    echo /usr/share/man/man1/telefika.1.gz
    echo /usr/share/man/en/man1/telefika.1.gz
    echo "/usr/share/icons/hicolor/scalable/apps/$id.svg"
    for size in "${sizes[@]}"; do echo "/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"; done
  } | LC_ALL=C sort
}

# Compares a file list with the expected one; shows the difference on failure.
same_files() {  # same_files WHAT LIST
  if ! diff -u <(expected) <(printf '%s\n' "$2"); then
    fail "$1 does not hold the expected files (- missing, + unexpected)"
  fi
  echo "$1 holds the program, the entry, the metainfo, the SVG and ${#sizes[@]} PNG sizes," \
       "the copyright, the changelog and the two manual pages:"
  sed 's/^/  /' <<<"$2"
}

work=$(mktemp -d "${TMPDIR:-/tmp}/telefika-install.XXXXXX")
trap 'rm -rf "$work"' EXIT

entry="$source/resources/desktop/$id.desktop"
metainfo="$source/resources/desktop/$id.metainfo.xml"
changelog="$source/packaging/changelog"
pages=("$source/packaging/man/telefika.1" "$source/packaging/man/telefika.en.1")

# The lines of a manual page's section, by its heading.
section() {  # section PAGE HEADING
  awk -v heading=".SH $2" '$0 == heading {on = 1; next} /^\.SH/ {on = 0} on' "$1"
}
# The options (--name) named in some lines, one a line, sorted; a page
# writes every dash of an option as \- (--sync-setup is \-\-sync\-setup).
options_in() { sed 's/\\-/-/g' | grep -o -- '--[a-z0-9-]*' | LC_ALL=C sort -u; }
# The options a manual page documents: those on the tag line of a .TP in OPTIONS.
documented_options() {  # documented_options PAGE HEADING
  section "$1" "$2" | awk 'tag {print; tag = 0} /^\.TP/ {tag = 1}' | options_in
}

case "$mode" in
desktop-entry)
  need desktop-file-validate desktop-file-utils
  # Hints and warnings count as failures too: the entry is kept clean.
  out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $out"
  [ -z "$out" ] || fail "desktop-file-validate: $out"
  for line in "Name=Telefika 2003" "Exec=telefika" "Icon=$id" "Terminal=false" \
              "Categories=Office;ContactManagement;"; do
    grep -qxF "$line" "$entry" || fail "the entry lacks the line $line"
  done
  grep -q '^Comment=.' "$entry" && grep -q '^Comment\[tr\]=.' "$entry" ||
    fail "the entry needs an English and a Turkish comment"
  echo "desktop-file-validate: $entry is valid"
  ;;

metainfo)
  need appstreamcli appstream
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate rejects $metainfo"
  for pattern in "<id>$id</id>" '<summary>' '<summary xml:lang="tr">' \
                 '<launchable type="desktop-id">'"$id.desktop" '<screenshot type="default">' \
                 '<content_rating type="oars-1.1"'; do
    grep -qF "$pattern" "$metainfo" || fail "the metainfo lacks $pattern"
  done
  ;;

manual)
  need man man-db
  need dpkg-parsechangelog dpkg-dev
  version=$(dpkg-parsechangelog -l "$changelog" -S Version)
  for page in "${pages[@]}"; do
    # As lintian runs it: any message of groff or man is a fault of the page.
    out=$(cd "$work" && LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
          man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) || fail "man cannot format $page: $out"
    [ -z "$out" ] || fail "man --warnings on $page: $out"
    grep -q "^\.TH TELEFIKA 1 [^ ]* \"Telefika $version\"" "$page" ||
      fail "$page does not name version $version of the changelog in its .TH line"
  done
  tr_options=$(documented_options "${pages[0]}" 'SEÇENEKLER')
  en_options=$(documented_options "${pages[1]}" OPTIONS)
  [ -n "$tr_options" ] || fail "${pages[0]} documents no option"
  diff -u <(echo "$tr_options") <(echo "$en_options") ||
    fail "the Turkish (-) and the English (+) manual page document different options"
  diff -u <(section "${pages[0]}" KULLANIM | options_in) <(echo "$tr_options") ||
    fail "the synopsis (-) and the options (+) of ${pages[0]} name different options"
  diff -u <(section "${pages[1]}" SYNOPSIS | options_in) <(echo "$en_options") ||
    fail "the synopsis (-) and the options (+) of ${pages[1]} name different options"
  # The program's own help, which needs no display, lists the same options.
  help_options=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$build/telefika" --help |
                 grep -o -- '--[a-z0-9-]*' | LC_ALL=C sort -u) || fail "telefika --help failed"
  diff -u <(echo "$tr_options") <(echo "$help_options") ||
    fail "the manual pages (-) and telefika --help (+) name different options"
  echo "Both manual pages format cleanly and document the options of telefika --help:" $tr_options
  ;;

installed-tree)
  need cmake cmake
  need appstreamcli appstream
  DESTDIR="$work/root" cmake --install "$build" --prefix /usr >"$work/install.log" ||
    { cat "$work/install.log"; fail "cmake --install failed"; }
  same_files "The installed tree" "$(cd "$work/root" && find . ! -type d | sed 's|^\.||' | LC_ALL=C sort)"
  [ -x "$work/root/usr/bin/telefika" ] || fail "the installed program is not executable"
  # The metainfo finds its launchable entry in the installed tree.
  appstreamcli validate-tree --no-net "$work/root" ||
    fail "appstreamcli validate-tree rejects the installed tree"
  ;;

package)
  need cpack cmake
  need dpkg-deb dpkg
  need dpkg-shlibdeps dpkg-dev
  need file file
  need gzip gzip
  need lintian lintian
  # The package is made beside the check, not in the build folder.
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
  deb="$work/telefika_2.0_amd64.deb"
  [ -f "$deb" ] || { cat "$work/cpack.log"; fail "cpack made no $(basename "$deb")"; }
  # Contents lines end in the path; directories end in a slash.
  same_files "The package" "$(dpkg-deb --contents "$deb" | awk '{print $NF}' | grep -v '/$' |
                              sed 's|^\.||' | LC_ALL=C sort)"
  dpkg-deb --field "$deb" Package Version Architecture Maintainer Depends
  [ "$(dpkg-deb --field "$deb" Version)" = 2.0 ] || fail "the package's version is not 2.0"
  [ -n "$(dpkg-deb --field "$deb" Maintainer)" ] || fail "the package names no maintainer"
  [ -n "$(dpkg-deb --field "$deb" Description)" ] || fail "the package has no description"
  depends=$(dpkg-deb --field "$deb" Depends)
  names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/ //g')
  for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qxF "$library" <<<"$names" ||
      fail "the dependencies were not computed from the program's libraries: no $library in: $depends"
  done
  # The documents: the repository's changelog, whose last release is the package's
  # version, and the licence the metainfo names, whose full text is LICENSE.
  dpkg-deb -x "$deb" "$work/root"
  doc="$work/root/usr/share/doc/telefika"
  cmp -s <(gzip -dc "$doc/changelog.gz") "$changelog" ||
    fail "the package's changelog.gz is not packaging/changelog"
  [ "$(dpkg-parsechangelog -l "$changelog" -S Version)" = "$(dpkg-deb --field "$deb" Version)" ] ||
    fail "the last release in packaging/changelog is not the package's version"
  grep -qF '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" ||
    fail "the metainfo does not name GPL-3.0-or-later, the licence of the copyright file"
  # The licence of "Files: *", the paragraph right after the header.
  [ "$(awk '/^Files: \*$/ {on = 1} on && /^License:/ {print $2; exit}' "$doc/copyright")" = GPL-3+ ] ||
    fail "the copyright file does not give every file the licence GPL-3+"
  cmp -s "$source/LICENSE" /usr/share/common-licenses/GPL-3 ||
    fail "LICENSE is not the text of the GPL version 3 (/usr/share/common-licenses/GPL-3)"
  # lintian at its default level: any error, warning or other message fails, but
  # for its own note that it runs as root (as CI does), which is not about the package.
  lint=$(lintian "$deb" 2>&1) || fail "lintian failed on the package:"$'\n'"$lint"
  lint=$(grep -vxF 'running with root privileges is not recommended!' <<<"$lint" || true)
  [ -z "$lint" ] || fail "lintian on the package:"$'\n'"$lint"
  echo "lintian prints nothing for $(basename "$deb")"
  ;;

*)
  fail "unknown check $mode"
  ;;
esac
