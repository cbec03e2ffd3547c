# Sourced by scripts/format and scripts/check-format: prints the clang-format
# of version 14 (Debian 12's), the one the tree is formatted with.
tavrin_clang_format() {
  local tool
  for tool in clang-format-14 clang-format; do
    if command -v "$tool" >/dev/null && "$tool" --version | grep -q 'version 14\.'; then
      command -v "$tool"
      return 0
    fi
  done
  echo "clang-format 14 is needed (Debian 12: apt-get install clang-format-14)" >&2
  return 1
}
