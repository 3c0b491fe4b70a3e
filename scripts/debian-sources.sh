# Fetching the sources of Debian packages for the cross-builds (scripts/windows, scripts/web).
# Sourced, not run. fetch_source unpacks under the folder named by $src, which the caller sets.

# Adds deb-src entries mirroring the machine's Debian deb entries when apt knows no sources.
ensure_deb_src() {
    if apt-cache showsrc libsdl1.2 2>/dev/null | grep '^Package:' >/dev/null; then
        return
    fi
    local SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    local list=/etc/apt/sources.list.d/glimmerax-deb-src
    # deb822 files: copy the stanzas of Debian archives, with deb-src as their type. A machine
    # may have none of these files (only one-line lists), so only the files that exist are read.
    local stanzas="" deb822_files=() file
    for file in /etc/apt/sources.list.d/*.sources; do
        if [ -f "$file" ] && [ "$file" != "$list.sources" ]; then
            deb822_files+=("$file")
        fi
    done
    if [ ${#deb822_files[@]} -gt 0 ]; then
        stanzas=$(awk '
            BEGIN { RS = ""; ORS = "\n\n" }
            /(^|\n)Types:([^\n]* )?deb( |\n|$)/ && /(^|\n)URIs:[^\n]*debian/ &&
            !/(^|\n)Enabled: *no/ {
                gsub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' \
            "${deb822_files[@]}")
    fi
    if [ -n "$stanzas" ]; then
        printf '%s\n' "$stanzas" | $SUDO tee "$list.sources" >/dev/null
    fi
    # One-line lists: the same lines with deb-src. A machine may have none of these files
    # (only deb822 ones), so only the files that exist are read.
    local lines="" one_line_lists=()
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        if [ -f "$file" ] && [ "$file" != "$list.list" ]; then
            one_line_lists+=("$file")
        fi
    done
    if [ ${#one_line_lists[@]} -gt 0 ]; then
        lines=$(sed -n 's/^deb \(.*debian.*\)$/deb-src \1/p' "${one_line_lists[@]}")
    fi
    if [ -n "$lines" ]; then
        printf '%s\n' "$lines" | $SUDO tee "$list.list" >/dev/null
    fi
    $SUDO apt-get update -qq
}

# The versions of source package $1 that apt knows, newest first (security updates included).
source_versions() {
    local versions
    versions=$(apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -u)
    local sorted=() version i
    for version in $versions; do
        i=0
        while [ $i -lt ${#sorted[@]} ] && dpkg --compare-versions "${sorted[$i]}" gt "$version"; do
            i=$((i + 1))
        done
        sorted=("${sorted[@]:0:$i}" "$version" "${sorted[@]:$i}")
    done
    echo "${sorted[@]}"
}

# Unpacks under $src the newest source of package $1 that the mirrors serve (a version a
# mirror lacks is skipped for the next one) and sets $package_dir and $package_version.
fetch_source() {
    local package=$1 candidate upstream dir
    for candidate in $(source_versions "$package"); do
        upstream=${candidate#*:}
        upstream=${upstream%-*}
        dir="$src/$package-$upstream"
        # .unpacked names the version unpacked in the folder.
        if [ "$(cat "$dir/.unpacked" 2>/dev/null)" != "$candidate" ]; then
            rm -rf "$dir"
            mkdir -p "$src"
            if ! (cd "$src" && apt-get source -qq "$package=$candidate" >/dev/null 2>&1); then
                echo "apt-get source $package=$candidate failed; trying an older version"
                continue
            fi
            echo "$candidate" >"$dir/.unpacked"
        fi
        package_dir=$dir
        package_version=$candidate
        return
    done
    echo "no source of $package could be fetched" >&2
    exit 1
}
