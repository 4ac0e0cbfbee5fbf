#!/usr/bin/env bash
# Installs, from Debian's archive, what building and testing Corvane needs.
# Does nothing when everything is already there. "fuzz" asks for what the
# fuzz tree needs instead (clang and its libFuzzer and sanitizer runtimes).
set -euo pipefail
if [ "${1:-}" = fuzz ]; then
  pkgs=(clang libclang-rt-14-dev cmake ninja-build nlohmann-json3-dev)
else
  # Both Wine loaders and both cross compilers: the 32-bit build runs where
  # the kernel executes 32-bit code, the 64-bit build everywhere else.
  pkgs=(wine wine32:i386 wine64 g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools xvfb xauth x11-utils
        cmake ninja-build g++ googletest libgtest-dev libgmock-dev nlohmann-json3-dev python3-jsonschema)
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "installing: ${missing[*]}"
if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
