#!/usr/bin/env bash
# Installs Kelvora for the current user, without root, as a desktop program:
#   the program folder (Kelvora and Data/)  $XDG_DATA_HOME/kelvora
#   the command                             ~/.local/bin/kelvora
#   the menu entry                          $XDG_DATA_HOME/applications/kelvora.desktop
#   the icon                                $XDG_DATA_HOME/icons/hicolor/<size>/apps/kelvora.png
# ($XDG_DATA_HOME is ~/.local/share unless set.)
#
#   install.sh                     install, or upgrade an installed Kelvora
#   install.sh --uninstall         remove what the install put in place
#   install.sh --uninstall --purge   ... and the settings and own files in Data/
#
# Run it from a checkout (scripts/install.sh, after scripts/run.sh has built
# the program) or from the unpacked release tarball (Kelvora/install.sh).
#
# An upgrade replaces the program and the files Kelvora ships, and keeps what
# the user made or changed: TimerSet.txt, Kelvora.ini, their own notify.wav or
# pictures. It tells those from the shipped files by the checksums it recorded
# at the last install, in the program folder's installed-files.
set -euo pipefail

usage() {
    printf 'usage: %s [--uninstall [--purge]]\n' "$0" >&2
    exit 2
}
say() { printf '%s\n' "$*"; }
fail() { printf 'install.sh: %s\n' "$*" >&2; exit 1; }

uninstall=false purge=false
for argument in "$@"; do
    case "$argument" in
        --uninstall) uninstall=true ;;
        --purge) purge=true ;;
        *) usage ;;
    esac
done
$purge && ! $uninstall && usage

# Under sudo the files would go to root's home, or be root's in the user's.
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ]; then
    fail "run it as yourself, without sudo: it installs for the current user only."
fi
[ -n "${HOME:-}" ] || fail "HOME is not set."
data_home="${XDG_DATA_HOME:-}"
[[ "$data_home" == /* ]] || data_home="$HOME/.local/share"  # a relative one is invalid
program_folder="$data_home/kelvora"
executable="$program_folder/Kelvora"
command_link="$HOME/.local/bin/kelvora"
menu_entry="$data_home/applications/kelvora.desktop"
icon_theme="$data_home/icons/hicolor"
record="$program_folder/installed-files"
case "$program_folder" in *$'\n'*) fail "a folder name with a line break is not supported: $program_folder" ;; esac

checksum() { sha256sum <"$1" | cut -d' ' -f1; }
shown() { printf '%s' "${1/#"$HOME"/\~}"; }

# Each line of the record: the checksum of what was installed (or "link"),
# two spaces, the absolute path.
declare -A recorded=()
read_record() {
    [ -f "$record" ] || return 0
    local line
    while IFS= read -r line; do
        recorded["${line#*  }"]="${line%%  *}"
    done <"$record"
}

# Removes a file the install put in place, if it still holds what was put
# there; a file changed since is the user's now and stays.
remove_installed() {
    local path="$1" kind="$2"
    if [ "$kind" = link ]; then
        if [ "$(readlink "$path")" = "$executable" ]; then rm -f "$path"; fi
    elif [ -f "$path" ] && [ ! -L "$path" ] && [ "$(checksum "$path")" = "$kind" ]; then
        rm -f "$path"
    fi
}

# Caches only where a desktop keeps one: without a cache it reads the folders.
refresh_caches() {
    if [ -f "$data_home/applications/mimeinfo.cache" ] && command -v update-desktop-database >/dev/null; then
        update-desktop-database -q "$data_home/applications" || true
    fi
    if [ -f "$icon_theme/icon-theme.cache" ] && command -v gtk-update-icon-cache >/dev/null; then
        # The user's own hicolor folder has no index.theme: -t goes on without.
        gtk-update-icon-cache -q -f -t "$icon_theme" || true
    fi
}

# A folder name as a quoted argument of Exec, then as a desktop entry's string.
exec_argument() {
    local text="$1"
    text="${text//\\/\\\\}"; text="${text//\"/\\\"}"; text="${text//\`/\\\`}"; text="${text//\$/\\\$}"
    text="${text//%/%%}"
    desktop_string "\"$text\""
}
desktop_string() {
    local text="${1//\\/\\\\}"
    text="${text//$'\t'/\\t}"; text="${text//$'\r'/\\r}"
    printf '%s' "$text"
}

uninstall() {
    if [ ! -f "$record" ] && ! { $purge && [ -d "$program_folder/Data" ]; }; then
        fail "no Kelvora installed by this script in $(shown "$program_folder")."
    fi
    read_record
    local path kept=()
    for path in "${!recorded[@]}"; do
        remove_installed "$path" "${recorded[$path]}"
        if [ -e "$path" ] && [ "${path#"$program_folder/Data/"}" = "$path" ]; then kept+=("$path"); fi
    done
    rm -f "$record"
    if $purge; then rm -rf "${program_folder:?}/Data"; fi
    rmdir "$program_folder/Data" "$program_folder" 2>/dev/null || true
    refresh_caches
    say "Kelvora is uninstalled."
    if [ -d "$program_folder/Data" ]; then
        say "Your settings and own files stay in $(shown "$program_folder/Data")" \
            "(install.sh --uninstall --purge removes them):"
        find "$program_folder/Data" -mindepth 1 -maxdepth 1 -printf '  %f\n' | sort
    fi
    for path in "${kept[@]}"; do say "Left alone, as it was changed after the install: $(shown "$path")"; done
}

if $uninstall; then uninstall; exit 0; fi

# Where the files to install come from: the folder of an install tree (the
# unpacked tarball), or a checkout's build installed into a temporary folder.
here="$(cd "$(dirname "$0")" && pwd)"
if [ -f "$here/shipped-files.txt" ]; then
    source_folder="$here"
elif [ -f "$here/../CMakePresets.json" ]; then
    build="${KELVORA_BUILD_DIR:-$here/../build/linux}"
    [ -f "$build/CMakeCache.txt" ] || fail "Kelvora is not built yet: run scripts/run.sh first."
    cmake --build "$build" --target Kelvora >/dev/null
    source_folder="$(mktemp -d)"
    trap 'rm -rf "$source_folder"' EXIT
    cmake --install "$build" --prefix "$source_folder" --strip >/dev/null
else
    fail "this is the installed copy; to upgrade, run install.sh from a checkout or the unpacked tarball."
fi

# Writes beside the target and renames over it: a running program or a reader
# never sees half a file, and a running executable cannot be copied over.
put() {
    local source="$1" target="$2" mode="$3"
    local temporary
    mkdir -p "$(dirname "$target")"
    temporary="$(dirname "$target")/.$(basename "$target").new"
    install -m "$mode" "$source" "$temporary"
    mv -fT "$temporary" "$target"
}

# A data file is still as shipped when it holds this version's or the last
# install's contents.
shipped_before() {
    local current
    [ -f "$1" ] || return 1
    current="$(checksum "$1")"
    [ "$current" = "$(checksum "$2")" ] || [ "$current" = "${recorded[$1]:-}" ]
}

mkdir -p "$program_folder"
read_record
declare -A installed=()
kept=()
while IFS= read -r name; do
    source="$source_folder/$name"
    case "$name" in
        ""|shipped-files.txt) continue ;;
        Kelvora|install.sh)
            target="$program_folder/$name"
            put "$source" "$target" 755 ;;
        Data/*)
            target="$program_folder/$name"
            if [ -L "$target" ] || { [ -e "$target" ] && ! shipped_before "$target" "$source"; }; then
                kept+=("$target")  # the user's own: not recorded, so kept at every upgrade
                continue
            fi
            put "$source" "$target" 644 ;;
        icons/kelvora-*.png)
            size="${name#icons/kelvora-}"; size="${size%.png}"
            target="$icon_theme/${size}x${size}/apps/kelvora.png"
            put "$source" "$target" 644 ;;
        kelvora.desktop)
            target="$menu_entry"
            entry="$(mktemp)"
            while IFS= read -r line; do
                case "$line" in
                    "#"*) ;;
                    Exec=*) printf 'Exec=%s\nTryExec=%s\n' "$(exec_argument "$executable")" \
                        "$(desktop_string "$executable")" ;;
                    *) printf '%s\n' "$line" ;;
                esac
            done <"$source" >"$entry"
            put "$entry" "$target" 644
            rm -f "$entry" ;;
        *) fail "unknown shipped file $name" ;;
    esac
    installed["$target"]="$(checksum "$target")"
done <"$source_folder/shipped-files.txt"

# The command: a link, which the program follows back to its own folder.
mkdir -p "$(dirname "$command_link")"
if { [ ! -e "$command_link" ] && [ ! -L "$command_link" ]; } \
    || [ "$(readlink "$command_link")" = "$executable" ]; then
    ln -sfn "$executable" "$command_link"
    installed["$command_link"]="link"
else
    say "Left alone: $(shown "$command_link") is not Kelvora's."
fi

# What an earlier version installed and this one does not ship goes.
for path in "${!recorded[@]}"; do
    [ -n "${installed[$path]:-}" ] || remove_installed "$path" "${recorded[$path]}"
done
{
    for path in "${!installed[@]}"; do printf '%s  %s\n' "${installed[$path]}" "$path"; done
} >"$record.new"
mv -f "$record.new" "$record"
refresh_caches

say "Kelvora is installed in $(shown "$program_folder")."
say "  Start it from your desktop's menu (Utility), or with the command: kelvora"
for path in "${kept[@]}"; do say "  Kept your own $(shown "$path")"; done
case ":$PATH:" in
    *":$HOME/.local/bin:"*) ;;
    *) say "  $(shown "$HOME/.local/bin") is not on your PATH yet: most desktops add it at your next" \
           "login. Until then, start it as $(shown "$command_link")." ;;
esac
say "To uninstall: $(shown "$program_folder/install.sh") --uninstall"
