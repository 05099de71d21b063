#!/usr/bin/env bash
# Builds the mingw preset and writes dist/brevane-<version>-windows-x64.zip:
# brevane.exe, brevane-cli.exe, README.txt (Japanese and English) and
# THIRD-PARTY.txt (the licences of what is linked in, from Debian's copyright
# files), in one folder of the same name. The version is the CMake project's.
# The zip's path is the last line of the output.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/mingw

cmake --preset mingw >/dev/null
cmake --build --preset mingw --target brevane brevane-cli -j "$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=brevane-$version-windows-x64
stage=$PWD/$build/package
rm -rf "$stage"
mkdir -p "$stage/$name" dist

# Notepad shows UTF-8 surely with a byte-order mark, and lines end in CRLF.
windows_text() {
  printf '\xEF\xBB\xBF'
  sed -e "s/@VERSION@/$version/g" -e 's/\r$//' -e 's/$/\r/'
}

for program in "$build/app/brevane.exe" "$build/cli/brevane-cli.exe"; do
  x86_64-w64-mingw32-strip -o "$stage/$name/$(basename "$program")" "$program"
done
windows_text <packaging/README.txt >"$stage/$name/README.txt"

licences=(
  "stb (stb_image, stb_image_write, stb_image_resize)|libstb-dev"
  "zlib|libz-mingw-w64-dev"
  "The MinGW-w64 runtime and winpthreads|mingw-w64-x86-64-dev"
)
{
  echo "Brevane $version is built with MinGW-w64 and links these libraries statically."
  echo "Their licences follow, as Debian's packages state them."
  echo "The GCC runtime libraries (libgcc, libstdc++) are linked under the GCC Runtime"
  echo "Library Exception, which asks for no notice."
  for entry in "${licences[@]}"; do
    title=${entry%%|*}
    package=${entry##*|}
    echo
    echo "================================================================================"
    echo "$title (Debian package $package)"
    echo "================================================================================"
    echo
    cat "/usr/share/doc/$package/copyright"
  done
} | windows_text >"$stage/$name/THIRD-PARTY.txt"

zip=$PWD/dist/$name.zip
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip "$name")
echo "$zip"
