#!/usr/bin/env bash
# Fuzzes the self-extractor's product reading (layout, configuration block and
# 7z archive, as a dry run through sfx::checkProduct) with libFuzzer for a
# bounded time.
#
#   scripts/fuzz/sfx_fuzz.sh [seconds, default 60]
#
# Seeds: small products made here with the real archiver (a bare ELF header as
# the module, a configuration block, archives of several methods, with links,
# folders and stored absolute paths) and the committed regression cases.
# Crashes, hangs and out-of-memory inputs land in the output folder printed at
# the end; copy each into tests/packager/sfx/regressions/ once fixed.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
SECONDS_TOTAL="${1:-60}"
OUT="${FUZZ_OUT:-$(mktemp -d "${TMPDIR:-/tmp}/sfx-fuzz.XXXXXX")}"
CXX="${CXX_FUZZ:-clang++}"
ARCHIVER="${ARCHIVER:-/usr/lib/p7zip/7zr}"
FLAGS=(-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$ROOT/packager/sfx")

mkdir -p "$OUT/seeds" "$OUT/corpus" "$OUT/crashes"
cp "$ROOT"/tests/packager/sfx/regressions/* "$OUT/seeds/" 2>/dev/null || true

# Seed products: the payload is a few small files, a folder and a link.
payload="$OUT/payload"
rm -rf "$payload"
mkdir -p "$payload/sub/deeper" "$payload/empty"
printf '#!/bin/sh\necho ran\n' > "$payload/run.sh"
chmod 0755 "$payload/run.sh"
printf 'hello\n' > "$payload/sub/a.txt"
: > "$payload/sub/deeper/empty.dat"
head -c 3000 /dev/urandom > "$payload/sub/noise.bin"
ln -s ../run.sh "$payload/sub/link"
archive() { # name, archiver switches...
    local name="$1"; shift
    rm -f "$OUT/$name.7z"
    (cd "$payload" && "$ARCHIVER" a -t7z "$OUT/$name.7z" -snl "$@" -- * > /dev/null)
}
archive lzma2 -m0=LZMA2 -mx=5
archive lzma -m0=LZMA -mx=1
archive copy -m0=Copy
archive delta -mf=Delta:4 -m0=LZMA2
archive bcj -mf=BCJ -m0=LZMA
archive plainheader -mhc=off -ms=off
(cd "$payload" && rm -f "$OUT/abspath.7z" && "$ARCHIVER" a -t7z "$OUT/abspath.7z" -spf "$payload/sub/a.txt" > /dev/null)
python3 - "$OUT" <<'PY'
import glob, os, struct, sys
out = sys.argv[1]
elf = bytearray(64)
elf[0:4] = b"\x7fELF"; elf[4] = 2; elf[5] = 1; elf[52:54] = struct.pack("<H", 64)
def block(execute):
    return (';!@Install@!UTF-8!\nTitle="app Portable"\nProgress="no"\nExecuteFile="%s"\n'
            'InstallPath="%%%%T\\app"\nGUIMode="2"\nOverwrite="1"\n;!@InstallEnd@!\n' % execute).encode()
icon = b"CFICON\x01\x00" + struct.pack("<I", 6) + b"\x00\x00\x01\x00\x00\x00"
for path in sorted(glob.glob(os.path.join(out, "*.7z"))):
    archive = open(path, "rb").read()
    name = os.path.basename(path)[:-3]
    open(os.path.join(out, "seeds", name + ".product"), "wb").write(bytes(elf) + block("run.sh") + archive)
    if name == "lzma2":
        open(os.path.join(out, "seeds", name + "-icon.product"), "wb").write(bytes(elf) + icon + block("sub/a.txt") + archive)
PY

echo "building the fuzzer in $OUT" >&2
nice "$CXX" "${FLAGS[@]}" -o "$OUT/fuzz_sfx" "$ROOT/scripts/fuzz/sfx_fuzz_target.cpp" \
    "$ROOT/packager/sfx/extractor.cpp" "$ROOT/packager/sfx/installrecord.cpp" "$ROOT/packager/sfx/productlayout.cpp" \
    $(pkg-config --libs libarchive)

echo "fuzzing sfx::checkProduct for $SECONDS_TOTAL s" >&2
status=0
# One fork at a time that goes on past a crash, a hang or running out of
# memory, so a long run collects every such input.
(cd "$OUT" && nice ./fuzz_sfx -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -max_total_time="$SECONDS_TOTAL" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -artifact_prefix="$OUT/crashes/" "$OUT/corpus" "$OUT/seeds" > "$OUT/fuzz.log" 2>&1) || status=1
tail -n 3 "$OUT/fuzz.log" >&2
echo "crashes: $(ls "$OUT/crashes" | wc -l) in $OUT/crashes" >&2
exit $status
