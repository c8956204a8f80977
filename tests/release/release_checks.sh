#!/usr/bin/env bash
# The release command as a vendor uses it, in one shared state folder:
#   make          (fixture) a payload of generated files; release A from this checkout, release B from a
#                 clone in another folder, release C from that clone signed with a throwaway certificate
#   layout        A: folder, zips and SHA256SUMS; stripped binaries with a debug link into the symbols zip,
#                 Windows imports only; sizes printed and within their targets; says it is unsigned
#   refusals      a missing file, an empty file, our stand-ins: refused, each named, no release left; a
#                 deliverable without DYNAMIC_BASE, NX_COMPAT or relocations fails the release's PE check
#   reproducible  A and B (built in two folders at two times): the same deliverables, zips and sums
#   signed        C: both binaries verify; apart from the signature they are A's
#   e2e           C's zip unpacked on a fresh Korean DTP machine: "/B" exits 0 and every file it placed is
#                 byte for byte the release's
# Usage: release_checks.sh CHECK SOURCE_DIR STATE_DIR WIN_BUILD_DIR
set -uo pipefail
check=$1 src=$2 state=$3 win=$4
release="$src/tools/release"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
expect_eq() { [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"; }
finish() { [ "$fails" = 0 ] && echo "PASS: $check" || { echo "$fails failure(s) in $check"; exit 1; }; exit 0; }
name_of() { sed -n 's/^release: \(Letterquarry-[0-9.]*\) is .*/\1/p' "$1"; }
deliverables=(ZmtUpGrade_Letterquarry.exe ZmtLetterquarry.axt)

case "$check" in
make)
  rm -rf "$state" && mkdir -p "$state/payload"
  "$release" --list > "$state/payload.list" || { echo "FAIL: tools/release --list"; exit 1; }
  # Arbitrary bytes, different per file, so a file placed under the wrong name shows.
  while read -r n; do
    { printf 'generated payload file %s\r\n' "$n"; head -c 4096 /dev/urandom; } > "$state/payload/$n"
  done < "$state/payload.list"
  "$release" --payload "$state/payload" --out "$state/A" > "$state/A.out" 2>&1 || { cat "$state/A.out"; exit 1; }
  git clone -q "$src" "$state/clone" && git -C "$state/clone" checkout -q "$(git -C "$src" rev-parse HEAD)" ||
    { echo "FAIL: clone"; exit 1; }
  "$state/clone/tools/release" --payload "$state/payload" --out "$state/B" > "$state/B.out" 2>&1 ||
    { cat "$state/B.out"; exit 1; }
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$state/key.pem" -out "$state/cert.pem" -days 30 \
    -subj "/CN=Letterquarry throwaway test signer" 2>/dev/null &&
    printf 'pfx password\n' > "$state/password" &&
    openssl pkcs12 -export -out "$state/cert.pfx" -inkey "$state/key.pem" -in "$state/cert.pem" \
      -passout "file:$state/password" || { echo "FAIL: certificate"; exit 1; }
  "$state/clone/tools/release" --payload "$state/payload" --out "$state/C" \
    --sign "$state/cert.pfx" --sign-password-file "$state/password" > "$state/C.out" 2>&1 ||
    { cat "$state/C.out"; exit 1; }
  # Other test folders' scenarios run on the release's deliverables from here.
  ln -sfn "$state/A/$(name_of "$state/A.out")/ZmtPlugin/install" "$state/install"
  cat "$state/A.out" "$state/C.out"
  finish ;;

layout)
  out=$state/A name=$(name_of "$state/A.out")
  expect_eq "version from the setup program's resource" "Letterquarry-$(sed -n 's/.*ProductVersion", "\(.*\)"/\1/p' \
    <(i686-w64-mingw32-windres -i "$out/$name/ZmtPlugin/install/ZmtUpGrade_Letterquarry.exe" -O rc))" "$name"
  expect_eq "what --out holds" "$(printf '%s\n' "$name" "$name-symbols.zip" "$name.zip" SHA256SUMS)" "$(ls "$out")"
  expect_eq "files of the folder" "$(sort <(cat "$state/payload.list"; printf '%s\n' "${deliverables[@]}"))" \
    "$(ls "$out/$name/ZmtPlugin/install" | sort)"
  while read -r n; do
    cmp -s "$state/payload/$n" "$out/$name/ZmtPlugin/install/$n" || fail "$n is not the payload's"
  done < "$state/payload.list"
  expect_eq "zip entries" "$(cd "$out/$name" && find ZmtPlugin -type f | sort)" \
    "$(unzip -Z1 "$out/$name.zip" | sort)"
  rm -rf "$state/unzipped-A" && unzip -q "$out/$name.zip" -d "$state/unzipped-A" && diff -r "$out/$name" "$state/unzipped-A" >/dev/null ||
    fail "the zip does not unpack to the folder"
  ( cd "$out" && sha256sum --quiet -c SHA256SUMS ) || fail "sha256sum -c SHA256SUMS"
  expect_eq "files under SHA256SUMS" "$(cd "$out" && { ls ./*.zip; find "$name" -type f; } | sed 's|^\./||' | sort)" \
    "$(sed 's/^[0-9a-f]*  //' "$out/SHA256SUMS" | sort)"
  rm -rf "$state/symbols-A" && unzip -q "$out/$name-symbols.zip" -d "$state/symbols-A"
  for d in "${deliverables[@]}"; do
    bin=$out/$name/ZmtPlugin/install/$d
    sections=$(i686-w64-mingw32-objdump -h "$bin" | awk 'NF > 6 { print $2 }')
    if grep -q '^\.debug' <<< "$sections"; then fail "$d has debug sections: $(grep '^\.debug' <<< "$sections" | xargs)"; fi
    # The debug link: the debug file's name, then its CRC-32 (gzip's trailer holds the same CRC).
    i686-w64-mingw32-objcopy --dump-section .gnu_debuglink="$state/link" "$bin" "$state/link.exe"
    expect_eq "$d debug link" "$d.debug" "$(tr '\0' '\n' < "$state/link" | head -n 1)"
    expect_eq "$d debug link CRC" "$(gzip -c "$state/symbols-A/$d.debug" | tail -c 8 | head -c 4 | od -An -tx1)" \
      "$(tail -c 4 "$state/link" | od -An -tx1)"
    grep -q '^\.debug_info$' < <(i686-w64-mingw32-objdump -h "$state/symbols-A/$d.debug" | awk '{ print $2 }') ||
      fail "$d.debug in the symbols zip holds no debug information"
    "$src/tools/check-pe" --hardened "$bin" > /dev/null ||
      fail "$d imports more than Windows system DLLs, or is not hardened: $("$src/tools/check-pe" --hardened "$bin")"
    printed=$(sed -n "s/^release: $d *\([0-9]*\) bytes.*/\1/p" "$state/A.out")
    expect_eq "$d size printed" "$(stat -c %s "$bin")" "$printed"
  done
  exe=$(stat -c %s "$out/$name/ZmtPlugin/install/ZmtUpGrade_Letterquarry.exe")
  axt=$(stat -c %s "$out/$name/ZmtPlugin/install/ZmtLetterquarry.axt")
  [ "$exe" -le 350000 ] || fail "setup program $exe bytes, target at most 350000"
  [ "$axt" -le 150000 ] || fail "XTension $axt bytes, target at most 150000"
  tail -n 1 "$state/A.out" | grep -q "is UNSIGNED" || fail "last line does not say unsigned: $(tail -n 1 "$state/A.out")"
  finish ;;

refusals)
  # Each case: a payload spoiled one way, and the files its refusal must name.
  dist="$win/dist/ZmtPlugin/install"
  good=$(mktemp -d) spoiled=$(mktemp -d) && trap 'rm -rf "$good" "$spoiled" "$good.log"' EXIT
  while read -r n; do printf 'vendor file %s\n' "$n" > "$good/$n"; done < <("$release" --list)
  run_refused() {   # CASE PAYLOAD NAMES...
    local case=$1 payload=$2; shift 2
    local out="$good.out-$case"
    mkdir -p "$out/Letterquarry-0.0/ZmtPlugin" && touch "$out/Letterquarry-0.0.zip" "$out/SHA256SUMS"   # an earlier release
    if "$release" --payload "$payload" --out "$out" > "$good.log" 2>&1; then fail "$case: exit 0"; fi
    for n in "$@"; do grep -q "^release: refused $n: " "$good.log" || fail "$case: $n not named: $(cat "$good.log")"; done
    expect_eq "$case: lines refusing a file" "$#" "$(grep -c '^release: refused ' "$good.log")"
    expect_eq "$case: release left in --out" "" "$(ls -A "$out")"
    rm -rf "$out"
  }
  cp "$good"/* "$spoiled/" && rm "$spoiled/ZMT_CS2.8bp"
  run_refused missing "$spoiled" ZMT_CS2.8bp
  cp "$good/ZMT_CS2.8bp" "$spoiled/" && : > "$spoiled/OLEPRO32.DLL"
  run_refused empty "$spoiled" OLEPRO32.DLL
  cp "$good/OLEPRO32.DLL" "$spoiled/" && cp "$dist/MyAddIn_V12.dll" "$dist/STDOLE2.TLB" "$spoiled/"
  run_refused standin-dll-and-placeholder "$spoiled" MyAddIn_V12.dll STDOLE2.TLB
  mapfile -t all < <("$release" --list)
  run_refused test-folder "$dist" "${all[@]}"
  # The PE check the release makes of its deliverables, on copies with one protection taken away: the
  # DllCharacteristics bit (PE header + 0x5E) cleared, or the relocation directory's size (+ 0xA4) zeroed.
  for d in "${deliverables[@]}"; do
    pe=$(od -An -tu4 -j 60 -N 4 "$dist/$d" | tr -d ' ')
    characteristics=$(od -An -tu2 -j $((pe + 0x5E)) -N 2 "$dist/$d" | tr -d ' ')
    for spoil in "DYNAMIC_BASE $((pe + 0x5E)) $((characteristics & ~0x40))" "NX_COMPAT $((pe + 0x5E)) $((characteristics & ~0x100))" \
                 "relocation $((pe + 0xA4)) 0"; do
      read -r what offset value <<< "$spoil"
      cp "$dist/$d" "$spoiled/$d"
      printf "$(printf '\\x%02x\\x%02x' $((value & 0xFF)) $((value >> 8 & 0xFF)))" |
        dd of="$spoiled/$d" bs=1 seek="$offset" conv=notrunc status=none
      [ "$what" = relocation ] && printf '\0\0' | dd of="$spoiled/$d" bs=1 seek=$((offset + 2)) conv=notrunc status=none
      "$src/tools/check-pe" --hardened "$dist/$d" > /dev/null || fail "$d as built fails the PE check"
      if "$src/tools/check-pe" --hardened "$spoiled/$d" > "$good.log"; then fail "$d without $what: passed the PE check"
      else grep -q "^check-pe: .*$what" "$good.log" || fail "$d without $what: not named: $(cat "$good.log")"; fi
    done
  done
  finish ;;

reproducible)
  a=$state/A b=$state/B name=$(name_of "$state/A.out")
  for f in "${deliverables[@]/#/$name/ZmtPlugin/install/}" "$name.zip" "$name-symbols.zip" SHA256SUMS; do
    cmp "$a/$f" "$b/$f" || fail "$f differs between the release of $src and of $state/clone"
  done
  finish ;;

signed)
  name=$(name_of "$state/C.out")
  tail -n 1 "$state/C.out" | grep -q "is signed" || fail "last line does not say signed: $(tail -n 1 "$state/C.out")"
  for d in "${deliverables[@]}"; do
    bin=$state/C/$name/ZmtPlugin/install/$d
    osslsigncode verify -CAfile "$state/cert.pem" -in "$bin" > "$state/verify-$d.log" 2>&1 ||
      fail "$d does not verify: $(tail -n 3 "$state/verify-$d.log")"
    grep -q "Message digest algorithm *: SHA256" "$state/verify-$d.log" || fail "$d not signed with SHA-256"
    # The signature covers A's image: the same bytes apart from checksum and certificate table.
    osslsigncode extract-data -h sha256 -in "$bin" -out "$state/data-C-$d" > /dev/null 2>&1
    osslsigncode extract-data -h sha256 -in "$state/A/$name/ZmtPlugin/install/$d" -out "$state/data-A-$d" > /dev/null 2>&1
    cmp -s "$state/data-A-$d" "$state/data-C-$d" || fail "signed $d is not the unsigned build's image"
  done
  ( cd "$state/C" && sha256sum --quiet -c SHA256SUMS ) || fail "sha256sum -c SHA256SUMS of the signed release"
  finish ;;

e2e)
  name=$(name_of "$state/C.out")
  e2e=$state/e2e && rm -rf "$e2e" && mkdir -p "$e2e/c" "$e2e/placed"
  unzip -q "$state/C/$name.zip" -d "$e2e/c"
  # The DTP applications of tools/seed/korean-dtp.reg, laid out as tools/run-demo does.
  apps="$e2e/Program Files"
  mkdir -p "$apps/Adobe/Photoshop 7.0/플러그-인" "$apps/Adobe/Adobe Photoshop CS2/Plug-Ins" \
           "$apps/Adobe/Adobe Illustrator CS2/Plug-ins" "$apps/QuarkXPress 6.5/XTension"
  z="Z:${e2e//\//\\}"
  printf '%s\r\n' '@echo off' 'start /wait C:\ZmtPlugin\install\ZmtUpGrade_Letterquarry.exe /B' \
    "echo %ERRORLEVEL%> \"$z\\exit.txt\"" \
    "xcopy /e /i /q /y C:\\ZmtPlugin\\bin \"$z\\placed\\bin\"" \
    "xcopy /e /i /q /y \"C:\\Program Files\\Adobe\" \"$z\\placed\\Adobe\"" \
    "xcopy /e /i /q /y \"C:\\Program Files\\QuarkXPress 6.5\" \"$z\\placed\\QuarkXPress 6.5\"" > "$e2e/check.bat"
  LQ_LOCALE=ko LQ_REG="$src/tools/seed/korean-dtp.reg" \
  LQ_FILES="$e2e/c/ZmtPlugin=C:\\ZmtPlugin;$apps=C:\\Program Files" LQ_TIMEOUT=240 \
    "$src/tools/wine-run" --template "$win/wine-template" cmd /c "$z\\check.bat" > "$e2e/wine.log" 2>&1
  expect_eq "exit code of /B" 0 "$(tr -d '\r\n ' < "$e2e/exit.txt" 2>/dev/null)"
  # Where the install sequence puts each file on this machine (the Photoshop 7.0 folder is Korean).
  installed=$state/C/$name/ZmtPlugin/install
  expected=$(while read -r n; do
      case $n in
        ZMT_P7.8bp) echo "Adobe/Photoshop 7.0/플러그-인/$n" ;;
        ZMT_CS2.8bp) echo "Adobe/Adobe Photoshop CS2/Plug-Ins/$n" ;;
        zmt_i.aip) echo "Adobe/Adobe Illustrator CS2/Plug-ins/$n" ;;
        *) echo "bin/$n" ;;
      esac
    done < "$state/payload.list"; echo "QuarkXPress 6.5/XTension/ZmtLetterquarry.axt")
  expect_eq "files placed" "$(sort <<< "$expected")" "$(cd "$e2e/placed" && find . -type f | sed 's|^\./||' | sort)"
  while read -r p; do
    cmp -s "$installed/$(basename "$p")" "$e2e/placed/$p" || fail "$p is not the release's $(basename "$p")"
  done <<< "$expected"
  [ "$fails" = 0 ] || cat "$e2e/wine.log"
  finish ;;

*) echo "unknown check $check"; exit 2 ;;
esac
