#!/bin/bash
# Installs a built tree twice, into a staging root under /usr (as the Debian
# package does) and into a private prefix, and checks what a player's desktop
# relies on:
#   - bin/vorpanta is a link that resolves to the real program, with the tile
#     pictures and the shipped word list beside that program;
#   - the desktop entry's command and icon exist, the icon in every size;
#   - the metainfo names the desktop entry and a screenshot that is committed;
#   - the licences are installed and nothing strays outside the known folders;
#   - started through the link, the program runs and finds its own folder:
#     its first start copies the word list from beside the real program into
#     the player's new data folder ($XDG_DATA_HOME/Vorpanta).
#
#   check-install.sh BUILD-DIR SOURCE-DIR WORK-DIR
set -u
build=${1:?build dir} src=${2:?source dir} work=${3:?work dir}
app_id=io.github.vorpanta.Vorpanta
icon_sizes="16 22 24 32 48 64 128 256"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$work"
mkdir -p "$work"

# Width and height from a PNG file's header.
png_size() {
    local b
    read -r -a b <<<"$(od -An -tu1 -j16 -N8 "$1")"
    echo "$(((b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3]))x$(((b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7]))"
}

# Value of KEY in the [Desktop Entry] group.
desktop_value() { sed -n "/^\[Desktop Entry\]/,/^\[/{s/^$2=//p}" "$1" | head -n 1; }

check_tree() {
    local p=$1 what=$2
    local progdir=$p/lib/vorpanta
    echo "--- $what: $p"

    # The command and the program folder.
    if [[ ! -L $p/bin/vorpanta ]]; then
        fail "$what: bin/vorpanta is not a symbolic link"
    else
        local target
        target=$(readlink "$p/bin/vorpanta")
        [[ $target != /* ]] || fail "$what: bin/vorpanta points to an absolute path ($target); it must work under any prefix"
        [[ $(readlink -f "$p/bin/vorpanta") == $(readlink -f "$progdir/vorpanta") ]] ||
            fail "$what: bin/vorpanta resolves to $(readlink -f "$p/bin/vorpanta"), not $progdir/vorpanta"
    fi
    if [[ -f $progdir/vorpanta && -x $progdir/vorpanta ]]; then
        [[ $(head -c 4 "$progdir/vorpanta" | od -An -c | tr -d ' ') == '177ELF' ]] ||
            fail "$what: $progdir/vorpanta is not a program file"
    else
        fail "$what: no executable $progdir/vorpanta"
    fi

    # The tile pictures, exactly those of the source tree.
    local n=0 f
    for f in "$src"/assets/Ico/*.bmp; do
        n=$((n + 1))
        cmp -s "$f" "$progdir/Ico/${f##*/}" || fail "$what: Ico/${f##*/} missing or different"
    done
    ((n == 54)) || fail "$what: the source tree has $n tile pictures, not 54"
    local installed
    installed=$(find "$progdir/Ico" -type f 2>/dev/null | wc -l)
    ((installed == n)) || fail "$what: Ico holds $installed files, expected $n"

    # The shipped word list, when the build made one.
    if [[ -f $build/dictionary/SzavakLista.txt ]]; then
        cmp -s "$build/dictionary/SzavakLista.txt" "$progdir/dictionary/SzavakLista.txt" ||
            fail "$what: dictionary/SzavakLista.txt missing or different"
    else
        echo "note: the build has no dictionary/SzavakLista.txt; its installation is not checked"
    fi

    # Licences.
    local doc=$p/share/doc/vorpanta
    cmp -s "$src/LICENSE" "$doc/LICENSE" || fail "$what: share/doc/vorpanta/LICENSE missing or different"
    cmp -s "$src/assets/fonts/OFL.txt" "$doc/fonts/OFL.txt" || fail "$what: the font licence is missing"
    [[ -s $doc/copyright ]] || fail "$what: share/doc/vorpanta/copyright missing"
    for f in "$src"/assets/dictionary/ATTRIBUTION.md "$src"/assets/dictionary/*LICENSE* \
             "$src"/assets/dictionary/COPYING* "$src"/assets/dictionary/licenses/*; do
        [[ -f $f ]] || continue
        cmp -s "$f" "$doc/dictionary/${f##*/}" || fail "$what: dictionary notice ${f##*/} missing or different"
    done

    # Desktop entry: its command and its icon.
    local desktop=$p/share/applications/$app_id.desktop
    if [[ ! -f $desktop ]]; then
        fail "$what: no desktop entry $app_id.desktop"
    else
        local exec icon
        exec=$(desktop_value "$desktop" Exec)
        exec=${exec%% *}
        [[ -n $exec && $exec != */* && -x $p/bin/$exec ]] || fail "$what: Exec=$exec is not a command in bin/"
        icon=$(desktop_value "$desktop" Icon)
        [[ $icon == "$app_id" ]] || fail "$what: Icon=$icon, expected $app_id"
        local s png
        for s in $icon_sizes; do
            png=$p/share/icons/hicolor/${s}x${s}/apps/$icon.png
            if [[ ! -f $png ]]; then
                fail "$what: no ${s}x${s} icon"
            elif [[ $(head -c 8 "$png" | od -An -tx1 | tr -d ' ') != 89504e470d0a1a0a ]]; then
                fail "$what: the ${s}x${s} icon is not a PNG"
            elif [[ $(png_size "$png") != "${s}x${s}" ]]; then
                fail "$what: the ${s}x${s} icon is $(png_size "$png")"
            fi
        done
        local svg=$p/share/icons/hicolor/scalable/apps/$icon.svg
        grep -q '<svg[^>]*viewBox=' "$svg" 2>/dev/null || fail "$what: no scalable SVG icon"
        grep -q '<text' "$svg" 2>/dev/null && fail "$what: the SVG icon uses text, which depends on installed fonts"
    fi

    # Metainfo: its id, the desktop entry it launches, its screenshots.
    local meta=$p/share/metainfo/$app_id.metainfo.xml
    if [[ ! -f $meta ]]; then
        fail "$what: no metainfo $app_id.metainfo.xml"
    else
        [[ $(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$meta") == "$app_id" ]] || fail "$what: metainfo id is not $app_id"
        [[ $(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$meta") == "$app_id.desktop" ]] ||
            fail "$what: metainfo does not launch $app_id.desktop"
        local shots=0 line url file w h
        while IFS= read -r line; do
            shots=$((shots + 1))
            url=$(sed -n 's:.*<image[^>]*>\(.*\)</image>.*:\1:p' <<<"$line")
            w=$(sed -n 's:.*width="\([0-9]*\)".*:\1:p' <<<"$line")
            h=$(sed -n 's:.*height="\([0-9]*\)".*:\1:p' <<<"$line")
            file=$src/packaging/screenshots/${url##*/}
            if [[ $url != */packaging/screenshots/* || ! -f $file ]]; then
                fail "$what: screenshot $url is not a file committed under packaging/screenshots/"
            elif [[ $(png_size "$file") != "${w}x${h}" ]]; then
                fail "$what: screenshot ${url##*/} is $(png_size "$file"), the metainfo says ${w}x${h}"
            fi
        done < <(grep '<image' "$meta")
        ((shots > 0)) || fail "$what: the metainfo has no screenshot"
    fi

    # Nothing outside the known places.
    local stray
    stray=$(cd "$p" && find . \( -type f -o -type l \) | grep -Ev '^\./(bin/vorpanta|lib/vorpanta/(vorpanta|Ico/[^/]+\.bmp|dictionary/.+)|share/(applications/'"$app_id"'\.desktop|metainfo/'"$app_id"'\.metainfo\.xml|icons/hicolor/.+/apps/'"$app_id"'\.(png|svg)|doc/vorpanta/.+))$')
    [[ -z $stray ]] || fail "$what: unexpected installed files:"$'\n'"$stray"
}

# 1. As the Debian package lays it out: prefix /usr in a staging root.
if DESTDIR=$work/root cmake --install "$build" --prefix /usr >"$work/install-usr.log" 2>&1; then
    check_tree "$work/root/usr" "staged /usr"
else
    cat "$work/install-usr.log" >&2
    fail "cmake --install into a staging root failed"
fi

# 2. Into a private prefix, then start the program there through the link.
prefix=$work/prefix
if cmake --install "$build" --prefix "$prefix" >"$work/install-prefix.log" 2>&1; then
    check_tree "$prefix" "prefix"
else
    cat "$work/install-prefix.log" >&2
    fail "cmake --install into $prefix failed"
fi

if [[ -x $prefix/bin/vorpanta ]]; then
    # A word list beside the real program (a marker one when the build made
    # none) shows whether the program found its own folder through the link.
    shipped=$prefix/lib/vorpanta/dictionary/SzavakLista.txt
    if [[ ! -f $shipped ]]; then
        mkdir -p "${shipped%/*}"
        printf '"ALMA"\r\n"VORPANTA"\r\n' >"$shipped"
    fi
    data=$work/data
    mkdir -p "$data"
    XDG_DATA_HOME=$data QT_QPA_PLATFORM=offscreen "$prefix/bin/vorpanta" >"$work/run.log" 2>&1 &
    pid=$!
    for _ in $(seq 150); do
        [[ -f $data/Vorpanta/SzavakLista.txt ]] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    sleep 1
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        fail "the installed program ended early (status $?); its output:"$'\n'"$(cat "$work/run.log")"
    else
        [[ $(readlink "/proc/$pid/exe") == $(readlink -f "$prefix/lib/vorpanta/vorpanta") ]] ||
            fail "the running program is $(readlink "/proc/$pid/exe")"
        kill "$pid"
        wait "$pid" 2>/dev/null
    fi
    if [[ ! -d $data/Vorpanta ]]; then
        fail "started from bin/vorpanta, the program made no data folder in \$XDG_DATA_HOME/Vorpanta"
    elif ! cmp -s "$shipped" "$data/Vorpanta/SzavakLista.txt"; then
        fail "started from bin/vorpanta, the program did not place the word list from beside itself in its data folder"
    fi
fi

if ((failures)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "installed trees are complete"
