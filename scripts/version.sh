# shellcheck shell=bash
# Sourced by the release scripts (scripts/deb, scripts/windows, scripts/release, scripts/test).
# The game's version has one home, CMake's `project(Glimmerax VERSION x.y.z ...)` in
# CMakeLists.txt; the package names and the changelog check read it from there.

# Prints the version given to project() in the CMakeLists.txt of folder $1 (default: the
# current folder); fails, with a message, when none is found there.
glimmerax_version() {
    local version
    version=$(sed -n 's/^[[:space:]]*project([[:space:]]*Glimmerax[[:space:]][[:space:]]*VERSION[[:space:]][[:space:]]*\([0-9][0-9]*\.[0-9][0-9]*\.[0-9][0-9]*\).*/\1/p' \
        "${1:-.}/CMakeLists.txt" | head -n 1)
    if [ -z "$version" ]; then
        echo "no 'project(Glimmerax VERSION x.y.z' in ${1:-.}/CMakeLists.txt" >&2
        return 1
    fi
    echo "$version"
}

# Prints the version of the top entry of CHANGELOG.md in folder $1 (a "## x.y.z - date" line).
glimmerax_changelog_version() {
    sed -n 's/^## \([0-9][0-9.]*\) - .*/\1/p' "${1:-.}/CHANGELOG.md" | head -n 1
}

# Fails, with a message, unless CHANGELOG.md's top entry is the version of CMakeLists.txt.
glimmerax_check_changelog() {
    local version changelog
    version=$(glimmerax_version "${1:-.}") || return 1
    changelog=$(glimmerax_changelog_version "${1:-.}")
    if [ "$changelog" != "$version" ]; then
        echo "CHANGELOG.md's top entry is '${changelog:-none}', not the version $version of CMakeLists.txt" >&2
        return 1
    fi
}
