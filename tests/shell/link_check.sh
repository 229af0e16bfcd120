# Shortcut checks shared by the install tests: sourced, not run. The caller defines fail().
# Reads a shortcut with lnkinfo, a parser independent of the shell-link object that wrote it.

# One field of lnkinfo's report, such as "Local path".
field() { sed -n "s/^[[:space:]]*$2[[:space:]]*: //p" <<<"$1" | head -n 1; }
same() { [ "${1,,}" = "${2,,}" ]; }

# check_link FILE INSTALL_FOLDER TARGET DESCRIPTION
check_link() {
    local file=$1 install=$2 target=$3 description=$4 info
    if ! info=$(lnkinfo "$file" 2>&1); then
        fail "lnkinfo cannot read $file"
        return
    fi
    same "$(field "$info" "Local path")" "$install\\$target" || fail "$file: local path $(field "$info" "Local path")"
    same "$(field "$info" "Working directory")" "$install" || fail "$file: working directory $(field "$info" "Working directory")"
    same "$(field "$info" "Icon location")" "$install\\$target" || fail "$file: icon $(field "$info" "Icon location")"
    [ "$(field "$info" "Description")" = "$description" ] || fail "$file: description $(field "$info" "Description")"
    echo "lnkinfo agrees: $file"
}

# The shortcut names a system locale gives: sets folder, program and uninstaller.
shortcut_names() {
    case $1 in
        zh_CN*) folder="Zelvo文本编辑" program="Zelvo文本编辑" uninstaller="Zelvo文本编辑卸载" ;;
        zh_TW*|zh_HK*) folder="Zelvo文本編輯" program="Zelvo文本編輯" uninstaller="Zelvo文本編輯卸載" ;;
        *) folder="Pendrel Writer" program="Pendrel Writer" uninstaller="Pendrel UnInstall" ;;
    esac
}
