# Decides how this machine runs the Windows test programs, and sets up what that needs.
# Sourced by test.sh. Wine's 64-bit loader runs x64 programs as native code; the 32-bit loader
# needs a kernel that runs 32-bit x86 code, or else user-mode emulation (qemu-i386 registered
# with binfmt_misc), which costs about a minute of CPU per Wine start.
#
#   QX71_X86_PATH=auto|native|emulated|skipped   forces a path for the x86 tree (default auto)
#
# After choose_windows_test_paths: X64_PATH and X86_PATH are native, emulated or skipped;
# X64_REASON and X86_REASON say why. stop_i386_emulation removes what the setup added.

readonly WINE32_LOADER=/usr/lib/wine/wine
readonly WINE64_LOADER=/usr/lib/wine/wine64
readonly BINFMT_DIR=/proc/sys/fs/binfmt_misc
readonly BINFMT_ENTRY=qx71-i386
# The ELF header of 32-bit x86 executables and shared objects, as qemu's own binfmt table has it.
readonly I386_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
readonly I386_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

binfmt_registered_by_us=0
binfmt_mounted_by_us=0

# Prints the name of an enabled binfmt_misc entry that runs 32-bit x86 programs, if any.
existing_i386_emulator() {
  local entry
  for entry in "$BINFMT_DIR"/*; do
    [ -f "$entry" ] || continue
    case "${entry##*/}" in register | status) continue ;; esac
    grep -qx enabled "$entry" && grep -q "^magic 7f454c460101010000000000000000000[23]000300" "$entry" \
      && { echo "${entry##*/}"; return 0; }
  done
  return 1
}

# Registers qemu-i386 for 32-bit x86 programs; the F flag opens the emulator now, so it serves
# every process. Registered entries take precedence over the kernel's own 32-bit loader.
# Sets X86_REASON and fails when it cannot.
start_i386_emulation() {
  if [ "$(id -u)" -ne 0 ]; then
    X86_REASON="user-mode emulation needs root (to register qemu-i386 with binfmt_misc)"
    return 1
  fi
  if [ ! -x /usr/bin/qemu-i386-static ]; then
    echo "Installing qemu-user-static for the 32-bit tests"
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      qemu-user-static >/dev/null \
      || { X86_REASON="qemu-user-static could not be installed"; return 1; }
  fi
  if [ ! -e "$BINFMT_DIR/register" ]; then
    mount -t binfmt_misc binfmt_misc "$BINFMT_DIR" 2>/dev/null \
      || { X86_REASON="binfmt_misc cannot be mounted here"; return 1; }
    binfmt_mounted_by_us=1
  fi
  [ -e "$BINFMT_DIR/$BINFMT_ENTRY" ] && echo -1 >"$BINFMT_DIR/$BINFMT_ENTRY"
  printf '%s' ":$BINFMT_ENTRY:M::$I386_MAGIC:$I386_MASK:/usr/bin/qemu-i386-static:F" >"$BINFMT_DIR/register" \
    || { X86_REASON="qemu-i386 could not be registered with binfmt_misc"; return 1; }
  binfmt_registered_by_us=1
  # qemu reserves the whole 32-bit guest space up front: without it, Wine's fixed mappings (the
  # shared user data) can collide with where qemu placed the program.
  export QEMU_RESERVED_VA=0xffff0000
  return 0
}

stop_i386_emulation() {
  if [ "$binfmt_registered_by_us" -eq 1 ] && [ -e "$BINFMT_DIR/$BINFMT_ENTRY" ]; then
    echo -1 >"$BINFMT_DIR/$BINFMT_ENTRY"
  fi
  binfmt_registered_by_us=0
  if [ "$binfmt_mounted_by_us" -eq 1 ]; then
    umount "$BINFMT_DIR" 2>/dev/null
  fi
  binfmt_mounted_by_us=0
}

wine32_starts() {
  local output
  output=$("$WINE32_LOADER" --version 2>&1) && return 0
  X86_REASON="Wine's 32-bit loader does not start: ${output##*: }"
  return 1
}

choose_x86_path() {
  local forced=${QX71_X86_PATH:-auto} emulator
  case "$forced" in
    skipped)
      X86_PATH=skipped X86_REASON="forced by QX71_X86_PATH=skipped"
      return ;;
    emulated)
      if start_i386_emulation && wine32_starts; then
        X86_PATH=emulated X86_REASON="forced by QX71_X86_PATH=emulated (qemu-i386 through binfmt_misc)"
      else
        X86_PATH=skipped
      fi
      return ;;
    native)
      X86_PATH=native X86_REASON="forced by QX71_X86_PATH=native"
      return ;;
    auto) ;;
    *)
      X86_PATH=skipped X86_REASON="QX71_X86_PATH=$forced is not one of auto, native, emulated, skipped"
      return ;;
  esac
  if [ ! -x "$WINE32_LOADER" ]; then
    X86_PATH=skipped X86_REASON="Wine's 32-bit loader ($WINE32_LOADER) is not installed"
  elif emulator=$(existing_i386_emulator); then
    X86_PATH=emulated X86_REASON="32-bit programs run through the binfmt_misc entry '$emulator'"
    wine32_starts || X86_PATH=skipped
  elif wine32_starts; then
    X86_PATH=native X86_REASON="the kernel runs 32-bit x86 code"
  else
    local native_failure=$X86_REASON
    if start_i386_emulation && wine32_starts; then
      X86_PATH=emulated X86_REASON="the kernel runs no 32-bit x86 code ($native_failure); qemu-i386 through binfmt_misc"
    else
      X86_PATH=skipped X86_REASON="$native_failure; $X86_REASON"
    fi
  fi
}

choose_x64_path() {
  local output
  if output=$("$WINE64_LOADER" --version 2>&1); then
    X64_PATH=native X64_REASON="Wine's 64-bit loader runs x64 code natively"
  else
    X64_PATH=skipped X64_REASON="Wine's 64-bit loader does not start: ${output##*: }"
  fi
}

choose_windows_test_paths() {
  choose_x64_path
  choose_x86_path
  echo "Windows x64 tests: $X64_PATH — $X64_REASON"
  echo "Windows x86 tests: $X86_PATH — $X86_REASON"
}
