# What the end-to-end tests share: result lines that scripts/test counts, the
# test prefix's registry and files, and the check of a finished installation.
# Sourced; callers set root (the repository), b (the build folder), work (a
# scratch folder) and suite (the first word of every result name).

failed=0
ok() { echo "ok $suite-$1"; }
fail() {
  echo "FAIL $suite-$1: $2"
  failed=1
}
check() {  # name, actual, expected
  if [ "$2" = "$3" ]; then ok "$1"; else fail "$1" "got '$2', expected '$3'"; fi
}

run() { "$root/tests/win/wine-run" "$@"; }
reg_value() {  # key, value name
  run reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n {sub(/^ *[^ ]+ +REG_SZ +/, ""); print}'
}
unix_path() {  # C:\a\b -> the file in the prefix
  local p=${1//\\//}
  echo "$WINEPREFIX/drive_c${p#C:}"
}

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quandelwerk_Mirvo98'
product_key='HKLM\Software\Quandelwerk\Mirvo98v2'
uninstaller=${WINEPREFIX:?the end-to-end tests need WINEPREFIX}/drive_c/windows/System/UninstallMirvo98.exe
group="$(unix_path "$(reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Programs)")/Mirvo 98"

# Everything an installation of the demo distribution's companion files and
# uninstaller leaves: the files byte for byte, the uninstall entry, the product
# record, and the four shortcuts read back with lnkinfo (a reader nobody here
# wrote; it misprints the show command, which comes from the file header).
installed() {  # name prefix (may be empty), target, program file
  local name=${1:+$1-} target=$2 program=$3 dir lnk
  dir=$(unix_path "$target")
  cmp -s "$program" "$dir/mirvo98.exe" && ok "${name}program" || fail "${name}program" "mirvo98.exe missing or different"
  for f in Mirvo98.hlp order.txt Bestell.doc Readme.txt FILE_ID.DIZ; do
    cmp -s "$root/demo/files/$f" "$dir/$f" && ok "${name}companion-$f" || fail "${name}companion-$f" "missing or different"
  done
  cmp -s "$b/win64/demo/uninstall.exe" "$uninstaller" && ok "${name}uninstaller" ||
    fail "${name}uninstaller" "UninstallMirvo98.exe missing or different"
  check "${name}uninstall-name" "$(reg_value "$uninstall_key" DisplayName)" "Mirvo 98"
  check "${name}uninstall-string" "$(reg_value "$uninstall_key" UninstallString)" 'C:\windows\System\UninstallMirvo98.exe'
  check "${name}product-path" "$(reg_value "$product_key" Pfad)" "$target\\"
  field() { sed -n "s/^\t$2\t*: //p" "$1" | head -n1; }
  show_command() { od -An -tu4 -j60 -N4 --endian=little "$1" | tr -d ' '; }
  while IFS='|' read -r link file; do
    lnk="$group/$link.lnk"
    if [ ! -f "$lnk" ]; then
      fail "${name}shortcut-$file" "no $link.lnk in $group"
      continue
    fi
    lnkinfo "$lnk" >"$work/info" 2>&1
    check "${name}shortcut-$file-target" "$(field "$work/info" 'Local path')" "$target\\$file"
    check "${name}shortcut-$file-working-dir" "$(field "$work/info" 'Working directory')" "$target\\"
    check "${name}shortcut-$file-description" "$(field "$work/info" 'Description')" "$link"
    check "${name}shortcut-$file-icon" "$(field "$work/info" 'Icon location')" "$target\\$file"
    check "${name}shortcut-$file-show-command" "$(show_command "$lnk")" 1
  done <<'LINKS'
Mirvo 98|Mirvo98.exe
Mirvo 98 - Hilfe|Mirvo98.hlp
Bestellformular im Word-Format|Bestell.doc
Bestellformular im TXT-Format|Order.txt
LINKS
}
