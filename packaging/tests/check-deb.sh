#!/bin/bash
# Builds the Debian package from a built tree with CPack and checks its
# control fields and contents: the dependencies dpkg-shlibdeps finds plus the
# ones it cannot see (the Qt platform plugins), the files under /usr, the link
# in /usr/bin and root ownership. Skipped (status 77) where the Debian tools
# CPack needs are missing.
#
#   check-deb.sh BUILD-DIR WORK-DIR VERSION
set -u
build=${1:?build dir} work=${2:?work dir} version=${3:?version}
for tool in dpkg-deb dpkg-shlibdeps file cpack; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed: skipped" >&2; exit 77; }
done
# CPack's archiver reads the file names (Ico/aÁ.bmp) through the locale's
# character set, and cannot find them without a UTF-8 locale.
[[ $(locale charmap 2>/dev/null) == UTF-8 ]] || export LC_ALL=C.UTF-8
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$work"
mkdir -p "$work"
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack could not build the package" >&2
    exit 1
fi
arch=$(dpkg --print-architecture)
deb=$work/vorpanta_${version}_$arch.deb
if [[ ! -f $deb ]]; then
    echo "FAIL: no $deb; cpack made: $(ls "$work")" >&2
    exit 1
fi
field() { dpkg-deb -f "$deb" "$1"; }

[[ $(field Package) == vorpanta ]] || fail "Package is $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version is $(field Version), the project's is $version"
[[ $(field Architecture) == "$arch" ]] || fail "Architecture is $(field Architecture)"
[[ $(field Section) == games ]] || fail "Section is $(field Section)"
[[ $(field Maintainer) == *'<'*@*'>' ]] || fail "Maintainer has no address: $(field Maintainer)"
description=$(field Description)
[[ -n $description ]] || fail "no Description"
long=$(awk 'length > 79' <<<"$description")
[[ -z $long ]] || fail "Description lines longer than 79 characters:"$'\n'"$long"
depends=$(field Depends)
echo "Depends: $depends"
for dep in qt6-qpa-plugins qt6-translations-l10n libqt6widgets6 libqt6gui6 libqt6core6 libqt6charts6 libpng16-16 libc6; do
    grep -Eq "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends does not name $dep"
done

contents=$(dpkg-deb -c "$deb")
grep -Eq '^l.* \./usr/bin/vorpanta -> \.\./lib/vorpanta/vorpanta$' <<<"$contents" ||
    fail "/usr/bin/vorpanta is not a link to ../lib/vorpanta/vorpanta"
grep -Eq '^-rwxr-xr-x .* \./usr/lib/vorpanta/vorpanta$' <<<"$contents" || fail "no executable /usr/lib/vorpanta/vorpanta"
tiles=$(grep -Ec ' \./usr/lib/vorpanta/Ico/[an].+\.bmp$' <<<"$contents")
((tiles == 54)) || fail "$tiles tile pictures in the package, expected 54"
for f in share/applications/io.github.vorpanta.Vorpanta.desktop \
         share/metainfo/io.github.vorpanta.Vorpanta.metainfo.xml \
         share/icons/hicolor/48x48/apps/io.github.vorpanta.Vorpanta.png \
         share/icons/hicolor/scalable/apps/io.github.vorpanta.Vorpanta.svg \
         share/doc/vorpanta/copyright share/doc/vorpanta/LICENSE share/doc/vorpanta/fonts/OFL.txt; do
    grep -q " \./usr/$f\$" <<<"$contents" || fail "the package lacks /usr/$f"
done
outside=$(awk '{ print $6 }' <<<"$contents" | grep -Ev '^\./(usr(/.*)?)?$')
[[ -z $outside ]] || fail "files outside /usr:"$'\n'"$outside"
owners=$(awk '{ print $2 }' <<<"$contents" | sort -u)
[[ $owners == root/root ]] || fail "files not owned by root: $owners"

if ((failures)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "the package $deb is complete"
