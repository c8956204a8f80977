#!/usr/bin/env bash
# The release command as a vendor uses it, in one shared state folder:
#   make          (fixture) a payload of generated files; releases A and B from two clones of the working tree
#                 the tests were built from (as a commit), C from B's clone signed with a throwaway certificate
#                 and time-stamped by a throwaway local authority (timestamp_authority.py)
#   layout        A: folder, zips, package and SHA256SUMS; stripped binaries with a debug link into the symbols
#                 zip, Windows imports only; the package holds the folder's files; sizes printed and within
#                 their targets; says it is unsigned
#   refusals      a missing file, an empty file, our stand-ins: refused, each named, no release left; a
#                 deliverable without DYNAMIC_BASE, NX_COMPAT or relocations fails the release's PE check
#   reproducible  A and B (built in two folders at two times): the same deliverables, zips, package and sums
#   signed        C: both binaries and the package verify, each with a time-stamp that verifies; apart from the
#                 signature the binaries are A's
#   e2e           C's zip unpacked on a fresh Korean DTP machine: "/B" exits 0 and every file it placed is
#                 byte for byte the release's; the same with C's package installed by msiexec on another
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
# The working tree (tracked and untracked files, .gitignore honoured) as a commit, HEAD when it is HEAD's tree;
# neither HEAD nor the index is touched.
snapshot() {
  local index tree
  index=$(mktemp) && rm -f "$index"
  tree=$(GIT_INDEX_FILE=$index git -C "$src" add -A . && GIT_INDEX_FILE=$index git -C "$src" write-tree) || return 1
  rm -f "$index"
  if [ "$tree" = "$(git -C "$src" rev-parse 'HEAD^{tree}')" ]; then git -C "$src" rev-parse HEAD; return; fi
  GIT_AUTHOR_NAME="release test" GIT_AUTHOR_EMAIL=release@test GIT_COMMITTER_NAME="release test" \
    GIT_COMMITTER_EMAIL=release@test git -C "$src" commit-tree "$tree" -p HEAD -m "the working tree under test"
}
# clone_at DIR COMMIT: a clone of this checkout with COMMIT checked out (pushed there, as it may be no branch's).
clone_at() {
  git clone -q --no-checkout "$src" "$1" && git -C "$src" push -q "$1" "$2:refs/heads/under-test" &&
    git -C "$1" checkout -q under-test
}
# A throwaway RFC 3161 authority in STATE: its own certificate, for time-stamping only (tsa.pem), and the
# configuration of "openssl ts -reply" (tsa.cnf).
make_authority() {
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1/tsa.key" -out "$1/tsa.pem" -days 30 \
    -subj "/CN=Letterquarry throwaway time-stamp authority" -addext "extendedKeyUsage=critical,timeStamping" \
    -addext "keyUsage=critical,digitalSignature" 2>/dev/null && echo 01 > "$1/tsa.serial" &&
  printf '%s\n' "[tsa]" "default_tsa = authority" "[authority]" "serial = $1/tsa.serial" "signer_cert = $1/tsa.pem" \
    "signer_key = $1/tsa.key" "signer_digest = sha256" "default_policy = 1.2.3.4.1" "digests = sha256" \
    "ess_cert_id_alg = sha256" > "$1/tsa.cnf"
}

case "$check" in
make)
  rm -rf "$state" && mkdir -p "$state/payload"
  "$release" --list > "$state/payload.list" || { echo "FAIL: tools/release --list"; exit 1; }
  # Arbitrary bytes, different per file, so a file placed under the wrong name shows.
  while read -r n; do
    { printf 'generated payload file %s\r\n' "$n"; head -c 4096 /dev/urandom; } > "$state/payload/$n"
  done < "$state/payload.list"
  commit=$(snapshot) || { echo "FAIL: the working tree as a commit"; exit 1; }
  clone_at "$state/tree" "$commit" && clone_at "$state/clone" "$commit" || { echo "FAIL: clone"; exit 1; }
  "$state/tree/tools/release" --payload "$state/payload" --out "$state/A" > "$state/A.out" 2>&1 ||
    { cat "$state/A.out"; exit 1; }
  "$state/clone/tools/release" --payload "$state/payload" --out "$state/B" > "$state/B.out" 2>&1 ||
    { cat "$state/B.out"; exit 1; }
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$state/key.pem" -out "$state/cert.pem" -days 30 \
    -subj "/CN=Letterquarry throwaway test signer" 2>/dev/null &&
    printf 'pfx password\n' > "$state/password" &&
    openssl pkcs12 -export -out "$state/cert.pfx" -inkey "$state/key.pem" -in "$state/cert.pem" \
      -passout "file:$state/password" || { echo "FAIL: certificate"; exit 1; }
  make_authority "$state" || { echo "FAIL: time-stamp authority"; exit 1; }
  python3 "$src/tests/release/timestamp_authority.py" "$state/tsa.cnf" "$state/tsa.port" & authority=$!
  trap 'kill $authority 2>/dev/null' EXIT
  for _ in $(seq 50); do [ -s "$state/tsa.port" ] && break; sleep 0.1; done
  "$state/clone/tools/release" --payload "$state/payload" --out "$state/C" \
    --sign "$state/cert.pfx" --sign-password-file "$state/password" \
    --timestamp "http://127.0.0.1:$(cat "$state/tsa.port")" --timestamp-ca "$state/tsa.pem" > "$state/C.out" 2>&1 ||
    { cat "$state/C.out"; exit 1; }
  # Other test folders' scenarios run on the release's deliverables from here.
  ln -sfn "$state/A/$(name_of "$state/A.out")/ZmtPlugin/install" "$state/install"
  cat "$state/A.out" "$state/C.out"
  finish ;;

layout)
  out=$state/A name=$(name_of "$state/A.out")
  expect_eq "version from the setup program's resource" "Letterquarry-$(sed -n 's/.*ProductVersion", "\(.*\)"/\1/p' \
    <(i686-w64-mingw32-windres -i "$out/$name/ZmtPlugin/install/ZmtUpGrade_Letterquarry.exe" -O rc))" "$name"
  expect_eq "what --out holds" "$(printf '%s\n' "$name" "$name-symbols.zip" "$name.msi" "$name.zip" SHA256SUMS)" "$(ls "$out")"
  # The package places the folder's files, and its version is the setup program's file version.
  expect_eq "files of the package" "$(ls "$out/$name/ZmtPlugin/install" | sort)" \
    "$(msiinfo export "$out/$name.msi" File | tail -n +4 | cut -f 3 | sed 's/.*|//' | tr -d '\r' | sort)"
  expect_eq "version of the package" "$(sed -n 's/.*FileVersion", "\(.*\)"/\1/p' \
    <(i686-w64-mingw32-windres -i "$out/$name/ZmtPlugin/install/ZmtUpGrade_Letterquarry.exe" -O rc))" \
    "$(msiinfo export "$out/$name.msi" Property | tr -d '\r' | sed -n 's/^ProductVersion\t//p')"
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
  expect_eq "files under SHA256SUMS" "$(cd "$out" && { ls ./*.zip ./*.msi; find "$name" -type f; } | sed 's|^\./||' | sort)" \
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
  expect_eq "product code printed" "$(msiinfo export "$out/$name.msi" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p')" \
    "$(sed -n "s/^release: $name.msi, product code \({[0-9A-F-]*}\) .*/\1/p" "$state/A.out")"
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
  for f in "${deliverables[@]/#/$name/ZmtPlugin/install/}" "$name.zip" "$name-symbols.zip" "$name.msi" SHA256SUMS; do
    cmp "$a/$f" "$b/$f" || fail "$f differs between the release of $src and of $state/clone"
  done
  finish ;;

signed)
  name=$(name_of "$state/C.out")
  tail -n 1 "$state/C.out" | grep -q "is signed .*, time-stamped by http://127.0.0.1:" ||
    fail "last line does not say signed and time-stamped: $(tail -n 1 "$state/C.out")"
  for bin in "${deliverables[@]/#/$state/C/$name/ZmtPlugin/install/}" "$state/C/$name.msi"; do
    d=$(basename "$bin")
    osslsigncode verify -CAfile "$state/cert.pem" -TSA-CAfile "$state/tsa.pem" -in "$bin" > "$state/verify-$d.log" 2>&1 ||
      fail "$d does not verify: $(tail -n 3 "$state/verify-$d.log")"
    grep -q "Message digest algorithm *: SHA256" "$state/verify-$d.log" || fail "$d not signed with SHA-256"
    grep -q "^Timestamp Server Signature verification: ok" "$state/verify-$d.log" || fail "$d has no time-stamp that verifies"
    [ "$d" != "$name.msi" ] || continue
    # The signature covers A's image: the same bytes apart from checksum and certificate table.
    osslsigncode extract-data -h sha256 -in "$bin" -out "$state/data-C-$d" > /dev/null 2>&1
    osslsigncode extract-data -h sha256 -in "$state/A/$name/ZmtPlugin/install/$d" -out "$state/data-A-$d" > /dev/null 2>&1
    cmp -s "$state/data-A-$d" "$state/data-C-$d" || fail "signed $d is not the unsigned build's image"
  done
  ( cd "$state/C" && sha256sum --quiet -c SHA256SUMS ) || fail "sha256sum -c SHA256SUMS of the signed release"
  finish ;;

e2e)
  name=$(name_of "$state/C.out")
  installed=$state/C/$name/ZmtPlugin/install
  # Where the install sequence puts each file on this machine (the Photoshop 7.0 folder is Korean).
  expected=$(while read -r n; do
      case $n in
        ZMT_P7.8bp) echo "Adobe/Photoshop 7.0/플러그-인/$n" ;;
        ZMT_CS2.8bp) echo "Adobe/Adobe Photoshop CS2/Plug-Ins/$n" ;;
        zmt_i.aip) echo "Adobe/Adobe Illustrator CS2/Plug-ins/$n" ;;
        *) echo "bin/$n" ;;
      esac
    done < "$state/payload.list"; echo "QuarkXPress 6.5/XTension/ZmtLetterquarry.axt")
  # The zip unpacked at C:\ and "/B"; the package, as a deployment tool runs it: each on a machine of its own
  # with the DTP applications of tools/seed/korean-dtp.reg, laid out as tools/run-demo does.
  for run in 'start /wait C:\ZmtPlugin\install\ZmtUpGrade_Letterquarry.exe /B' "msiexec /i C:\\$name.msi /qn /norestart"; do
    way=${run%% *} e2e=$state/e2e-${run%% *} && rm -rf "$e2e" && mkdir -p "$e2e/c" "$e2e/placed"
    apps="$e2e/Program Files" z="Z:${e2e//\//\\}"
    mkdir -p "$apps/Adobe/Photoshop 7.0/플러그-인" "$apps/Adobe/Adobe Photoshop CS2/Plug-Ins" \
             "$apps/Adobe/Adobe Illustrator CS2/Plug-ins" "$apps/QuarkXPress 6.5/XTension"
    if [ "$way" = start ]; then unzip -q "$state/C/$name.zip" -d "$e2e/c"; else cp "$state/C/$name.msi" "$e2e/c/"; fi
    printf '%s\r\n' '@echo off' "$run" "echo %ERRORLEVEL%> \"$z\\exit.txt\"" \
      "xcopy /e /i /q /y C:\\ZmtPlugin\\bin \"$z\\placed\\bin\"" \
      "xcopy /e /i /q /y \"C:\\Program Files\\Adobe\" \"$z\\placed\\Adobe\"" \
      "xcopy /e /i /q /y \"C:\\Program Files\\QuarkXPress 6.5\" \"$z\\placed\\QuarkXPress 6.5\"" > "$e2e/check.bat"
    LQ_LOCALE=ko LQ_REG="$src/tools/seed/korean-dtp.reg" \
    LQ_FILES="$e2e/c=C:\\;$apps=C:\\Program Files" LQ_TIMEOUT=240 \
      "$src/tools/wine-run" --template "$win/wine-template" cmd /c "$z\\check.bat" > "$e2e/wine.log" 2>&1
    expect_eq "$way: exit code of \"$run\"" 0 "$(tr -d '\r\n ' < "$e2e/exit.txt" 2>/dev/null)"
    expect_eq "$way: files placed" "$(sort <<< "$expected")" "$(cd "$e2e/placed" && find . -type f | sed 's|^\./||' | sort)"
    while read -r p; do
      cmp -s "$installed/$(basename "$p")" "$e2e/placed/$p" || fail "$way: $p is not the release's $(basename "$p")"
    done <<< "$expected"
    [ "$fails" = 0 ] || cat "$e2e/wine.log"
  done
  finish ;;

*) echo "unknown check $check"; exit 2 ;;
esac
