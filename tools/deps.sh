#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and `make run` need (only when missing; root only).
set -euo pipefail
pkgs=(cmake ninja-build make g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
      # The 32-bit build and the installers.
      g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix nsis zip
      mingw-w64-tools wine wine64 xvfb xdotool x11-utils x11-apps xauth imagemagick
      fonts-liberation pulseaudio pulseaudio-utils googletest python3
      # Wine (64-bit, so the amd64 builds) decodes media through GStreamer; the tools make test media.
      gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
      gstreamer1.0-plugins-ugly gstreamer1.0-tools
      # The JPEG decoder's header; the host compiler for its sanitizer run.
      libstb-dev g++)

# Wine's 32-bit side, for the 32-bit build's tests (Debian's i386 architecture), only where this
# kernel runs 32-bit programs at all: elsewhere it could never start and would only lengthen the
# set-up. Tried with a program of five instructions.
kernel_runs_32bit() {
  local d rc=1
  d=$(mktemp -d)
  printf '.globl _start\n_start:\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$d/t.s"
  if as --32 -o "$d/t.o" "$d/t.s" 2>/dev/null && ld -m elf_i386 -o "$d/t" "$d/t.o" 2>/dev/null; then
    "$d/t" 2>/dev/null && rc=0
  fi
  rm -rf "$d"
  return $rc
}
if kernel_runs_32bit; then
  pkgs+=(wine32:i386)
else
  echo "deps.sh: this kernel runs no 32-bit programs; Wine's 32-bit side is not installed" >&2
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" != 0 ]; then
  echo "missing Debian packages: ${missing[*]} (run as root, or install them)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
case " ${missing[*]} " in
  *:i386\ *) dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
esac
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
