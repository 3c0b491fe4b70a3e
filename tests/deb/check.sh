#!/usr/bin/env bash
# Checks the Debian package that scripts/deb made, on this machine (as root; it installs and
# purges the package):
#   - lintian finds no error and no warning (overrides are in packaging/deb/lintian-overrides,
#     each with its reason);
#   - the AppStream metadata passes appstreamcli validate, the desktop entry
#     desktop-file-validate, and each manual page renders with man without a warning;
#   - the package installs with apt-get, and the data checker passes the installed data;
#   - the installed game, started as `glimmerax` from another folder on a virtual display,
#     draws its title screen with a clean log (tests/deb/smoke.py);
#   - apt-get purge removes it and leaves no file behind in /usr, /etc or dpkg's file lists.
# What it keeps for a look after a failure is in build-deb/check: the game's log, the screenshot
# of its title screen (title.png), the apt logs and the file lists.
# Usage: tests/deb/check.sh [PACKAGE.deb] (default: this version's package in dist/).
# Prints one line per check and the time of each step; exits 1 when any check fails.
set -uo pipefail
export LC_ALL=C
cd "$(dirname "$0")/../.." || exit 1
root=$(pwd)
. scripts/version.sh
version=$(glimmerax_version) || exit 1
package=${1:-dist/glimmerax_${version}_$(dpkg --print-architecture).deb}
package=$(readlink -f "$package")
work="$root/build-deb/check"
apt_options=(-y -q -o DPkg::Lock::Timeout=600)
export DEBIAN_FRONTEND=noninteractive

status=0
fail() {
    echo "FAILED: $*"
    status=1
}
step_began=$(date +%s)
step() {
    local now
    now=$(date +%s)
    echo "  ($((now - step_began)) s)"
    step_began=$now
    echo "== $*"
}

if [ ! -f "$package" ]; then
    echo "FAILED: no package $package (scripts/deb makes it)"
    exit 1
fi
bash scripts/deps.sh lintian appstream desktop-file-utils man-db xvfb xauth xdotool x11-utils \
    imagemagick python3 >/dev/null || exit 1
rm -rf "$work"
mkdir -p "$work"

echo "== lintian $(basename "$package")"
# Lintian warns when it runs as root; that line is not about the package.
if lintian --fail-on error,warning "$package" 2> >(grep -v '^running with root privileges' >&2)
then
    echo "lintian: no error, no warning"
else
    fail "lintian reports errors or warnings"
fi

step "metadata: AppStream, desktop entry, manual pages"
dpkg-deb -x "$package" "$work/contents"
metainfo=("$work/contents/usr/share/metainfo/"*.metainfo.xml)
if [ -f "${metainfo[0]}" ]; then
    appstreamcli validate --no-net "${metainfo[@]}" || fail "appstreamcli validate"
else
    fail "no AppStream metainfo file in /usr/share/metainfo"
fi
desktop=$work/contents/usr/share/applications/glimmerax.desktop
if [ -f "$desktop" ]; then
    if desktop-file-validate "$desktop"; then
        echo "desktop-file-validate: glimmerax.desktop passes"
    else
        fail "desktop-file-validate glimmerax.desktop"
    fi
else
    fail "no desktop entry /usr/share/applications/glimmerax.desktop"
fi
for page in usr/share/man/man6/glimmerax.6.gz usr/share/man/man1/glimmerax-check.1.gz; do
    if [ ! -f "$work/contents/$page" ]; then
        fail "no manual page /$page"
        continue
    fi
    warnings=$(MANWIDTH=80 man --warnings -l "$work/contents/$page" 2>&1 >/dev/null)
    if [ -n "$warnings" ]; then
        fail "man warns on /$page: $warnings"
    else
        echo "man: /$page renders without a warning"
    fi
done

step "install"
if dpkg-query -W -f='${Status}' glimmerax 2>/dev/null | grep -q ' installed$'; then
    echo "glimmerax is installed already: purged first"
    apt-get purge "${apt_options[@]}" glimmerax >/dev/null
fi
# The dependencies first, so the list of files before the install holds theirs: a purge does
# not remove them, and they are no leftover of the package.
apt-get satisfy "${apt_options[@]}" --no-install-recommends \
    "$(dpkg-deb -f "$package" Depends)" >/dev/null || fail "the dependencies do not install"
file_list() {
    find /usr /etc /var/lib/dpkg/info -xdev 2>/dev/null | LC_ALL=C sort
}
file_list >"$work/before"
if apt-get install "${apt_options[@]}" "$package" >"$work/install.log" 2>&1; then
    echo "apt-get install: $(dpkg-query -W -f='${Package} ${Version} ${Status}' glimmerax)"
else
    cat "$work/install.log"
    fail "apt-get install $package"
fi

step "installed files"
for file in /usr/games/glimmerax /usr/lib/games/glimmerax/glimmerax /usr/bin/glimmerax-check \
        /usr/share/games/glimmerax/config.xml /usr/share/doc/glimmerax/copyright \
        /usr/share/doc/glimmerax/changelog.gz; do
    [ -e "$file" ] || fail "$file is not installed"
done
if (cd / && glimmerax-check /usr/share/games/glimmerax >"$work/check.log" 2>&1); then
    echo "glimmerax-check /usr/share/games/glimmerax: $(tail -n 1 "$work/check.log")"
else
    cat "$work/check.log"
    fail "glimmerax-check /usr/share/games/glimmerax exits with an error"
fi

step "play the installed game"
python3 tests/deb/smoke.py /tmp/glimmerax-deb-smoke "$work/title.png" ||
    fail "the installed game's smoke test"
cp /tmp/glimmerax-deb-smoke/glimmerax.log "$work/game.log" 2>/dev/null
rm -rf /tmp/glimmerax-deb-smoke

step "purge"
apt-get purge "${apt_options[@]}" glimmerax >"$work/purge.log" 2>&1 ||
    { cat "$work/purge.log"; fail "apt-get purge glimmerax"; }
if dpkg-query -W -f='${Status}' glimmerax 2>/dev/null | grep -q 'installed'; then
    fail "glimmerax is still known to dpkg after the purge"
fi
file_list >"$work/after"
# Files that are there after the purge and were not before. Left out: caches that other
# packages' triggers rebuild (icon, desktop and MIME databases, man-db), and files that
# belong to another package (another install on this machine may run meanwhile).
comm -13 "$work/before" "$work/after" |
    grep -v -E '/(icon-theme\.cache|mimeinfo\.cache|index\.theme)$|^/usr/share/mime/|^/var/cache/' |
    while read -r path; do
        dpkg -S "$path" >/dev/null 2>&1 || echo "$path"
    done >"$work/leftovers"
if [ -s "$work/leftovers" ]; then
    fail "the purge leaves files behind: $(head -n 20 "$work/leftovers" | tr '\n' ' ')"
else
    echo "apt-get purge glimmerax: no file left behind ($(wc -l <"$work/before") paths compared)"
fi
step "done"

if [ "$status" -eq 0 ]; then
    echo "Debian package check: passed"
else
    echo "Debian package check: FAILED"
fi
exit "$status"
