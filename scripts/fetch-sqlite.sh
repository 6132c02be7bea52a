#!/usr/bin/env bash
# Fetches SQLite with page encryption and FTS5: the SQLite3 Multiple Ciphers
# amalgamation that the npm package better-sqlite3-multiple-ciphers ships in
# deps/sqlite3 (13.0.3: SQLite 3.53.4). The tarball is checked against the
# checksum kept in deps/sqlite3mc.sha256; only deps/sqlite3 is unpacked, into
# build/deps/sqlite3mc. Nothing of it is committed. Does nothing when present.
set -euo pipefail
source "$(dirname "$0")/env.sh"
version=13.0.3
target="$BUILD/deps/sqlite3mc"
[ -f "$target/.version" ] && [ "$(cat "$target/.version")" = "$version" ] && [ -f "$target/sqlite3.c" ] && exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "better-sqlite3-multiple-ciphers@$version" >/dev/null)
(cd "$work" && sha256sum --quiet -c "$ROOT/deps/sqlite3mc.sha256") || {
    echo "fetch-sqlite: the tarball's checksum is not the one in deps/sqlite3mc.sha256" >&2
    exit 1
}
rm -rf "$target"
mkdir -p "$target"
tar -xzf "$work/better-sqlite3-multiple-ciphers-$version.tgz" -C "$target" --strip-components=3 \
    package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h package/deps/sqlite3/sqlite3ext.h
echo "$version" >"$target/.version"
echo "SQLite3 Multiple Ciphers from better-sqlite3-multiple-ciphers $version in $target"
